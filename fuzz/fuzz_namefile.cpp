// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: the name-file codec on any file and any typed name.
#include "two_player/namecodec.h"

#include <cstdint>
#include <cstdlib>

using namespace quivara::two_player;
using quivara::platform::kWindows1252;

// The input as a file, and as a typed name (UTF-16, saved as at most a byte per code unit). Saving the
// name a file gives writes its first 64 KiB back without line ends, then CR LF.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    auto kept = [](std::string_view file) {
        std::string bytes(file.substr(0, kMaxNameFileBytes));
        std::erase_if(bytes, [](char c) { return c == '\r' || c == '\n'; });
        return bytes + "\r\n";
    };
    const std::string_view file(reinterpret_cast<const char *>(data), size);
    std::u16string typed(size / 2, u'\0');
    for (std::size_t i = 0; i < typed.size(); ++i)
        typed[i] = char16_t(data[2 * i] | data[2 * i + 1] << 8);
    auto savedAgain = [](std::string_view bytes) { return encodeName(decodeName(bytes, kWindows1252), kWindows1252); };
    const std::string saved = encodeName(typed, kWindows1252);
    if (savedAgain(file) != kept(file) || saved.size() > typed.size() + 2 || savedAgain(saved) != kept(saved))
        std::abort();
    return 0;
}
