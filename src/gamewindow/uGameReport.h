// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "gamewindow/uWinners.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

class TTurnEngine;

// What a report needs beyond the engine's state.
struct RGameReport {
    QDateTime Written;  // local time of writing: file stamp and heading date
    int GameNumber = 1;
    QString StartTime;  // "HH:MM"
    QString EndTime;    // "HH:MM"
    QList<RWinnerList> Winners;  // as the ceremony left them
};

// "yyyymmdd_hhmm" of `when`.
[[nodiscard]] QString ReportStamp(const QDateTime &when);
// `dataFolder` (with its trailing "/") + "Spiel_" + stamp + ".html".
[[nodiscard]] QString ReportFileName(const QString &dataFolder, const QDateTime &when);
// "14. März 2007": German month names whatever the user's locale.
[[nodiscard]] QString ReportHeadingDate(const QDate &date);
// <, >, & and " as entities, so that a name cannot break the page.
[[nodiscard]] QString HtmlEscaped(const QString &text);

// The report's entries in order; an entry may hold line breaks of its own.
[[nodiscard]] QStringList GameReportLines(const TTurnEngine &engine, const RGameReport &report);
// Every entry followed by CR LF, as Windows-1252.
[[nodiscard]] QByteArray GameReportBytes(const QStringList &lines);
// Writes the report of a game written at `when` into `dataFolder` and
// returns its full path: ReportFileName, or that name with "_2", "_3", ...
// before ".html" when another game's report holds it; `own`, the game's
// earlier report, is overwritten. Creates the folder as needed. Throws
// EWriteError, and then no file has been added or changed.
[[nodiscard]] QString SaveGameReport(const QString &dataFolder, const QDateTime &when, const QString &own,
                                     const QStringList &lines);
