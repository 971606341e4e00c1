// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "uAllocationCounter.h"

#include <cstddef>

extern "C" void *__libc_malloc(std::size_t);
extern "C" void *__libc_calloc(std::size_t, std::size_t);
extern "C" void *__libc_realloc(void *, std::size_t);

namespace {
thread_local bool g_Counting = false;
thread_local long g_Allocations = 0;

void Count() noexcept
{
    if (g_Counting)
        ++g_Allocations;
}
}  // namespace

extern "C" void *malloc(std::size_t n)
{
    Count();
    return __libc_malloc(n);
}

extern "C" void *calloc(std::size_t n, std::size_t m)
{
    Count();
    return __libc_calloc(n, m);
}

extern "C" void *realloc(void *p, std::size_t n)
{
    Count();
    return __libc_realloc(p, n);
}

namespace AllocationCounter {
void Start() noexcept
{
    g_Allocations = 0;
    g_Counting = true;
}

long Stop() noexcept
{
    g_Counting = false;
    return g_Allocations;
}
}  // namespace AllocationCounter
