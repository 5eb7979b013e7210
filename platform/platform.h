// SPDX-License-Identifier: GPL-3.0-or-later
// What differs between Linux, Windows and a web page, behind one small interface: the build takes
// platform/linux.cpp, windows.cpp or web.cpp, whichever it is for.
#pragma once

#include "platform/codepage.h"

#include <ctime>
#include <functional>

class QDialog;
class QString;
class QWidget;

namespace quivara::platform {

class Platform
{
public:
    virtual ~Platform() = default;

    // Makes the fonts the program carries known to it: Windows lacks the faces of the splash's
    // lettering and the games-won captions, and a browser lends a page no fonts at all; on Linux
    // they are installed with the program.
    virtual void addCarriedFonts() = 0;

    // Once the application exists, what the place it runs in asks of it beyond the forms (a page:
    // its default face, and its windows kept as a desktop keeps them).
    virtual void fitApplication() = 0;

    // Has the screen reader say `sentence`, which the hidden notification `notice` has just been
    // given and shown (all that Orca needs).
    virtual void announce(QWidget *notice, const QString &sentence) = 0;

    // The system's ANSI code page, in which the name files are kept.
    virtual CodePage ansiCodePage() = 0;

    // Whether this process can create files in the existing directory `directory`.
    virtual bool canCreateFilesIn(const QString &directory) = 0;

    // After the names were saved: keeps files that live only in memory for the next run.
    virtual void keepSavedFiles() = 0;

    // Has `save` called each time the player leaves the program without closing its windows: a
    // page's tab closed or hidden, the page reloaded or another address opened. A desktop program
    // is left only by closing it, so there `save` is never called.
    virtual void whenLeft(std::function<void()> save) { (void)save; }

    // Shows `box`, which deletes itself once closed. On a desktop this returns once the player has
    // closed it; a page cannot wait inside a call for the player, so there the box is window-modal
    // and this returns at once.
    virtual void showMessage(QDialog *box) = 0;

    // Ends the program at once.
    virtual void quit() = 0;

    // The seconds elapsed since local midnight, with their fraction, read from the system clock.
    double timeOfDay();

protected:
    // What several platforms do alike: every font among the program's resources made known to it.
    static void addFontsFromResources();

private:
    // `moment` in local time, by the system's thread-safe conversion.
    virtual std::tm localTime(std::time_t moment) = 0;
};

// The platform the program runs on.
Platform &current();

} // namespace quivara::platform
