// SPDX-License-Identifier: GPL-3.0-or-later
// The program's start path.
#include "shell/app.h"

#include "shell/shell.h"

#include <QApplication>
#ifdef _WIN32
#include <QFontDatabase>
#endif

namespace quivara::shell {

void addStandInFonts()
{
#ifdef _WIN32
    for (const char *font : {":/quivara/fonts/DancingScript-Bold.otf", ":/quivara/fonts/URWBookman-Light.otf"})
        QFontDatabase::addApplicationFont(QString::fromLatin1(font));
#endif
}

int run(int &argc, char **argv, const StartHook &beforeStart)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kAppTitle));
    addStandInFonts();
    Shell shell;
    if (beforeStart)
        beforeStart(shell);
    shell.start();
    return QApplication::exec();
}

} // namespace quivara::shell
