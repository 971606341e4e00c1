// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QString>

namespace dice {

// The six dice colours in the order of the profile's dice type 0..5.
constexpr int kColours = 6;
constexpr int kVariants = 4;

// File letter of a dice colour ("w", "r", "c", "d", "a", "b").
[[nodiscard]] QString Letter(int colour);

// A die of the colour showing `pips` (1..6), seen in view `variant` (0..3:
// slightly different tilt and light), `size` pixels square, straight alpha.
[[nodiscard]] QImage Render(int colour, int pips, int variant, int size);

// The same on the uniform black background whose colour the game keys out.
[[nodiscard]] QImage RenderKeyed(int colour, int pips, int variant, int size);

// Small flat die face with crisp pips for lists and buttons (about 13 px).
[[nodiscard]] QImage Face(int pips, int size, QColor body, QColor pip);

// Writes letter + pips + variant + ".bmp" for all colours; failure path or empty.
[[nodiscard]] QString WriteAll(const QString &folder);

} // namespace dice
