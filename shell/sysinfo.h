// SPDX-License-Identifier: GPL-3.0-or-later
// Finds the System Information program through two registry values and starts it.
#pragma once

#include "shell/system.h"

#include <cstdint>
#include <stdexcept>
#include <string>

namespace quivara::shell {

// The program's full path.
inline constexpr const char *kMsinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char *kMsinfoValue = "PATH";
// The directory that holds the program, and the program's file name joined to it.
inline constexpr const char *kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr const char *kLocationValue = "MSINFO";
inline constexpr const char *kProgramFile = "\\MSINFO32.EXE";

inline constexpr std::uint32_t kValueBufferSize = 1024;

inline constexpr const char *kSysInfoUnavailable = "System Information Is Unavailable At This Time";

// A value of zero bytes has no text to take: reading it is an error, not a miss.
class EmptyValueError : public std::runtime_error
{
public:
    explicit EmptyValueError(const std::string &valueName);
};

// Reads value `valueName` of key `keyName` under `root` and returns true, with
// `keyVal` holding it as text: a string as it stands (a terminating zero dropped
// when it is the last reported byte), a 32-bit number as "&h" followed by its
// hexadecimal digits; a value of another type leaves `keyVal` as passed in.
// A key or value that cannot be read returns false with `keyVal` empty.
// Throws EmptyValueError, leaving `keyVal` alone, for a value of zero bytes.
bool getKeyValue(System &system, RootKey root, const std::string &keyName, const std::string &valueName,
                 std::string &keyVal);

// Starts the System Information program, or tells the user it is unavailable.
// The first value's path is started as it stands; the second value's directory
// must hold the program. An empty first value goes straight to the message.
void startSysInfo(System &system);

} // namespace quivara::shell
