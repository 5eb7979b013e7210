// SPDX-License-Identifier: GPL-3.0-or-later
// A control of a form as data: name, kind, twips rectangle, caption, font and colours.
#pragma once

#include "forms/twips.h"

#include <string_view>

namespace quivara::forms {

enum class Kind {
    Label,
    Button,
    PictureButton, // a push button drawn with a picture above its caption
    Field,         // single-line text field
    MaskedField,   // single-line text field that shows "?" for every character
    Picture,       // a picture at its natural size, no border
    PictureBox,    // a picture inside a sunken border, clipped to the box
    Line,          // a rule in the fore colour (black by default); the rectangle's zero side
                   // gives its direction
};

// Font faces by the role they play; formbuilder maps each to installed families.
enum class Face { Dialog, SansSerif, Arial, Balogna, Bookplate };

struct FontDesign
{
    Face face = Face::Dialog;
    double points = 0; // 0: the face's default size
    bool bold = false;
};

struct Rgb
{
    int r = -1, g = -1, b = -1;
    constexpr bool isSet() const { return r >= 0; }
};

inline constexpr Rgb kDefaultColour{};
inline constexpr Rgb kTransparent{-2, -2, -2};

enum class Align { Left, Centre };

struct ControlDesign
{
    std::string_view name;
    Kind kind = Kind::Label;
    Twips rect;
    std::string_view caption{}; // UTF-8
    FontDesign font{};
    Rgb fore = kDefaultColour;
    Rgb back = kDefaultColour;   // kTransparent: the parent shows through
    Align align = Align::Left;
    int maxLength = 0;           // fields: the most characters they hold (an emoji is one); 0 for no limit
    bool hidden = false;
    bool wordWrap = false;
    std::string_view picture{};  // Qt resource path
    std::string_view accessibleName{}; // UTF-8; for controls whose text does not tell what they are
    bool autoSize = false;       // picture boxes: sized to the picture plus a two-pixel sunken border
    int lineWidth = 1;           // lines: pixels across
};

// Colours shared by the game's forms.
inline constexpr Rgb kLightGreen{128, 255, 128};
inline constexpr Rgb kPaleYellow{255, 255, 128};
inline constexpr Rgb kDarkPurple{64, 0, 64};
inline constexpr Rgb kYellow{255, 255, 0};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kGrey{128, 128, 128};
inline constexpr Rgb kWhite{255, 255, 255};

// Fonts shared by the game's forms.
inline constexpr FontDesign kStatusFont{Face::SansSerif, 9.75};
inline constexpr FontDesign kDigitFont{Face::SansSerif, 13.5};
inline constexpr FontDesign kMarkFont{Face::SansSerif, 12};

// What a screen reader calls the status line of a game window.
inline constexpr std::string_view kStatusLineName = "Línea de estado";

// Picture resources; each may come with a name@2x.png twice its size for high-density screens.
inline constexpr std::string_view kIconPicture = ":/quivara/icon.png";
inline constexpr std::string_view kIcon2xPicture = ":/quivara/icon@2x.png";
inline constexpr std::string_view kIcon48Picture = ":/quivara/icon-48.png";
inline constexpr std::string_view kIcon256Picture = ":/quivara/icon-256.png";
inline constexpr std::string_view kArrowPicture = ":/quivara/arrow.png";
inline constexpr std::string_view kSplashPicture = ":/quivara/splash.png";
inline constexpr std::string_view kPlayer1Picture = ":/quivara/player1.png";
inline constexpr std::string_view kPlayer2Picture = ":/quivara/player2.png";

} // namespace quivara::forms
