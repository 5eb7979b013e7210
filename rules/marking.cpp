// The marking rule and the win test.
#include "rules/marking.h"

#include <array>
#include <cstdint>

namespace quivara::rules {
namespace {

Mark markOne(Text guess, int index, const Four &code, Order order)
{
    if (order == Order::OwnFirst && code[index] == guess)
        return Mark::Here;
    for (int q = 0; q < 4; ++q) {
        if (code[q] == guess)
            return q == index ? Mark::Here : Mark::Elsewhere;
    }
    return Mark::None;
}

// Texts of at most one character, the ones play produces, as one number each so a
// whole row is judged with sixteen integer compares and a table look-up.
constexpr std::uint32_t kEmptyKey = 0x10000;
constexpr std::uint32_t kLongKey = 0xffffffff; // two characters or more: no key

inline std::uint32_t keyOf(Text t)
{
    return t.empty() ? kEmptyKey : t.size() == 1 ? std::uint32_t{t[0]} : kLongKey;
}

// The keys of a row and its code; false when some text has no key.
inline bool keysOf(const Four &guess, const Four &code, std::array<std::uint32_t, 4> &g,
                   std::array<std::uint32_t, 4> &c)
{
    bool usable = true;
    for (int p = 0; p < 4; ++p) {
        g[p] = keyOf(guess[p]);
        c[p] = keyOf(code[p]);
        usable &= g[p] != kLongKey && c[p] != kLongKey;
    }
    return usable;
}

// The mark of position p under an order, given which code positions (bit q for
// position q) hold the guessed text: the rule itself, worked out for every case.
using MarkTable = std::array<std::array<std::array<Mark, 16>, 4>, 2>;

constexpr MarkTable makeTable()
{
    MarkTable table{};
    for (int order = 0; order < 2; ++order) {
        for (int p = 0; p < 4; ++p) {
            for (unsigned equal = 0; equal < 16; ++equal) {
                Mark mark = Mark::None;
                if (order == 1 && (equal >> p & 1u)) {
                    mark = Mark::Here;
                } else {
                    for (int q = 0; q < 4; ++q) {
                        if (equal >> q & 1u) {
                            mark = q == p ? Mark::Here : Mark::Elsewhere;
                            break;
                        }
                    }
                }
                table[order][p][equal] = mark;
            }
        }
    }
    return table;
}

constexpr MarkTable kMarkTable = makeTable();

} // namespace

Mark markPosition(Text guess, int index, const Four &code, Order order)
{
    return markOne(guess, index, code, order);
}

Marks markRow(const Four &guess, const Four &code, const Orders &orders)
{
    std::array<std::uint32_t, 4> g, c;
    if (!keysOf(guess, code, g, c)) {
        Marks marks{};
        for (int p = 0; p < 4; ++p)
            marks[p] = markOne(guess[p], p, code, orders[p]);
        return marks;
    }
    auto mark = [&](int p) {
        const unsigned equal = unsigned{c[0] == g[p]} | unsigned{c[1] == g[p]} << 1 | unsigned{c[2] == g[p]} << 2
            | unsigned{c[3] == g[p]} << 3;
        return kMarkTable[orders[p] == Order::OwnFirst][p][equal];
    };
    return {mark(0), mark(1), mark(2), mark(3)};
}

bool guessesCode(const Four &guess, const Four &code)
{
    for (int p = 0; p < 4; ++p) {
        const Text g = guess[p], c = code[p];
        if (g.size() != c.size())
            return false;
        // One character, as in play: compared here rather than through the library.
        if (g.size() == 1 ? g[0] != c[0] : g != c)
            return false;
    }
    return true;
}

} // namespace quivara::rules
