// SPDX-License-Identifier: GPL-3.0-or-later
// The System Information lookup's needs met by the Windows API; builds only on Windows, needs no Qt.
#include "shell/winsystem.h"

#include "shell/app.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string_view>

namespace quivara::shell {
namespace {

HKEY rootHandle(RootKey root)
{
    switch (root) {
    case RootKey::LocalMachine: return HKEY_LOCAL_MACHINE;
    }
    return nullptr;
}

// A name the API would cut short at an embedded zero names some other file.
bool isWhole(const std::string &text) { return text.find('\0') == std::string::npos; }

} // namespace

RegistryRead WinSystem::readValue(RootKey root, const std::string &keyName, const std::string &valueName,
                                  std::uint32_t bufferSize)
{
    RegistryRead read;
    read.bytes.assign(bufferSize, 0);
    if (!isWhole(keyName) || !isWhole(valueName))
        return read;

    // Reading asks only for the right to query values: write rights would shut
    // out every user who may not change the machine's keys.
    HKEY key = nullptr;
    if (RegOpenKeyExA(rootHandle(root), keyName.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return read;
    DWORD type = 0;
    DWORD size = bufferSize;
    const LONG status = RegQueryValueExA(key, valueName.c_str(), nullptr, &type, read.bytes.data(), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) {
        read.status = RegistryRead::Status::ValueFailed; // includes a value longer than the buffer
        return read;
    }
    read.status = RegistryRead::Status::Read;
    read.type = type;
    read.size = size;
    return read;
}

bool WinSystem::fileExists(const std::string &path)
{
    // One exact name: wildcards would let some other file answer for it.
    if (path.empty() || !isWhole(path) || path.find_first_of("*?") != std::string::npos)
        return false;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    constexpr DWORD kNotOrdinary = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    return (found.dwFileAttributes & kNotOrdinary) == 0;
}

bool WinSystem::startProgram(const std::string &path)
{
    if (path.empty() || !isWhole(path))
        return false;
    // The path is the program to run, so blanks in it never split it into a
    // shorter program name and arguments; the command line only repeats it,
    // quoted, as the program's own name.
    std::string commandLine = "\"" + path + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

void WinSystem::showMessage(const std::string &text)
{
    MessageBoxA(nullptr, text.c_str(), kAppTitle, MB_OK | MB_TASKMODAL);
}

std::unique_ptr<System> ownSystem()
{
    return std::make_unique<WinSystem>();
}

} // namespace quivara::shell
