// SPDX-License-Identifier: GPL-3.0-or-later
// The game's windows in a web page, kept as a desktop keeps them.
#include "platform/pagewindows.h"

#include <QEvent>
#include <QGuiApplication>
#include <QTimer>

#include <emscripten/val.h>

namespace quivara::platform {

PageWindows::PageWindows(QObject *parent) : QObject(parent)
{
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &PageWindows::cameToFront);
    qApp->installEventFilter(this);
}

bool PageWindows::eventFilter(QObject *watched, QEvent *event)
{
    // Once the hiding is over, when the window in front is gone.
    if (event->type() == QEvent::Hide && watched->isWindowType())
        QTimer::singleShot(0, this, &PageWindows::bringBackFront);
    return QObject::eventFilter(watched, event);
}

void PageWindows::cameToFront(QWindow *window)
{
    if (!window)
        return;
    m_fronts.removeAll(window);
    m_fronts.append(window);
    if (!window->title().isEmpty())
        emscripten::val::global("document").set("title", window->title().toStdString());
}

void PageWindows::bringBackFront()
{
    if (const QWindow *front = QGuiApplication::focusWindow(); front && front->isVisible())
        return;
    while (!m_fronts.isEmpty()) {
        if (QWindow *before = m_fronts.takeLast(); before && before->isVisible()) {
            before->requestActivate();
            return;
        }
    }
}

} // namespace quivara::platform
