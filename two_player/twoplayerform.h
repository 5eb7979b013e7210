// SPDX-License-Identifier: GPL-3.0-or-later
// The two-player window's design: its controls, the two boards of ten rows and its menu bar.
#pragma once

#include "forms/boarddesign.h"
#include "forms/controldesign.h"
#include "forms/formbuilder.h"

#include <Qt>

#include <array>

namespace quivara::two_player {

using namespace forms;

inline constexpr std::string_view kWindowName = "frmdosjugador";
inline constexpr std::string_view kCaption = "Quivara - 2 jugadores";
inline constexpr int kClientWidth = 10800;
inline constexpr int kClientHeight = 7440;

inline constexpr std::string_view kPlayer1Name = "Player1";
inline constexpr std::string_view kPlayer2Name = "Player2";
inline constexpr std::string_view kNoGamesWon = "0";

inline constexpr FontDesign kCaptionFont{Face::Bookplate, 12};
inline constexpr FontDesign kCodeFont{Face::SansSerif, 12};
inline constexpr int kCodeTop = 1680;
inline constexpr int kCodeSize = 375;

// The code on Player1's side (guessed by Player2's rows), positions 1 to 4.
inline constexpr std::array<std::string_view, 4> kPlayer1Code{"Text81", "Text84", "Text83", "Text82"};
// The code on Player2's side (guessed by Player1's rows), positions 1 to 4.
inline constexpr std::array<std::string_view, 4> kPlayer2Code{"Text85", "Text88", "Text87", "Text86"};

// A masked field is announced by its name alone: its value is the mask, never the digit.
constexpr ControlDesign codeField(std::string_view name, int left, std::string_view accessibleName)
{
    return {.name = name, .kind = Kind::MaskedField, .rect = {left, kCodeTop, kCodeSize, kCodeSize},
            .font = kCodeFont, .maxLength = 1, .accessibleName = accessibleName};
}

constexpr ControlDesign caption(std::string_view name, int left, int width, std::string_view text,
                              std::string_view accessibleName = {})
{
    return {.name = name, .kind = Kind::Label, .rect = {left, 1440, width, 375}, .caption = text,
            .font = kCaptionFont, .back = kLightGreen, .accessibleName = accessibleName};
}

// Created in this order, which is also their stacking order.
inline constexpr std::array kFixedControls{
    ControlDesign{.name = "Label61", .kind = Kind::Label, .rect = {3000, 240, 4815, 255}, .font = kStatusFont,
                .fore = kYellow, .back = kDarkPurple, .align = Align::Centre, .accessibleName = kStatusLineName},
    ControlDesign{.name = "Command15", .kind = Kind::Button, .rect = {2400, 600, 1275, 375}, .caption = "Nuevo Juego"},
    ControlDesign{.name = "Command16", .kind = Kind::Button, .rect = {3840, 600, 1515, 375},
                .caption = "&Borrar Resultados"},
    ControlDesign{.name = "Command24", .kind = Kind::Button, .rect = {5520, 600, 1275, 375}, .caption = "Borrar Todo"},
    ControlDesign{.name = "Command17", .kind = Kind::Button, .rect = {6960, 600, 1395, 375},
                .caption = "Mostrar Numeros"},
    ControlDesign{.name = "Image1", .kind = Kind::Picture, .rect = {480, 1080, 480, 480}, .picture = kPlayer1Picture,
                .accessibleName = "Retrato de Player1"},
    ControlDesign{.name = "Image2", .kind = Kind::Picture, .rect = {9600, 1080, 480, 480}, .picture = kPlayer2Picture,
                .accessibleName = "Retrato de Player2"},
    ControlDesign{.name = "Text89", .kind = Kind::Field, .rect = {1080, 1200, 1215, 375}, .caption = kPlayer1Name,
                .font = kStatusFont, .accessibleName = "Nombre de Player1"},
    ControlDesign{.name = "Text90", .kind = Kind::Field, .rect = {8280, 1200, 1215, 375}, .caption = kPlayer2Name,
                .font = kStatusFont, .accessibleName = "Nombre de Player2"},
    caption("Label1", 2400, 2175, "Partidas Ganadas"),
    caption("Label2", 4560, 375, kNoGamesWon, "Partidas ganadas de Player1"),
    caption("Label4", 5760, 2175, "Partidas Ganadas"),
    caption("Label3", 7920, 375, kNoGamesWon, "Partidas ganadas de Player2"),
    codeField(kPlayer1Code[0], 840, "Código de Player1, cifra 1"),
    codeField(kPlayer1Code[1], 1200, "Código de Player1, cifra 2"),
    codeField(kPlayer1Code[2], 1560, "Código de Player1, cifra 3"),
    codeField(kPlayer1Code[3], 1920, "Código de Player1, cifra 4"),
    codeField(kPlayer2Code[0], 8280, "Código de Player2, cifra 1"),
    codeField(kPlayer2Code[1], 8640, "Código de Player2, cifra 2"),
    codeField(kPlayer2Code[2], 9000, "Código de Player2, cifra 3"),
    codeField(kPlayer2Code[3], 9360, "Código de Player2, cifra 4"),
    ControlDesign{.name = "Line2", .kind = Kind::Line, .rect = {1080, 2160, 3840, 0}},
    ControlDesign{.name = "Line1", .kind = Kind::Line, .rect = {3600, 2160, 0, 5040}},
    ControlDesign{.name = "Line3", .kind = Kind::Line, .rect = {6360, 2160, 3840, 0}},
    ControlDesign{.name = "Line4", .kind = Kind::Line, .rect = {8880, 2160, 0, 5040}},
};

inline constexpr std::string_view kStatusLine = "Label61";
inline constexpr std::string_view kPlayer1NameField = "Text89";
inline constexpr std::string_view kPlayer2NameField = "Text90";
inline constexpr std::string_view kPlayer1Counter = "Label2";
inline constexpr std::string_view kPlayer2Counter = "Label3";

// From left to right a row's mark cells stand for positions 2, 1, 4 and 3 ...
inline constexpr std::array<int, 4> kPlayer1MarkLeft{3960, 3720, 4440, 4200};
inline constexpr std::array<int, 4> kPlayer2MarkLeft{9240, 9000, 9720, 9480};
// ... except in Player2's row 2, where they stand for positions 2, 1, 3 and 4.
inline constexpr std::array<int, 4> kPlayer2Row2MarkLeft{9240, 9000, 9480, 9720};

inline constexpr int kFirstRowTop = 2280;

inline constexpr BoardDesign kPlayer1Board{
    .rows = {{
        {"Command1", {"Text7", "Text1", "Text3", "Text2"}, {"Label21", "Label5", "Label47", "Label20"}, kPlayer1MarkLeft},
        {"Command11", {"Text11", "Text12", "Text10", "Text9"}, {"Label6", "Label8", "Label7", "Label48"}, kPlayer1MarkLeft},
        {"Command10", {"Text15", "Text16", "Text14", "Text13"}, {"Label11", "Label9", "Label49", "Label10"}, kPlayer1MarkLeft},
        {"Command9", {"Text19", "Text20", "Text18", "Text17"}, {"Label14", "Label12", "Label50", "Label13"}, kPlayer1MarkLeft},
        {"Command8", {"Text23", "Text24", "Text22", "Text21"}, {"Label17", "Label15", "Label51", "Label16"}, kPlayer1MarkLeft},
        {"Command7", {"Text27", "Text28", "Text26", "Text25"}, {"Label22", "Label18", "Label52", "Label19"}, kPlayer1MarkLeft},
        {"Command6", {"Text31", "Text32", "Text30", "Text29"}, {"Label25", "Label23", "Label53", "Label24"}, kPlayer1MarkLeft},
        {"Command5", {"Text35", "Text36", "Text34", "Text33"}, {"Label28", "Label26", "Label54", "Label27"}, kPlayer1MarkLeft},
        {"Command4", {"Text39", "Text40", "Text38", "Text37"}, {"Label31", "Label29", "Label55", "Label30"}, kPlayer1MarkLeft},
        {"Command3", {"Text43", "Text44", "Text42", "Text41"}, {"Label34", "Label32", "Label56", "Label33"}, kPlayer1MarkLeft},
    }},
    .firstTop = kFirstRowTop,
    .buttonLeft = 480,
    .digitLeft = {1200, 1800, 2400, 3000},
};

inline constexpr BoardDesign kPlayer2Board{
    .rows = {{
        {"Command2", {"Text77", "Text78", "Text80", "Text79"}, {"Label37", "Label35", "Label76", "Label36"}, kPlayer2MarkLeft},
        {"Command23", {"Text74", "Text73", "Text75", "Text76"}, {"Label38", "Label40", "Label39", "Label77"}, kPlayer2Row2MarkLeft},
        {"Command22", {"Text70", "Text69", "Text71", "Text72"}, {"Label43", "Label41", "Label78", "Label42"}, kPlayer2MarkLeft},
        {"Command21", {"Text66", "Text65", "Text67", "Text68"}, {"Label46", "Label44", "Label79", "Label45"}, kPlayer2MarkLeft},
        {"Command20", {"Text62", "Text61", "Text63", "Text64"}, {"Label59", "Label57", "Label80", "Label58"}, kPlayer2MarkLeft},
        {"Command19", {"Text58", "Text57", "Text59", "Text60"}, {"Label63", "Label60", "Label81", "Label62"}, kPlayer2MarkLeft},
        {"Command18", {"Text54", "Text53", "Text55", "Text56"}, {"Label66", "Label64", "Label82", "Label65"}, kPlayer2MarkLeft},
        {"Command14", {"Text50", "Text49", "Text51", "Text52"}, {"Label69", "Label67", "Label83", "Label68"}, kPlayer2MarkLeft},
        {"Command13", {"Text46", "Text45", "Text47", "Text48"}, {"Label72", "Label70", "Label84", "Label71"}, kPlayer2MarkLeft},
        {"Command12", {"Text5", "Text4", "Text6", "Text8"}, {"Label75", "Label73", "Label85", "Label74"}, kPlayer2MarkLeft},
    }},
    .firstTop = kFirstRowTop,
    .buttonLeft = 5760,
    .digitLeft = {6480, 7080, 7680, 8280},
};

// After the rows of both boards, the Tab key visits these in order.
inline constexpr std::array<std::string_view, 14> kTabsAfterBoards{
    "Command17", kPlayer1Code[0], kPlayer1Code[1], kPlayer1Code[2], kPlayer1Code[3],
    kPlayer2Code[0], kPlayer2Code[1], kPlayer2Code[2], kPlayer2Code[3],
    "Command16", "Command15", kPlayer1NameField, kPlayer2NameField, "Command24",
};

inline constexpr std::array kMenu{
    MenuItemDesign{.name = "salir", .caption = "&Salir"},
    MenuItemDesign{.name = "nuevo", .caption = "&Nuevo"},
    MenuItemDesign{.name = "unjugador", .caption = "Un Jugador", .parent = "nuevo", .shortcut = Qt::Key_F1},
    MenuItemDesign{.name = "ayuda", .caption = "Ayuda"},
    // Out of use in this window: shown greyed, without an action.
    MenuItemDesign{.name = "contenido", .caption = "Contenido", .parent = "ayuda", .enabled = false},
    MenuItemDesign{.name = "acercade", .caption = "Acerca de", .parent = "ayuda"},
};

} // namespace quivara::two_player
