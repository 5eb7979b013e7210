// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes of a name file and the name they hold, in the system's ANSI code page.
#pragma once

#include "platform/codepage.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace quivara::two_player {

// A name file is read only this far: a huge or binary file cannot stall the window.
inline constexpr std::size_t kMaxNameFileBytes = 64 * 1024;

// The name a file holds: its lines joined with nothing between them. A line
// ends at CR, CR LF or LF alone; bytes past kMaxNameFileBytes are ignored.
std::u16string decodeName(std::string_view bytes, const platform::CodePage &codePage);

// The file for a name: its characters in `codePage`, then CR LF. A character
// the code page cannot hold is written as "?".
std::string encodeName(std::u16string_view name, const platform::CodePage &codePage);

} // namespace quivara::two_player
