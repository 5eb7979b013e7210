// SPDX-License-Identifier: GPL-3.0-or-later
// What every platform does alike.
#include "platform/platform.h"

#include <QDirIterator>
#include <QFontDatabase>

#include <chrono>

namespace quivara::platform {

double Platform::timeOfDay()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t t = system_clock::to_time_t(now);
    const std::tm local = localTime(t);
    const double fraction = duration<double>(now.time_since_epoch()).count() - static_cast<double>(t);
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction;
}

void Platform::addFontsFromResources()
{
    QDirIterator fonts(QStringLiteral(":/quivara/fonts"), QDir::Files);
    while (fonts.hasNext())
        QFontDatabase::addApplicationFont(fonts.next());
}

} // namespace quivara::platform
