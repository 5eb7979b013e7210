// SPDX-License-Identifier: GPL-3.0-or-later
// Finds the System Information program through two registry values and starts it.
#include "shell/sysinfo.h"

namespace quivara::shell {
namespace {

// The bytes from the last to the first, two upper-case hexadecimal digits each,
// so the text spells the little-endian number the value holds.
std::string numberText(const std::string &bytes)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text = "&h";
    for (auto it = bytes.rbegin(); it != bytes.rend(); ++it) {
        const auto byte = static_cast<unsigned char>(*it);
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}

} // namespace

EmptyValueError::EmptyValueError(const std::string &valueName)
    : std::runtime_error("registry value " + valueName + " has no bytes")
{
}

bool getKeyValue(System &system, RootKey root, const std::string &keyName, const std::string &valueName,
                 std::string &keyVal)
{
    const RegistryRead read = system.readValue(root, keyName, valueName, kValueBufferSize);
    // A size past the buffer asked for (or past the one handed back) is no
    // value read: its bytes were never written.
    if (read.status != RegistryRead::Status::Read || read.size > kValueBufferSize || read.size > read.bytes.size()) {
        keyVal.clear();
        return false;
    }
    if (read.size == 0)
        throw EmptyValueError(valueName);

    std::size_t length = read.size;
    if (read.bytes[length - 1] == 0)
        --length;
    const std::string text(reinterpret_cast<const char *>(read.bytes.data()), length);
    switch (read.type) {
    case kRegString: keyVal = text; break;
    case kRegNumber: keyVal = numberText(text); break;
    default: break;
    }
    return true;
}

void startSysInfo(System &system)
{
    try {
        std::string path;
        if (!getKeyValue(system, RootKey::LocalMachine, kMsinfoKey, kMsinfoValue, path)) {
            if (!getKeyValue(system, RootKey::LocalMachine, kLocationKey, kLocationValue, path))
                return system.showMessage(kSysInfoUnavailable);
            // Joined as it stands: the directory is not checked for a closing separator.
            path += kProgramFile;
            if (!system.fileExists(path))
                return system.showMessage(kSysInfoUnavailable);
        }
        if (system.startProgram(path))
            return;
    } catch (const std::exception &) {
        // Any failure on the way ends in the same message.
    }
    system.showMessage(kSysInfoUnavailable);
}

} // namespace quivara::shell
