// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: a registry value's text from a system reporting any status, type, count and buffer.
#include "shell/sysinfo.h"

#include <sanitizer/asan_interface.h>

#include <cstdint>

using namespace quivara::shell;

namespace {

// Answers with `read`, the bytes past its count poisoned under AddressSanitizer: reading one stops the run.
struct FakeSystem : System
{
    RegistryRead read;

    RegistryRead readValue(RootKey, const std::string &, const std::string &, std::uint32_t) override
    {
        RegistryRead given = read;
        if (given.size < given.bytes.size())
            ASAN_POISON_MEMORY_REGION(given.bytes.data() + given.size, given.bytes.size() - given.size);
        return given;
    }
    bool fileExists(const std::string &) override { return false; }
    bool startProgram(const std::string &) override { return false; }
    void showMessage(const std::string &) override {}
};

} // namespace

// Input: status, type, a 16-bit little-endian count, then the buffer. The text it gives is the unit tests' business.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 4)
        return 0;
    FakeSystem system;
    system.read = {RegistryRead::Status(data[0] % 3), data[1], {data + 4, data + size}, std::uint32_t(data[2] | data[3] << 8)};
    std::string value;
    try {
        getKeyValue(system, RootKey::LocalMachine, kMsinfoKey, kMsinfoValue, value);
    } catch (const EmptyValueError &) {
    }
    return 0;
}
