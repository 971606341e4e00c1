// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "storage/uTPlayer.h"

#include <QList>
#include <QStringList>

// Players of a game by name, all ticked to play.
inline QList<TPlayer> playersNamed(const QStringList &names)
{
    QList<TPlayer> list;
    for (const QString &name : names) {
        TPlayer p;
        p.SetName(name);
        p.SetPlays(true);
        list << p;
    }
    return list;
}
