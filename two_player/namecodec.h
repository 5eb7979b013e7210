// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes of a name file and the name they hold, in the system's ANSI code page.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quivara::two_player {

// A name file is read only this far: a huge or binary file cannot stall the window.
inline constexpr std::size_t kMaxNameFileBytes = 64 * 1024;

// The name a file holds: its lines joined with nothing between them. A line
// ends at CR, CR LF or LF alone; bytes past kMaxNameFileBytes are ignored.
std::u16string decodeName(std::string_view bytes);

// The file for a name: its characters in the ANSI code page, then CR LF. A
// character the code page cannot hold is written as "?".
std::string encodeName(std::u16string_view name);

// Windows-1252, the ANSI code page of Western European systems. Every byte
// decodes (the five unassigned ones to the control characters of the same
// number, as Windows does), so decoding then encoding gives the bytes back.
std::u16string decodeWindows1252(std::string_view bytes);
std::string encodeWindows1252(std::u16string_view text);

} // namespace quivara::two_player
