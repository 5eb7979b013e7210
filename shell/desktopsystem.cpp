// SPDX-License-Identifier: GPL-3.0-or-later
// The System Information lookup's needs in the running program: the system's own registry,
// files and processes where it has them, and a Qt message box.
#include "shell/desktopsystem.h"

#include "platform/platform.h"
#include "shell/app.h"

#include <QMessageBox>

namespace quivara::shell {

DesktopSystem::DesktopSystem(QWidget *owner) : m_owner(owner) {}

RegistryRead DesktopSystem::readValue(RootKey root, const std::string &keyName, const std::string &valueName,
                                      std::uint32_t bufferSize)
{
    return m_own->readValue(root, keyName, valueName, bufferSize);
}

bool DesktopSystem::fileExists(const std::string &path) { return m_own->fileExists(path); }

bool DesktopSystem::startProgram(const std::string &path) { return m_own->startProgram(path); }

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
