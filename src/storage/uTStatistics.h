// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>

#include <array>

class TTavolex;

// One recorded game of one player, as the edit player dialog lists it.
struct RPlayerStatistics {
    int DiceCount = 0;
    int GameNumber = 0;
    int GameCount = 0;
    QString DateText;    // "dd.mm.yyyy", or "??.??.????"
    QString GameReport;  // report file name without folder, or "n.V."
    int Points = 0;
};

// Stats.ini in the data folder: one section per recorded game (no signature).
class TStatistics {
public:
    static constexpr int MaxPlayers = 4;

    // `dataFolder` ends with "/"; nothing is read.
    explicit TStatistics(const QString &dataFolder);

    [[nodiscard]] const QString &FileName() const noexcept { return m_FileName; }
    [[nodiscard]] int DiceCount() const noexcept { return m_DiceCount; }
    [[nodiscard]] int GameNumber() const noexcept { return m_GameNumber; }
    [[nodiscard]] int GameCount() const noexcept { return m_GameCount; }
    [[nodiscard]] const QString &GameDate() const noexcept { return m_GameDate; }
    [[nodiscard]] const QString &Scores() const noexcept { return m_Scores; }
    [[nodiscard]] const QString &GameReport() const noexcept { return m_GameReport; }
    // 0 <= index < MaxPlayers.
    [[nodiscard]] const QString &PlayerEntries(int index) const;
    [[nodiscard]] const QList<RPlayerStatistics> &Items() const noexcept { return m_Items; }
    [[nodiscard]] int Count() const noexcept { return static_cast<int>(m_Items.size()); }

    void SetDiceCount(int v) noexcept { m_DiceCount = v; }
    void SetGameNumber(int v) noexcept { m_GameNumber = v; }
    void SetGameCount(int v) noexcept { m_GameCount = v; }
    void SetGameDate(const QString &v) { m_GameDate = v; }
    void SetScores(const QString &v) { m_Scores = v; }
    void SetGameReport(const QString &v) { m_GameReport = v; }
    // 0 <= index < MaxPlayers; an empty entry is written as "NIL".
    void SetPlayerEntries(int index, const QString &entry);

    // Writes the section GameNumber (existing keys are overwritten) in one
    // write of the file. Throws EWriteError.
    void SaveGame() const;
    // Items := the games whose entries contain `profileFileName` (case
    // counts), in file order. Sections whose name or points are no whole
    // numbers are skipped.
    void LoadForPlayer(const QString &profileFileName);
    // The highest game number recorded (0 when none), so that a new game can
    // be filed above it.
    [[nodiscard]] int HighestGameNumber() const;

    // Field `index` (from 0) of a comma-separated list; quoted fields may
    // hold commas and blanks, "" inside them is one quote. Empty when absent.
    [[nodiscard]] static QString CommaField(const QString &text, int index);
    // Every field of such a list, in order.
    [[nodiscard]] static QStringList CommaFields(const QString &text);

private:
    QString m_FileName;
    int m_DiceCount = 0;
    int m_GameNumber = 0;
    int m_GameCount = 0;
    QString m_GameDate;
    QString m_Scores;
    QString m_GameReport;
    std::array<QString, MaxPlayers> m_PlayerEntries;
    QList<RPlayerStatistics> m_Items;
};

// "GameDate" ("yyyymmddhhmm") as "dd.mm.yyyy"; "??.??.????" when too short.
[[nodiscard]] QString GameDateText(const QString &gameDate);

// A player's entry: name, profile file name (any folder is dropped) and
// points as quoted fields, then rows 0-24 of `column` as "value|" (as
// RecordedValue gives them: an open row as "0|", an entry of -1 as "-1|"). Quotes inside a field are doubled so the entry reads back.
[[nodiscard]] QString PlayerEntry(const QString &name, const QString &profileFileName, int points, const TTavolex &column);
