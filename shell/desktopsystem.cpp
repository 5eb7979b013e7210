// SPDX-License-Identifier: GPL-3.0-or-later
// The System Information lookup's needs in the running program: the system's own registry,
// files and processes where it has them, and a Qt message box.
#include "shell/desktopsystem.h"

#include "platform/platform.h"
#include "shell/app.h"

#include <QMessageBox>

namespace quivara::shell {

DesktopSystem::DesktopSystem(QWidget *owner) : m_owner(owner) {}

#ifdef _WIN32

RegistryRead DesktopSystem::readValue(RootKey root, const std::string &keyName, const std::string &valueName,
                                      std::uint32_t bufferSize)
{
    return m_windows.readValue(root, keyName, valueName, bufferSize);
}

bool DesktopSystem::fileExists(const std::string &path) { return m_windows.fileExists(path); }

bool DesktopSystem::startProgram(const std::string &path) { return m_windows.startProgram(path); }

#else

RegistryRead DesktopSystem::readValue(RootKey, const std::string &, const std::string &, std::uint32_t)
{
    return RegistryRead{}; // no registry: the key cannot be opened
}

bool DesktopSystem::fileExists(const std::string &) { return false; }

bool DesktopSystem::startProgram(const std::string &) { return false; }

#endif

void DesktopSystem::showMessage(const std::string &text)
{
    auto *box = new QMessageBox(QMessageBox::NoIcon, QString::fromLatin1(kAppTitle), QString::fromLocal8Bit(text),
                                QMessageBox::Ok, m_owner);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setObjectName(QStringLiteral("sysInfoMessage"));
    // Nothing in the lookup follows the message, so it may return before the box is closed.
    platform::current().showMessage(box);
}

} // namespace quivara::shell
