// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gamewindow/uPictureList.h"

#include <QPainter>

namespace {

// Opaque pixels read the same premultiplied, so an opaque picture changes
// format in place: large backgrounds are never copied.
QImage Premultiplied(QImage picture)
{
    if (picture.format() == QImage::Format_RGB32)
        picture.reinterpretAsFormat(QImage::Format_ARGB32_Premultiplied);
    else if (picture.format() != QImage::Format_ARGB32_Premultiplied)
        picture = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return picture;
}

}  // namespace

void TPictureList::SetCount(int count)
{
    m_Items.resize(static_cast<std::size_t>(std::max(count, 0)));
}

int TPictureList::Add()
{
    m_Items.emplace_back();
    return Count() - 1;
}

const TPictureList::TItem *TPictureList::Item(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return &m_Items[static_cast<std::size_t>(index)];
}

void TPictureList::SetPicture(int index, QImage picture, std::optional<QRgb> key)
{
    if (!Item(index))
        return;
    TItem &item = m_Items[static_cast<std::size_t>(index)];
    item.Scaled = QImage();
    if (picture.isNull())
        item.Picture = QImage();
    else if (key)
        item.Picture = KeyedOut(std::move(picture), *key);
    else
        item.Picture = Premultiplied(std::move(picture));
}

void TPictureList::SetName(int index, const QString &name)
{
    if (Item(index))
        m_Items[static_cast<std::size_t>(index)].Name = name;
}

void TPictureList::ClearPicture(int index)
{
    SetPicture(index, QImage(), std::nullopt);
}

QString TPictureList::Name(int index) const
{
    const TItem *item = Item(index);
    return item ? item->Name : QString();
}

int TPictureList::IndexOf(const QString &name) const
{
    for (int i = 0; i < Count(); ++i)
        if (m_Items[static_cast<std::size_t>(i)].Name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

const QImage *TPictureList::Picture(int index, int pattern) const
{
    const TItem *item = Item(index);
    if (!item || pattern != 0 || item->Picture.isNull())
        return nullptr;
    return &item->Picture;
}

const QImage *TPictureList::ScaledPicture(int index, QSize size, bool overBlack) const
{
    const QImage *picture = Picture(index);
    if (!picture || size.isEmpty())
        return nullptr;
    if (picture->size() == size && !overBlack)
        return picture;
    const TItem &item = *Item(index);
    if (item.Scaled.size() != size || item.ScaledOverBlack != overBlack) {
        const QImage scaled = picture->scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (overBlack) {
            item.Scaled = QImage(size, QImage::Format_RGB32);
            item.Scaled.fill(Qt::black);
            QPainter painter(&item.Scaled);
            painter.drawImage(0, 0, scaled);
        } else {
            item.Scaled = scaled;
        }
        item.ScaledOverBlack = overBlack;
    }
    return &item.Scaled;
}

QRgb TPictureList::CornerColor(const QImage &picture)
{
    if (picture.isNull())
        return qRgb(0, 0, 0);
    return picture.pixel(0, 0);
}

QImage TPictureList::KeyedOut(QImage picture, QRgb key)
{
    picture = picture.hasAlphaChannel() ? picture.convertToFormat(QImage::Format_ARGB32)
                                        : Premultiplied(std::move(picture));
    const QRgb rgb = key & RGB_MASK;
    const int width = picture.width();
    for (int y = 0; y < picture.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < width; ++x)
            if ((line[x] & RGB_MASK) == rgb)
                line[x] = 0;
    }
    return Premultiplied(std::move(picture));
}
