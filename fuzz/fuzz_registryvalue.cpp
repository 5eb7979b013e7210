// Fuzz target: a registry value's text from a system reporting any status, type, count and buffer.
#include "shell/sysinfo.h"

#include <sanitizer/asan_interface.h>

#include <cstdint>
#include <cstdlib>

using namespace quivara::shell;

namespace {

// Answers with what the input says; the bytes past the reported count are poisoned under
// AddressSanitizer, so reading one stops the run.
struct FakeSystem : System
{
    const std::uint8_t *data = nullptr;
    std::size_t size = 0, at = 0;

    std::uint32_t number(int bytes)
    {
        std::uint32_t n = 0;
        for (int i = 0; i < bytes; ++i)
            n |= std::uint32_t(at < size ? data[at++] : 0) << (8 * i);
        return n;
    }
    RegistryRead readValue(RootKey, const std::string &, const std::string &, std::uint32_t) override
    {
        const std::uint32_t head = number(1);
        RegistryRead read;
        read.status = RegistryRead::Status(head % 4 % 3);
        read.type = head & 4 ? kRegString : head & 8 ? kRegNumber : number(1);
        read.bytes.resize(head & 16 ? number(2) : kValueBufferSize); // now and then not the buffer asked for
        read.size = head & 32 ? number(4) : number(2) % 2048;
        for (unsigned char &byte : read.bytes)
            byte = static_cast<unsigned char>(number(1));
        if (read.size < read.bytes.size())
            ASAN_POISON_MEMORY_REGION(read.bytes.data() + read.size, read.bytes.size() - read.size);
        return read;
    }
    bool fileExists(const std::string &) override { return false; }
    bool startProgram(const std::string &) override { return false; }
    void showMessage(const std::string &) override {}
};

} // namespace

// What the value gives is the unit tests' business; here it must be read without a stray byte or a crash.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FakeSystem system;
    system.data = data;
    system.size = size;
    std::string value;
    try {
        getKeyValue(system, RootKey::LocalMachine, kMsinfoKey, kMsinfoValue, value);
    } catch (const EmptyValueError &) {
    }
    return 0;
}
