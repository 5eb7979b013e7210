// SPDX-License-Identifier: GPL-3.0-or-later
// Layout units: forms are described in twips and placed in device-independent pixels.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace quivara::forms {

// 1440 twips to the inch at 96 pixels to the inch.
inline constexpr int kTwipsPerPixel = 15;

constexpr int px(int twips) { return twips / kTwipsPerPixel; }

struct Twips
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

constexpr QRect toPixels(const Twips &t) { return QRect(px(t.left), px(t.top), px(t.width), px(t.height)); }
constexpr QSize toPixels(int widthTwips, int heightTwips) { return QSize(px(widthTwips), px(heightTwips)); }
constexpr QPoint pointToPixels(int leftTwips, int topTwips) { return QPoint(px(leftTwips), px(topTwips)); }

} // namespace quivara::forms
