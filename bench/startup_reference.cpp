// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up benchmark reference: a bare Qt Widgets program showing one empty 362 x 418 window.
// On Windows it is found by its title, and simply stays open.
#include <QApplication>
#include <QWidget>

#ifndef Q_OS_WIN
#include "bench/paintprobe.h"
#endif

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
#ifndef Q_OS_WIN
    quivara::bench::PaintProbe::report(QStringLiteral("ready"));
    quivara::bench::PaintProbe probe({QStringLiteral("reference")});
    app.installEventFilter(&probe);
#endif
    QWidget window;
    window.setObjectName(QStringLiteral("reference"));
    window.setWindowTitle(QStringLiteral("reference"));
    window.resize(362, 418);
    window.show();
    return QApplication::exec();
}
