#include "storage/uTGameRecords.h"

#include "rules/uTTavolex.h"
#include "storage/uIniFile.h"
#include "storage/uTStatistics.h"
#include "storage/uTools.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <optional>

namespace {

// The thirteen fields of a column: rows 1-6 and 12-18.
constexpr std::array<int, 13> FieldRows{1, 2, 3, 4, 5, 6, 12, 13, 14, 15, 16, 17, 18};
// Only the lines above the ranking can hold give-up lines.
constexpr qint64 ReportHeadBytes = 16384;

bool IsEmptySeat(const QString &entry)
{
    return entry.isEmpty() || entry.compare(QLatin1String("NIL"), Qt::CaseInsensitive) == 0;
}

void ReadSheet(const QString &text, RRecordedPlayer &player)
{
    const QStringList values = text.split(QLatin1Char('|'));
    // 25 values, each followed by a bar, leave one empty part at the end.
    if (values.size() != RRecordedPlayer::SheetRows + 1 || !values.constLast().isEmpty())
        return;
    for (int row = 0; row < RRecordedPlayer::SheetRows; ++row) {
        bool ok = false;
        player.Sheet[static_cast<std::size_t>(row)] = values[row].trimmed().toInt(&ok);
        if (!ok)
            return;
    }
    player.HasSheet = true;
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

std::optional<RGameRecord> ReadGame(const TIniFile &ini, const QString &section)
{
    RGameRecord game;
    bool ok = false;
    game.GameNumber = section.trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    for (int n = 0; n < TStatistics::MaxPlayers; ++n) {
        const QString entry = ini.ReadString(section, QStringLiteral("Player%1").arg(n), QString());
        if (IsEmptySeat(entry))
            continue;
        std::optional<RRecordedPlayer> player = ReadEntry(entry);
        // Without every player's points the game cannot be ranked.
        if (!player)
            return std::nullopt;
        game.Players.append(*player);
    }
    if (game.Players.isEmpty())
        return std::nullopt;
    game.DiceCount = ini.ReadInteger(section, QStringLiteral("DiceCount"), 0);
    game.GameCount = ini.ReadInteger(section, QStringLiteral("GameCount"), 0);
    game.DateText = GameDateText(ini.ReadString(section, QStringLiteral("GameDate"), QString()));
    game.GameReport = ini.ReadString(section, QStringLiteral("GameReport"), QStringLiteral("n.V."));
    const QString scores = ini.ReadString(section, QStringLiteral("Scores"), QString());
    game.BonusThreshold = TTavolexSettings::ParseRuleValue(scores, Row::UpperPoints, DefaultRuleValue(Row::UpperPoints));
    game.StruckValue = TTavolexSettings::ParseRuleValue(scores, Row::StruckField, DefaultRuleValue(Row::StruckField));
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

// Name and points of every give-up line of a report.
QList<std::pair<QString, int>> GiveUpLines(const QString &reportPath)
{
    QFile file(reportPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray head = file.read(ReportHeadBytes);
    const qsizetype ranking = head.indexOf("<H4>Endstand:");
    if (ranking >= 0)
        head.truncate(ranking);
    static const QRegularExpression line(
        QStringLiteral("^(.*) hat das Spiel mit (-?\\d+) Punkten in der \\d+\\. Runde abgebrochen\\.<br>\\s*$"),
        QRegularExpression::MultilineOption);
    QList<std::pair<QString, int>> found;
    const QString text = FromAnsi(head);
    for (auto it = line.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
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

bool OfType(const RGameRecord &game, const QString &gameType)
{
    return gameType.isEmpty() || game.GameType() == gameType;
}

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
    const TIniFile ini(m_DataFolder + QStringLiteral("Stats.ini"));
    const QSet<QString> reports = ListableReports(m_DataFolder);
    QSet<int> numbers;
    for (const QString &section : ini.ReadSections()) {
        std::optional<RGameRecord> game = ReadGame(ini, section);
        // A repeated number is one game; the INI layer reads its first section.
        if (!game || numbers.contains(game->GameNumber))
            continue;
        numbers.insert(game->GameNumber);
        if (game->Players.size() > 1 && reports.contains(game->GameReport) && MayHaveGivenUp(*game))
            MarkGiveUps(*game);
        RankPlayers(*game);
        m_Games.append(std::move(*game));
    }
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
    for (const RGameRecord &game : m_Games) {
        if (!profileFile.isEmpty() && !game.PlayerOf(profileFile))
            continue;
        const QString type = game.GameType();
        if (!types.contains(type))
            types.append(type);
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
    for (const RGameRecord &game : games) {
        const RRecordedPlayer *player = OfType(game, gameType) ? game.PlayerOf(profileFile) : nullptr;
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
    for (const RGameRecord &game : games) {
        if (!OfType(game, gameType))
            continue;
        const int seats = static_cast<int>(game.Players.size());
        for (const RRecordedPlayer &a : game.Players) {
            for (const RRecordedPlayer &b : game.Players) {
                const int ia = index.value(a.ProfileFile, -1);
                const int ib = index.value(b.ProfileFile, -1);
                if (ia < 0 || ib < 0 || ia >= ib)
                    continue;
                RHeadToHead &pair = pairs[{ia, ib}];
                ++pair.Together;
                pair.WinsA += a.Won(seats) ? 1 : 0;
                pair.WinsB += b.Won(seats) ? 1 : 0;
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
