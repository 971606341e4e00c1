// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <future>
#include <optional>
#include <thread>

// Sets up the system's fonts on a second core while the program connects to
// the display and builds its first window. Reading the font configuration
// is the largest part of what any window that shows text pays at start.
class TFontWarmup {
public:
    // Starts reading the font configuration at once; nothing of Qt is
    // touched until Resume, so this may come before the application.
    TFontWarmup();
    // Waits for the thread; a warm-up never resumed ends after the reading.
    ~TFontWarmup();
    TFontWarmup(const TFontWarmup &) = delete;
    TFontWarmup &operator=(const TFontWarmup &) = delete;

    // With the application made: waits until the configuration is read (Qt
    // reads it at the first text itself, and two readers would each do the
    // whole work), then lets the thread fill Qt's font list and find the
    // fonts standing in for `family`, while the caller builds its window.
    // The caller's first text waits for that list, never reads it twice.
    void Resume(const QString &family);
    // Waits until the thread is done; call it while the application exists.
    // Without a Resume before, the thread ends after the reading.
    void Finish();

private:
    std::optional<std::promise<QString>> m_Family;
    std::future<void> m_ConfigurationRead;
    std::thread m_Thread;
};
