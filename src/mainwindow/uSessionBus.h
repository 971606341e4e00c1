// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QProcessEnvironment>
#include <QString>

#include <functional>

// Qt's accessibility bridge asks for the session bus at the first window.
// Without an address or a user bus, libdbus forks and walks the PATH for
// dbus-launch, which would look the bus up on the X display: a tenth of the
// start, paid on kiosk sessions, plain X sessions and Xvfb, where no
// dbus-launch is installed and the search cannot find anything. Where that
// is so, the program names an address that fails at once, with the same
// outcome, and gives its children the environment it got.
class TSessionBusShortcut {
public:
    // Whether libdbus could find a session bus with this environment;
    // `exists` tells whether a file or socket is there.
    [[nodiscard]] static bool BusCanBeFound(const QProcessEnvironment &environment,
                                            const std::function<bool(const QString &)> &exists);

    // Call before any other thread reads the environment.
    TSessionBusShortcut();
    ~TSessionBusShortcut();
    TSessionBusShortcut(const TSessionBusShortcut &) = delete;
    TSessionBusShortcut &operator=(const TSessionBusShortcut &) = delete;

    // Once the bus has been asked for, and while no thread reads the
    // environment outside Qt's lock: takes the address back out.
    void Restore();

    [[nodiscard]] bool Active() const { return m_Active; }

private:
    bool m_Active = false;
};
