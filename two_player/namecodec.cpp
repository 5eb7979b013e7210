// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes of a name file and the name they hold, in the system's ANSI code page.
#include "two_player/namecodec.h"

namespace quivara::two_player {
namespace {

constexpr bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

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

} // namespace

std::u16string decodeName(std::string_view bytes, const platform::CodePage &codePage)
{
    std::string joined(bytes.substr(0, kMaxNameFileBytes));
    // Joining the lines with nothing between them drops exactly the line ends.
    std::erase_if(joined, [](char c) { return c == '\r' || c == '\n'; });
    return codePage.decode(joined);
}

std::string encodeName(std::u16string_view name, const platform::CodePage &codePage)
{
    return codePage.encode(pairsAsQuestionMarks(name)) + "\r\n";
}

} // namespace quivara::two_player
