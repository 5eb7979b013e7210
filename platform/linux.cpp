// SPDX-License-Identifier: GPL-3.0-or-later
// The game on a Linux desktop.
#include "platform/desktop.h"

#include <QFileInfo>

namespace quivara::platform {
namespace {

class Linux : public Desktop
{
public:
    // Installed with the program.
    void addCarriedFonts() override {}

    // Orca speaks the shown notification.
    void announce(QWidget *, const QString &) override {}

    // Linux has no ANSI code page: the files stay as Windows writes them in Western Europe.
    CodePage ansiCodePage() override { return kWindows1252; }

    // access(2) underneath: it knows the user, the groups and read-only mounts.
    bool canCreateFilesIn(const QString &directory) override { return QFileInfo(directory).isWritable(); }

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
