// SPDX-License-Identifier: GPL-3.0-or-later
// What the desktops (Linux, Windows) do alike; a page's Qt has no event loop to leave.
#include "platform/desktop.h"

#include <QCoreApplication>
#include <QDialog>
#include <QThread>

namespace quivara::platform {

void Desktop::showMessage(QDialog *box)
{
    box->exec();
}

void Desktop::quit()
{
    // Asked before the event loop runs (a start-up observer), exit() would do nothing: the loop
    // then ends as soon as it starts.
    if (QThread::currentThread()->loopLevel() == 0)
        QMetaObject::invokeMethod(QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    else
        QCoreApplication::exit(0);
}

} // namespace quivara::platform
