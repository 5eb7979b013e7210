// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes of a name file and the name they hold, in the system's ANSI code page.
#include "two_player/namecodec.h"

#include <algorithm>
#include <array>

#ifdef _WIN32
#include <windows.h>
#endif

namespace quivara::two_player {
namespace {

// Bytes 0x80 to 0x9F; the rest of Windows-1252 is Latin-1.
constexpr std::array<char16_t, 32> kHighControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

std::u16string decodeAnsi(std::string_view bytes)
{
#ifdef _WIN32
    if (bytes.empty())
        return {};
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    std::u16string text(static_cast<std::size_t>(std::max(length, 0)), u'\0');
    if (length > 0)
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, reinterpret_cast<wchar_t *>(text.data()), length);
    return text;
#else
    return decodeWindows1252(bytes);
#endif
}

// No ANSI code page holds a character beyond the Basic Multilingual Plane: each such pair of
// halves becomes one "?" before encoding, on every system (Wine's conversion would give two).
std::u16string pairsAsQuestionMarks(std::u16string_view text)
{
    std::u16string single;
    single.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool pair = isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1]);
        single.push_back(pair ? u'?' : text[i]);
        i += pair;
    }
    return single;
}

std::string encodeAnsi(std::u16string_view text)
{
#ifdef _WIN32
    if (text.empty())
        return {};
    const std::u16string single = pairsAsQuestionMarks(text);
    const auto *wide = reinterpret_cast<const wchar_t *>(single.data());
    const int size = static_cast<int>(single.size());
    // No best-fit guesses ("ā" as "a"): what the code page cannot hold is "?".
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, size, nullptr, 0, "?", nullptr);
    std::string bytes(static_cast<std::size_t>(std::max(length, 0)), '\0');
    if (length > 0)
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, size, bytes.data(), length, "?", nullptr);
    return bytes;
#else
    return encodeWindows1252(text);
#endif
}

} // namespace

std::u16string decodeWindows1252(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    for (char ch : bytes) {
        const auto byte = static_cast<unsigned char>(ch);
        text.push_back(byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : char16_t(byte));
    }
    return text;
}

std::string encodeWindows1252(std::u16string_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (const char16_t c : pairsAsQuestionMarks(text)) {
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            bytes.push_back(static_cast<char>(c));
            continue;
        }
        const auto *found = std::find(kHighControls.begin(), kHighControls.end(), c);
        if (found != kHighControls.end()) {
            bytes.push_back(static_cast<char>(0x80 + (found - kHighControls.begin())));
            continue;
        }
        bytes.push_back('?');
    }
    return bytes;
}

std::u16string decodeName(std::string_view bytes)
{
    std::string joined(bytes.substr(0, kMaxNameFileBytes));
    // Joining the lines with nothing between them drops exactly the line ends.
    std::erase_if(joined, [](char c) { return c == '\r' || c == '\n'; });
    return decodeAnsi(joined);
}

std::string encodeName(std::u16string_view name)
{
    return encodeAnsi(name) + "\r\n";
}

} // namespace quivara::two_player
