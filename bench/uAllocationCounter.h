// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Counts the heap allocations (malloc, calloc, realloc and everything built
// on them, operator new included) made by the calling thread between Start
// and Stop. Linking uAllocationCounter.cpp replaces the C allocator's entry
// points in the whole program.
namespace AllocationCounter {
void Start() noexcept;
// The allocations since Start.
long Stop() noexcept;
}  // namespace AllocationCounter
