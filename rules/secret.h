// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing the one-player game's secret code from a reseeded random source.
#pragma once

#include "rules/marking.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace quivara::rules {

// A pseudo-random source even over [0, 1). Seeding mixes the value into the
// current state and never restarts the sequence, so equal seeds in a row still
// give independent draws.
class RandomSource
{
public:
    explicit RandomSource(std::uint64_t state = 0x51f15eedULL) : m_state(state) {}

    void seed(double value);
    double next();

private:
    std::uint64_t m_state;
};

// Seconds since midnight, with their fraction.
using TimeOfDay = std::function<double()>;

// One drawn number turned into a digit: r x 10 rounded half to even, 9 taken
// off while above 9, and at the first position raised to at least 1.
int digitFromDraw(double r, bool firstPosition);

inline constexpr Text kReady = u" Listo, puede empezar a jugar";
inline constexpr Text kRepeated = u"El numero se repite, genere otro";

// The status line after a draw: kRepeated when two positions hold equal texts.
Text drawStatus(const Four &code);

struct DrawnCode
{
    std::array<std::u16string, 4> digits; // position order, decimal numerals
    Text status;

    Four view() const { return {digits[0], digits[1], digits[2], digits[3]}; }
};

// Per position: seed with the time of day, discard one draw, turn the next into a digit.
DrawnCode drawCode(RandomSource &source, const TimeOfDay &timeOfDay);

} // namespace quivara::rules
