// SPDX-License-Identifier: GPL-3.0-or-later
// Shows the game's splash window with its timer stopped and saves what the screen shows of it.
//   quivara_splash_still OUT.png      (for the README's screenshots; the game itself never stops the timer)
#include "platform/platform.h"
#include "shell/app.h"
#include "shell/splashwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT.png\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(quivara::shell::kAppTitle));
    quivara::platform::current().addCarriedFonts();
    quivara::shell::SplashWindow splash;
    // Stopped before any event is processed: the splash never hands over to the game.
    splash.timer()->stop();
    splash.show();
    QElapsedTimer waited;
    waited.start();
    while (!(splash.windowHandle() && splash.windowHandle()->isExposed()) && waited.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    if (!splash.windowHandle() || !splash.windowHandle()->isExposed()) {
        std::fprintf(stderr, "the splash window was never shown\n");
        return 1;
    }
    // Painted and sent to the display server before it is read back from there.
    splash.repaint();
    QApplication::processEvents();
    const QPixmap shot = splash.screen()->grabWindow(splash.winId());
    if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "could not save %s\n", argv[1]);
        return 1;
    }
    std::printf("wrote %s (%dx%d)\n", argv[1], shot.width(), shot.height());
    return 0;
}
