// SPDX-License-Identifier: GPL-3.0-or-later
// The About window's design: its size, place on the screen and controls.
#pragma once

#include "forms/controldesign.h"

#include <array>
#include <string_view>

namespace quivara::shell::about {

using namespace forms;

inline constexpr int kClientWidth = 5160;
inline constexpr int kClientHeight = 3555;
// The client area's top-left corner, from the screen's top-left corner.
inline constexpr int kClientLeft = 2340;
inline constexpr int kClientTop = 1935;

inline constexpr std::string_view kName = "frmAbout";
inline constexpr std::string_view kCaptionPrefix = "Acerca de ";
inline constexpr std::string_view kVersionPrefix = "Versión ";

inline constexpr std::string_view kDescription =
    "Quivara es un juego de adivinar un número de cuatro cifras, para una o dos personas. "
    "Diseño, programa y dibujos: Brevant Desarrollos.";

inline constexpr FontDesign kTitleFont{Face::SansSerif, 13.5};

inline constexpr ControlDesign kOK{
    .name = "cmdOK", .kind = Kind::Button, .rect = {3840, 2625, 1245, 345}, .caption = "Aceptar"};
inline constexpr ControlDesign kSysInfo{
    .name = "cmdSysInfo", .kind = Kind::Button, .rect = {3840, 3075, 1245, 345}, .caption = "&Información..."};

// The grey line lies just above the white one: together an etched separator.
inline constexpr std::string_view kLineName = "Line1";

inline constexpr std::array kControls{
    ControlDesign{.name = "picIcon", .kind = Kind::PictureBox, .rect = {240, 240, 300, 300},
                .picture = kIconPicture, .accessibleName = "Icono de Quivara", .autoSize = true},
    ControlDesign{.name = "lblTitle", .kind = Kind::Label, .rect = {1050, 240, 3885, 480}, .caption = "Quivara",
                .font = kTitleFont, .fore = kBlue, .back = kPaleYellow},
    ControlDesign{.name = "lblVersion", .kind = Kind::Label, .rect = {1050, 780, 3885, 225},
                .caption = kVersionPrefix, .back = kPaleYellow},
    ControlDesign{.name = "lblDescription", .kind = Kind::Label, .rect = {1050, 1125, 3885, 1170},
                .caption = kDescription, .fore = kBlack, .back = kPaleYellow, .wordWrap = true},
    ControlDesign{.name = kLineName, .kind = Kind::Line, .rect = {90, 2445, 4950, 0}, .fore = kGrey},
    ControlDesign{.name = kLineName, .kind = Kind::Line, .rect = {105, 2460, 4935, 0}, .fore = kWhite,
                .lineWidth = 2},
    kOK,
    kSysInfo,
};

// Index of each Line1 above: the grey one is index 1, the white one index 0.
inline constexpr std::array<int, 2> kLineIndexes{1, 0};

} // namespace quivara::shell::about
