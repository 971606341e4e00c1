// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

// Smooth value noise on an integer lattice; the seed picks the lattice.
class ValueNoise
{
public:
    explicit ValueNoise(std::uint32_t seed) : m_Seed(seed) {}

    // In [-1, 1], smooth in x and y, period of about one unit.
    [[nodiscard]] double At(double x, double y) const;
    // Sum of octaves, each twice the frequency and gain times the amplitude.
    [[nodiscard]] double Fractal(double x, double y, int octaves, double gain = 0.5) const;
    // Hash of a lattice point in [-1, 1]; also handy as plain white noise.
    [[nodiscard]] double Lattice(int x, int y) const;

private:
    std::uint32_t m_Seed;
};
