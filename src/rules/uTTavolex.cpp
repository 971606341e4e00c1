// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rules/uTTavolex.h"

#include <algorithm>
#include <limits>

const QString TTavolexSettings::DefaultExtOptions =
    QStringLiteral("08|63,09|35,14|25,15|30,16|40,17|50,24|100,25|0");

int DefaultRuleValue(int row) noexcept
{
    switch (row) {
    case Row::UpperPoints: return 63;
    case Row::UpperBonus: return 35;
    case Row::FullHouse: return 25;
    case Row::SmallStraight: return 30;
    case Row::LargeStraight: return 40;
    case Row::Quintor: return 50;
    case Row::FurtherQuintor: return 100;
    default: return 0;
    }
}

int TTavolexSettings::ParseRuleValue(const QString &extOptions, int row, int def)
{
    const QString key = QString::number(row) + QLatin1Char('|');
    const qsizetype at = extOptions.indexOf(key);
    if (at < 0)
        return def;
    // A plain substring search: "8|" also matches inside "08|".
    const QString rest = extOptions.mid(at);
    const QString afterBar = rest.mid(rest.indexOf(QLatin1Char('|')) + 1);
    const qsizetype comma = afterBar.indexOf(QLatin1Char(','));
    if (comma < 0)
        return def;
    bool ok = false;
    const int value = afterBar.left(comma).toInt(&ok);
    return ok ? value : def;
}

void TTavolexSettings::SetExtOptions(const QString &v)
{
    m_ExtOptions = v;
    // Two different defaults tell "no entry" from an entry holding either.
    for (int row = 0; row < Row::Count; ++row) {
        const int a = ParseRuleValue(v, row, 0);
        const int b = ParseRuleValue(v, row, 1);
        m_RuleCache[static_cast<std::size_t>(row)] = a == b ? std::optional<int>(a) : std::nullopt;
    }
}

int TTavolexSettings::RuleValue(int row, int def) const
{
    if (row < 0 || row >= Row::Count)
        return ParseRuleValue(m_ExtOptions, row, def);
    return m_RuleCache[static_cast<std::size_t>(row)].value_or(def);
}

void TTavolexSettings::ClampForPlay() noexcept
{
    m_GameCount = std::clamp(m_GameCount, 1, 4);
    m_DiceCount = std::clamp(m_DiceCount, 1, 6);
}

namespace {
constexpr bool IsComputedOrCarrier(int row) noexcept
{
    switch (row) {
    case 7: case 8: case 9: case 10: case 11: case 19: case 20:
    case 21: case 22: case 23: case 24: case 25:
        return true;
    default:
        return false;
    }
}

const char *const RowCaptions[Row::Count] = {
    "", "1er", "2er", "3er", "4er", "5er", "6er", "", "Punkte oben", "Bonus",
    "Summe oben", "", "Dreierpasch", "Viererpasch", "Full house",
    "Kl. Straße", "Gr. Straße", "Quintor", "Chance", "", "Summe unten",
    "+ Summe oben", "", "= Gesamt", "Weitere Quintors", "Gestrichenes Feld"};

// Bit f set when some die shows face f. A straight is a run of set bits,
// which is what a sorted text of the distinct faces containing "1234" means.
unsigned FaceSet(const int *faces, int lastIndex) noexcept
{
    unsigned set = 0;
    for (int i = 0; i <= lastIndex; ++i)
        if (faces[i] >= 0 && faces[i] <= 5)
            set |= 1u << faces[i];
    return set;
}

constexpr bool HasRun(unsigned set, unsigned run) noexcept
{
    return (set & run) == run;
}
}  // namespace

TTavolex::TTavolex(const TTavolexSettings *settings)
    : m_Settings(settings)
{
    for (int r = 0; r < Row::Count; ++r) {
        TTavolexType &row = Rows(r);
        row.Selectable = !IsComputedOrCarrier(r);
        row.Caption = QString::fromUtf8(RowCaptions[r]);
    }
}

int TTavolex::Rule(int row) const
{
    return m_Settings ? m_Settings->RuleValue(row) : DefaultRuleValue(row);
}

void TTavolex::Enter(int row, int value)
{
    TTavolexType &r = Rows(row);
    r.Value = value;
    r.Filled = true;
}

void TTavolex::Reopen(int row)
{
    TTavolexType &r = Rows(row);
    r.Value = -1;
    r.Filled = false;
}

