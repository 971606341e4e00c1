// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QString>

#include <optional>
#include <vector>

// A list of pictures addressed by index or name. Each item holds one
// picture drawn whole (pattern 0). The transparent colour is keyed out once,
// when the picture is set: those pixels become alpha 0.
class TPictureList {
public:
    [[nodiscard]] int Count() const noexcept { return static_cast<int>(m_Items.size()); }
    // Grows or shrinks the list; new items are empty.
    void SetCount(int count);
    // Appends an empty item and returns its index.
    int Add();
    void Clear() { m_Items.clear(); }

    // 0 <= index < Count(). Stores `picture` with every pixel of colour `key`
    // (alpha ignored) made transparent; no key keeps the picture as it is.
    // A null picture empties the item.
    void SetPicture(int index, QImage picture, std::optional<QRgb> key);
    void SetName(int index, const QString &name);
    // Empties the item; its name stays.
    void ClearPicture(int index);

    [[nodiscard]] QString Name(int index) const;
    // Letter case ignored; -1 when absent.
    [[nodiscard]] int IndexOf(const QString &name) const;
    // The keyed picture, or nullptr for an index or pattern that has none.
    [[nodiscard]] const QImage *Picture(int index, int pattern = 0) const;
    // The keyed picture scaled to `size`, kept until another size is asked
    // for. With `overBlack` the copy is opaque, keyed pixels black.
    [[nodiscard]] const QImage *ScaledPicture(int index, QSize size, bool overBlack) const;
    // Opacity with which the list's pictures are drawn where the game asks for it.
    [[nodiscard]] int Tag() const noexcept { return m_Tag; }
    void SetTag(int tag) noexcept { m_Tag = tag; }

    // Colour of the top left pixel, the key colour of the dice pictures.
    [[nodiscard]] static QRgb CornerColor(const QImage &picture);
    // `picture` as premultiplied ARGB with pixels of colour `key` transparent.
    [[nodiscard]] static QImage KeyedOut(QImage picture, QRgb key);

private:
    struct TItem {
        QString Name;
        QImage Picture;
        // Cache of the last scaled copy; filled on demand by const readers.
        mutable QImage Scaled;
        mutable bool ScaledOverBlack = false;
    };
    [[nodiscard]] const TItem *Item(int index) const;

    std::vector<TItem> m_Items;
    int m_Tag = 0;
};
