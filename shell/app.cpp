// SPDX-License-Identifier: GPL-3.0-or-later
// The program's start path.
#include "shell/app.h"

#include "shell/shell.h"

#include <QApplication>
#include <QDirIterator>
#include <QFontDatabase>

#ifdef Q_OS_WASM
#include "shell/pagewindows.h"
#endif

namespace quivara::shell {

void addStandInFonts()
{
    // Only the builds for systems without them carry fonts (Windows, the browser).
    QDirIterator fonts(QStringLiteral(":/quivara/fonts"), QDir::Files);
    while (fonts.hasNext())
        QFontDatabase::addApplicationFont(fonts.next());
}

namespace {

// In a browser: the default face of the Linux desktop for what the forms leave to it (the menu
// bars; the browser's Qt would draw them larger), and the windows kept as on a desktop.
void fitThePage()
{
#ifdef Q_OS_WASM
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    new PageWindows(qApp);
#endif
}

} // namespace

int run(int &argc, char **argv, const StartHook &beforeStart)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kAppTitle));
    addStandInFonts();
    fitThePage();
    Shell shell;
    if (beforeStart)
        beforeStart(shell);
    shell.start();
    return QApplication::exec();
}

} // namespace quivara::shell
