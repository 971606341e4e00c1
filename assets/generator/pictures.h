#pragma once

#include <QImage>
#include <QString>

namespace pictures {

// The dice cup, size x size pixels, straight alpha.
[[nodiscard]] QImage Cup(int size);

// Writes the pictures compiled into the windows into folder/images/;
// failure path or empty.
[[nodiscard]] QString WriteAll(const QString &folder);

} // namespace pictures
