// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up benchmark child: the game's own start path, reporting when its windows are first painted.
#include "bench/paintprobe.h"
#include "shell/app.h"
#include "shell/shell.h"

#include <QCoreApplication>
#include <QEvent>

namespace {

// Reports "tick" when the splash window's timer is about to fire, before its handler runs.
class TickProbe : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!m_done && event->type() == QEvent::Timer && watched->objectName() == QLatin1String("Timer1")) {
            m_done = true;
            quivara::bench::PaintProbe::report(QStringLiteral("tick"));
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_done = false;
};

} // namespace

int main(int argc, char **argv)
{
    using namespace quivara;
    return shell::run(argc, argv, [](shell::Shell &shell) {
        // The toolkit is up: what follows is the game's own work.
        bench::PaintProbe::report(QStringLiteral("ready"));
        QCoreApplication::instance()->installEventFilter(new TickProbe(&shell));
        auto *probe = new bench::PaintProbe({QStringLiteral("frmSplash"), QStringLiteral("frmunjugador")}, &shell);
        QCoreApplication::instance()->installEventFilter(probe);
    });
}
