// SPDX-License-Identifier: GPL-3.0-or-later
// A board of ten guess rows as data: the control names of every row and where the row's parts stand.
#pragma once

#include "forms/controldesign.h"

#include <array>
#include <string_view>

namespace quivara::forms {

inline constexpr int kRows = 10;
inline constexpr int kPositions = 4;

struct RowDesign
{
    std::string_view button;
    std::array<std::string_view, kPositions> digits; // positions 1 to 4
    std::array<std::string_view, kPositions> marks;  // positions 1 to 4
    std::array<int, kPositions> markLeft;            // twips, positions 1 to 4
};

struct BoardDesign
{
    std::array<RowDesign, kRows> rows;
    int firstTop;                           // twips; rows follow every kRowStep
    int buttonLeft;
    std::array<int, kPositions> digitLeft;  // positions 1 to 4
    bool pictureFirstButton = false;        // row 1's button drawn in the picture style
};

inline constexpr int kRowStep = 480;
inline constexpr int kRowButtonWidth = 615;
inline constexpr int kRowButtonHeight = 375;
inline constexpr int kDigitWidth = 495;
inline constexpr int kDigitHeight = 480;
inline constexpr int kFirstRowDigitHeight = 465; // row 1, positions 2 to 4
inline constexpr int kMarkSize = 375;
inline constexpr std::string_view kRowCaption = "----->";

constexpr int rowTop(const BoardDesign &board, int rowIndex) { return board.firstTop + kRowStep * rowIndex; }

} // namespace quivara::forms
