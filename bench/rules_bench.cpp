// Rules micro-benchmarks: a row marked and tested, a code drawn, each beside a trivial reference loop.
#include "bench/table.h"
#include "rules/marking.h"
#include "rules/secret.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace quivara;

// Rows of one-digit texts in the shapes play meets: hits, misses, repeats, empty cells.
struct Sample
{
    std::array<std::u16string, 4> guess, code;
};

const std::vector<Sample> &samples()
{
    static const std::vector<Sample> all = [] {
        const char *rows[][2] = {{"1234", "1234"}, {"1111", "1234"}, {"4321", "1234"}, {"5537", "5537"},
                                 {"1111", "1123"}, {"9876", "1234"}, {"0000", "0907"}, {"12 4", "1234"},
                                 {"7777", "7777"}, {"3141", "5926"}, {"    ", "    "}, {"1a2b", "1234"}};
        std::vector<Sample> out;
        for (const auto &row : rows) {
            Sample s;
            for (int p = 0; p < 4; ++p) {
                // A blank stands for an empty field.
                s.guess[p] = row[0][p] == ' ' ? u"" : std::u16string(1, char16_t(row[0][p]));
                s.code[p] = row[1][p] == ' ' ? u"" : std::u16string(1, char16_t(row[1][p]));
            }
            out.push_back(std::move(s));
        }
        return out;
    }();
    return all;
}

rules::Four view(const std::array<std::u16string, 4> &t) { return {t[0], t[1], t[2], t[3]}; }

void markRowAndWinTest(benchmark::State &state)
{
    std::vector<std::pair<rules::Four, rules::Four>> rows;
    for (const Sample &s : samples())
        rows.emplace_back(view(s.guess), view(s.code));
    const rules::Orders orders{rules::Order::OwnFirst, rules::Order::OwnFirst, rules::Order::Ascending,
                               rules::Order::Ascending};
    std::size_t i = 0;
    for (auto _ : state) {
        const auto &[guess, code] = rows[i];
        rules::Marks marks = rules::markRow(guess, code, orders);
        bool won = rules::guessesCode(guess, code);
        benchmark::DoNotOptimize(marks);
        benchmark::DoNotOptimize(won);
        i = i + 1 == rows.size() ? 0 : i + 1;
    }
}

// Reference: the same rows as four plain characters, compared position by position.
void compareFourChars(benchmark::State &state)
{
    std::vector<std::pair<std::array<char16_t, 4>, std::array<char16_t, 4>>> rows;
    for (const Sample &s : samples()) {
        std::array<char16_t, 4> g{}, c{};
        for (int p = 0; p < 4; ++p) {
            g[p] = s.guess[p].empty() ? 0 : s.guess[p][0];
            c[p] = s.code[p].empty() ? 0 : s.code[p][0];
        }
        rows.emplace_back(g, c);
    }
    std::size_t i = 0;
    for (auto _ : state) {
        const auto &[guess, code] = rows[i];
        std::array<bool, 4> equal{};
        for (int p = 0; p < 4; ++p)
            equal[p] = guess[p] == code[p];
        benchmark::DoNotOptimize(equal);
        i = i + 1 == rows.size() ? 0 : i + 1;
    }
}

void drawCode(benchmark::State &state)
{
    rules::RandomSource source;
    const rules::TimeOfDay noon = [] { return 43200.25; };
    for (auto _ : state) {
        rules::DrawnCode code = rules::drawCode(source, noon);
        benchmark::DoNotOptimize(code);
    }
}

// Reference: four digits from a bare linear congruential generator.
void drawFourLcgDigits(benchmark::State &state)
{
    std::uint64_t s = 0x51f15eedULL;
    for (auto _ : state) {
        std::array<char, 4> digits{};
        for (char &d : digits) {
            s = s * 6364136223846793005ULL + 1442695040888963407ULL;
            d = static_cast<char>('0' + (s >> 33) % 10);
        }
        benchmark::DoNotOptimize(digits);
    }
}

BENCHMARK(markRowAndWinTest);
BENCHMARK(compareFourChars);
BENCHMARK(drawCode);
BENCHMARK(drawFourLcgDigits);

// Keeps each benchmark's median (or its only run) and prints nothing itself.
class Collector : public benchmark::BenchmarkReporter
{
public:
    bool ReportContext(const Context &) override { return true; }
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.error_occurred)
                continue;
            const std::string name = run.run_name.function_name;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians[name] = run.GetAdjustedRealTime();
            else if (run.run_type == Run::RT_Iteration && !medians.count(name + "/median"))
                last[name] = run.GetAdjustedRealTime();
        }
    }
    double nanoseconds(const std::string &name) const
    {
        auto m = medians.find(name);
        return m != medians.end() ? m->second : last.at(name);
    }

private:
    std::map<std::string, double> medians, last;
};

} // namespace

int main(int argc, char **argv)
{
    // Both sides of a comparison in one run, repetitions interleaved at random, medians reported;
    // flags given on the command line come later and win.
    std::vector<char *> args{argv[0]};
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    std::string repetitions = "--benchmark_repetitions=9";
    args.push_back(interleave.data());
    args.push_back(repetitions.data());
    for (int i = 1; i < argc; ++i)
        args.push_back(argv[i]);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 2;
    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();

    using bench::printTableRow;
    const double row = collector.nanoseconds("markRowAndWinTest");
    printTableRow({"Rules: a row marked plus the win test", "ns", row, collector.nanoseconds("compareFourChars"),
                   "< 25 ns", row < 25});
    printTableRow({"Rules: a code drawn (fixed clock)", "ns", collector.nanoseconds("drawCode"),
                   collector.nanoseconds("drawFourLcgDigits")});
    return 0;
}
