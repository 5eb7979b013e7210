// SPDX-License-Identifier: GPL-3.0-or-later
// The game's pictures, read from the program's resources.
#include "forms/picture.h"

#include <QResource>
#include <QString>

namespace quivara::forms {
namespace {

int number16(const uchar *p) { return p[0] | p[1] << 8; }

} // namespace

QImage decodeIndexed(QByteArrayView data)
{
    constexpr qsizetype kHeader = 6;
    if (data.size() < kHeader)
        return {};
    const auto *bytes = reinterpret_cast<const uchar *>(data.data());
    const int width = number16(bytes);
    const int height = number16(bytes + 2);
    const int colours = number16(bytes + 4);
    const qsizetype pixelsAt = kHeader + qsizetype{colours} * 4;
    if (width == 0 || height == 0 || colours == 0 || colours > 256
        || data.size() != pixelsAt + qsizetype{width} * height)
        return {};
    QList<QRgb> table(colours);
    for (int i = 0; i < colours; ++i) {
        const uchar *c = bytes + kHeader + i * 4;
        table[i] = QRgb(c[0] | c[1] << 8 | c[2] << 16 | quint32(c[3]) << 24);
    }
    QImage image(width, height, QImage::Format_Indexed8);
    image.setColorTable(table);
    const uchar *pixels = bytes + pixelsAt;
    for (int y = 0; y < height; ++y) {
        uchar *line = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            if (pixels[x] >= colours)
                return {};
            line[x] = pixels[x];
        }
        pixels += width;
    }
    return image;
}

QPixmap picture(std::string_view path)
{
    const QString png = QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
    if (png.endsWith(QLatin1String(".png"))) {
        const QResource indexed(png.chopped(4) + QLatin1String(".idx"));
        if (indexed.isValid() && indexed.compressionAlgorithm() == QResource::NoCompression) {
            const QImage image =
                decodeIndexed(QByteArrayView(reinterpret_cast<const char *>(indexed.data()), indexed.size()));
            if (!image.isNull())
                return QPixmap::fromImage(image);
        }
    }
    return QPixmap(png);
}

} // namespace quivara::forms
