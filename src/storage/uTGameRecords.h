// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>

#include <array>

// One player's entry of a recorded game.
struct RRecordedPlayer {
    static constexpr int SheetRows = 25;  // rows 0-24 of the recorded column

    QString Name;
    QString ProfileFile;  // the profile's file name without folder
    int Points = 0;
    std::array<int, SheetRows> Sheet{};
    bool HasSheet = false;  // all 25 values were whole numbers
    // The game report names the player among those who gave up: the entry
    // itself cannot tell an open field (written as 0) from a struck one.
    bool GaveUp = false;
    int Rank = -1;  // place as the ceremony gives it; -1 for a player who gave up

    [[nodiscard]] bool Won(int playersInGame) const noexcept { return Rank == 1 && playersInGame > 1; }
};

// One section of Stats.ini.
struct RGameRecord {
    int GameNumber = 0;
    int DiceCount = 0;
    int GameCount = 0;
    QString DateText;  // "dd.mm.yyyy", or "??.??.????"
    QString GameReport;
    int BonusThreshold = 63;  // rule values of the game's "Scores"
    int StruckValue = 0;
    QList<RRecordedPlayer> Players;

    // The player whose entry names exactly this profile file, or null.
    [[nodiscard]] const RRecordedPlayer *PlayerOf(const QString &profileFile) const;
    [[nodiscard]] QString GameType() const;
};

// "3 Würfe, 1 Spalte", the game type of the edit player dialog's filter.
[[nodiscard]] QString GameTypeText(int diceCount, int gameCount);

// A player of the records: one profile file, shown with the name it carried
// in its latest game.
struct RRecordedProfile {
    QString ProfileFile;
    QString Name;  // made unique with the file name when two profiles share it
};

// Stats.ini read into per-game records, for the figures below. Sections
// whose name or whose entries' points are no whole numbers are skipped, as
// are later sections repeating a game number already read.
class TGameRecords {
public:
    // `dataFolder` ends with "/"; nothing is read yet.
    explicit TGameRecords(const QString &dataFolder);

    // Reads Stats.ini once, and for games of several players the give-up
    // lines of their reports; ranks every game. A missing file gives no games.
    void Load();
    // Ranks the games as the ceremony does; for records built by hand.
    static void RankPlayers(RGameRecord &game);

    [[nodiscard]] const QList<RGameRecord> &Games() const noexcept { return m_Games; }
    void SetGames(const QList<RGameRecord> &games) { m_Games = games; }
    // Game types in the order they first occur; with a profile file only
    // those of that player's games.
    [[nodiscard]] QStringList GameTypes(const QString &profileFile = QString()) const;
    // Every profile of the records in the order of first appearance.
    [[nodiscard]] QList<RRecordedProfile> Profiles() const;

private:
    void MarkGiveUps(RGameRecord &game) const;

    QString m_DataFolder;
    QList<RGameRecord> m_Games;
};

// The figures of one field (rows 1-6, 12-18) over a player's sheets.
struct RFieldFigure {
    int Row = 0;
    double Average = 0;
    double StruckRate = 0;  // share of sheets with the game's struck value (0 above)
};

struct RGameMark {
    int GameNumber = 0;
    QString DateText;
    int Points = 0;
};

// A player's record for one game type (empty type: all games).
struct RPlayerFigures {
    int Played = 0;      // games with an entry of the player
    int Contested = 0;   // of them, games with more than one player
    int Won = 0;         // first place, shared places included
    int GaveUp = 0;
    int Finished = 0;    // games not given up: the base of every points figure
    double WinRate = 0;  // Won / Contested; 0 without contested games
    double AveragePoints = 0;
    RGameMark Best;
    RGameMark Worst;
    int Sheets = 0;  // finished games whose recorded column is read
    std::array<RFieldFigure, 13> Fields{};
    double BonusRate = 0;   // share of sheets whose upper sum reached the threshold
    int LongestStreak = 0;  // contested games won in a row
    QList<int> PointsSeries;  // points of the finished games in recording order
    QString FirstDate;        // dates of the first and last finished game
    QString LastDate;
};

[[nodiscard]] RPlayerFigures PlayerFigures(const QList<RGameRecord> &games, const QString &profileFile,
                                           const QString &gameType = QString());

// The mean of each value and the `window` - 1 before it (fewer at the start);
// a window below 1 counts as 1.
[[nodiscard]] QList<double> MovingAverage(const QList<int> &values, int window);

struct RHistogramBin {
    qint64 From = 0;  // points From to To, both included
    qint64 To = 0;
    int Count = 0;
};

// Bins of a round width (1, 2, 5, 10, 20, 25, 50, ...) so that at most
// `maxBins` cover all values (two when they lie on both sides of 0 and one
// bin was asked for); empty for no values.
[[nodiscard]] QList<RHistogramBin> PointsHistogram(const QList<int> &points, int maxBins);

// Two players' games together and the games each of them won.
struct RHeadToHead {
    QString ProfileA;
    QString ProfileB;
    int Together = 0;
    int WinsA = 0;
    int WinsB = 0;
};

// Every pair of `profiles` (in their order) that played together at least once.
[[nodiscard]] QList<RHeadToHead> HeadToHead(const QList<RGameRecord> &games, const QList<RRecordedProfile> &profiles,
                                            const QString &gameType = QString());
