#include "strategy/uTAdvisor.h"

#include "play/uTTurnEngine.h"
#include "strategy/uTRulesScoring.h"

#include <QLocale>
#include <QStringList>

#include <algorithm>

TTurnSituation SituationOf(const TTurnEngine &engine)
{
    TTurnSituation s;
    s.Player = engine.CurrentPlayer();
    s.Round = engine.Round() + 1;
    s.ThrowsUsed = engine.ThrowsUsed();
    s.ThrowsLeft = engine.ThrowsLeft();
    bool facesValid = true;
    for (int i = 0; i < Strategy::Dice; ++i) {
        const TDice &die = engine.Dice()[static_cast<std::size_t>(i)];
        s.Faces[static_cast<std::size_t>(i)] = die.Face();
        s.Held[static_cast<std::size_t>(i)] = die.State() == TDice::dsHeld;
        facesValid = facesValid && die.Face() >= 0 && die.Face() < Strategy::Faces;
    }
    const TurnPhase phase = engine.Phase();
    s.DiceLying = phase == TurnPhase::Lying && engine.ThrowEvaluated() && s.ThrowsUsed > 0 && facesValid;
    const bool atStart = phase == TurnPhase::AwaitThrow && s.ThrowsUsed == 0;
    s.CanChoose = !engine.GameOver() && s.Player >= 0 && s.Player < engine.Players().size()
        && (atStart || s.DiceLying);
    if (s.Player < 0 || s.Player >= engine.Players().size())
        return s;
    for (int k = 0; k < engine.ColumnsPerPlayer(); ++k) {
        const TTavolex &column = engine.PlayerColumn(s.Player, k);
        TTurnSituation::Column c;
        c.BoardColumn = engine.BoardColumn(s.Player, k);
        c.Sheet = TRulesScoring::SheetOf(column);
        c.Scores = TRulesScoring::ScoresOfColumn(column);
        for (int f = 0; f < Strategy::Fields; ++f)
            if (engine.FieldShowsMoveValue(c.BoardColumn, Strategy::RowOfField(f)))
                c.Offered |= 1u << f;
        s.Columns.push_back(c);
    }
    return s;
}

namespace {
bool SameSheet(const TSheetState &a, const TSheetState &b) noexcept
{
    return a.Filled == b.Filled && a.Flag == b.Flag && a.UpperPoints == b.UpperPoints && a.Points == b.Points;
}

// The dice to hold for a keep: those already held first, so that as few
// dice as possible change.
std::array<bool, Strategy::Dice> HoldFor(const TFaceCounts &kept, const TTurnSituation &s)
{
    std::array<bool, Strategy::Dice> hold{};
    TFaceCounts left = kept;
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < Strategy::Dice; ++i) {
            const auto at = static_cast<std::size_t>(i);
            const int face = s.Faces[at];
            if (hold[at] || (pass == 0 && !s.Held[at]) || face < 0 || face >= Strategy::Faces)
                continue;
            if (left[static_cast<std::size_t>(face)] > 0) {
                --left[static_cast<std::size_t>(face)];
                hold[at] = true;
            }
        }
    }
    return hold;
}
}  // namespace

TAdvisor::TAdvisor(const TStrategy &strategy)
    : m_Strategy(strategy)
{
}

// The end-of-turn values over all the player's columns: the best column and
// field for each throw, valued as the sum of the columns' expected scores.
void TAdvisor::PrepareTurn(const TTurnSituation &s)
{
    std::vector<TSheetState> sheets;
    for (const TTurnSituation::Column &c : s.Columns)
        sheets.push_back(c.Sheet);
    if (!m_Turn.empty() && m_TurnPlayer == s.Player && sheets.size() == m_TurnSheets.size()
        && std::equal(sheets.begin(), sheets.end(), m_TurnSheets.begin(), SameSheet))
        return;
    m_TurnSheets = sheets;
    m_TurnPlayer = s.Player;
    m_Own.clear();
    m_Others = 0;
    for (const TSheetState &sheet : sheets) {
        m_Own.push_back(sheet.Points + m_Strategy.FutureValue(sheet));
        m_Others += m_Own.back();
    }
    m_Final.fill(-1e12);
    for (std::size_t k = 0; k < sheets.size(); ++k) {
        if ((sheets[k].Filled & ((1u << Strategy::Fields) - 1)) == (1u << Strategy::Fields) - 1)
            continue;
        const TRollValues final = m_Strategy.FinalValues(sheets[k]);
        for (int r = 0; r < Strategy::Rolls; ++r) {
            const auto at = static_cast<std::size_t>(r);
            m_Final[at] = std::max(m_Final[at], final[at] - m_Own[k] + m_Others);
        }
    }
    m_Turn.clear();
    m_Turn.emplace_back(m_Final, m_Strategy.Throws());
}

