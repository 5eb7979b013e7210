// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: row marking and the win test for any texts and orders.
#include "rules/marking.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

using namespace quivara::rules;

// Input: a byte of own-first bits, then the guess's and the code's texts. Per text a byte gives
// its length (0 to 3) and whether its characters are digits (one byte each, so texts often agree)
// or any UTF-16 code unit (two bytes each); texts past the end are empty.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::size_t at = 0;
    auto next = [&] { return at < size ? data[at++] : std::uint8_t{0}; };
    const std::uint8_t bits = next();
    std::array<std::u16string, 8> texts;
    for (std::u16string &t : texts) {
        const std::uint8_t head = next();
        for (int i = 0; i < (head & 3); ++i) {
            const char16_t low = next();
            t += head & 4 ? char16_t(u'0' + low % 10) : char16_t(low | next() << 8);
        }
    }
    const Four g{texts[0], texts[1], texts[2], texts[3]}, c{texts[4], texts[5], texts[6], texts[7]};
    Orders orders{};
    for (int p = 0; p < 4; ++p)
        orders[p] = bits >> p & 1 ? Order::OwnFirst : Order::Ascending;
    // The unit tables hold the rule; here a mark falls exactly where the text is somewhere in the code.
    // And a row wins exactly when every position holds the code's text there.
    const Marks marks = markRow(g, c, orders);
    int same = 0;
    for (int p = 0; p < 4; ++p) {
        if ((marks[p] == Mark::None) == (std::find(c.begin(), c.end(), g[p]) != c.end()))
            std::abort();
        same += g[p] == c[p];
    }
    if (guessesCode(g, c) != (same == 4))
        std::abort();
    return 0;
}
