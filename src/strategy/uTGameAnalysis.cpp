#include "strategy/uTGameAnalysis.h"

#include "strategy/uTStrategy.h"

#include <algorithm>
#include <map>

namespace {
// Below this a decision counts as optimal: the table holds floats.
constexpr double Negligible = 0.0005;

const TTurnSituation::Column *ColumnOf(const TTurnSituation &s, int boardColumn)
{
    for (const TTurnSituation::Column &c : s.Columns)
        if (c.BoardColumn == boardColumn)
            return &c;
    return nullptr;
}

bool SameChoice(const TTurnChoice &a, const TTurnChoice &b)
{
    if (a.What != b.What)
        return false;
    return a.What == TTurnChoice::Kind::Throw ? a.Kept == b.Kept : a.Column == b.Column && a.Row == b.Row;
}
}  // namespace

void TGameAnalysis::SetRecorded(int player, bool recorded)
{
    m_NotRecorded.erase(std::remove(m_NotRecorded.begin(), m_NotRecorded.end(), player), m_NotRecorded.end());
    if (!recorded)
        m_NotRecorded.push_back(player);
}

bool TGameAnalysis::Recorded(int player) const
{
    return std::find(m_NotRecorded.begin(), m_NotRecorded.end(), player) == m_NotRecorded.end();
}

void TGameAnalysis::ThrowStarting(const TTurnEngine &engine)
{
    if (!Recorded(engine.CurrentPlayer()) || engine.ThrowsUsed() == 0)
        return;
    TDecision d{SituationOf(engine), {}};
    if (!d.Situation.DiceLying || d.Situation.Columns.empty())
        return;
    d.Done.What = TTurnChoice::Kind::Throw;
    d.Done.Hold = d.Situation.Held;
    for (int i = 0; i < Strategy::Dice; ++i)
        if (d.Situation.Held[static_cast<std::size_t>(i)])
            ++d.Done.Kept[static_cast<std::size_t>(d.Situation.Faces[static_cast<std::size_t>(i)])];
    m_Decisions.push_back(d);
}

void TGameAnalysis::FieldChoosing(const TTurnEngine &engine, int column, int row)
{
    if (!Recorded(engine.CurrentPlayer()))
        return;
    TDecision d{SituationOf(engine), {}};
    const TTurnSituation::Column *c = ColumnOf(d.Situation, column);
    const int field = Strategy::FieldOfRow(row);
    // A click while the dice roll strikes blindly; there is nothing to weigh it against.
    if (!d.Situation.CanChoose || !c || field < 0)
        return;
    d.Done.What = TTurnChoice::Kind::Field;
    d.Done.Column = column;
    d.Done.Row = row;
    d.Done.Strike = !d.Situation.DiceLying || !(c->Offered & (1u << field));
    // Before the first throw the board's move values are stale; the advice knows the strike value.
    d.Done.Points = d.Situation.DiceLying ? c->Scores[static_cast<std::size_t>(field)].Points : 0;
    m_Decisions.push_back(d);
}

void TGameAnalysis::FieldTakenBack(const TTurnEngine &engine, int column, int row)
{
    if (m_Decisions.empty())
        return;
    const TDecision &last = m_Decisions.back();
    if (last.Situation.Player == engine.CurrentPlayer() && last.Done.What == TTurnChoice::Kind::Field
        && last.Done.Column == column && last.Done.Row == row)
        m_Decisions.pop_back();
}

QList<TPlayerAnalysis> TGameAnalysis::Evaluate(const TStrategy &strategy, const QStringList &names) const
{
    std::map<int, TPlayerAnalysis> byPlayer;
    TAdvisor advisor(strategy);
    const auto rowOf = [&byPlayer, &names](int player) -> TPlayerAnalysis & {
        TPlayerAnalysis &r = byPlayer[player];
        r.Player = player;
        r.Name = player >= 0 && player < names.size() ? names[player] : QString();
        return r;
    };
    for (const TDecision &d : m_Decisions) {
        const TAdvice advice = advisor.Advise(d.Situation);
        const auto chosen = std::find_if(advice.Choices.begin(), advice.Choices.end(),
                                         [&d](const TTurnChoice &c) { return SameChoice(c, d.Done); });
        if (chosen == advice.Choices.end())
            continue;
        const TTurnChoice &best = advice.Choices.front();
        const double cost = std::max(0.0, best.Expected - chosen->Expected);
        TPlayerAnalysis &r = rowOf(d.Situation.Player);
        ++r.Decisions;
        r.Approximate = r.Approximate || advice.Approximate;
        if (cost < Negligible)
            continue;
        r.PointsGivenAway += cost;
        if (!r.Costliest || cost > r.Costliest->Cost)
            r.Costliest = TCostlyDecision{d.Situation.Round, ChoiceText(*chosen, advice.Approximate),
                                          ChoiceText(best, advice.Approximate), cost};
    }
    QList<TPlayerAnalysis> rows;
    for (const auto &[player, row] : byPlayer)
        rows << row;
    return rows;
}
