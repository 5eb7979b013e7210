// Fuzz target: getKeyValue's decoding of a registry value, against a system reporting any type, size and bytes.
#include "shell/sysinfo.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#include <sanitizer/asan_interface.h>
#define QUIVARA_POISON(address, size) ASAN_POISON_MEMORY_REGION(address, size)
#endif
#endif
#ifndef QUIVARA_POISON
#define QUIVARA_POISON(address, size) ((void)(address), (void)(size))
#endif

namespace {

using namespace quivara::shell;

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "registry value: %s\n", what);
    std::abort();
}

// A system whose registry answers with whatever the input says. The buffer it
// hands back has the size the input gives (usually 1024, sometimes not, as a
// faulty system might), and every byte past the reported size is poisoned, so
// reading one stops the run.
class FakeSystem : public System
{
public:
    FakeSystem(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}

    RegistryRead readValue(RootKey, const std::string &, const std::string &, std::uint32_t bufferSize) override
    {
        if (bufferSize != kValueBufferSize)
            fail("asked for a buffer other than 1024 bytes");
        RegistryRead read;
        const std::uint8_t head = take();
        read.status = static_cast<RegistryRead::Status>((head & 3) % 3);
        read.type = head >> 2 & 1 ? kRegString : head >> 3 & 1 ? kRegNumber : take();
        // Mostly the real buffer size; now and then a short or long buffer.
        const std::size_t bufferBytes = head >> 4 & 1 ? number(2) : kValueBufferSize;
        // The reported size: small numbers often, anything now and then.
        read.size = head >> 5 & 1 ? number(4) : number(2) % 2048;
        read.bytes.assign(bufferBytes, 0);
        for (std::size_t i = 0; i < bufferBytes && m_pos < m_size; ++i)
            read.bytes[i] = take();
        m_reported = read.size;
        m_type = read.type;
        m_buffer = read.bytes;
        if (read.size < bufferBytes)
            QUIVARA_POISON(read.bytes.data() + read.size, bufferBytes - read.size);
        return read;
    }

    bool fileExists(const std::string &) override { return false; }
    bool startProgram(const std::string &) override { return false; }
    void showMessage(const std::string &) override {}

    std::uint32_t reported() const { return m_reported; }
    std::uint32_t type() const { return m_type; }
    const std::vector<unsigned char> &buffer() const { return m_buffer; }

private:
    std::uint8_t take() { return m_pos < m_size ? m_data[m_pos++] : 0; }

    // The next `bytes` input bytes as a little-endian number.
    std::uint32_t number(int bytes)
    {
        std::uint32_t n = 0;
        for (int i = 0; i < bytes; ++i)
            n |= std::uint32_t(take()) << (8 * i);
        return n;
    }

    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
    std::uint32_t m_reported = 0;
    std::uint32_t m_type = 0;
    std::vector<unsigned char> m_buffer; // an unpoisoned copy, for the checks
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FakeSystem system(data, size);
    const std::string before = "before";
    std::string value = before;
    bool found = false;
    try {
        found = getKeyValue(system, RootKey::LocalMachine, kMsinfoKey, kMsinfoValue, value);
    } catch (const EmptyValueError &) {
        if (value != before)
            fail("a zero-byte value changed the text passed in");
        return 0;
    }
    const std::uint32_t n = system.reported();
    if (!found) {
        if (!value.empty())
            fail("a failed read left a text");
        return 0;
    }
    if (n == 0 || n > kValueBufferSize || n > system.buffer().size())
        fail("a size of zero or past the 1024-byte buffer was taken as read");
    // The text is the first n bytes, less a closing zero.
    std::string text(reinterpret_cast<const char *>(system.buffer().data()), n);
    if (text.back() == '\0')
        text.pop_back();
    std::string expected = before;
    if (system.type() == kRegString) {
        expected = text;
    } else if (system.type() == kRegNumber) {
        // The bytes from the last to the first, two hexadecimal digits each.
        expected = "&h";
        for (auto it = text.rbegin(); it != text.rend(); ++it) {
            char digits[3];
            std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned char>(*it));
            expected += digits;
        }
    }
    if (value != expected)
        fail("the text is not what the value's first n bytes spell");
    return 0;
}
