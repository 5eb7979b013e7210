// SPDX-License-Identifier: GPL-3.0-or-later
// The widgets of a built board, addressed by row and position.
#include "forms/board.h"

#include "forms/accessibility.h"
#include "forms/formbuilder.h"

namespace quivara::forms {

FourTexts BoardRow::guess() const
{
    return {{digits[0]->text(), digits[1]->text(), digits[2]->text(), digits[3]->text()}};
}

FourTexts BoardRow::marksShown() const
{
    return {{marks[0]->text(), marks[1]->text(), marks[2]->text(), marks[3]->text()}};
}

void BoardRow::writeMarks(const rules::Marks &marksToWrite) const
{
    for (int p = 0; p < kPositions; ++p) {
        if (marksToWrite[p] != rules::Mark::None)
            marks[p]->setText(toQString(rules::markText(marksToWrite[p])));
    }
}

void BoardRow::clear() const
{
    for (QLabel *mark : marks)
        mark->clear();
    for (QLineEdit *digit : digits)
        digit->clear();
}

Board buildBoard(QWidget *parent, const BoardDesign &design, std::string_view player)
{
    const QString who = qstr(player);
    Board board;
    for (int r = 0; r < kRows; ++r) {
        const RowDesign &rowDesign = design.rows[r];
        const int top = rowTop(design, r);
        BoardRow &row = board[r];
        for (int p = 0; p < kPositions; ++p) {
            const int height = (r == 0 && p > 0) ? kFirstRowDigitHeight : kDigitHeight;
            row.digits[p] = static_cast<QLineEdit *>(buildControl(parent, {
                .name = rowDesign.digits[p], .kind = Kind::Field,
                .rect = {design.digitLeft[p], top, kDigitWidth, height},
                .font = kDigitFont, .maxLength = 1}));
            setAccessibleName(row.digits[p], digitFieldName(r + 1, p + 1, who));
        }
        const bool picture = r == 0 && design.pictureFirstButton;
        row.button = static_cast<QAbstractButton *>(buildControl(parent, {
            .name = rowDesign.button, .kind = picture ? Kind::PictureButton : Kind::Button,
            .rect = {design.buttonLeft, top, kRowButtonWidth, kRowButtonHeight},
            .caption = kRowCaption,
            .back = picture ? kPaleYellow : kDefaultColour,
            .picture = picture ? kArrowPicture : std::string_view{}}));
        setAccessibleName(row.button, rowButtonName(r + 1, who));
        for (int p = 0; p < kPositions; ++p) {
            row.marks[p] = static_cast<QLabel *>(buildControl(parent, {
                .name = rowDesign.marks[p], .kind = Kind::Label,
                .rect = {rowDesign.markLeft[p], top, kMarkSize, kMarkSize},
                .font = kMarkFont, .back = kLightGreen, .align = Align::Centre}));
            // Neighbouring cells overlap by more than a third of their width; painting
            // the ground (the window's own colour) would clip the mark to the left.
            row.marks[p]->setAutoFillBackground(false);
            setAccessibleName(row.marks[p], markCellName(r + 1, p + 1, who));
        }
    }
    return board;
}

std::vector<QWidget *> rowTabChain(const BoardRow &row)
{
    return {row.digits[0], row.digits[1], row.digits[2], row.digits[3], row.button};
}

} // namespace quivara::forms
