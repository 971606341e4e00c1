// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <sys/resource.h>

#include <chrono>
#include <cstdint>

// Shared by bench_Windows and the probe it preloads into the program: the
// steady clock is the system's monotonic clock, so a time taken in one
// process can be subtracted from a time taken in the other.
inline std::int64_t MonotonicNs() noexcept
{
    using namespace std::chrono;
    return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}

inline double MonotonicMs() noexcept
{
    return static_cast<double>(MonotonicNs()) / 1e6;
}

// CPU time of the calling thread, user and system: decoders on other threads
// do not count.
inline double ThreadCpuMs() noexcept
{
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    const auto ms = [](const timeval &t) {
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}
