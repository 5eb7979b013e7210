// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing the one-player game's secret code.
#include "rules/secret.h"

#include <cmath>
#include <cstring>

namespace quivara::rules {
namespace {

std::uint64_t splitmix(std::uint64_t &state)
{
    std::uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

} // namespace

void RandomSource::seed(double value)
{
    // Fold the seed into the state through the mixer: the state keeps its
    // history, so the same seed twice leads to two different states.
    // The seed's bits (std::bit_cast, where the browser build's C++ library lacks it).
    std::uint64_t mixed;
    static_assert(sizeof mixed == sizeof value);
    std::memcpy(&mixed, &value, sizeof mixed);
    m_state ^= splitmix(mixed);
    splitmix(m_state);
}

double RandomSource::next()
{
    return static_cast<double>(splitmix(m_state) >> 11) * 0x1.0p-53;
}

int digitFromDraw(double r, bool firstPosition)
{
    // nearbyint rounds an exact half to the even neighbour in the default mode.
    int n = static_cast<int>(std::nearbyint(r * 10.0));
    while (n > 9)
        n -= 9;
    if (firstPosition) {
        while (n < 1)
            n += 1;
    }
    return n;
}

Text drawStatus(const Four &code)
{
    for (int a = 0; a < 4; ++a) {
        for (int b = a + 1; b < 4; ++b) {
            if (code[a] == code[b])
                return kRepeated;
        }
    }
    return kReady;
}

DrawnCode drawCode(RandomSource &source, const TimeOfDay &timeOfDay)
{
    DrawnCode drawn;
    for (int p = 0; p < 4; ++p) {
        source.seed(timeOfDay());
        source.next();
        const int n = digitFromDraw(source.next(), p == 0);
        drawn.digits[p] = std::u16string(1, static_cast<char16_t>(u'0' + n));
    }
    drawn.status = drawStatus(drawn.view());
    return drawn;
}

} // namespace quivara::rules
