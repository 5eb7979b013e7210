// SPDX-License-Identifier: GPL-3.0-or-later
// Creates the program's windows and carries their requests to one another.
#pragma once

#include "one_player/oneplayerwindow.h"
#include "rules/secret.h"
#include "shell/aboutwindow.h"
#include "shell/splashwindow.h"
#include "two_player/twoplayerwindow.h"

#include <QObject>
#include <QPointer>

namespace quivara::shell {

// The windows never know each other: each asks the shell, and the shell opens,
// replaces or closes windows. Every window deletes itself when it closes; the
// shell deletes those still open when it goes.
class Shell : public QObject
{
    Q_OBJECT

public:
    // The two-player window keeps its name files in `nameDirectory`; empty for
    // this user's places (beside the program, or in the user's data directory
    // when the program's directory cannot be written).
    explicit Shell(QString nameDirectory = {}, QObject *parent = nullptr);
    ~Shell() override;

    // Shows the splash window; its first tick hands over to the one-player
    // window, which is built while the splash waits (see prepareOnePlayer).
    // The splash is announced (windowShown) before the one-player window even
    // when the tick comes while it is being shown.
    void start();

    // A new one-player window in its design state, shown centred.
    one_player::OnePlayerWindow *showOnePlayer();

    // "Acerca de" in either game window: the About window, modeless and without
    // an owner; created when none is open, otherwise the open one is raised.
    AboutWindow *showAbout();
    // A new two-player window in its design state with the stored names, shown centred.
    two_player::TwoPlayerWindow *showTwoPlayer();

    // Ends the program at once: every window goes without its closing handler.
    // Asked before the event loop runs, the loop ends as soon as it starts.
    void quitNow();

    SplashWindow *splash() const { return m_splash; }
    one_player::OnePlayerWindow *onePlayer() const { return m_onePlayer; }
    AboutWindow *about() const { return m_about; }
    two_player::TwoPlayerWindow *twoPlayer() const { return m_twoPlayer; }

Q_SIGNALS:
    // A window was shown for the first time (for start-up measurements).
    void windowShown(QWidget *window);

private:
    // After the splash's first paint: builds the one-player window, hidden, for the tick to show.
    void prepareOnePlayer();
    void finishSplash();
    // A one-player window in its design state, wired to the shell, not shown.
    one_player::OnePlayerWindow *newOnePlayer();
    one_player::OnePlayerWindow *showOnePlayer(one_player::OnePlayerWindow *window);
    // What both game windows share: each deletes itself on closing, and its
    // "&Salir" and "Acerca de" come to the shell.
    template <typename GameWindow>
    void adopt(GameWindow *window);
    // Shows a window centred and announces it.
    void present(QWidget *window);
    QList<QWidget *> windows() const;

    rules::RandomSource m_random;
    QString m_nameDirectory;
    QPointer<SplashWindow> m_splash;
    QPointer<one_player::OnePlayerWindow> m_onePlayer;
    QPointer<AboutWindow> m_about;
    QPointer<two_player::TwoPlayerWindow> m_twoPlayer;
    QPointer<one_player::OnePlayerWindow> m_prepared; // built during the splash, not yet shown
};

} // namespace quivara::shell
