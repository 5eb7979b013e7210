// SPDX-License-Identifier: GPL-3.0-or-later
// The System Information lookup's needs in the running program: the system's own registry,
// files and processes where it has them, and a Qt message box.
#pragma once

#include "shell/system.h"

#include <QPointer>
#include <QWidget>

namespace quivara::shell {

// The system's own registry, files and programs (ownSystem()); without a Windows registry every
// lookup fails and nothing can be started, so the user is told that System Information is unavailable.
class DesktopSystem : public System
{
public:
    // The message box stands over `owner` (may be null).
    explicit DesktopSystem(QWidget *owner = nullptr);

    RegistryRead readValue(RootKey root, const std::string &keyName, const std::string &valueName,
                           std::uint32_t bufferSize) override;
    bool fileExists(const std::string &path) override;
    bool startProgram(const std::string &path) override;
    void showMessage(const std::string &text) override;

private:
    QPointer<QWidget> m_owner;
    std::unique_ptr<System> m_own = ownSystem();
};

} // namespace quivara::shell
