// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QImage>

namespace imagetools {

// Lays a picture with alpha onto the uniform key colour that the game keys
// out. Pixels covered less than `threshold` (0..255) become the key, the rest
// are blended with `fringe` instead, so no key tint shows at the edges; no
// kept pixel ends up equal to the key.
[[nodiscard]] QImage OntoKey(const QImage &picture, QColor key, QColor fringe, int threshold);

// A colour near `c` that is not `key`.
[[nodiscard]] QRgb AvoidKey(QRgb c, QRgb key);

// Straight-alpha picture of the given size, fully transparent.
[[nodiscard]] QImage Transparent(int width, int height);

[[nodiscard]] inline double Clamp01(double v) { return v < 0.0 ? 0.0 : (v > 1.0 ? 1.0 : v); }
[[nodiscard]] inline int ToByte(double v) { return static_cast<int>(Clamp01(v) * 255.0 + 0.5); }

} // namespace imagetools
