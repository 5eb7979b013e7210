// SPDX-License-Identifier: GPL-3.0-or-later
// One step of a two-player match: the status line is the match state, each submitted row moves it on.
#pragma once

#include "rules/marking.h"

#include <optional>
#include <string>

namespace quivara::rules {

// Status texts a Player1 row writes and a Player2 row reads back.
inline constexpr Text kPlayer2CanWin = u"Player2 puede ganar el juego";
inline constexpr Text kPlayer2CanTie = u"Player2 puede empatar el juego";

// Status texts a Player2 row writes.
inline constexpr Text kPlayer2Won = u"Player2 gano el juego";
inline constexpr Text kPlayer1Won = u"Player1 gano el juego";
inline constexpr Text kTie = u"Se empato el partido";
inline constexpr Text kNoVerdictYet = u""; // Player2 missed while able to win

enum class Winner { Nobody, Player1, Player2 };

// A Player1 row asks the question again, whatever the status line held before.
constexpr Text player1Status(bool rowEqualsCode) { return rowEqualsCode ? kPlayer2CanTie : kPlayer2CanWin; }

struct Player2Outcome
{
    std::optional<Text> status; // no value: the status line stays as it is
    Winner winner = Winner::Nobody; // whose games-won counter rises by one
};

// A Player2 row settles a pending question; with any other status text
// (a verdict, a command's message, the empty text) nothing further happens.
Player2Outcome player2Step(Text status, bool rowEqualsCode);

// A games-won counter plus one, as a decimal text of any length. The counter
// holds only what the window writes; should it hold anything but decimal
// digits (empty text, blanks, signs, letters) the count starts again: "1".
// Leading zeros are dropped ("007" gives "8").
std::u16string incrementCounter(Text counter);

} // namespace quivara::rules
