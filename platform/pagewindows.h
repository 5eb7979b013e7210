// SPDX-License-Identifier: GPL-3.0-or-later
// The game's windows in a web page, kept as a desktop keeps them.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWindow>

namespace quivara::platform {

// The browser's Qt leaves no window in front once the one in front is hidden, and the keys would
// go nowhere: the window that was in front before it takes the keyboard again, as on a desktop.
// The window in front also gives the page its title (the tab's caption), as a desktop's task bar
// shows it.
class PageWindows : public QObject
{
public:
    explicit PageWindows(QObject *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void cameToFront(QWindow *window);
    void bringBackFront();

    QList<QPointer<QWindow>> m_fronts; // every window that has been in front, the latest last
};

} // namespace quivara::platform
