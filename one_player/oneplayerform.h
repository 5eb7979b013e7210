// SPDX-License-Identifier: GPL-3.0-or-later
// The one-player window's design: its controls, its board of ten rows and its menu bar.
#pragma once

#include "forms/boarddesign.h"
#include "forms/controldesign.h"
#include "forms/formbuilder.h"

#include <Qt>

#include <array>

namespace quivara::one_player {

using namespace forms;

inline constexpr int kClientWidth = 5430;
inline constexpr int kClientHeight = 6270;
inline constexpr std::string_view kCaption = "Quivara - 1 jugador";

// Secret-code cells, positions 1 to 4.
inline constexpr std::array<std::string_view, 4> kCodeCells{"Label1", "Label4", "Label3", "Label2"};

inline constexpr ControlDesign kStatusLine{
    .name = "Label61", .kind = Kind::Label, .rect = {240, 120, 4935, 255}, .font = kStatusFont,
    .fore = kYellow, .back = kDarkPurple, .align = Align::Centre, .accessibleName = kStatusLineName};

inline constexpr FontDesign kCodeFont{Face::SansSerif, 13.5};

// Created in this order, which is also their stacking order.
inline constexpr std::array kFixedControls{
    kStatusLine,
    ControlDesign{.name = "Line2", .kind = Kind::Line, .rect = {1080, 1080, 3840, 0}},
    ControlDesign{.name = "Line1", .kind = Kind::Line, .rect = {3600, 1080, 0, 5040}},
    ControlDesign{.name = "Command15", .kind = Kind::Button, .rect = {240, 480, 1275, 375}, .caption = "Juego Nuevo"},
    ControlDesign{.name = "Command17", .kind = Kind::Button, .rect = {2040, 480, 1275, 375}, .caption = "Mostrar Numero"},
    ControlDesign{.name = "Command16", .kind = Kind::Button, .rect = {3840, 480, 1275, 375}, .caption = "&Borrar Todo"},
    ControlDesign{.name = kCodeCells[0], .kind = Kind::Label, .rect = {1920, 480, 375, 375}, .font = kCodeFont,
                .align = Align::Centre, .hidden = true},
    ControlDesign{.name = kCodeCells[1], .kind = Kind::Label, .rect = {2280, 480, 375, 375}, .font = kCodeFont,
                .align = Align::Centre, .hidden = true},
    ControlDesign{.name = kCodeCells[2], .kind = Kind::Label, .rect = {2640, 480, 375, 375}, .font = kCodeFont,
                .align = Align::Centre, .hidden = true},
    ControlDesign{.name = kCodeCells[3], .kind = Kind::Label, .rect = {3000, 480, 375, 375}, .font = kCodeFont,
                .align = Align::Centre, .hidden = true},
};

// From left to right a row's mark cells stand for positions 2, 1, 4 and 3.
inline constexpr std::array<int, 4> kMarkLeft{3960, 3720, 4440, 4200};

inline constexpr BoardDesign kBoard{
    .rows = {{
        {"Command1", {"Text7", "Text1", "Text3", "Text2"}, {"Label5", "Label21", "Label20", "Label47"}, kMarkLeft},
        {"Command11", {"Text11", "Text12", "Text10", "Text9"}, {"Label8", "Label6", "Label48", "Label7"}, kMarkLeft},
        {"Command10", {"Text15", "Text16", "Text14", "Text13"}, {"Label9", "Label11", "Label10", "Label49"}, kMarkLeft},
        {"Command9", {"Text19", "Text20", "Text18", "Text17"}, {"Label12", "Label14", "Label13", "Label50"}, kMarkLeft},
        {"Command8", {"Text23", "Text24", "Text22", "Text21"}, {"Label15", "Label17", "Label16", "Label51"}, kMarkLeft},
        {"Command7", {"Text27", "Text28", "Text26", "Text25"}, {"Label18", "Label22", "Label19", "Label52"}, kMarkLeft},
        {"Command6", {"Text31", "Text32", "Text30", "Text29"}, {"Label23", "Label25", "Label24", "Label53"}, kMarkLeft},
        {"Command5", {"Text35", "Text36", "Text34", "Text33"}, {"Label26", "Label28", "Label27", "Label54"}, kMarkLeft},
        {"Command4", {"Text39", "Text40", "Text38", "Text37"}, {"Label29", "Label31", "Label30", "Label55"}, kMarkLeft},
        {"Command3", {"Text43", "Text44", "Text42", "Text41"}, {"Label32", "Label34", "Label33", "Label56"}, kMarkLeft},
    }},
    .firstTop = 1200,
    .buttonLeft = 480,
    .digitLeft = {1200, 1800, 2400, 3000},
    .pictureFirstButton = true,
};

inline constexpr std::array kMenu{
    MenuItemDesign{.name = "salir", .caption = "&Salir"},
    MenuItemDesign{.name = "nuevo", .caption = "&Nuevo"},
    MenuItemDesign{.name = "dosjugadores", .caption = "&Dos Jugadores", .parent = "nuevo", .shortcut = Qt::Key_F2},
    MenuItemDesign{.name = "ayuda", .caption = "Ayuda"},
    MenuItemDesign{.name = "contenido", .caption = "Contenido", .parent = "ayuda"},
    MenuItemDesign{.name = "acercade", .caption = "Acerca de", .parent = "ayuda"},
};

} // namespace quivara::one_player
