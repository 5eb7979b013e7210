// SPDX-License-Identifier: GPL-3.0-or-later
// The game's pictures, read from the program's resources.
#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QPixmap>

#include <string_view>

namespace quivara::forms {

// A picture in the indexed form make_pictures.py writes (width, height, colour
// count, ARGB colours, one index per pixel); a null image when the data is not
// exactly that.
QImage decodeIndexed(QByteArrayView data);

// The picture at a resource path such as ":/quivara/arrow.png". Its indexed twin
// (".idx") is used when there is one, which spares start-up the image decoders.
QPixmap picture(std::string_view path);

} // namespace quivara::forms
