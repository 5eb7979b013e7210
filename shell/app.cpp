// The program's start path.
#include "shell/app.h"

#include "shell/shell.h"

#include <QApplication>

namespace quivara::shell {

int run(int &argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kAppTitle));
    Shell shell;
    shell.start();
    return QApplication::exec();
}

} // namespace quivara::shell
