// SPDX-License-Identifier: GPL-3.0-or-later
// What differs between Linux, Windows and a web page, behind one small interface: the build takes
// platform/linux.cpp, windows.cpp or web.cpp, whichever it is for.
#pragma once

#include "platform/codepage.h"

class QString;
class QWidget;

namespace quivara::platform {

class Platform
{
public:
    virtual ~Platform() = default;

    // Has the screen reader say `sentence`, which the hidden notification `notice` has just been
    // given and shown (all that Orca needs).
    virtual void announce(QWidget *notice, const QString &sentence) = 0;

    // The system's ANSI code page, in which the name files are kept.
    virtual CodePage ansiCodePage() = 0;

    // Whether this process can create files in the existing directory `directory`.
    virtual bool canCreateFilesIn(const QString &directory) = 0;

    // After the names were saved: keeps files that live only in memory for the next run.
    virtual void keepSavedFiles() = 0;
};

// The platform the program runs on.
Platform &current();

} // namespace quivara::platform
