// SPDX-License-Identifier: GPL-3.0-or-later
// The game on a Linux desktop.
#include "platform/platform.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFileInfo>
#include <QThread>

namespace quivara::platform {
namespace {

class Linux : public Platform
{
public:
    // Installed with the program.
    void addCarriedFonts() override {}

    void fitApplication() override {}

    // Orca speaks the shown notification.
    void announce(QWidget *, const QString &) override {}

    // Linux has no ANSI code page: the files stay as Windows writes them in Western Europe.
    CodePage ansiCodePage() override { return kWindows1252; }

    // access(2) underneath: it knows the user, the groups and read-only mounts.
    bool canCreateFilesIn(const QString &directory) override { return QFileInfo(directory).isWritable(); }

    void keepSavedFiles() override {}

    void showMessage(QDialog *box) override { box->exec(); }

    void quit() override
    {
        // Asked before the event loop runs (a start-up observer), exit() would do nothing: the
        // loop then ends as soon as it starts.
        if (QThread::currentThread()->loopLevel() == 0)
            QMetaObject::invokeMethod(QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
        else
            QCoreApplication::exit(0);
    }

private:
    std::tm localTime(std::time_t moment) override
    {
        std::tm local{};
        localtime_r(&moment, &local);
        return local;
    }
};

} // namespace

Platform &current()
{
    static Linux platform;
    return platform;
}

} // namespace quivara::platform
