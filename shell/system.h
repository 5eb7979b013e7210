// SPDX-License-Identifier: GPL-3.0-or-later
// What the System Information lookup needs from the operating system, behind one small interface.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quivara::shell {

// Root keys of the registry, by the values Windows gives their handles.
enum class RootKey : std::uint32_t {
    LocalMachine = 0x80000002,
};

// Registry value types the lookup tells apart.
inline constexpr std::uint32_t kRegString = 1; // REG_SZ
inline constexpr std::uint32_t kRegNumber = 4; // REG_DWORD

// One value read from the registry into a zeroed buffer.
struct RegistryRead
{
    enum class Status {
        Read,       // the key opened and the value fitted the buffer
        KeyFailed,  // the key is missing or could not be opened for reading
        ValueFailed // the value is missing or longer than the buffer
    };

    Status status = Status::KeyFailed;
    std::uint32_t type = 0;
    std::vector<unsigned char> bytes; // the whole buffer as the system left it
    std::uint32_t size = 0;           // the number of bytes the system reported
};

// Every path and text is in the system's ANSI code page.
class System
{
public:
    virtual ~System() = default;

    // Opens `keyName` under `root` for reading, reads `valueName` into a zeroed
    // buffer of `bufferSize` bytes and closes the key again, whatever happened.
    virtual RegistryRead readValue(RootKey root, const std::string &keyName, const std::string &valueName,
                                   std::uint32_t bufferSize) = 0;

    // True when `path` names an existing ordinary file (no directory, hidden or system file).
    virtual bool fileExists(const std::string &path) = 0;

    // Starts the program at exactly `path`, without arguments, in a normal window
    // with the focus, and does not wait for it. False when it could not be started.
    virtual bool startProgram(const std::string &path) = 0;

    // A modal message box captioned with the application title, OK button only,
    // no icon; returns once the user has closed it.
    virtual void showMessage(const std::string &text) = 0;
};

// The registry, files and programs of the system the program runs on: Windows' own (winsystem.cpp),
// or, on any other system, none (nosystem.cpp): no key opens, no file is found, nothing starts.
std::unique_ptr<System> ownSystem();

} // namespace quivara::shell
