// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/uShadowLabel.h"

#include <QImage>
#include <QPainter>
#include <QStyle>

// The blur of Qt's drop shadow filter, exported by QtWidgets. Even at radius
// 0 it rounds the shadow's edges, so it is applied as the effect applies it.
void qt_blurImage(QPainter *p, QImage &blurImage, qreal radius, bool quality, bool alphaOnly, int transposed);

namespace {

QImage TransparentImage(QSize size, qreal ratio)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    return image;
}

}  // namespace

TShadowLabel::TShadowLabel(QPoint offset, const QColor &color, QWidget *parent)
    : QLabel(parent), m_Offset(offset), m_Color(color)
{
}

// The steps of the effect: the label drawn into a transparent picture, the
// picture shifted, blurred and filled with the shadow colour where it is
// opaque, the shadow drawn and the picture over it. Text drawn straight onto
// the window is blended differently at its edges.
void TShadowLabel::paintEvent(QPaintEvent *)
{
    QPainter window(this);
    const qreal ratio = window.device()->devicePixelRatio();
    const QSize pixels = size() * ratio;
    QImage source = TransparentImage(pixels, ratio);
    {
        // Placed as QLabel places plain text without margin, indent or frame.
        QPainter painter(&source);
        painter.setFont(font());
        const int flags = QStyle::visualAlignment(layoutDirection(), alignment()) | Qt::TextHideMnemonic;
        style()->drawItemText(&painter, contentsRect(), flags, palette(), isEnabled(), text(), foregroundRole());
    }
    QImage shifted = TransparentImage(pixels, ratio);
    {
        QPainter painter(&shifted);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(m_Offset, source);
    }
    QImage shadow = TransparentImage(pixels, ratio);
    {
        QPainter painter(&shadow);
        qt_blurImage(&painter, shifted, 0, false, true, 0);
    }
    {
        QPainter painter(&shadow);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(shadow.rect(), m_Color);
    }
    window.drawImage(QPoint(0, 0), shadow);
    window.drawImage(QPoint(0, 0), source);
}
