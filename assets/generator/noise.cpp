// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "noise.h"

#include <cmath>

double ValueNoise::Lattice(int x, int y) const
{
    std::uint32_t h = m_Seed ^ (static_cast<std::uint32_t>(x) * 0x8da6b343u) ^ (static_cast<std::uint32_t>(y) * 0xd8163841u);
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    h *= 0x27d4eb2du;
    h ^= h >> 16;
    return static_cast<double>(h & 0xFFFFFF) / 8388607.5 - 1.0;
}

double ValueNoise::At(double x, double y) const
{
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const double tx = x - fx;
    const double ty = y - fy;
    const double sx = tx * tx * (3.0 - 2.0 * tx);
    const double sy = ty * ty * (3.0 - 2.0 * ty);
    const double top = Lattice(ix, iy) + sx * (Lattice(ix + 1, iy) - Lattice(ix, iy));
    const double bottom = Lattice(ix, iy + 1) + sx * (Lattice(ix + 1, iy + 1) - Lattice(ix, iy + 1));
    return top + sy * (bottom - top);
}

double ValueNoise::Fractal(double x, double y, int octaves, double gain) const
{
    double sum = 0.0;
    double amp = 1.0;
    double norm = 0.0;
    for (int o = 0; o < octaves; ++o) {
        // Rotating each octave hides the lattice's grid.
        const double rx = x * 0.8 - y * 0.6;
        const double ry = x * 0.6 + y * 0.8;
        sum += amp * At(rx + 17.3 * o, ry - 9.1 * o);
        norm += amp;
        amp *= gain;
        x *= 2.03;
        y *= 2.03;
    }
    return sum / norm;
}
