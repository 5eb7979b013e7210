// SPDX-License-Identifier: GPL-3.0-or-later
// The splash window: the splash picture for a moment, then the game.
#pragma once

#include <QWidget>

class QTimer;

namespace quivara::shell {

class SplashWindow : public QWidget
{
    Q_OBJECT

public:
    explicit SplashWindow(QWidget *parent = nullptr);

    QTimer *timer() const { return m_timer; }

Q_SIGNALS:
    // The timer ticked: the splash should make way for the game.
    void timedOut();
    // The window is being painted for the first time (its children follow).
    void firstPainted();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTimer *m_timer = nullptr;
    bool m_painted = false;
};

} // namespace quivara::shell
