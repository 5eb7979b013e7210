// SPDX-License-Identifier: GPL-3.0-or-later
// Builds widgets, menus and window frames from their descriptions as data.
#pragma once

#include "forms/controldesign.h"

#include <QFont>
#include <QObject>
#include <QPixmap>
#include <QString>

#include <span>
#include <string_view>
#include <vector>

class QMenuBar;
class QWidget;
class QIcon;

namespace quivara::forms {

inline QString qstr(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The installed font that plays `design.face`, at the listed size.
// The control named `name` among `parent`'s descendants; the forms build every name they look up.
template <typename T>
T *child(const QObject *parent, std::string_view name)
{
    T *found = parent->findChild<T *>(qstr(name));
    Q_ASSERT(found);
    return found;
}

QFont fontFor(const FontDesign &design);

// The picture at a Qt resource path; on a high-density screen its name@2x
// version, where there is one, with a device pixel ratio of 2.
QPixmap loadPicture(std::string_view path);

// Resolves each font and renders the characters the windows use in it (the
// application's own font too), so a window's first paint finds them cached.
void loadFonts(std::span<const FontDesign> fonts);

// Paints `widget`'s own background (palette, not style sheet, so nothing cascades).
void setBackground(QWidget *widget, Rgb colour);
void setForeground(QWidget *widget, Rgb colour);

// Creates one control as a child of `parent`, named design.name, at its place,
// with design.accessibleName as what a screen reader calls it.
QWidget *buildControl(QWidget *parent, const ControlDesign &design);

void buildControls(QWidget *parent, std::span<const ControlDesign> designs);

// Tab moves through `chain` in order.
void setTabChain(const std::vector<QWidget *> &chain);

struct MenuItemDesign
{
    std::string_view name;
    std::string_view caption; // "&" marks the access key
    std::string_view parent;  // empty: stands on the menu bar itself
    int shortcut = 0;         // a Qt::Key, 0 for none
    bool enabled = true;
};

// A menu-bar title gets a QMenu named design.name whose menu action carries the
// same name; a command on the bar or in a menu is a QAction named design.name.
void buildMenuBar(QMenuBar *bar, std::span<const MenuItemDesign> items);

// The game's window icon: 16 x 16, with sharper sizes for high-density screens and large views.
const QIcon &gameIcon();

} // namespace quivara::forms

class QMainWindow;

namespace quivara::forms {

enum class Frame {
    FixedDialog, // title bar, window menu and close box; not resizable; no taskbar button
    Sizable,     // title bar with minimize, maximize and close boxes; a taskbar button
};

// Names `window`, gives it a client widget (whose hidden controls a screen
// reader does not see) of `clientWidth` x `clientHeight`
// twips below its menu bar, its frame, background and the game's icon.
// Returns the client widget, parent of the window's controls.
QWidget *setUpWindow(QMainWindow *window, std::string_view name, std::string_view caption, Frame frame,
                     int clientWidth, int clientHeight, Rgb background);

// Centres `window` on its screen (top-level windows without an owner).
void centreOnScreen(QWidget *window);

} // namespace quivara::forms
