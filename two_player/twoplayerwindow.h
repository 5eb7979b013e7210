// SPDX-License-Identifier: GPL-3.0-or-later
// The two-player window: two boards, two masked codes, the match on the status line, the names.
#pragma once

#include "forms/announcer.h"
#include "forms/board.h"
#include "two_player/namefiles.h"

#include <QMainWindow>

#include <array>

class QLabel;
class QLineEdit;

namespace quivara::two_player {

// The game's state is what the controls show: the code fields, the digit
// fields, the mark cells, the status line (also the match state), the
// games-won counters and the name fields. The window keeps no other copy.
class TwoPlayerWindow : public QMainWindow
{
    Q_OBJECT

public:
    // Loads the names from the name files in `nameDirectory` before it is shown.
    explicit TwoPlayerWindow(const QString &nameDirectory, QWidget *parent = nullptr);
    // Loads the names from `names` and saves them there.
    explicit TwoPlayerWindow(NameFiles names, QWidget *parent = nullptr);

    // Player1's "----->" of row `rowIndex` (0 for the top row): marks it against
    // the code on Player2's side and asks whether Player2 can win or tie. Each
    // handler down to "Borrar Todo" has the screen reader say what it changed.
    void submitPlayer1(int rowIndex);

    // Player2's "----->": marks the row against the code on Player1's side and
    // settles a pending question, counting the winner's game.
    void submitPlayer2(int rowIndex);

    // "Nuevo Juego": masks the eight code fields again.
    void startGame();

    // "&Borrar Resultados": empties the boards and the code fields.
    void clearResults();

    // "Mostrar Numeros": unmasks the eight code fields.
    void showCodes();

    // "Borrar Todo": design names, counters at "0", then clears the results.
    void clearAll();

    // Each name file that opens replaces its name field's text.
    void loadNames();

    // Writes both name fields to their files; failures go to standard error.
    void saveNames();

    // "&Salir": saves the names, then asks for the program to end at once.
    void quit();

Q_SIGNALS:
    void quitRequested();      // the names are saved; end without closing handlers
    void onePlayerRequested(); // "Un Jugador"
    void aboutRequested();     // "Acerca de"

protected:
    // Closing the window saves the names; it is never refused.
    void closeEvent(QCloseEvent *event) override;

private:
    using Counts = std::array<QString, 2>;

    // What "&Borrar Resultados" and "Borrar Todo" share, each then saying its outcome once.
    void clearBoards();
    void setCodesMasked(bool masked);
    Counts counts() const;
    // Each games-won counter that differs from `before`, said with its player's name.
    QStringList countsChanged(const Counts &before) const;
    void setStatus(rules::Text text);
    static void countWin(QLabel *counter);

    NameFiles m_names;
    forms::Board m_player1;
    forms::Board m_player2;
    std::array<QLineEdit *, 4> m_player1Code{}; // guessed by Player2
    std::array<QLineEdit *, 4> m_player2Code{}; // guessed by Player1
    std::array<QLineEdit *, 2> m_nameFields{};
    std::array<QLabel *, 2> m_counters{};
    QLabel *m_status = nullptr;
    forms::Announcer m_announcer{this};
};

} // namespace quivara::two_player
