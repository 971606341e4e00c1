// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A player profile: one signed file "Player<n>.qtp" in the data folder.
class TPlayer {
public:
    [[nodiscard]] int MatchesWon() const noexcept { return m_MatchesWon; }
    [[nodiscard]] const QString &Name() const noexcept { return m_Name; }
    [[nodiscard]] bool Plays() const noexcept { return m_Plays; }
    [[nodiscard]] int Points() const noexcept { return m_Points; }
    [[nodiscard]] bool InGame() const noexcept { return m_InGame; }
    [[nodiscard]] const QString &FileName() const noexcept { return m_FileName; }
    [[nodiscard]] const QString &Background() const noexcept { return m_Background; }
    [[nodiscard]] int BackgroundType() const noexcept { return m_BackgroundType; }
    [[nodiscard]] int BackgroundIndex() const noexcept { return m_BackgroundIndex; }
    [[nodiscard]] int DiceType() const noexcept { return m_DiceType; }
    // 0 a person, 1-3 a computer player of that strength (TStrength).
    [[nodiscard]] int Computer() const noexcept { return m_Computer; }

    void SetMatchesWon(int v) noexcept { m_MatchesWon = v; }
    void SetName(const QString &v) { m_Name = v; }
    void SetPlays(bool v) noexcept { m_Plays = v; }
    void SetPoints(int v) noexcept { m_Points = v; }
    void SetInGame(bool v) noexcept { m_InGame = v; }
    void SetFileName(const QString &v) { m_FileName = v; }
    void SetBackground(const QString &v) { m_Background = v; }
    void SetBackgroundType(int v) noexcept { m_BackgroundType = v; }
    void SetBackgroundIndex(int v) noexcept { m_BackgroundIndex = v; }
    void SetDiceType(int v) noexcept { m_DiceType = v; }
    void SetComputer(int v) noexcept { m_Computer = v; }

    // Reads the profile. `error` becomes empty, or the name just read when
    // the signature does not match (the file name without folder when that
    // name is empty). A missing file changes nothing.
    void LoadFromFile(const QString &fileName, QString &error);
    // Writes and signs the profile. Throws EWriteError.
    void SaveToFile(const QString &fileName) const;

private:
    int m_MatchesWon = 0;
    QString m_Name;
    bool m_Plays = false;
    int m_Points = 0;
    bool m_InGame = false;
    QString m_FileName;
    QString m_Background;
    int m_BackgroundType = 0;
    int m_BackgroundIndex = 0;
    int m_DiceType = 0;
    int m_Computer = 0;
};

// The profile files of a folder.
class TPlayerFiles {
public:
    QStringList Files;  // names without folder

    void Scan(const QString &folder);
    // A "Player<n>.qtp" name that Files does not hold (letter case ignored).
    [[nodiscard]] QString NewFileName() const;
    // Reorders Files by the names stored in the profiles, then by file name.
    void SortByName(const QString &folder);
};

// The players of a game from the data folder (with its trailing "/"): the
// profiles marked as playing, in name order, FileName set, Points 0, InGame
// true. At most four, since a game has four seats; further ones are left out.
[[nodiscard]] QList<TPlayer> LoadGamePlayers(const QString &dataFolder);
