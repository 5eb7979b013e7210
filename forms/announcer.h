// SPDX-License-Identifier: GPL-3.0-or-later
// The screen reader's voice for outcomes that move no focus: a row's marks, a command's message.
#pragma once

#include <QString>

class QWidget;

namespace quivara::forms {

// A hidden notification in a window. A screen reader speaks each sentence
// given to it; nothing shows on screen and the focus stays where it is.
class Announcer
{
public:
    explicit Announcer(QWidget *window);

    void say(const QString &sentence) const;

private:
    QWidget *m_notice;
};

} // namespace quivara::forms