TAdvice TAdvisor::Advise(const TTurnSituation &s)
{
    TAdvice advice;
    advice.Approximate = s.Columns.size() > 1;
    if (!s.CanChoose || s.Columns.empty() || !m_Strategy.IsSolved())
        return advice;
    PrepareTurn(s);
    const bool atStart = !s.DiceLying;

    if (s.ThrowsLeft >= 1) {
        if (atStart) {
            TTurnChoice c;
            c.What = TTurnChoice::Kind::Throw;
            c.Expected = m_Turn.front().Keep(TFaceCounts{}, s.ThrowsLeft);
            advice.Choices.push_back(c);
        } else {
            for (const TKeepChoice &keep : m_Turn.front().RankKeeps(s.Faces, s.ThrowsLeft)) {
                TTurnChoice c;
                c.What = TTurnChoice::Kind::Throw;
                c.Kept = keep.Kept;
                c.Hold = HoldFor(keep.Kept, s);
                c.Expected = keep.Expected;
                advice.Choices.push_back(c);
            }
        }
    }
    for (std::size_t k = 0; k < s.Columns.size(); ++k) {
        const TTurnSituation::Column &column = s.Columns[k];
        const std::vector<TFieldChoice> fields = atStart
            ? m_Strategy.RankStrikes(column.Sheet)
            : m_Strategy.RankFields(column.Sheet, s.Faces, &column.Scores);
        for (const TFieldChoice &field : fields) {
            TTurnChoice c;
            c.What = TTurnChoice::Kind::Field;
            c.Column = column.BoardColumn;
            c.Row = field.Row;
            c.Points = field.Points;
            c.Strike = atStart || !(column.Offered & (1u << field.Field));
            c.Expected = field.Expected - m_Own[k] + m_Others;
            advice.Choices.push_back(c);
        }
    }
    std::stable_sort(advice.Choices.begin(), advice.Choices.end(),
                     [](const TTurnChoice &a, const TTurnChoice &b) { return a.Expected > b.Expected; });
    return advice;
}

TAdvice Advise(const TStrategy &strategy, const TTurnSituation &situation)
{
    TAdvisor advisor(strategy);
    return advisor.Advise(situation);
}

TAdvice Advise(const TStrategy &strategy, const TTurnEngine &engine)
{
    return Advise(strategy, SituationOf(engine));
}

namespace {
QString RowCaption(int row)
{
    static const TTavolex captions;
    return row >= 0 && row < Row::Count ? captions.Rows(row).Caption : QString();
}

QString PipsText(const TFaceCounts &kept)
{
    QStringList pips;
    for (int f = 0; f < Strategy::Faces; ++f)
        for (int k = 0; k < kept[static_cast<std::size_t>(f)]; ++k)
            pips << QString::number(f + 1);
    return pips.join(QLatin1Char(' '));
}

QString PointsText(int points)
{
    return points == 1 || points == -1 ? QStringLiteral("%1 Punkt").arg(points)
                                       : QStringLiteral("%1 Punkte").arg(points);
}
}  // namespace

QString ChoiceText(const TTurnChoice &choice, bool severalColumns)
{
    if (choice.What == TTurnChoice::Kind::Throw) {
        const QString pips = PipsText(choice.Kept);
        return pips.isEmpty() ? QStringLiteral("Würfeln") : pips + QStringLiteral(" halten");
    }
    QString field = RowCaption(choice.Row);
    if (severalColumns)
        field += QStringLiteral(" (Spalte %1)").arg(choice.Column + 1);
    return choice.Strike ? field + QStringLiteral(" streichen") : field + QStringLiteral(": ") + PointsText(choice.Points);
}

QString AdviceText(const TAdvice &advice, int count)
{
    if (advice.Choices.empty())
        return QString();
    const QLocale german(QLocale::German, QLocale::Germany);
    QStringList lines;
    const int shown = std::min<int>(count, static_cast<int>(advice.Choices.size()));
    for (int i = 0; i < shown; ++i) {
        const TTurnChoice &c = advice.Choices[static_cast<std::size_t>(i)];
        lines << QStringLiteral("%1. %2 – erwartet %3 Punkte")
                     .arg(i + 1)
                     .arg(ChoiceText(c, advice.Approximate))
                     .arg(german.toString(c.Expected, 'f', 1));
    }
    if (advice.Approximate)
        lines << QStringLiteral("Geschätzt: jede Spalte wird für sich bewertet.");
    return lines.join(QLatin1Char('\n'));
}
