// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "play/uRandom.h"

#include <chrono>
#include <random>

namespace {
std::mt19937_64 &Generator()
{
    static std::mt19937_64 generator{0x51u};
    return generator;
}
}  // namespace

void Randomize()
{
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    Generator().seed(static_cast<std::uint64_t>(now));
}

void RandSeed(std::uint64_t seed)
{
    Generator().seed(seed);
}

int Random(int n)
{
    if (n <= 0)
        return 0;
    // Multiply-shift keeps the draw uniform enough and never allocates.
    const std::uint64_t r = Generator()() >> 32;
    return static_cast<int>((r * static_cast<std::uint64_t>(n)) >> 32);
}
