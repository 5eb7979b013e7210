// Fuzz target: the name-file decoder on any bytes, and the encoder's round trips.
#include "two_player/namecodec.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

namespace {

using namespace quivara::two_player;

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "name file codec: %s\n", what);
    std::abort();
}

// The characters a name file can hold: what the 256 bytes decode to.
const std::set<char16_t> &storable()
{
    static const std::set<char16_t> all = [] {
        std::string bytes;
        for (int b = 0; b < 256; ++b)
            bytes.push_back(static_cast<char>(b));
        const std::u16string text = decodeWindows1252(bytes);
        return std::set<char16_t>(text.begin(), text.end());
    }();
    return all;
}

bool isLineEnd(char16_t c) { return c == u'\r' || c == u'\n'; }
bool isHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// What a name comes back as after a save and a load: line ends dropped, each
// character the file cannot hold (a surrogate pair is one character) as "?".
std::u16string storedForm(std::u16string_view name)
{
    std::u16string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char16_t c = name[i];
        if (isLineEnd(c))
            continue;
        if (storable().count(c)) {
            out.push_back(c);
            continue;
        }
        if (isHigh(c) && i + 1 < name.size() && isLow(name[i + 1]))
            ++i;
        out.push_back(u'?');
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);

    // Any file: a name of at most one character per byte read, without line ends.
    const std::u16string name = decodeName(bytes);
    if (name.size() > kMaxNameFileBytes || name.size() > size)
        fail("decoded name longer than the bytes read");
    for (char16_t c : name) {
        if (isLineEnd(c))
            fail("decoded name holds a line end");
    }
    // Saving that name writes the file's bytes back, without their line ends, then CR LF.
    std::string expected;
    for (char c : bytes.substr(0, kMaxNameFileBytes)) {
        if (c != '\r' && c != '\n')
            expected.push_back(c);
    }
    if (encodeName(name) != expected + "\r\n")
        fail("encode(decode(file)) is not the file without its line ends");

    // The same bytes read as a name the user typed (UTF-16, any code units):
    // it comes back from its file as stored, and exactly so when it can be.
    std::u16string typed;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        typed.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
    const std::string file = encodeName(typed);
    if (file.size() < 2 || file.compare(file.size() - 2, 2, "\r\n") != 0)
        fail("encoded name does not end in CR LF");
    if (file.size() - 2 > typed.size())
        fail("encoded name longer than the name");
    if (file.size() <= kMaxNameFileBytes) {
        const std::u16string back = decodeName(file);
        // A name of storable characters without line ends is its own stored form.
        if (back != storedForm(typed))
            fail("decode(encode(name)) is not the name as a file can hold it");
    }
    return 0;
}
