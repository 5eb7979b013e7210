// Fuzz target: the name-file codec on any file and any typed name.
#include "two_player/namecodec.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

using namespace quivara::two_player;

namespace {

// Saving the name a file gives writes back its first 64 KiB without line ends, then CR LF.
void checkRoundTrip(std::string_view file)
{
    std::string kept(file.substr(0, kMaxNameFileBytes));
    std::erase_if(kept, [](char c) { return c == '\r' || c == '\n'; });
    if (encodeName(decodeName(file)) != kept + "\r\n")
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    checkRoundTrip({reinterpret_cast<const char *>(data), size});
    // The same bytes as a typed name (UTF-16): at most a byte per code unit, then CR LF.
    std::u16string typed(size / 2, u'\0');
    for (std::size_t i = 0; i < typed.size(); ++i)
        typed[i] = char16_t(data[2 * i] | data[2 * i + 1] << 8);
    const std::string file = encodeName(typed);
    if (file.size() > typed.size() + 2 || !file.ends_with("\r\n"))
        std::abort();
    checkRoundTrip(file);
    return 0;
}
