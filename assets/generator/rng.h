// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <random>

// Seeded generator with its own conversions: the standard distributions differ
// between library implementations, and every build must write the same bytes.
class Rng
{
public:
    explicit Rng(std::uint32_t seed) : m_Engine(seed) {}

    // Uniform in [0, 1).
    [[nodiscard]] double Uniform() { return static_cast<double>(m_Engine() >> 8) / 16777216.0; }
    // Uniform in [lo, hi).
    [[nodiscard]] double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }
    // Uniform in [-1, 1).
    [[nodiscard]] double Signed() { return 2.0 * Uniform() - 1.0; }
    // Whole number in [0, n).
    [[nodiscard]] int Below(int n) { return static_cast<int>(Uniform() * n); }

private:
    std::mt19937 m_Engine;
};
