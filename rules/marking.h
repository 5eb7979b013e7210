// SPDX-License-Identifier: GPL-3.0-or-later
// The marking rule and the win test: a guess row judged position by position against a secret code.
#pragma once

#include <array>
#include <string_view>

namespace quivara::rules {

// Every value of the game is a text held by a control; texts compare exactly
// (same length, same characters, no trimming, no numbers, case-sensitive).
using Text = std::u16string_view;

// Four texts in position order, position 1 first (index 0).
using Four = std::array<Text, 4>;

enum class Mark : unsigned char { None, Here, Elsewhere };

// The order in which one guessed text is compared with the code positions.
enum class Order {
    Ascending, // 1, 2, 3, 4 whatever the guessed position
    OwnFirst,  // the guessed position first, then the others ascending
};

using Orders = std::array<Order, 4>;
using Marks = std::array<Mark, 4>;

// "o", "x", or the empty text for no mark.
constexpr Text markText(Mark mark)
{
    switch (mark) {
    case Mark::Here: return u"o";
    case Mark::Elsewhere: return u"x";
    case Mark::None: break;
    }
    return {};
}

// The first code position (in `order`) whose text equals `guess` decides:
// "o" when it is `index` itself, "x" when another; no mark when none equals.
// `index` is 0 for position 1 up to 3 for position 4.
Mark markPosition(Text guess, int index, const Four &code, Order order);

// Each position judged on its own with its own order; code digits are not used up.
Marks markRow(const Four &guess, const Four &code, const Orders &orders);

// True when every guessed text equals the code text at the same position.
bool guessesCode(const Four &guess, const Four &code);

inline constexpr Orders kAscending{Order::Ascending, Order::Ascending, Order::Ascending, Order::Ascending};
inline constexpr Orders kOwnFirst{Order::OwnFirst, Order::OwnFirst, Order::OwnFirst, Order::OwnFirst};

} // namespace quivara::rules
