// SPDX-License-Identifier: GPL-3.0-or-later
// Window-switch benchmark: "&Dos Jugadores" then "Un Jugador", each timed from the menu action's
// trigger (what a click on the item does) to the first paint of the window it opens.
#include "bench/paintprobe.h"
#include "bench/table.h"
#include "shell/shell.h"
#include "two_player/namefiles.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMainWindow>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using namespace quivara;

// Ends `loop` once a top-level window named `name` has been painted for the
// first time, at the next turn of the event loop (its children paint after it).
class PaintWaiter : public QObject
{
public:
    PaintWaiter(QString name, QEventLoop *loop) : m_name(std::move(name)), m_loop(loop) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!m_seen && event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->isWindow() && watched->objectName() == m_name) {
            m_seen = true;
            QMetaObject::invokeMethod(m_loop, [loop = m_loop] { loop->exit(0); }, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QString m_name;
    QEventLoop *m_loop;
    bool m_seen = false;
};

// Triggers menu item `action` of `window` and returns the milliseconds until
// the window named `opens` has been painted; exits with an error after 10 s.
double switchOnce(QMainWindow *window, const char *action, const char *opens)
{
    auto *item = window->menuBar()->findChild<QAction *>(QLatin1String(action));
    if (!item) {
        std::fprintf(stderr, "no menu item %s in %s\n", action, qPrintable(window->objectName()));
        std::exit(1);
    }
    QEventLoop loop;
    PaintWaiter waiter(QLatin1String(opens), &loop);
    qApp->installEventFilter(&waiter);
    QTimer::singleShot(10'000, &loop, [&loop] { loop.exit(1); });
    QElapsedTimer clock;
    clock.start();
    item->trigger();
    const int failed = loop.exec();
    const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    qApp->removeEventFilter(&waiter);
    if (failed) {
        std::fprintf(stderr, "%s was not painted within 10 s\n", opens);
        std::exit(1);
    }
    // Let the window just left finish going (deferred deletion) before the next click.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    return ms;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char **argv)
{
    int rounds = 60;
    bool header = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc)
            rounds = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--header") == 0)
            header = true;
        else {
            std::fprintf(stderr, "usage: %s [--rounds N] [--header]\n", argv[0]);
            return 2;
        }
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (header)
        bench::printTableHeader();

    // Name files as a player leaves them, in a directory of their own.
    QTemporaryDir names;
    shell::Shell shell(names.path());
    {
        // Start where a player starts: the one-player window on screen.
        QEventLoop loop;
        PaintWaiter waiter(QStringLiteral("frmunjugador"), &loop);
        app.installEventFilter(&waiter);
        shell.showOnePlayer();
        loop.exec();
        app.removeEventFilter(&waiter);
    }
    two_player::NameFiles(names.path()).saveBoth(QStringLiteral("Ana"), QStringLiteral("José"));

    std::vector<double> toTwo, toOne;
    double firstToTwo = 0;
    for (int i = 0; i < rounds; ++i) {
        const double two = switchOnce(shell.onePlayer(), "dosjugadores", "frmdosjugador");
        const double one = switchOnce(shell.twoPlayer(), "unjugador", "frmunjugador");
        if (i == 0) {
            firstToTwo = two;
            continue; // the first round loads what the two-player window needs from the toolkit
        }
        toTwo.push_back(two);
        toOne.push_back(one);
    }
    if (toTwo.empty()) {
        toTwo.push_back(firstToTwo);
        toOne.push_back(firstToTwo);
    }
    const double two = median(toTwo), one = median(toOne);
    bench::printTableRow({"Switch: first \"&Dos Jugadores\" after start", "ms", firstToTwo});
    char measure[64];
    std::snprintf(measure, sizeof measure, "Switch: \"&Dos Jugadores\" (%zu switches)", toTwo.size());
    bench::printTableRow({measure, "ms", two, std::nullopt, "< 20 ms", two < 20});
    std::snprintf(measure, sizeof measure, "Switch: \"Un Jugador\" (%zu switches)", toOne.size());
    bench::printTableRow({measure, "ms", one, std::nullopt, "< 20 ms", one < 20});
    shell.quitNow();
    return 0;
}
