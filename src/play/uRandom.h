// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

// The program's one pseudo-random generator. Windows seed it from the clock
// when they are created; tests seed it with a fixed number.
void Randomize();                       // seed from the clock
void RandSeed(std::uint64_t seed);
[[nodiscard]] int Random(int n);        // uniform 0 .. n-1; 0 when n <= 0
