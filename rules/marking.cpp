// SPDX-License-Identifier: GPL-3.0-or-later
// The marking rule and the win test.
#include "rules/marking.h"

namespace quivara::rules {

Mark markPosition(Text guess, int index, const Four &code, Order order)
{
    if (order == Order::OwnFirst && code[index] == guess)
        return Mark::Here;
    for (int q = 0; q < 4; ++q) {
        if (code[q] == guess)
            return q == index ? Mark::Here : Mark::Elsewhere;
    }
    return Mark::None;
}

Marks markRow(const Four &guess, const Four &code, const Orders &orders)
{
    Marks marks{};
    for (int p = 0; p < 4; ++p)
        marks[p] = markPosition(guess[p], p, code, orders[p]);
    return marks;
}

bool guessesCode(const Four &guess, const Four &code)
{
    return guess == code;
}

} // namespace quivara::rules
