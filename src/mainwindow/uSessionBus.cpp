// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/uSessionBus.h"

#include <QFileInfo>
#include <QStringList>

namespace {

constexpr char AddressVariable[] = "DBUS_SESSION_BUS_ADDRESS";
// No socket can lie below a device: connecting fails without a search.
constexpr char NoBusAddress[] = "unix:path=/dev/null/no-session-bus";

}  // namespace

bool TSessionBusShortcut::BusCanBeFound(const QProcessEnvironment &environment,
                                        const std::function<bool(const QString &)> &exists)
{
    // An address of any kind, even an empty one, is the user's to keep.
    if (environment.contains(QLatin1String(AddressVariable)))
        return true;
    const QString runtime = environment.value(QStringLiteral("XDG_RUNTIME_DIR"));
    if (!runtime.isEmpty() && exists(runtime + QStringLiteral("/bus")))
        return true;
    // libdbus tries its own folder first, then every folder of the PATH.
    QStringList folders{QStringLiteral("/usr/bin")};
    folders += environment.value(QStringLiteral("PATH")).split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString &folder : folders)
        if (exists(folder + QStringLiteral("/dbus-launch")))
            return true;
    return false;
}

TSessionBusShortcut::TSessionBusShortcut()
{
    const auto exists = [](const QString &path) { return QFileInfo::exists(path); };
    if (BusCanBeFound(QProcessEnvironment::systemEnvironment(), exists))
        return;
    m_Active = qputenv(AddressVariable, NoBusAddress);
}

TSessionBusShortcut::~TSessionBusShortcut()
{
    Restore();
}

void TSessionBusShortcut::Restore()
{
    if (m_Active)
        qunsetenv(AddressVariable);
    m_Active = false;
}
