// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader is told about the controls of the game's forms.
#pragma once

#include <QString>

class QWidget;

namespace quivara::forms {

// Gives `control` a Spanish accessible name. A label that shows changing
// content (a status line, a mark cell) is announced as "<name>: <text>", and
// as "<name>" alone while it is empty, so its content is never lost.
void setAccessibleName(QWidget *control, const QString &name);

// Labels built by the form builder: announced by their name and text, and
// silent while hidden, so a hidden label never gives its text away.
void markReadout(QWidget *label);

// A form's client area: its hidden controls stay out of the accessibility tree.
void markForm(QWidget *client);

// A widget a screen reader takes for a notification, which it speaks when
// shown. Mark it before it gets a parent.
void markNotification(QWidget *widget);

// Names of a board's controls; `player` ("Player1") is empty on a one-player
// board. Rows and positions count from 1.
QString digitFieldName(int row, int position, const QString &player = {});
QString markCellName(int row, int position, const QString &player = {});
QString rowButtonName(int row, const QString &player = {});

} // namespace quivara::forms
