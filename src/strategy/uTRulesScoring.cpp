// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "strategy/uTRulesScoring.h"

#include <QCryptographicHash>
#include <QDir>

#include <algorithm>
#include <limits>

namespace {
int StrikeValue(const TTavolexSettings &rules, int row)
{
    return row <= Row::Sixes ? 0 : rules.RuleValue(Row::StruckField);
}

// What the turn engine enters for a field of a column that has evaluated a
// throw: its move value, or the strike value when it offers nothing.
TFieldScore ScoreOfRow(const TTavolex &column, const TTavolexSettings &rules, int row)
{
    const int move = column.Rows(row).MoveValue;
    TFieldScore score;
    score.Points = move != 0 ? move : StrikeValue(rules, row);
    score.SetsFlag = row == Row::Quintor && score.Points > 0;
    return score;
}

int Saturated(long long sum) noexcept
{
    return static_cast<int>(std::clamp<long long>(sum, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}
}  // namespace

TRulesScoring::TRulesScoring(const TTavolexSettings &rules)
    : m_Rules(rules)
{
    m_Rules.ClampForPlay();
}

int TRulesScoring::Throws() const
{
    return m_Rules.DiceCount();
}

int TRulesScoring::BonusThreshold() const
{
    return m_Rules.RuleValue(Row::UpperPoints);
}

int TRulesScoring::Bonus() const
{
    return m_Rules.RuleValue(Row::UpperBonus);
}

int TRulesScoring::Context(unsigned, bool flag) const
{
    return flag ? 1 : 0;
}

TFieldScores TRulesScoring::Score(int context, const TFaces &faces) const
{
    TTavolex column(&m_Rules);
    if (context == 1)
        column.Enter(Row::Quintor, std::max(1, m_Rules.RuleValue(Row::Quintor)));
    column.Evaluate(faces.data(), Strategy::Dice - 1);
    TFieldScores scores{};
    for (int f = 0; f < Strategy::Fields; ++f)
        scores[static_cast<std::size_t>(f)] = ScoreOfRow(column, m_Rules, Strategy::RowOfField(f));
    return scores;
}

std::optional<int> TRulesScoring::StrikeBeforeThrow(int field) const
{
    return StrikeValue(m_Rules, Strategy::RowOfField(field));
}

QByteArray TRulesScoring::Key() const
{
    QByteArray key = "Quintor table 1; throws " + QByteArray::number(m_Rules.DiceCount()) + "; mult "
        + QByteArray::number(m_Rules.MultTavolex() ? 1 : 0);
    for (int row : {Row::UpperPoints, Row::UpperBonus, Row::FullHouse, Row::SmallStraight,
                    Row::LargeStraight, Row::Quintor, Row::FurtherQuintor, Row::StruckField})
        key += "; " + QByteArray::number(row) + "=" + QByteArray::number(m_Rules.RuleValue(row));
    return key;
}

TFieldScores TRulesScoring::ScoresOfColumn(const TTavolex &column)
{
    const TTavolexSettings defaults;
    const TTavolexSettings &rules = column.Settings() ? *column.Settings() : defaults;
    TFieldScores scores{};
    for (int f = 0; f < Strategy::Fields; ++f) {
        const int row = Strategy::RowOfField(f);
        TFieldScore &score = scores[static_cast<std::size_t>(f)];
        score = ScoreOfRow(column, rules, row);
        score.Allowed = column.IsOpen(row);
    }
    return scores;
}

TSheetState TRulesScoring::SheetOf(const TTavolex &column)
{
    TSheetState sheet;
    long long upper = 0;
    long long points = 0;
    for (int f = 0; f < Strategy::Fields; ++f) {
        const int row = Strategy::RowOfField(f);
        if (column.IsOpen(row))
            continue;
        sheet.Filled |= 1u << f;
        points += column.Rows(row).Value;
        if (Strategy::IsUpperField(f))
            upper += column.Rows(row).Value;
    }
    sheet.Flag = !column.IsOpen(Row::Quintor) && column.Rows(Row::Quintor).Value > 0;
    sheet.UpperPoints = Saturated(upper);
    sheet.Points = Saturated(points);
    return sheet;
}

QString StrategyCacheFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return folder.isEmpty() ? QDir::tempPath() + QStringLiteral("/Quintor") : folder;
}

QString StrategyCacheFile(const QString &folder, const IStrategyScoring &scoring)
{
    const QByteArray hash = QCryptographicHash::hash(scoring.Key(), QCryptographicHash::Sha1).toHex().left(16);
    return folder + QStringLiteral("/table-") + QString::fromLatin1(hash) + QStringLiteral(".bin");
}

std::shared_ptr<const TStrategy> ObtainStrategy(const TTavolexSettings &rules, const QString &cacheFolder,
                                                const TSolveControl &control, bool *loadedFromCache)
{
    const TRulesScoring scoring(rules);
    auto strategy = std::make_shared<TStrategy>(scoring);
    const QString file = StrategyCacheFile(cacheFolder, scoring);
    const bool loaded = strategy->LoadFile(file);
    if (loadedFromCache)
        *loadedFromCache = loaded;
    if (loaded)
        return strategy;
    if (!strategy->Solve(control))
        return nullptr;
    // A cache that cannot be written only costs the next game its solve.
    QDir().mkpath(cacheFolder);
    (void)strategy->SaveFile(file);
    return strategy;
}
