// Creates the program's windows and carries their requests to one another.
#include "shell/shell.h"

#include "forms/formbuilder.h"
#include "one_player/oneplayerwindow.h"
#include "shell/splashwindow.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTimer>

namespace quivara::shell {

Shell::Shell(QObject *parent) : QObject(parent) {}

Shell::~Shell()
{
    for (QWidget *window : windows())
        delete window;
}

void Shell::start()
{
    m_splash = new SplashWindow;
    m_splash->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_splash, &SplashWindow::timedOut, this, &Shell::finishSplash);
    // Once the splash is on screen its interval is idle time: load what the
    // one-player window needs from the toolkit, so it appears sooner at the tick.
    connect(m_splash, &SplashWindow::firstPainted, this, &one_player::OnePlayerWindow::prepare,
            Qt::QueuedConnection);
    m_splash->show();
    Q_EMIT windowShown(m_splash);
}

void Shell::finishSplash()
{
    // For a moment no window is open; the program must not end there.
    const bool quitOnLastClose = QGuiApplication::quitOnLastWindowClosed();
    QGuiApplication::setQuitOnLastWindowClosed(false);
    m_splash->timer()->stop();
    m_splash->close();
    showOnePlayer();
    QGuiApplication::setQuitOnLastWindowClosed(quitOnLastClose);
}

one_player::OnePlayerWindow *Shell::showOnePlayer()
{
    auto *window = new one_player::OnePlayerWindow(m_random, rules::systemTimeOfDay);
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(window, &one_player::OnePlayerWindow::quitRequested, this, &Shell::quitNow);
    m_onePlayer = window;
    forms::centreOnScreen(window);
    window->show();
    Q_EMIT windowShown(window);
    return window;
}

void Shell::quitNow()
{
    for (QWidget *window : windows())
        window->hide();
    QCoreApplication::exit(0);
}

QList<QWidget *> Shell::windows() const
{
    QList<QWidget *> open;
    if (m_splash)
        open.append(m_splash);
    if (m_onePlayer)
        open.append(m_onePlayer);
    return open;
}

} // namespace quivara::shell
