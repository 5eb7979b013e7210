// Start-up benchmark child: the game's own start path, reporting when its windows are first painted.
#include "bench/paintprobe.h"
#include "shell/app.h"
#include "shell/shell.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    using namespace quivara;
    return shell::run(argc, argv, [](shell::Shell &shell) {
        auto *probe = new bench::PaintProbe({QStringLiteral("frmSplash"), QStringLiteral("frmunjugador")}, &shell);
        QCoreApplication::instance()->installEventFilter(probe);
    });
}
