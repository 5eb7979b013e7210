// SPDX-License-Identifier: GPL-3.0-or-later
// The program's start path.
#include "shell/app.h"

#include "shell/shell.h"

#include <QApplication>
#ifdef _WIN32
#include <QFontDatabase>
#endif

namespace quivara::shell {

#ifdef _WIN32
namespace {

// Windows has no faces for the splash's lettering and the games-won captions; the free
// fonts that stand in for them elsewhere travel inside the program.
void addStandInFonts()
{
    for (const char *font : {":/quivara/fonts/DancingScript-Bold.otf", ":/quivara/fonts/URWBookman-Light.otf"})
        QFontDatabase::addApplicationFont(QString::fromLatin1(font));
}

} // namespace
#endif

int run(int &argc, char **argv, const StartHook &beforeStart)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kAppTitle));
#ifdef _WIN32
    addStandInFonts();
#endif
    Shell shell;
    if (beforeStart)
        beforeStart(shell);
    shell.start();
    return QApplication::exec();
}

} // namespace quivara::shell
