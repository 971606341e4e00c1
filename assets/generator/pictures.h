// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QString>

#include <vector>

namespace pictures {

// The dice cup, size x size pixels, straight alpha.
[[nodiscard]] QImage Cup(int size);

// Writes the pictures compiled into the windows into folder/images/;
// failure path or empty.
[[nodiscard]] QString WriteAll(const QString &folder);

// Writes the program icon as <n>x<n>.png for each of the sizes (pixels,
// at least 1) into folder; failure path or empty.
[[nodiscard]] QString WriteIcons(const QString &folder, const std::vector<int> &sizes);

} // namespace pictures
