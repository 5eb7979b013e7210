// SPDX-License-Identifier: GPL-3.0-or-later
// Creates the program's windows and carries their requests to one another.
#include "shell/shell.h"

#include "forms/formbuilder.h"
#include "one_player/oneplayerwindow.h"
#include "platform/platform.h"
#include "shell/splashwindow.h"
#include "two_player/namefiles.h"
#include "two_player/twoplayerwindow.h"

#include <QGuiApplication>
#include <QTimer>

namespace quivara::shell {

Shell::Shell(QString nameDirectory, QObject *parent)
    : QObject(parent), m_nameDirectory(std::move(nameDirectory))
{
}

Shell::~Shell()
{
    platform::current().whenLeft(nullptr);
    for (QWidget *window : windows())
        delete window;
}

void Shell::start()
{
    // Leaving a page without closing the game keeps the names as closing their window would.
    platform::current().whenLeft([this] {
        if (m_twoPlayer)
            m_twoPlayer->saveNames();
    });
    m_splash = new SplashWindow;
    m_splash->setAttribute(Qt::WA_DeleteOnClose);
    // Once the splash is on screen its interval is idle time: use it to build
    // the one-player window, so the tick only has to show it.
    connect(m_splash, &SplashWindow::firstPainted, this, &Shell::prepareOnePlayer, Qt::QueuedConnection);
    // Showing a splash before the event loop runs processes events, so on a slow
    // start its tick can come inside show(). It is then handled once show() has
    // returned and the splash has been announced, so the windows always appear,
    // and are reported, splash first.
    bool tickedWhileShowing = false;
    const auto early = connect(m_splash, &SplashWindow::timedOut, this, [this, &tickedWhileShowing] {
        tickedWhileShowing = true;
        m_splash->timer()->stop();
    });
    m_splash->showNormal(); // not show(): see present()
    disconnect(early);
    connect(m_splash, &SplashWindow::timedOut, this, &Shell::finishSplash);
    Q_EMIT windowShown(m_splash);
    if (tickedWhileShowing)
        finishSplash();
}

void Shell::prepareOnePlayer()
{
    // Too late once the splash has closed: the tick has already opened the window.
    if (!m_splash || !m_splash->isVisible() || m_prepared)
        return;
    one_player::OnePlayerWindow::prepare();
    // Built in its design state and left hidden and untouched until the tick
    // shows it: nothing reads or writes its controls in between.
    m_prepared = newOnePlayer();
    // Polished by the style and laid out now, so the tick only has to map and paint it.
    m_prepared->ensurePolished();
    forms::centreOnScreen(m_prepared);
}

void Shell::finishSplash()
{
    // For a moment no window is open; the program must not end there.
    const bool quitOnLastClose = QGuiApplication::quitOnLastWindowClosed();
    QGuiApplication::setQuitOnLastWindowClosed(false);
    m_splash->timer()->stop();
    m_splash->close();
    // The window built during the splash, or a new one if the tick came first.
    one_player::OnePlayerWindow *window = m_prepared ? m_prepared.data() : newOnePlayer();
    m_prepared = nullptr;
    showOnePlayer(window);
    QGuiApplication::setQuitOnLastWindowClosed(quitOnLastClose);
}

template <typename GameWindow>
void Shell::adopt(GameWindow *window)
{
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(window, &GameWindow::quitRequested, this, &Shell::quitNow);
    connect(window, &GameWindow::aboutRequested, this, &Shell::showAbout);
}

void Shell::present(QWidget *window)
{
    forms::centreOnScreen(window);
    // Normal, not show(): in a browser show() makes a window fill the whole page, and the game's
    // windows keep their size and place there too.
    window->showNormal();
    Q_EMIT windowShown(window);
}

one_player::OnePlayerWindow *Shell::newOnePlayer()
{
    auto *window = new one_player::OnePlayerWindow(m_random, [] { return platform::current().timeOfDay(); });
    adopt(window);
    // The new window comes first, so a window stays open throughout.
    connect(window, &one_player::OnePlayerWindow::twoPlayersRequested, this, [this, window] {
        showTwoPlayer();
        window->close();
    });
    return window;
}

one_player::OnePlayerWindow *Shell::showOnePlayer()
{
    return showOnePlayer(newOnePlayer());
}

one_player::OnePlayerWindow *Shell::showOnePlayer(one_player::OnePlayerWindow *window)
{
    m_onePlayer = window;
    present(window);
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
    adopt(window);
    // Closing the two-player window saves its names.
    connect(window, &two_player::TwoPlayerWindow::onePlayerRequested, this, [this, window] {
        showOnePlayer();
        window->close();
    });
    m_twoPlayer = window;
    present(window);
    return window;
}

void Shell::quitNow()
{
    for (QWidget *window : windows())
        window->hide();
    platform::current().quit();
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
    if (m_prepared)
        open.append(m_prepared);
    return open;
}

} // namespace quivara::shell
