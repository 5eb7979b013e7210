// SPDX-License-Identifier: GPL-3.0-or-later
// What the desktops (Linux, Windows) answer alike: a page answers otherwise.
#pragma once

#include "platform/platform.h"

namespace quivara::platform {

class Desktop : public Platform
{
public:
    void fitApplication() override {}

    // Saved files are on the disk already.
    void keepSavedFiles() override {}

    void showMessage(QDialog *box) override;

    void quit() override;
};

} // namespace quivara::platform
