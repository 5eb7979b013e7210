// SPDX-License-Identifier: GPL-3.0-or-later
// Code pages, one byte per character: plain C++ without Qt, so the name-file codec can be fuzzed alone.
#pragma once

#include <string>
#include <string_view>

namespace quivara::platform {

// A code page's two directions. Encoding turns each UTF-16 code unit the code page cannot hold
// into "?".
struct CodePage
{
    std::u16string (*decode)(std::string_view bytes);
    std::string (*encode)(std::u16string_view text);
};

// Windows-1252, the ANSI code page of Western European systems. Every byte
// decodes (the five unassigned ones to the control characters of the same
// number, as Windows does), so decoding then encoding gives the bytes back.
std::u16string decodeWindows1252(std::string_view bytes);
std::string encodeWindows1252(std::u16string_view text);

inline constexpr CodePage kWindows1252{decodeWindows1252, encodeWindows1252};

} // namespace quivara::platform
