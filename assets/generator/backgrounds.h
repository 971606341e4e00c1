// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QString>

namespace backgrounds {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// Table surface n (0 green felt, 1 dark wood, 2 old wood, 3 pine,
// 4 bordeaux felt, 5 ocean, 6 black) at the given size.
[[nodiscard]] QImage Render(int n, int width, int height);

// Writes 0.jpg ... 6.jpg; failure path or empty.
[[nodiscard]] QString WriteAll(const QString &folder);

} // namespace backgrounds
