// SPDX-License-Identifier: GPL-3.0-or-later
// The About window: the program's title, version and credits, and a way to System Information.
#include "shell/aboutwindow.h"

#include "forms/formbuilder.h"
#include "shell/aboutform.h"
#include "shell/app.h"
#include "shell/desktopsystem.h"
#include "shell/sysinfo.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace quivara::shell {

using namespace forms;

AboutWindow::AboutWindow(std::unique_ptr<System> system)
    // No owner, and a dialog frame, so it gets no taskbar button of its own.
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowCloseButtonHint),
      m_system(system ? std::move(system) : std::make_unique<DesktopSystem>(this))
{
    setObjectName(qstr(about::kName));
    setWindowTitle(qstr(about::kCaptionPrefix) + QString::fromLatin1(kAppTitle));
    setWindowIcon(forms::gameIcon());
    setBackground(this, kPaleYellow);
    setModal(false);

    buildControls(this, about::kControls);
    const QList<QWidget *> lines = findChildren<QWidget *>(qstr(about::kLineName), Qt::FindDirectChildrenOnly);
    for (qsizetype i = 0; i < lines.size() && i < qsizetype(about::kLineIndexes.size()); ++i)
        lines[i]->setProperty("index", about::kLineIndexes[i]);

    auto *ok = findChild<QPushButton *>(qstr(about::kOK.name));
    auto *sysInfo = findChild<QPushButton *>(qstr(about::kSysInfo.name));
    auto *icon = findChild<QWidget *>(QStringLiteral("picIcon"));
    icon->setFocusPolicy(Qt::TabFocus);
    ok->setDefault(true);
    setTabChain({ok, icon, sysInfo});
    connect(ok, &QPushButton::clicked, this, &QWidget::close);
    connect(sysInfo, &QPushButton::clicked, this, &AboutWindow::startSysInfo);

    // The client area has a fixed size and a fixed place on the screen.
    const QSize size = toPixels(about::kClientWidth, about::kClientHeight);
    setFixedSize(size);
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QPoint origin = screen ? screen->geometry().topLeft() : QPoint();
    setGeometry(QRect(origin + pointToPixels(about::kClientLeft, about::kClientTop), size));

    load();
    ok->setFocus();
}

AboutWindow::~AboutWindow() = default;

void AboutWindow::load()
{
    setWindowTitle(qstr(about::kCaptionPrefix) + QString::fromLatin1(kAppTitle));
    findChild<QLabel *>(QStringLiteral("lblVersion"))
        ->setText(qstr(about::kVersionPrefix) + QString::number(kVersionMajor) + u'.' + QString::number(kVersionMinor)
                  + u'.' + QString::number(kVersionRevision));
    findChild<QLabel *>(QStringLiteral("lblTitle"))->setText(QString::fromLatin1(kAppTitle));
}

void AboutWindow::startSysInfo() { shell::startSysInfo(*m_system); }

} // namespace quivara::shell
