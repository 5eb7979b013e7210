// SPDX-License-Identifier: GPL-3.0-or-later
// The one-player window: ten guess rows against a hidden random code.
#pragma once

#include "forms/announcer.h"
#include "forms/board.h"
#include "rules/secret.h"

#include <QMainWindow>

#include <array>

class QLabel;

namespace quivara::one_player {

// The game's state is what the controls show: the hidden code cells, the digit
// fields, the mark cells and the status line. The window keeps no other copy.
class OnePlayerWindow : public QMainWindow
{
    Q_OBJECT

public:
    // `source` and `timeOfDay` draw the codes; the source outlives the window.
    OnePlayerWindow(rules::RandomSource &source, rules::TimeOfDay timeOfDay, QWidget *parent = nullptr);

    // Loads what the toolkit needs to build and paint the window (its fonts, the
    // menu bar's icon and the image readers behind it), so opening it later costs
    // less; creates no widget. For idle time before the window opens.
    static void prepare();

    // A row's "----->" button: marks row `rowIndex` (0 for the top row) against
    // the code and announces a win. Each handler below has the screen reader
    // say what it changed.
    void submitRow(int rowIndex);

    // "Juego Nuevo": draws a new code; the board stays as it is.
    void drawNewCode();

    // "&Borrar Todo": empties the code, the marks and the digit fields.
    void clearAll();

    // "Mostrar Numero": shows the code in the status line and gives it up.
    void revealCode();

Q_SIGNALS:
    void quitRequested();       // "&Salir": end the program at once
    void twoPlayersRequested(); // "&Dos Jugadores"
    void aboutRequested();      // "Acerca de"

private:
    forms::FourTexts code() const;
    void setStatus(const QString &text);

    rules::RandomSource &m_source;
    rules::TimeOfDay m_timeOfDay;
    forms::Board m_board;
    std::array<QLabel *, 4> m_codeCells{};
    QLabel *m_status = nullptr;
    forms::Announcer m_announcer{this};
};

} // namespace quivara::one_player
