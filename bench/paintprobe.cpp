// SPDX-License-Identifier: GPL-3.0-or-later
// Reports the first paint of named windows to a start-up launcher over an inherited pipe.
#include "bench/paintprobe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <ctime>
#include <string>
#include <unistd.h>

namespace quivara::bench {

long long monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1'000'000'000LL + ts.tv_nsec;
}

PaintProbe::PaintProbe(QStringList windows, QObject *parent)
    : QObject(parent), m_pending(std::move(windows)), m_last(m_pending.last())
{
}

bool PaintProbe::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->isWindow() && m_pending.contains(watched->objectName())) {
        const QString name = watched->objectName();
        m_pending.removeOne(name);
        // The window's own paint event comes before its children's: report once
        // the whole paint has been delivered.
        QMetaObject::invokeMethod(this, [this, name] { reportPainted(name); }, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

bool PaintProbe::report(const QString &name)
{
    const std::string line = name.toStdString() + ' ' + std::to_string(monotonicNs()) + '\n';
    return ::write(kReportFd, line.data(), line.size()) == static_cast<ssize_t>(line.size());
}

void PaintProbe::reportPainted(const QString &name)
{
    if (!report(name))
        QCoreApplication::exit(3);
    else if (name == m_last)
        QCoreApplication::exit(0);
}

} // namespace quivara::bench
