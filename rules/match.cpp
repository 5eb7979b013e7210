// SPDX-License-Identifier: GPL-3.0-or-later
// One step of a two-player match and the games-won counter.
#include "rules/match.h"

#include <algorithm>

namespace quivara::rules {

Player2Outcome player2Step(Text status, bool rowEqualsCode)
{
    if (status == kPlayer2CanWin)
        return rowEqualsCode ? Player2Outcome{kPlayer2Won, Winner::Player2} : Player2Outcome{kNoVerdictYet};
    if (status == kPlayer2CanTie)
        return rowEqualsCode ? Player2Outcome{kTie} : Player2Outcome{kPlayer1Won, Winner::Player1};
    return {};
}

std::u16string incrementCounter(Text counter)
{
    const bool decimal = !counter.empty()
        && std::all_of(counter.begin(), counter.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
    if (!decimal)
        return u"1";
    std::u16string digits(counter.substr(std::min(counter.find_first_not_of(u'0'), counter.size() - 1)));
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != u'9') {
            ++*it;
            return digits;
        }
        *it = u'0';
    }
    return u'1' + digits;
}

} // namespace quivara::rules
