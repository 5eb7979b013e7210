// SPDX-License-Identifier: GPL-3.0-or-later
// The game on Windows.
#include "platform/desktop.h"

#include <QAccessible>
#include <QDir>
#include <QTemporaryFile>
#include <QWidget>

#include <windows.h>

#include <algorithm>

namespace quivara::platform {
namespace {

std::u16string decodeAnsi(std::string_view bytes)
{
    if (bytes.empty())
        return {};
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    std::u16string text(static_cast<std::size_t>(std::max(length, 0)), u'\0');
    if (length > 0)
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, reinterpret_cast<wchar_t *>(text.data()), length);
    return text;
}

std::string encodeAnsi(std::u16string_view text)
{
    if (text.empty())
        return {};
    const auto *wide = reinterpret_cast<const wchar_t *>(text.data());
    const int size = static_cast<int>(text.size());
    // No best-fit guesses ("ā" as "a"): what the code page cannot hold is "?".
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, size, nullptr, 0, "?", nullptr);
    std::string bytes(static_cast<std::size_t>(std::max(length, 0)), '\0');
    if (length > 0)
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, size, bytes.data(), length, "?", nullptr);
    return bytes;
}

class Windows : public Desktop
{
public:
    void addCarriedFonts() override { addFontsFromResources(); }

    void announce(QWidget *notice, const QString &sentence) override
    {
        // NVDA, JAWS and Narrator are not told of a shown object: Qt raises a UI Automation
        // notification, which they speak at once, for a value change that carries a text. Where
        // Windows lacks that call (before Windows 10 version 1709), Qt falls back to a value change.
        QAccessibleValueChangeEvent told(notice, sentence);
        QAccessible::updateAccessibility(&told);
    }

    CodePage ansiCodePage() override { return {decodeAnsi, encodeAnsi}; }

    bool canCreateFilesIn(const QString &directory) override
    {
        // Windows answers QFileInfo::isWritable() from the read-only attribute alone, which Program
        // Files does not have although a standard user may not write there: only creating a file tells.
        QTemporaryFile probe(QDir(directory).filePath(QStringLiteral("quivara-XXXXXX.tmp")));
        return probe.open();
    }

private:
    std::tm localTime(std::time_t moment) override
    {
        std::tm local{};
        localtime_s(&local, &moment);
        return local;
    }
};

} // namespace

Platform &current()
{
    static Windows platform;
    return platform;
}

} // namespace quivara::platform
