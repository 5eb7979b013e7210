// SPDX-License-Identifier: GPL-3.0-or-later
// A push button in the picture style: a flat coloured face with its picture above its caption.
#pragma once

#include <QPixmap>
#include <QPushButton>

namespace quivara::forms {

class PictureButton : public QPushButton
{
    Q_OBJECT

public:
    PictureButton(const QString &caption, const QPixmap &picture, QWidget *parent = nullptr);

    const QPixmap &picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
};

} // namespace quivara::forms
