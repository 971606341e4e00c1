// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "storage/uTGameRecords.h"

#include "rules/uTTavolex.h"
#include "storage/uIniFile.h"
#include "storage/uTStatistics.h"
#include "storage/uTools.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <limits>
#include <optional>
#include <tuple>

namespace {

// The thirteen fields of a column: rows 1-6 and 12-18.
constexpr std::array<int, 13> FieldRows{1, 2, 3, 4, 5, 6, 12, 13, 14, 15, 16, 17, 18};
// Only the lines above the ranking can hold give-up lines.
constexpr std::size_t ReportHeadBytes = 16384;
constexpr std::size_t ReportChunkBytes = 4096;

bool IsEmptySeat(const QString &entry)
{
    return entry.isEmpty() || entry.compare(QLatin1String("NIL"), Qt::CaseInsensitive) == 0;
}

// A decimal whole number with blanks around it, as toInt reads it, without
// its general machinery: a record holds a hundred of them.
bool ReadWhole(QStringView text, int &value)
{
    if (!text.isEmpty() && (text.front().isSpace() || text.back().isSpace()))
        text = text.trimmed();
    const bool negative = text.startsWith(u'-');
    if (negative || text.startsWith(u'+'))
        text = text.mid(1);
    if (text.isEmpty() || text.size() > 10)
        return false;
    qint64 number = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
        number = number * 10 + (c.unicode() - '0');
    }
    number = negative ? -number : number;
    if (number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
        return false;
    value = static_cast<int>(number);
    return true;
}

void ReadSheet(const QString &text, RRecordedPlayer &player)
{
    // 25 values, each followed by a bar, leave one empty part at the end.
    const QStringView rest(text);
    qsizetype start = 0;
    for (int part = 0; part < RRecordedPlayer::SheetRows; ++part) {
        const qsizetype bar = std::find(rest.begin() + start, rest.end(), u'|') - rest.begin();
        if (bar == rest.size() || !ReadWhole(rest.sliced(start, bar - start), player.Sheet[static_cast<std::size_t>(part)]))
            return;
        start = bar + 1;
    }
    player.HasSheet = start == rest.size();
}

// An entry as the INI layer returns it (outer quotes removed); empty when
// its points are no whole number, as the statistics list reads it.
std::optional<RRecordedPlayer> ReadEntry(const QString &entry)
{
    const QStringList fields = TStatistics::CommaFields(QLatin1Char('"') + entry + QLatin1Char('"'));
    RRecordedPlayer player;
    bool ok = false;
    player.Points = fields.value(2).toInt(&ok);
    if (!ok)
        return std::nullopt;
    player.Name = fields.value(0);
    player.ProfileFile = fields.value(1);
    ReadSheet(fields.value(3), player);
    return player;
}

// The keys of a section as the statistics write them; the first of a
// repeated key counts, as it does for every reader of the file.
struct TSectionValues {
    std::array<std::optional<QString>, TStatistics::MaxPlayers> Players;
    std::optional<QString> DiceCount, GameCount, GameDate, Scores, GameReport;

