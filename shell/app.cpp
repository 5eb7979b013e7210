// SPDX-License-Identifier: GPL-3.0-or-later
// The program's start path.
#include "shell/app.h"

#include "platform/platform.h"
#include "shell/shell.h"

#include <QApplication>

namespace quivara::shell {

int run(int &argc, char **argv, const StartHook &beforeStart)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kAppTitle));
    platform::current().addCarriedFonts();
    platform::current().fitApplication();
    Shell shell;
    if (beforeStart)
        beforeStart(shell);
    shell.start();
    return QApplication::exec();
}

} // namespace quivara::shell
