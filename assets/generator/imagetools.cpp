// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "imagetools.h"

namespace imagetools {

QRgb AvoidKey(QRgb c, QRgb key)
{
    if ((c & 0xFFFFFF) != (key & 0xFFFFFF))
        return c;
    const int b = qBlue(c);
    return qRgb(qRed(c), qGreen(c), b < 128 ? b + 1 : b - 1);
}

QImage OntoKey(const QImage &picture, QColor key, QColor fringe, int threshold)
{
    const QImage source = picture.convertToFormat(QImage::Format_ARGB32);
    QImage out(source.size(), QImage::Format_RGB32);
    const QRgb keyRgb = key.rgb();
    for (int y = 0; y < source.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            const int a = qAlpha(in[x]);
            if (a < threshold) {
                line[x] = keyRgb;
                continue;
            }
            const auto mix = [a](int c, int f) { return (c * a + f * (255 - a) + 127) / 255; };
            line[x] = AvoidKey(qRgb(mix(qRed(in[x]), fringe.red()), mix(qGreen(in[x]), fringe.green()),
                                    mix(qBlue(in[x]), fringe.blue())),
                               keyRgb);
        }
    }
    return out;
}

QImage Transparent(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

} // namespace imagetools
