// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QString>
#include <QtEndian>

// Small files for the media tests, written where a test wants them.
namespace MediaFixtures {

inline void AppendLe(QByteArray &bytes, quint32 value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.append(static_cast<char>((value >> (8 * i)) & 0xff));
}

inline bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A mono 16-bit PCM wave of `ms` milliseconds of a quiet tone.
inline bool WriteWave(const QString &path, int ms)
{
    constexpr int rate = 44100;
    const int frames = rate * ms / 1000;
    QByteArray data;
    for (int i = 0; i < frames; ++i)
        AppendLe(data, static_cast<quint16>((i % 50 < 25) ? 500 : -500), 2);
    QByteArray wave("RIFF");
    AppendLe(wave, static_cast<quint32>(36 + data.size()), 4);
    wave += "WAVEfmt ";
    AppendLe(wave, 16, 4);
    AppendLe(wave, 1, 2);         // PCM
    AppendLe(wave, 1, 2);         // mono
    AppendLe(wave, rate, 4);
    AppendLe(wave, rate * 2, 4);  // bytes per second
    AppendLe(wave, 2, 2);         // block align
    AppendLe(wave, 16, 2);        // bits per sample
    wave += "data";
    AppendLe(wave, static_cast<quint32>(data.size()), 4);
    return WriteFile(path, wave + data);
}

// Only the header of a 24-bit BMP that claims width x height pixels.
inline bool WriteBmpHeader(const QString &path, int width, int height)
{
    QByteArray bmp("BM");
    AppendLe(bmp, 54, 4);  // the size the header claims does not matter
    AppendLe(bmp, 0, 4);
    AppendLe(bmp, 54, 4);
    AppendLe(bmp, 40, 4);
    AppendLe(bmp, static_cast<quint32>(width), 4);
    AppendLe(bmp, static_cast<quint32>(height), 4);
    AppendLe(bmp, 1, 2);
    AppendLe(bmp, 24, 2);
    AppendLe(bmp, 0, 4);
    AppendLe(bmp, 0, 4);
    AppendLe(bmp, 2835, 4);
    AppendLe(bmp, 2835, 4);
    AppendLe(bmp, 0, 4);
    AppendLe(bmp, 0, 4);
    return WriteFile(path, bmp);
}

// A picture of `size` in `fill` with its top left pixel in `corner`.
inline QImage CornerPicture(QSize size, QRgb fill, QRgb corner)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(fill);
    picture.setPixel(0, 0, corner);
    return picture;
}

}  // namespace MediaFixtures
