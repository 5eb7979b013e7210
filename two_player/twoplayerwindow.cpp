// SPDX-License-Identifier: GPL-3.0-or-later
// The two-player window: two boards, two masked codes, the match on the status line, the names.
#include "two_player/twoplayerwindow.h"

#include "forms/sentences.h"
#include "rules/match.h"
#include "two_player/twoplayerform.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>

namespace quivara::two_player {
namespace {

const QString kReady = QStringLiteral("Ya pueden empezar a jugar");
const QString kCancelled = QStringLiteral("Se cancelo el juego");
const QString kShown = QStringLiteral("Se mostraron los números");

FourTexts textsOf(const std::array<QLineEdit *, 4> &fields)
{
    return {{fields[0]->text(), fields[1]->text(), fields[2]->text(), fields[3]->text()}};
}

} // namespace

TwoPlayerWindow::TwoPlayerWindow(const QString &nameDirectory, QWidget *parent)
    : TwoPlayerWindow(NameFiles(nameDirectory), parent)
{
}

TwoPlayerWindow::TwoPlayerWindow(NameFiles names, QWidget *parent)
    : QMainWindow(parent), m_names(std::move(names))
{
    QWidget *client = setUpWindow(this, kWindowName, kCaption, Frame::Sizable, kClientWidth, kClientHeight,
                                  kLightGreen);
    buildMenuBar(menuBar(), kMenu);
    buildControls(client, kFixedControls);
    m_player1 = buildBoard(client, kPlayer1Board, kPlayer1Name);
    m_player2 = buildBoard(client, kPlayer2Board, kPlayer2Name);
    for (int p = 0; p < 4; ++p) {
        m_player1Code[p] = child<QLineEdit>(client, kPlayer1Code[p]);
        m_player2Code[p] = child<QLineEdit>(client, kPlayer2Code[p]);
    }
    m_nameFields = {child<QLineEdit>(client, kPlayer1NameField), child<QLineEdit>(client, kPlayer2NameField)};
    m_counters = {child<QLabel>(client, kPlayer1Counter), child<QLabel>(client, kPlayer2Counter)};
    m_status = child<QLabel>(client, kStatusLine);

    std::vector<QWidget *> tabs;
    for (int r = 0; r < kRows; ++r) {
        for (const Board *board : {&m_player1, &m_player2}) {
            const auto chain = rowTabChain((*board)[r]);
            tabs.insert(tabs.end(), chain.begin(), chain.end());
        }
    }
    for (std::string_view name : kTabsAfterBoards)
        tabs.push_back(child<QWidget>(client, name));
    setTabChain(tabs);
    m_player1[0].digits[0]->setFocus();

    for (int r = 0; r < kRows; ++r) {
        connect(m_player1[r].button, &QAbstractButton::clicked, this, [this, r] { submitPlayer1(r); });
        connect(m_player2[r].button, &QAbstractButton::clicked, this, [this, r] { submitPlayer2(r); });
    }
    auto button = [client](std::string_view name) { return child<QAbstractButton>(client, name); };
    connect(button("Command15"), &QAbstractButton::clicked, this, &TwoPlayerWindow::startGame);
    connect(button("Command16"), &QAbstractButton::clicked, this, &TwoPlayerWindow::clearResults);
    connect(button("Command17"), &QAbstractButton::clicked, this, &TwoPlayerWindow::showCodes);
    connect(button("Command24"), &QAbstractButton::clicked, this, &TwoPlayerWindow::clearAll);
    auto action = [this](std::string_view name) { return child<QAction>(menuBar(), name); };
    connect(action("salir"), &QAction::triggered, this, &TwoPlayerWindow::quit);
    connect(action("unjugador"), &QAction::triggered, this, &TwoPlayerWindow::onePlayerRequested);
    connect(action("acercade"), &QAction::triggered, this, &TwoPlayerWindow::aboutRequested);

    loadNames();
}

void TwoPlayerWindow::submitPlayer1(int rowIndex)
{
    const QString statusBefore = m_status->text();
    const BoardRow &row = m_player1[rowIndex];
    const FourTexts guess = row.guess();
    const FourTexts code = textsOf(m_player2Code);
    row.writeMarks(rules::markRow(guess.view(), code.view(), rules::kOwnFirst));
    setStatus(rules::player1Status(rules::guessesCode(guess.view(), code.view())));
    m_announcer.say(forms::afterRow(forms::rowMarks(rowIndex + 1, row.marksShown().strings, qstr(kPlayer1Name)),
                                    statusBefore, m_status->text()));
}

void TwoPlayerWindow::submitPlayer2(int rowIndex)
{
    const Counts countsBefore = counts();
    const BoardRow &row = m_player2[rowIndex];
    const FourTexts guess = row.guess();
    const FourTexts code = textsOf(m_player1Code);
    row.writeMarks(rules::markRow(guess.view(), code.view(), rules::kOwnFirst));
    const QString status = m_status->text();
    const rules::Player2Outcome outcome = rules::player2Step(textView(status),
                                                             rules::guessesCode(guess.view(), code.view()));
    if (outcome.status)
        setStatus(*outcome.status);
    if (outcome.winner == rules::Winner::Player1)
        countWin(m_counters[0]);
    else if (outcome.winner == rules::Winner::Player2)
        countWin(m_counters[1]);
    m_announcer.say(forms::afterRow(forms::rowMarks(rowIndex + 1, row.marksShown().strings, qstr(kPlayer2Name)),
                                    status, m_status->text(), countsChanged(countsBefore)));
}

void TwoPlayerWindow::startGame()
{
    setCodesMasked(true);
    m_status->setText(kReady);
    m_announcer.say(forms::afterCommand(m_status->text()));
}

void TwoPlayerWindow::clearResults()
{
    clearBoards();
    m_announcer.say(forms::afterCommand(m_status->text()));
}

void TwoPlayerWindow::clearBoards()
{
    for (const Board *board : {&m_player1, &m_player2}) {
        for (const BoardRow &row : *board)
            row.clear();
    }
    for (QLineEdit *field : m_player1Code)
        field->clear();
    for (QLineEdit *field : m_player2Code)
        field->clear();
    m_status->setText(kCancelled);
}

void TwoPlayerWindow::showCodes()
{
    setCodesMasked(false);
    m_status->setText(kShown);
    m_announcer.say(forms::afterCommand(m_status->text()));
}

void TwoPlayerWindow::clearAll()
{
    const Counts countsBefore = counts();
    m_nameFields[0]->setText(qstr(kPlayer1Name));
    m_nameFields[1]->setText(qstr(kPlayer2Name));
    for (QLabel *counter : m_counters)
        counter->setText(qstr(kNoGamesWon));
    clearBoards();
    m_announcer.say(forms::afterCommand(m_status->text(), countsChanged(countsBefore)));
}

void TwoPlayerWindow::loadNames()
{
    for (int i = 0; i < 2; ++i) {
        if (const std::optional<QString> name = m_names.load(QLatin1String(i == 0 ? kPlayer1File : kPlayer2File)))
            m_nameFields[i]->setText(*name);
    }
}

void TwoPlayerWindow::saveNames()
{
    m_names.saveBoth(m_nameFields[0]->text(), m_nameFields[1]->text());
}

void TwoPlayerWindow::quit()
{
    saveNames();
    Q_EMIT quitRequested();
}

void TwoPlayerWindow::closeEvent(QCloseEvent *event)
{
    saveNames();
    event->accept();
}

void TwoPlayerWindow::setCodesMasked(bool masked)
{
    const QLineEdit::EchoMode mode = masked ? QLineEdit::Password : QLineEdit::Normal;
    for (QLineEdit *field : m_player2Code)
        field->setEchoMode(mode);
    for (QLineEdit *field : m_player1Code)
        field->setEchoMode(mode);
}

TwoPlayerWindow::Counts TwoPlayerWindow::counts() const
{
    return {m_counters[0]->text(), m_counters[1]->text()};
}

QStringList TwoPlayerWindow::countsChanged(const Counts &before) const
{
    return {forms::gamesWon(m_nameFields[0]->text(), before[0], m_counters[0]->text()),
            forms::gamesWon(m_nameFields[1]->text(), before[1], m_counters[1]->text())};
}

void TwoPlayerWindow::setStatus(rules::Text text)
{
    m_status->setText(toQString(text));
}

void TwoPlayerWindow::countWin(QLabel *counter)
{
    const QString games = counter->text();
    counter->setText(toQString(rules::incrementCounter(textView(games))));
}

} // namespace quivara::two_player
