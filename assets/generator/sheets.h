// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QString>

namespace sheets {

// Empty score sheet to print on A4 at 300 dpi: 0 "Standard", 1 "Hammer",
// 2 "Super - Hammer" (more players and columns).
[[nodiscard]] QImage Render(int layout);

// Writes Druckvorlage.jpg, Druckvorlage1.jpg and Druckvorlage2.jpg; failure path or empty.
[[nodiscard]] QString WriteAll(const QString &folder);

} // namespace sheets
