// Creates the program's windows and carries their requests to one another.
#include "shell/shell.h"

#include "forms/formbuilder.h"
#include "one_player/oneplayerwindow.h"
#include "shell/splashwindow.h"
#include "two_player/namefiles.h"
#include "two_player/twoplayerwindow.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTimer>

namespace quivara::shell {

Shell::Shell(QString nameDirectory, QObject *parent)
    : QObject(parent), m_nameDirectory(std::move(nameDirectory))
{
}

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
    connect(window, &one_player::OnePlayerWindow::aboutRequested, this, &Shell::showAbout);
    // The new window comes first, so a window stays open throughout.
    connect(window, &one_player::OnePlayerWindow::twoPlayersRequested, this, [this, window] {
        showTwoPlayer();
        window->close();
    });
    m_onePlayer = window;
    forms::centreOnScreen(window);
    window->show();
    Q_EMIT windowShown(window);
    return window;
}

AboutWindow *Shell::showAbout()
{
    const bool created = !m_about;
    if (created) {
        m_about = new AboutWindow;
        m_about->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
    if (created)
        Q_EMIT windowShown(m_about);
    return m_about;
}

two_player::TwoPlayerWindow *Shell::showTwoPlayer()
{
    auto *window = new two_player::TwoPlayerWindow(m_nameDirectory.isEmpty()
                                                       ? two_player::NameFiles(two_player::placesForThisUser())
                                                       : two_player::NameFiles(m_nameDirectory));
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(window, &two_player::TwoPlayerWindow::quitRequested, this, &Shell::quitNow);
    connect(window, &two_player::TwoPlayerWindow::aboutRequested, this, &Shell::showAbout);
    // Closing the two-player window saves its names.
    connect(window, &two_player::TwoPlayerWindow::onePlayerRequested, this, [this, window] {
        showOnePlayer();
        window->close();
    });
    m_twoPlayer = window;
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
    if (m_about)
        open.append(m_about);
    if (m_twoPlayer)
        open.append(m_twoPlayer);
    return open;
}

} // namespace quivara::shell