void TTavolex::ClearMoveValues()
{
    for (TTavolexType &row : m_Rows) {
        if (row.Selectable) {
            row.MoveValue = 0;
            row.FaceCount = 0;
        }
    }
}

void TTavolex::Evaluate(const int *faces, int lastIndex)
{
    ClearMoveValues();
    const unsigned distinct = FaceSet(faces, lastIndex);
    for (int r = 1; r <= Row::Chance; ++r)
        Rows(r).Joker = false;

    for (int r = Row::Ones; r <= Row::Sixes; ++r) {
        for (int i = 0; i <= lastIndex; ++i) {
            if (faces[i] + 1 == r) {
                Rows(r).MoveValue += faces[i] + 1;
                Rows(r).FaceCount += 1;
            }
        }
    }
    TTavolexType &chance = Rows(Row::Chance);
    for (int i = 0; i <= lastIndex; ++i) {
        chance.MoveValue += faces[i] + 1;
        chance.FaceCount += 1;
    }

    int pipTotal = 0;
    bool three = false, four = false, five = false, exactlyThree = false, exactlyTwo = false;
    for (int r = Row::Ones; r <= Row::Sixes; ++r) {
        const int count = Rows(r).FaceCount;
        pipTotal += Rows(r).MoveValue;
        three = three || count >= 3;
        four = four || count >= 4;
        five = five || count >= 5;
        exactlyThree = exactlyThree || count == 3;
        exactlyTwo = exactlyTwo || count == 2;
    }
    if (three)
        Rows(Row::ThreeOfAKind).MoveValue += pipTotal;
    if (four)
        Rows(Row::FourOfAKind).MoveValue += pipTotal;
    if (exactlyThree && exactlyTwo)
        Rows(Row::FullHouse).MoveValue = Rule(Row::FullHouse);
    if (HasRun(distinct, 0b001111) || HasRun(distinct, 0b011110) || HasRun(distinct, 0b111100))
        Rows(Row::SmallStraight).MoveValue = Rule(Row::SmallStraight);
    if (HasRun(distinct, 0b011111) || HasRun(distinct, 0b111110))
        Rows(Row::LargeStraight).MoveValue = Rule(Row::LargeStraight);

    if (five) {
        if (Rows(Row::Quintor).Value > 0) {
            const bool mult = m_Settings ? m_Settings->MultTavolex() : true;
            const int further = mult ? Rule(Row::FurtherQuintor) : Rule(Row::Quintor);
            for (int r = Row::ThreeOfAKind; r <= Row::Chance; ++r) {
                if (!Rows(r).Struck) {
                    Rows(r).MoveValue = further;
                    Rows(r).Joker = true;
                }
            }
        }
        Rows(Row::Quintor).MoveValue = Rule(Row::Quintor);
    }
}

namespace {
// Sums stay within int: a hand-edited rule set may hold values near its limits.
int Saturated(long long sum) noexcept
{
    return static_cast<int>(std::clamp<long long>(sum, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}
}  // namespace

void TTavolex::UpdateSums(int refreshes)
{
    const auto sumOf = [this](int first, int last) {
        long long sum = 0;
        for (int r = first; r <= last; ++r)
            if (Rows(r).Value != -1 || Rows(r).Filled)
                sum += Rows(r).Value;
        return Saturated(sum);
    };
    Rows(Row::UpperPoints).Value = sumOf(Row::Ones, Row::Sixes);
    if (Rows(Row::UpperPoints).Value >= Rule(Row::UpperPoints)) {
        m_BonusHits += refreshes;
        Rows(Row::UpperBonus).Value = Rule(Row::UpperBonus);
    } else {
        Rows(Row::UpperBonus).Value = 0;
    }
    Rows(Row::UpperTotal).Value = Saturated(0LL + Rows(Row::UpperBonus).Value + Rows(Row::UpperPoints).Value);
    Rows(Row::LowerTotal).Value = sumOf(Row::ThreeOfAKind, Row::Chance);
    Rows(Row::UpperCopy).Value = Rows(Row::UpperTotal).Value;
    Rows(Row::GrandTotal).Value = Saturated(0LL + Rows(Row::UpperCopy).Value + Rows(Row::LowerTotal).Value);
    for (const int sum : {Row::UpperPoints, Row::UpperBonus, Row::UpperTotal, Row::LowerTotal, Row::UpperCopy,
                          Row::GrandTotal})
        Rows(sum).Filled = true;
}
