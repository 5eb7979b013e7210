// SPDX-License-Identifier: GPL-3.0-or-later
// The About window: the program's title, version and credits, and a way to System Information.
#pragma once

#include "shell/system.h"

#include <QDialog>

#include <memory>

namespace quivara::shell {

// Modeless and without an owner; "Aceptar", Enter, Esc and the close box all
// close it. It keeps no state between openings.
class AboutWindow : public QDialog
{
    Q_OBJECT

public:
    // `system` finds and starts System Information; null for this machine's own.
    explicit AboutWindow(std::unique_ptr<System> system = nullptr);
    ~AboutWindow() override;

    // "&Información...": starts System Information or tells the user it is unavailable.
    void startSysInfo();

private:
    void load();

    std::unique_ptr<System> m_system;
};

} // namespace quivara::shell