    // A pair line of the section; values are decoded only when kept.
    void Take(const TIniFile::RLine &line)
    {
        static const QString PlayerPrefix = QStringLiteral("player");
        const QString key = TIniFile::FoldedKey(line.Key);
        std::optional<QString> *slot = nullptr;
        if (key.size() == PlayerPrefix.size() + 1 && key.startsWith(PlayerPrefix)) {
            const int seat = key.back().unicode() - '0';
            if (seat >= 0 && seat < TStatistics::MaxPlayers)
                slot = &Players[static_cast<std::size_t>(seat)];
        } else {
            slot = key == QLatin1String("dicecount")    ? &DiceCount
                   : key == QLatin1String("gamecount")  ? &GameCount
                   : key == QLatin1String("gamedate")   ? &GameDate
                   : key == QLatin1String("scores")     ? &Scores
                   : key == QLatin1String("gamereport") ? &GameReport
                                                        : nullptr;
        }
        if (slot && !*slot)
            *slot = TIniFile::Unquoted(FromAnsi(line.Value));
    }
};

// ReadInteger's reading: a decimal whole number, otherwise the default.
int WholeNumber(const std::optional<QString> &text, int def)
{
    bool ok = false;
    const int value = text ? text->trimmed().toInt(&ok, 10) : def;
    return ok ? value : def;
}

// Bonus threshold and struck value of a game's "Scores", looked up once per
// distinct text: nearly every game is played with the same rules.
class TRuleValues {
public:
    std::pair<int, int> Of(const QString &scores)
    {
        auto known = m_Known.constFind(scores);
        if (known == m_Known.cend()) {
            known = m_Known.insert(
                scores, {TTavolexSettings::ParseRuleValue(scores, Row::UpperPoints, DefaultRuleValue(Row::UpperPoints)),
                         TTavolexSettings::ParseRuleValue(scores, Row::StruckField, DefaultRuleValue(Row::StruckField))});
        }
        return *known;
    }

private:
    QHash<QString, std::pair<int, int>> m_Known;
};

std::optional<RGameRecord> ReadGame(const QString &section, const TSectionValues &values, TRuleValues &rules)
{
    RGameRecord game;
    bool ok = false;
    game.GameNumber = section.trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    for (const std::optional<QString> &entry : values.Players) {
        if (!entry || IsEmptySeat(*entry))
            continue;
        std::optional<RRecordedPlayer> player = ReadEntry(*entry);
        // Without every player's points the game cannot be ranked.
        if (!player)
            return std::nullopt;
        game.Players.append(*player);
    }
    if (game.Players.isEmpty())
        return std::nullopt;
    game.DiceCount = WholeNumber(values.DiceCount, 0);
    game.GameCount = WholeNumber(values.GameCount, 0);
    game.DateText = GameDateText(values.GameDate.value_or(QString()));
    game.GameReport = values.GameReport.value_or(QStringLiteral("n.V."));
    std::tie(game.BonusThreshold, game.StruckValue) = rules.Of(values.Scores.value_or(QString()));
    return game;
}

int SheetValue(const RRecordedPlayer &player, int row)
{
    return player.Sheet[static_cast<std::size_t>(row)];
}

// A player who gave up left a field open, which the entry writes as 0; with
// no 0 in the recorded column (and only one column) nobody gave up.
bool MayHaveGivenUp(const RGameRecord &game)
{
    if (game.GameCount > 1)
        return true;
    return std::any_of(game.Players.cbegin(), game.Players.cend(), [](const RRecordedPlayer &p) {
        return !p.HasSheet
               || std::any_of(FieldRows.cbegin(), FieldRows.cend(), [&p](int row) { return SheetValue(p, row) == 0; });
    });
}

QString HtmlUnescaped(QString text)
{
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    text.replace(QLatin1String("&quot;"), QLatin1String("\""));
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return text;
}

// The start of a report up to its ranking, read into `buffer` in small
// steps: the ranking follows the rule tables within the first kilobytes.
// Plain system calls and one buffer for all, since thousands of reports may
// be looked into; a link is not followed and a folder gives nothing.
QByteArrayView ReportHead(const QString &reportPath, std::array<char, ReportHeadBytes> &buffer)
{
    static constexpr QByteArrayView Ranking("<H4>Endstand:");
    const int fd = ::open(QFile::encodeName(reportPath).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return {};
    std::size_t size = 0;
    while (size < buffer.size()) {
        const ssize_t got = ::read(fd, buffer.data() + size, std::min(ReportChunkBytes, buffer.size() - size));
        if (got <= 0)
            break;
        const std::size_t searchFrom = size > static_cast<std::size_t>(Ranking.size()) ? size - Ranking.size() : 0;
        size += static_cast<std::size_t>(got);
        const qsizetype ranking = QByteArrayView(buffer.data(), size).indexOf(Ranking, searchFrom);
        if (ranking >= 0) {
            size = static_cast<std::size_t>(ranking);
            break;
        }
    }
    ::close(fd);
    return QByteArrayView(buffer.data(), size);
}

// Name and points of every give-up line of a report. Most reports hold
// none: the bytes are searched first, only a found line is decoded.
QList<std::pair<QString, int>> GiveUpLines(const QString &reportPath)
{
    static constexpr QByteArrayView Marker(" Runde abgebrochen.<br>");
    static const QRegularExpression Line(
        QStringLiteral("^(.*) hat das Spiel mit (-?\\d+) Punkten in der \\d+\\. Runde abgebrochen\\.<br>$"));
    static std::array<char, ReportHeadBytes> buffer;
    const QByteArrayView head = ReportHead(reportPath, buffer);
    QList<std::pair<QString, int>> found;
    for (qsizetype at = head.indexOf(Marker); at >= 0; at = head.indexOf(Marker, at + 1)) {
        const qsizetype start = head.first(at).lastIndexOf('\n') + 1;
        const QRegularExpressionMatch match =
            Line.match(FromAnsi(head.sliced(start, at + Marker.size() - start).toByteArray()));
        if (match.hasMatch())
            found.append({HtmlUnescaped(match.captured(1)), match.captured(2).toInt()});
    }
    return found;
}

QString UniqueName(const QString &name, const QString &file, const QHash<QString, int> &nameUses)
{
    return nameUses.value(name) > 1 ? name + QStringLiteral(" (") + file + QLatin1Char(')') : name;
}

// Counts a finished sheet: an entry of an unfilled column (all fields 0
// while the player scored) describes nothing of the player's play.
bool CountsSheet(const RRecordedPlayer &player)
{
    if (!player.HasSheet)
        return false;
    const bool allZero =
        std::all_of(FieldRows.cbegin(), FieldRows.cend(), [&player](int row) { return SheetValue(player, row) == 0; });
    return !allZero || player.Points == 0;
}

bool IsStruck(const RGameRecord &game, int row, int value)
{
    return value == (row <= Row::Sixes ? 0 : game.StruckValue);
}

struct TFigureSums {
    std::array<qint64, 13> Values{};
    std::array<int, 13> Struck{};
    int Bonus = 0;
    qint64 Points = 0;
    int Streak = 0;
};

void AddSheet(const RGameRecord &game, const RRecordedPlayer &player, RPlayerFigures &figures, TFigureSums &sums)
{
    ++figures.Sheets;
    for (std::size_t f = 0; f < FieldRows.size(); ++f) {
        const int value = SheetValue(player, FieldRows[f]);
        sums.Values[f] += value;
        sums.Struck[f] += IsStruck(game, FieldRows[f], value) ? 1 : 0;
    }
    if (SheetValue(player, Row::UpperPoints) >= game.BonusThreshold)
        ++sums.Bonus;
}

void AddFinished(const RGameRecord &game, const RRecordedPlayer &player, RPlayerFigures &figures, TFigureSums &sums)
{
    const RGameMark mark{game.GameNumber, game.DateText, player.Points};
    if (figures.Finished == 0) {
        figures.Best = figures.Worst = mark;
        figures.FirstDate = game.DateText;
    }
    ++figures.Finished;
    if (player.Points > figures.Best.Points)
        figures.Best = mark;
    if (player.Points < figures.Worst.Points)
        figures.Worst = mark;
    figures.LastDate = game.DateText;
    figures.PointsSeries.append(player.Points);
    sums.Points += player.Points;
    if (CountsSheet(player))
        AddSheet(game, player, figures, sums);
}

void AddContested(const RGameRecord &game, const RRecordedPlayer &player, RPlayerFigures &figures, TFigureSums &sums)
{
    ++figures.Contested;
    if (player.Won(static_cast<int>(game.Players.size()))) {
        ++figures.Won;
        figures.LongestStreak = std::max(figures.LongestStreak, ++sums.Streak);
    } else {
        sums.Streak = 0;
    }
}

double Share(qint64 part, int whole)
{
    return whole > 0 ? static_cast<double>(part) / whole : 0.0;
}

void Conclude(RPlayerFigures &figures, const TFigureSums &sums)
{
    figures.WinRate = Share(figures.Won, figures.Contested);
    figures.AveragePoints = Share(sums.Points, figures.Finished);
    figures.BonusRate = Share(sums.Bonus, figures.Sheets);
    for (std::size_t f = 0; f < FieldRows.size(); ++f) {
        figures.Fields[f].Row = FieldRows[f];
        figures.Fields[f].Average = Share(sums.Values[f], figures.Sheets);
        figures.Fields[f].StruckRate = Share(sums.Struck[f], figures.Sheets);
    }
}

// Whether a game is of a type (empty: any); the type text is built once per
// pair of rule counts, not once per game.
class TTypeMatch {
public:
    explicit TTypeMatch(const QString &gameType)
        : m_Type(gameType)
    {
    }

    bool operator()(const RGameRecord &game)
    {
        if (m_Type.isEmpty())
            return true;
        const std::pair counts{game.DiceCount, game.GameCount};
        auto known = m_Known.constFind(counts);
        if (known == m_Known.cend())
            known = m_Known.insert(counts, game.GameType() == m_Type);
        return *known;
    }

private:
    QString m_Type;
    QHash<std::pair<int, int>, bool> m_Known;
};

// Floor division, also for negative points.
qint64 BinOf(qint64 value, qint64 width)
{
    return value >= 0 ? value / width : -((-value + width - 1) / width);
}

// The smallest round width that covers low..high with at most maxBins bins;
// 64 bits, since points may span the whole int range. Values on both sides
// of 0 always take two bins, whatever the width.
qint64 BinWidth(qint64 low, qint64 high, int maxBins)
{
    constexpr qint64 Widest = 10'000'000'000;  // beyond any range of int points
    for (qint64 decade = 1; decade < Widest; decade *= 10) {
        for (qint64 step : {1, 2, 5, 10, 20, 25, 50}) {
            if (BinOf(high, step * decade) - BinOf(low, step * decade) + 1 <= maxBins)
                return step * decade;
        }
    }
    return Widest;
}

}  // namespace

const RRecordedPlayer *RGameRecord::PlayerOf(const QString &profileFile) const
{
    for (const RRecordedPlayer &player : Players) {
        if (player.ProfileFile == profileFile)
            return &player;
    }
    return nullptr;
}

QString RGameRecord::GameType() const
{
    return GameTypeText(DiceCount, GameCount);
}

QString GameTypeText(int diceCount, int gameCount)
{
    return QStringLiteral("%1 Würfe, %2 %3")
        .arg(diceCount)
        .arg(gameCount)
        .arg(gameCount == 1 ? QStringLiteral("Spalte") : QStringLiteral("Spalten"));
}

TGameRecords::TGameRecords(const QString &dataFolder)
    : m_DataFolder(dataFolder)
{
}

void TGameRecords::Load()
{
    m_Games.clear();
    QFile file(m_DataFolder + QStringLiteral("Stats.ini"));
    if (!file.open(QIODevice::ReadOnly))
        return;
    // One pass over the bytes instead of an INI tree of every line: the file
    // of thousands of games is read at every opening. As every reader of the
    // file, the first section of a name counts, and its first value of a key.
    QSet<QString> sections;
    QSet<int> numbers;
    TRuleValues rules;
    std::optional<std::pair<QString, TSectionValues>> open;
    const auto close = [&] {
        if (!open)
            return;
        std::optional<RGameRecord> game = ReadGame(open->first, open->second, rules);
        open.reset();
        // A repeated number is one game: its first section counts.
        if (!game || numbers.contains(game->GameNumber))
            return;
        numbers.insert(game->GameNumber);
        // A report name read from the file may point anywhere: only plain
        // names in the data folder are looked into.
        if (game->Players.size() > 1 && IsPlainReportName(game->GameReport) && MayHaveGivenUp(*game))
            MarkGiveUps(*game);
        RankPlayers(*game);
        m_Games.append(std::move(*game));
    };
    TIniFile::ForEachLine(file.readAll(), [&](const TIniFile::RLine &line) {
        if (line.Header) {
            close();
            const QString name = FromAnsi(line.Name);
            const QString folded = TIniFile::FoldedName(name);
            if (!sections.contains(folded)) {
                sections.insert(folded);
                open.emplace(name, TSectionValues{});
            }
        } else if (open && line.IsPair()) {
            open->second.Take(line);
        }
    });
    close();
}

void TGameRecords::MarkGiveUps(RGameRecord &game) const
{
    for (const auto &[name, points] : GiveUpLines(m_DataFolder + game.GameReport)) {
        for (RRecordedPlayer &player : game.Players) {
            if (!player.GaveUp && player.Name == name && player.Points == points) {
                player.GaveUp = true;
                break;
            }
        }
    }
}

void TGameRecords::RankPlayers(RGameRecord &game)
{
    for (RRecordedPlayer &player : game.Players) {
        if (player.GaveUp) {
            player.Rank = -1;
            continue;
        }
        // Equal points share a place and the next place is skipped.
        player.Rank = 1 + static_cast<int>(std::count_if(game.Players.cbegin(), game.Players.cend(),
                                                         [&player](const RRecordedPlayer &other) {
                                                             return !other.GaveUp && other.Points > player.Points;
                                                         }));
    }
}

QStringList TGameRecords::GameTypes(const QString &profileFile) const
{
    QStringList types;
    QSet<std::pair<int, int>> seen;
    for (const RGameRecord &game : m_Games) {
        if (!profileFile.isEmpty() && !game.PlayerOf(profileFile))
            continue;
        const std::pair counts{game.DiceCount, game.GameCount};
        if (!seen.contains(counts)) {
            seen.insert(counts);
            types.append(game.GameType());
        }
    }
    return types;
}

QList<RRecordedProfile> TGameRecords::Profiles() const
{
    QList<RRecordedProfile> profiles;
    QHash<QString, qsizetype> index;
    for (const RGameRecord &game : m_Games) {
        for (const RRecordedPlayer &player : game.Players) {
            const auto found = index.constFind(player.ProfileFile);
            if (found != index.cend()) {
                profiles[*found].Name = player.Name;
                continue;
            }
            index.insert(player.ProfileFile, profiles.size());
            profiles.append({player.ProfileFile, player.Name});
        }
    }
    QHash<QString, int> nameUses;
    for (const RRecordedProfile &profile : profiles)
        ++nameUses[profile.Name];
    for (RRecordedProfile &profile : profiles)
        profile.Name = UniqueName(profile.Name, profile.ProfileFile, nameUses);
    return profiles;
}

RPlayerFigures PlayerFigures(const QList<RGameRecord> &games, const QString &profileFile, const QString &gameType)
{
    RPlayerFigures figures;
    TFigureSums sums;
    TTypeMatch ofType(gameType);
    for (const RGameRecord &game : games) {
        const RRecordedPlayer *player = ofType(game) ? game.PlayerOf(profileFile) : nullptr;
        if (!player)
            continue;
        ++figures.Played;
        if (game.Players.size() > 1)
            AddContested(game, *player, figures, sums);
        if (player->GaveUp)
            ++figures.GaveUp;
        else
            AddFinished(game, *player, figures, sums);
    }
    Conclude(figures, sums);
    return figures;
}

QList<double> MovingAverage(const QList<int> &values, int window)
{
    window = std::max(1, window);
    QList<double> averages;
    averages.reserve(values.size());
    qint64 sum = 0;
    for (qsizetype i = 0; i < values.size(); ++i) {
        sum += values[i];
        if (i >= window)
            sum -= values[i - window];
        averages.append(static_cast<double>(sum) / static_cast<double>(std::min<qsizetype>(i + 1, window)));
    }
    return averages;
}

QList<RHistogramBin> PointsHistogram(const QList<int> &points, int maxBins)
{
    if (points.isEmpty() || maxBins < 1)
        return {};
    const auto [low, high] = std::minmax_element(points.cbegin(), points.cend());
    const qint64 width = BinWidth(*low, *high, maxBins);
    const qint64 first = BinOf(*low, width);
    QList<RHistogramBin> bins(BinOf(*high, width) - first + 1);
    for (qsizetype b = 0; b < bins.size(); ++b) {
        bins[b].From = (first + b) * width;
        bins[b].To = bins[b].From + width - 1;
    }
    for (int value : points)
        ++bins[BinOf(value, width) - first].Count;
    return bins;
}

QList<RHeadToHead> HeadToHead(const QList<RGameRecord> &games, const QList<RRecordedProfile> &profiles,
                              const QString &gameType)
{
    QHash<QString, int> index;
    for (qsizetype i = 0; i < profiles.size(); ++i)
        index.insert(profiles[i].ProfileFile, static_cast<int>(i));
    QHash<std::pair<int, int>, RHeadToHead> pairs;
    TTypeMatch ofType(gameType);
    for (const RGameRecord &game : games) {
        if (!ofType(game))
            continue;
        const int seats = static_cast<int>(game.Players.size());
        std::array<int, TStatistics::MaxPlayers> seen{};
        for (int p = 0; p < seats; ++p)
            seen[static_cast<std::size_t>(p)] = index.value(game.Players[p].ProfileFile, -1);
        for (int a = 0; a < seats; ++a) {
            for (int b = 0; b < seats; ++b) {
                const int ia = seen[static_cast<std::size_t>(a)];
                const int ib = seen[static_cast<std::size_t>(b)];
                if (ia < 0 || ib < 0 || ia >= ib)
                    continue;
                RHeadToHead &pair = pairs[{ia, ib}];
                ++pair.Together;
                pair.WinsA += game.Players[a].Won(seats) ? 1 : 0;
                pair.WinsB += game.Players[b].Won(seats) ? 1 : 0;
            }
        }
    }
    QList<RHeadToHead> rows;
    for (int a = 0; a < profiles.size(); ++a) {
        for (int b = a + 1; b < profiles.size(); ++b) {
            const auto found = pairs.constFind({a, b});
            if (found == pairs.cend())
                continue;
            RHeadToHead row = *found;
            row.ProfileA = profiles[a].ProfileFile;
            row.ProfileB = profiles[b].ProfileFile;
            rows.append(row);
        }
    }
    return rows;
}
