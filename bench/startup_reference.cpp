// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up benchmark reference: a bare Qt Widgets program showing one empty 362 x 418 window.
#include "bench/paintprobe.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    quivara::bench::PaintProbe::report(QStringLiteral("ready"));
    quivara::bench::PaintProbe probe({QStringLiteral("reference")});
    app.installEventFilter(&probe);
    QWidget window;
    window.setObjectName(QStringLiteral("reference"));
    window.resize(362, 418);
    window.show();
    return QApplication::exec();
}
