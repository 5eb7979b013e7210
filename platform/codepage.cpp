// SPDX-License-Identifier: GPL-3.0-or-later
// Windows-1252 both ways.
#include "platform/codepage.h"

#include <algorithm>
#include <array>

namespace quivara::platform {
namespace {

// Bytes 0x80 to 0x9F; the rest of Windows-1252 is Latin-1.
constexpr std::array<char16_t, 32> kHighControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

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
    for (const char16_t c : text) {
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

} // namespace quivara::platform
