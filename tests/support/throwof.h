// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

#include <array>

// "1 1 1 2 2" (pips) -> faces 0 0 0 1 1, as the dice report them.
inline std::array<int, 5> throwOf(const QString &pips)
{
    std::array<int, 5> faces{-1, -1, -1, -1, -1};
    const QStringList parts = pips.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (int i = 0; i < 5 && i < parts.size(); ++i)
        faces[static_cast<std::size_t>(i)] = parts[i].toInt() - 1;
    return faces;
}
