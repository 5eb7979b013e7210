// SPDX-License-Identifier: GPL-3.0-or-later
// Reports the first paint of named windows to a start-up launcher over an inherited pipe.
#pragma once

#include <QObject>
#include <QStringList>

namespace quivara::bench {

#ifdef Q_OS_WASM
// In a page, standard output: the page's console, where the benchmark reads it.
inline constexpr int kReportFd = 1;
#else
// The launcher hands the child the write end of its pipe as this descriptor.
inline constexpr int kReportFd = 3;
#endif

// Watches every event of the application; when a top-level window named in
// `windows` gets its first paint event, it writes "<name> <monotonic ns>\n" to
// kReportFd once that paint has finished (the next turn of the event loop).
// The last named window ends the event loop; the ones before it are reported
// only if they are painted first (a splash may rightly close unpainted).
class PaintProbe : public QObject
{
public:
    explicit PaintProbe(QStringList windows, QObject *parent = nullptr);

    // Reports a moment that is not a paint (e.g. "tick") at once, in the same form.
    static bool report(const QString &name);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void reportPainted(const QString &name);

    QStringList m_pending;
    QString m_last;
};

// CLOCK_MONOTONIC in nanoseconds: the launcher reads the same clock (in a page, the page's
// clock, which starts at its navigation).
long long monotonicNs();

} // namespace quivara::bench
