// SPDX-License-Identifier: GPL-3.0-or-later
// The System Information lookup's needs met by the Windows API; builds only on Windows, needs no Qt.
#pragma once

#include "shell/system.h"

namespace quivara::shell {

// Keys are opened for querying values only, programs are started by their exact
// path, and the message box is a plain MessageBoxA captioned with the application title.
class WinSystem : public System
{
public:
    RegistryRead readValue(RootKey root, const std::string &keyName, const std::string &valueName,
                           std::uint32_t bufferSize) override;
    bool fileExists(const std::string &path) override;
    bool startProgram(const std::string &path) override;
    void showMessage(const std::string &text) override;
};

} // namespace quivara::shell
