// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "storage/uTStatistics.h"

#include "rules/uTTavolex.h"
#include "storage/uIniFile.h"

#include <QFileInfo>

#include <algorithm>

namespace {

constexpr int EntryRows = 25;  // rows 0-24; row 25 only carries a rule value

QString PlayerKey(int n)
{
    return QStringLiteral("Player%1").arg(n);
}

QString Quoted(const QString &text)
{
    QString doubled = text;
    doubled.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

QString DateText(const TIniFile &ini, const QString &section)
{
    return GameDateText(ini.ReadString(section, QStringLiteral("GameDate"), QString()));
}

// The first of Player0..Player3 that contains `profile`, or empty.
QString EntryFor(const TIniFile &ini, const QString &section, const QString &profile)
{
    for (int n = 0; n < TStatistics::MaxPlayers; ++n) {
        const QString entry = ini.ReadString(section, PlayerKey(n), QString());
        if (entry.contains(profile, Qt::CaseSensitive))
            return entry;
    }
    return {};
}

bool IsBlank(QChar c)
{
    return c.unicode() <= ' ';
}

// Reads a quoted field starting at text[i] == '"'; i ends after the close.
QString QuotedField(const QString &text, qsizetype &i)
{
    QString field;
    ++i;
    // Most fields hold no doubled quote: one copy, no appending.
    const qsizetype close = text.indexOf(QLatin1Char('"'), i);
    if (close >= 0 && (close + 1 == text.size() || text[close + 1] != QLatin1Char('"'))) {
        field = text.mid(i, close - i);
        i = close + 1;
        return field;
    }
    while (i < text.size()) {
        const qsizetype quote = text.indexOf(QLatin1Char('"'), i);
        if (quote < 0) {  // an unclosed quote runs to the end
            field += QStringView(text).mid(i);
            i = text.size();
            break;
        }
        field += QStringView(text).mid(i, quote - i);
        i = quote + 1;
        if (i >= text.size() || text[i] != QLatin1Char('"'))
            break;
        field += QLatin1Char('"');
        ++i;
    }
    return field;
}

QString PlainField(const QString &text, qsizetype &i)
{
    const qsizetype start = i;
    while (i < text.size() && !IsBlank(text[i]) && text[i] != QLatin1Char(','))
        ++i;
    return text.mid(start, i - start);
}

void SkipBlanks(const QString &text, qsizetype &i)
{
    while (i < text.size() && IsBlank(text[i]))
        ++i;
}

}  // namespace

TStatistics::TStatistics(const QString &dataFolder)
    : m_FileName(dataFolder + QStringLiteral("Stats.ini"))
{
}

const QString &TStatistics::PlayerEntries(int index) const
{
    return m_PlayerEntries.at(static_cast<std::size_t>(index));
}

void TStatistics::SetPlayerEntries(int index, const QString &entry)
{
    m_PlayerEntries.at(static_cast<std::size_t>(index)) = entry;
}

void TStatistics::SaveGame() const
{
    const QString section = QString::number(m_GameNumber);
    TIniFile ini(m_FileName);
    ini.BeginUpdate();
    ini.WriteInteger(section, QStringLiteral("DiceCount"), m_DiceCount);
    ini.WriteInteger(section, QStringLiteral("GameCount"), m_GameCount);
    ini.WriteString(section, QStringLiteral("GameDate"), m_GameDate);
    ini.WriteString(section, QStringLiteral("Scores"), m_Scores);
    ini.WriteString(section, QStringLiteral("GameReport"), m_GameReport);
    for (int n = 0; n < MaxPlayers; ++n) {
        const QString &entry = m_PlayerEntries.at(static_cast<std::size_t>(n));
        ini.WriteString(section, PlayerKey(n), entry.isEmpty() ? QStringLiteral("NIL") : entry);
    }
    ini.EndUpdate();
}

void TStatistics::LoadForPlayer(const QString &profileFileName)
{
    m_Items.clear();
    if (profileFileName.isEmpty())
        return;
    const TIniFile ini(m_FileName);
    for (const QString &section : ini.ReadSections()) {
        const QString entry = EntryFor(ini, section, profileFileName);
        if (entry.isEmpty())
            continue;
        RPlayerStatistics item;
        bool numberOk = false;
        bool pointsOk = false;
        item.GameNumber = section.trimmed().toInt(&numberOk);
        // Reading removed the entry's outer quotes; put them back.
        item.Points = CommaField(QLatin1Char('"') + entry + QLatin1Char('"'), 2).toInt(&pointsOk);
        if (!numberOk || !pointsOk)
            continue;
        item.DiceCount = ini.ReadInteger(section, QStringLiteral("DiceCount"), 0);
        item.GameCount = ini.ReadInteger(section, QStringLiteral("GameCount"), 0);
        item.GameReport = ini.ReadString(section, QStringLiteral("GameReport"), QStringLiteral("n.V."));
        item.DateText = DateText(ini, section);
        m_Items.append(item);
    }
}

int TStatistics::HighestGameNumber() const
{
    const TIniFile ini(m_FileName);
    int highest = 0;
    for (const QString &section : ini.ReadSections()) {
        bool ok = false;
        const int number = section.trimmed().toInt(&ok);
        if (ok)
            highest = std::max(highest, number);
    }
    return highest;
}

QString TStatistics::CommaField(const QString &text, int index)
{
    return CommaFields(text).value(index);
}

QStringList TStatistics::CommaFields(const QString &text)
{
    QStringList fields;
    qsizetype i = 0;
    SkipBlanks(text, i);
    while (i < text.size()) {
        fields.append(text[i] == QLatin1Char('"') ? QuotedField(text, i) : PlainField(text, i));
        SkipBlanks(text, i);
        if (i < text.size() && text[i] == QLatin1Char(',')) {
            ++i;
            if (i == text.size())
                fields.append(QString());  // a trailing comma ends an empty field
            SkipBlanks(text, i);
        }
    }
    return fields;
}

QString GameDateText(const QString &gameDate)
{
    if (gameDate.size() < 8)
        return QStringLiteral("??.??.????");
    // Built in place: the statistics view formats thousands of dates.
    const QStringView date(gameDate);
    QString text;
    text.reserve(10);
    text.append(date.sliced(6, 2)).append(QLatin1Char('.')).append(date.sliced(4, 2)).append(QLatin1Char('.'));
    return text.append(date.first(4));
}

QString PlayerEntry(const QString &name, const QString &profileFileName, int points, const TTavolex &column)
{
    QString rows;
    for (int row = 0; row < EntryRows; ++row)
        rows += QString::number(column.RecordedValue(row)) + QLatin1Char('|');
    return Quoted(name) + QLatin1Char(',') + Quoted(QFileInfo(profileFileName).fileName()) + QLatin1Char(',')
           + Quoted(QString::number(points)) + QLatin1Char(',') + Quoted(rows);
}
