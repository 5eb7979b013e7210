// SPDX-License-Identifier: GPL-3.0-or-later
// The sentences a screen reader speaks after a row or a command, made from what the controls show.
#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace quivara::forms {

// A row's marks by position, grouped so that an ear can follow them:
// "Fila 3, o en las cifras 1 y 2, x en la cifra 4, sin marca en la cifra 3"
// (no colon: screen readers say "dos puntos").
// `player` ("Player1") starts the sentence on a two-player board.
QString rowMarks(int row, const std::array<QString, 4> &marks, const QString &player = {});

// "Partidas ganadas de Ana: 2" when the counter changed from `before` to
// `after`; empty when it did not.
QString gamesWon(const QString &name, const QString &before, const QString &after);

// After a row: its marks, the status line when the row changed it, then `more`.
QString afterRow(const QString &marks, const QString &statusBefore, const QString &statusAfter,
                 const QStringList &more = {});

// After a command: the status line, then `more`.
QString afterCommand(const QString &status, const QStringList &more = {});

} // namespace quivara::forms
