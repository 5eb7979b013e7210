// SPDX-License-Identifier: GPL-3.0-or-later
// A push button in the picture style: a flat coloured face with its picture above its caption.
#include "forms/picturebutton.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

namespace quivara::forms {

PictureButton::PictureButton(const QString &caption, const QPixmap &picture, QWidget *parent)
    : QPushButton(caption, parent), m_picture(picture)
{
    setFlat(true);
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect face = rect();
    painter.fillRect(face, palette().color(QPalette::Button));
    // Flat, with a one-pixel frame that sinks while the button is held down.
    const bool down = isDown();
    painter.setPen(palette().color(down ? QPalette::Dark : QPalette::Mid));
    painter.drawRect(face.adjusted(0, 0, -1, -1));

    const int shift = down ? 1 : 0;
    const QFontMetrics metrics(font());
    const int pictureTop = 1 + shift;
    // Sizes in device-independent pixels: a sharp picture for a high-density screen has more pixels.
    const QSize pictureSize = m_picture.deviceIndependentSize().toSize();
    painter.drawPixmap(QRect(QPoint((width() - pictureSize.width()) / 2 + shift, pictureTop), pictureSize),
                       m_picture);
    // The caption sits under the picture, as far down as the face allows.
    const int captionTop = qMin(pictureTop + pictureSize.height(), height() - metrics.height());
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(QRect(shift, captionTop + shift, width(), metrics.height()), Qt::AlignHCenter | Qt::AlignTop,
                     text());

    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = face.adjusted(2, 2, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

} // namespace quivara::forms
