// Fuzz target: row marking and the win test against a plain reading of the rule, for any texts and orders.
#include "rules/marking.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace quivara::rules;

// The rule as it is told: go through the code positions in the order, the first
// equal text decides; own-first puts the guessed position in front.
Mark plainMark(const std::u16string &guess, int p, const std::array<std::u16string, 4> &code, Order order)
{
    std::array<int, 4> positions{0, 1, 2, 3};
    if (order == Order::OwnFirst) {
        int n = 0;
        positions[n++] = p;
        for (int q = 0; q < 4; ++q)
            if (q != p)
                positions[n++] = q;
    }
    for (int q : positions) {
        if (code[q] == guess)
            return q == p ? Mark::Here : Mark::Elsewhere;
    }
    return Mark::None;
}

// Reads the input as texts: per text one byte gives its length (0 to 3) and whether
// its characters come from the ten digits (one byte each, so texts often agree) or
// are any UTF-16 code unit (two bytes each); texts past the end are empty.
class Reader
{
public:
    Reader(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}

    std::uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }

    std::u16string text()
    {
        if (m_pos >= m_size)
            return {};
        const std::uint8_t head = byte();
        std::u16string t;
        for (int i = 0; i < (head & 3); ++i) {
            if (head & 4)
                t += static_cast<char16_t>(u'0' + byte() % 10);
            else
                t += static_cast<char16_t>(byte() | byte() << 8);
        }
        return t;
    }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

[[noreturn]] void mismatch(const char *what, int position)
{
    std::fprintf(stderr, "%s differs from the plain rule at position %d\n", what, position + 1);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Reader in(data, size);
    const std::uint8_t orderBits = in.byte();
    std::array<std::u16string, 4> guess, code;
    for (std::u16string &t : guess)
        t = in.text();
    for (std::u16string &t : code)
        t = in.text();
    const Four g{guess[0], guess[1], guess[2], guess[3]};
    const Four c{code[0], code[1], code[2], code[3]};

    Orders mixed{};
    for (int p = 0; p < 4; ++p)
        mixed[p] = (orderBits >> p & 1) ? Order::OwnFirst : Order::Ascending;
    for (const Orders &orders : {kAscending, kOwnFirst, mixed}) {
        const Marks marks = markRow(g, c, orders);
        for (int p = 0; p < 4; ++p) {
            const Mark expected = plainMark(guess[p], p, code, orders[p]);
            if (marks[p] != expected)
                mismatch("markRow", p);
            if (markPosition(g[p], p, c, orders[p]) != expected)
                mismatch("markPosition", p);
        }
    }
    const bool wins = guess == code;
    if (guessesCode(g, c) != wins)
        mismatch("guessesCode", 0);
    return 0;
}
