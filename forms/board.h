// SPDX-License-Identifier: GPL-3.0-or-later
// The widgets of a built board, addressed by row and position.
#pragma once

#include "forms/boarddesign.h"
#include "forms/texts.h"
#include "rules/marking.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>

#include <array>
#include <string_view>
#include <vector>

namespace quivara::forms {

struct BoardRow
{
    QAbstractButton *button = nullptr;
    std::array<QLineEdit *, kPositions> digits{}; // positions 1 to 4
    std::array<QLabel *, kPositions> marks{};     // positions 1 to 4

    FourTexts guess() const;
    FourTexts marksShown() const;

    // Writes "o" or "x" where the rules gave a mark; a cell without a mark keeps its text.
    void writeMarks(const rules::Marks &marks) const;

    void clear() const;
};

using Board = std::array<BoardRow, kRows>;

// Creates every control of `design` as a child of `parent`, named as in the table.
// `player` ("Player1") starts the accessible names of a two-player board's controls.
Board buildBoard(QWidget *parent, const BoardDesign &design, std::string_view player = {});

// The four digit fields then the button, for each row in order.
std::vector<QWidget *> rowTabChain(const BoardRow &row);

} // namespace quivara::forms
