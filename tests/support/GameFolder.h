// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "rules/uTTavolex.h"
#include "storage/uTMainApplication.h"
#include "storage/uTPlayer.h"

#include <QStringList>
#include <QTemporaryDir>

// A data folder for a game window: Anna (white dice) and Bert (red) play,
// the sound is off, and Settings.ini holds the given columns and design.
struct TGameFolder {
    QTemporaryDir Dir;
    QString Path = Dir.path() + QLatin1Char('/');

    explicit TGameFolder(int columns = 1, int design = 0)
    {
        TTavolexSettings rules;
        rules.SetGameCount(columns);
        rules.SetDesignName(QString::number(design));
        rules.SaveToFile(Path + QStringLiteral("Settings.ini"), QStringLiteral("Settings"));
        const QStringList names{QStringLiteral("Anna"), QStringLiteral("Bert")};
        for (int i = 0; i < names.size(); ++i) {
            TPlayer player;
            player.SetName(names[i]);
            player.SetPlays(true);
            player.SetDiceType(i);
            player.SaveToFile(Path + QStringLiteral("Player%1.qtp").arg(i + 1));
        }
        TMainApplication settings;
        settings.SetSound(1);
        settings.SaveToFile(Path + QStringLiteral("Global.ini"));
    }
};
