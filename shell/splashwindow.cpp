// SPDX-License-Identifier: GPL-3.0-or-later
// The splash window: the splash picture for a moment, then the game.
#include "shell/splashwindow.h"

#include "forms/formbuilder.h"

#include <QTimer>

#include <array>
#include <cmath>

namespace quivara::shell {
namespace {

using namespace forms;

inline constexpr int kClientWidth = 7320;
inline constexpr int kClientHeight = 4200;

// The picture box is a pixel larger than the window each way: its right and
// bottom edges are cut off.
inline constexpr ControlDesign kPicture{
    .name = "Picture1", .kind = Kind::PictureBox, .rect = {0, 0, 7335, 4215}, .picture = kSplashPicture};

inline constexpr std::array kLabels{
    ControlDesign{.name = "lblProductName", .kind = Kind::Label, .rect = {3120, 3120, 4050, 765},
                .caption = "Quivara  2.0", .font = {Face::Arial, 32.25, true}, .fore = kBlue, .back = kTransparent},
    ControlDesign{.name = "Label4", .kind = Kind::Label, .rect = {1440, 120, 1095, 1095}, .caption = "BD",
                .font = {Face::Balogna, 48, true}, .back = kTransparent},
    ControlDesign{.name = "Label3", .kind = Kind::Label, .rect = {1920, 1200, 4275, 630},
                .caption = "Brevant Desarrollos", .font = {Face::Balogna, 27.75, true}, .back = kTransparent},
};

inline constexpr int kDesignInterval = 500;

// The interval asked for at load; a timer counts whole milliseconds.
inline constexpr double kLoadInterval = 65.656;

} // namespace

SplashWindow::SplashWindow(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    // The splash never takes the keyboard. Wine counts an activated window as the window
    // manager's, and its closing then waits for the manager's word, up to 2 s with none.
    setAttribute(Qt::WA_ShowWithoutActivating);
    // The load starts the 66 ms first, so the time the toolkit takes to find the
    // splash's fonts runs inside the wait instead of before it. The timer belongs
    // to the picture box and goes with the window.
    QWidget *picture = buildControl(this, kPicture);
    m_timer = new QTimer(picture);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(kDesignInterval);
    // The interval is short enough that a coarse timer's 5% slack would show.
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &SplashWindow::timedOut);
    m_timer->setInterval(static_cast<int>(std::lround(kLoadInterval)));
    m_timer->start();

    // No title bar and no taskbar button: the splash shows no icon.
    setFixedSize(toPixels(kClientWidth, kClientHeight));
    for (const ControlDesign &label : kLabels) {
        // The labels sit on the picture box and place themselves relative to it.
        QWidget *w = buildControl(picture, label);
        w->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    centreOnScreen(this);
}

void SplashWindow::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (!m_painted) {
        m_painted = true;
        Q_EMIT firstPainted();
    }
}

} // namespace quivara::shell
