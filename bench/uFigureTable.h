// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdio>
#include <string>

// One line of the table that `make bench` prints: figure, value, goal and
// whether the value meets it, separated by tabs.
inline void PrintRow(const std::string &figure, double value, const std::string &unit,
                     const std::string &goal, const char *verdict)
{
    const char *format = value >= 100 ? "%s\t%.0f %s\t%s\t%s\n"
        : value >= 10                 ? "%s\t%.1f %s\t%s\t%s\n"
                                      : "%s\t%.3g %s\t%s\t%s\n";
    std::printf(format, figure.c_str(), value, unit.c_str(), goal.c_str(), verdict);
    std::fflush(stdout);
}

inline void PrintFigure(const std::string &figure, double value, const std::string &unit,
                        const std::string &goal, bool met)
{
    PrintRow(figure, value, unit, goal, met ? "ja" : "NEIN");
}

// A figure shown for comparison, without a goal of its own.
inline void PrintInformation(const std::string &figure, double value, const std::string &unit)
{
    PrintRow(figure, value, unit, "-", "-");
}
