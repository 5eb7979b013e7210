// SPDX-License-Identifier: GPL-3.0-or-later
// The one-player window: ten guess rows against a hidden random code.
#include "one_player/oneplayerwindow.h"

#include "forms/sentences.h"
#include "one_player/oneplayerform.h"

#include <QApplication>
#include <QLabel>
#include <QStyle>
#include <QMenuBar>

namespace quivara::one_player {
namespace {

using rules::Order;

// Row 1 compares position 2 own-first; every other row compares ascending.
constexpr rules::Orders kFirstRowOrders{Order::OwnFirst, Order::OwnFirst, Order::Ascending, Order::Ascending};

const QString kPlaying = QStringLiteral("Jugando...");
const QString kWon = QStringLiteral("Ganaste el juego!!!");
const QString kCancelled = QStringLiteral("Se cancelo el juego");

} // namespace

OnePlayerWindow::OnePlayerWindow(rules::RandomSource &source, rules::TimeOfDay timeOfDay, QWidget *parent)
    : QMainWindow(parent), m_source(source), m_timeOfDay(std::move(timeOfDay))
{
    QWidget *client = setUpWindow(this, "frmunjugador", kCaption, Frame::FixedDialog, kClientWidth, kClientHeight,
                                  kLightGreen);
    buildMenuBar(menuBar(), kMenu);
    buildControls(client, kFixedControls);
    m_board = buildBoard(client, kBoard);
    m_status = child<QLabel>(client, kStatusLine.name);
    for (int p = 0; p < 4; ++p)
        m_codeCells[p] = child<QLabel>(client, kCodeCells[p]);

    std::vector<QWidget *> tabs;
    for (const BoardRow &row : m_board) {
        const auto chain = rowTabChain(row);
        tabs.insert(tabs.end(), chain.begin(), chain.end());
    }
    for (std::string_view name : {"Command16", "Command17", "Command15"})
        tabs.push_back(child<QWidget>(client, name));
    setTabChain(tabs);
    m_board[0].digits[0]->setFocus();

    for (int r = 0; r < kRows; ++r)
        connect(m_board[r].button, &QAbstractButton::clicked, this, [this, r] { submitRow(r); });
    auto button = [client](std::string_view name) { return child<QAbstractButton>(client, name); };
    connect(button("Command15"), &QAbstractButton::clicked, this, &OnePlayerWindow::drawNewCode);
    connect(button("Command16"), &QAbstractButton::clicked, this, &OnePlayerWindow::clearAll);
    connect(button("Command17"), &QAbstractButton::clicked, this, &OnePlayerWindow::revealCode);
    auto action = [this](std::string_view name) { return child<QAction>(menuBar(), name); };
    connect(action("salir"), &QAction::triggered, this, &OnePlayerWindow::quitRequested);
    connect(action("dosjugadores"), &QAction::triggered, this, &OnePlayerWindow::twoPlayersRequested);
    connect(action("acercade"), &QAction::triggered, this, &OnePlayerWindow::aboutRequested);
}

void OnePlayerWindow::prepare()
{
    std::vector<FontDesign> fonts{FontDesign{}, kDigitFont, kMarkFont};
    for (const ControlDesign &design : kFixedControls)
        fonts.push_back(design.font);
    forms::loadFonts(fonts);
    // A menu bar asks the style for its extension button's icon, which makes Qt
    // load its image format plugins; the icon itself is cached by the style.
    QApplication::style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
}

void OnePlayerWindow::submitRow(int rowIndex)
{
    const QString statusBefore = m_status->text();
    const BoardRow &row = m_board[rowIndex];
    const FourTexts guess = row.guess();
    const FourTexts secret = code();
    const bool firstRow = rowIndex == 0;
    row.writeMarks(rules::markRow(guess.view(), secret.view(), firstRow ? kFirstRowOrders : rules::kAscending));
    if (firstRow)
        setStatus(kPlaying);
    if (rules::guessesCode(guess.view(), secret.view()))
        setStatus(kWon);
    m_announcer.say(forms::afterRow(forms::rowMarks(rowIndex + 1, row.marksShown().strings), statusBefore,
                                    m_status->text()));
}

void OnePlayerWindow::drawNewCode()
{
    const rules::DrawnCode drawn = rules::drawCode(m_source, m_timeOfDay);
    for (int p = 0; p < 4; ++p)
        m_codeCells[p]->setText(toQString(drawn.digits[p]));
    setStatus(toQString(drawn.status));
    m_announcer.say(forms::afterCommand(m_status->text()));
}

void OnePlayerWindow::clearAll()
{
    for (QLabel *cell : m_codeCells)
        cell->clear();
    setStatus(kCancelled);
    for (const BoardRow &row : m_board)
        row.clear();
    m_announcer.say(forms::afterCommand(m_status->text()));
}

void OnePlayerWindow::revealCode()
{
    const FourTexts secret = code();
    setStatus(secret.strings[0] + secret.strings[1] + secret.strings[2] + secret.strings[3]);
    for (QLabel *cell : m_codeCells)
        cell->clear();
    m_announcer.say(forms::afterCommand(m_status->text()));
}

FourTexts OnePlayerWindow::code() const
{
    return {{m_codeCells[0]->text(), m_codeCells[1]->text(), m_codeCells[2]->text(), m_codeCells[3]->text()}};
}

void OnePlayerWindow::setStatus(const QString &text)
{
    m_status->setText(text);
}

} // namespace quivara::one_player
