// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "storage/uTPlayer.h"

#include "play/uRandom.h"
#include "storage/uIniFile.h"
#include "storage/uTools.h"

#include <QFileInfo>

#include <algorithm>

namespace {
const QString Section = QStringLiteral("PLAYER");
constexpr int MaxGamePlayers = 4;

QString WithSlash(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}
}  // namespace

void TPlayer::LoadFromFile(const QString &fileName, QString &error)
{
    error.clear();
    const TIniFile ini(fileName);
    if (!ini.Exists())
        return;
    m_MatchesWon = ini.ReadInteger(Section, QStringLiteral("MatchesWon"), 0);
    m_Name = ini.ReadString(Section, QStringLiteral("Name"), QString());
    m_Plays = ini.ReadBool(Section, QStringLiteral("Plays"), false);
    m_Background = ini.ReadString(Section, QStringLiteral("Background"), QString());
    m_BackgroundType = ini.ReadInteger(Section, QStringLiteral("BackgroundType"), 0);
    m_DiceType = ini.ReadInteger(Section, QStringLiteral("DiceType"), 0);
    // Profiles from before computer players lack the key: a person.
    m_Computer = ini.ReadInteger(Section, QStringLiteral("Computer"), 0);
    // Callers take an empty error for a sound file, so a tampered profile
    // without a name reports its file name instead.
    if (!VerifyKey(ini, Section))
        error = m_Name.isEmpty() ? QFileInfo(fileName).fileName() : m_Name;
}

void TPlayer::SaveToFile(const QString &fileName) const
{
    TIniFile ini(fileName);
    ini.BeginUpdate();
    ini.WriteInteger(Section, QStringLiteral("MatchesWon"), m_MatchesWon);
    ini.WriteString(Section, QStringLiteral("Name"), m_Name);
    ini.WriteBool(Section, QStringLiteral("Plays"), m_Plays);
    ini.WriteString(Section, QStringLiteral("Background"), m_Background);
    ini.WriteInteger(Section, QStringLiteral("BackgroundType"), m_BackgroundType);
    ini.WriteInteger(Section, QStringLiteral("DiceType"), m_DiceType);
    ini.WriteInteger(Section, QStringLiteral("Computer"), m_Computer);
    WriteKey(ini, Section);
    ini.EndUpdate();
}

void TPlayerFiles::Scan(const QString &folder)
{
    Files = ListFolder(WithSlash(folder) + QStringLiteral("*.qtp"));
}

QString TPlayerFiles::NewFileName() const
{
    QString name;
    do {
        name = QStringLiteral("Player%1.qtp").arg(Random(100000));
    } while (Files.contains(name, Qt::CaseInsensitive));
    return name;
}

void TPlayerFiles::SortByName(const QString &folder)
{
    const QString base = WithSlash(folder);
    QStringList keys;
    TPlayer scratch;
    for (const QString &file : Files) {
        QString ignored;
        scratch.LoadFromFile(base + file, ignored);
        keys.append(scratch.Name() + QLatin1Char('|') + file);
    }
    std::stable_sort(keys.begin(), keys.end(), [](const QString &a, const QString &b) {
        return CompareTextIgnoringCase(a, b) < 0;
    });
    for (qsizetype i = 0; i < keys.size(); ++i)
        Files[i] = keys[i].mid(keys[i].lastIndexOf(QLatin1Char('|')) + 1);
}

QList<TPlayer> LoadGamePlayers(const QString &dataFolder)
{
    const QString base = WithSlash(dataFolder);
    TPlayerFiles files;
    files.Scan(base);
    files.SortByName(base);
    QList<TPlayer> players;
    for (const QString &file : files.Files) {
        // A fresh profile each time: a file gone since the scan must not
        // inherit the previous player's "Plays".
        TPlayer player;
        QString ignored;
        player.LoadFromFile(base + file, ignored);
        if (!player.Plays())
            continue;
        player.SetFileName(base + file);
        player.SetPoints(0);
        player.SetInGame(true);
        players.append(player);
        if (players.size() == MaxGamePlayers)
            break;
    }
    return players;
}
