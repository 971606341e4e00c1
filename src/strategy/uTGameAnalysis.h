#pragma once

#include "play/uTTurnEngine.h"
#include "strategy/uTAdvisor.h"

#include <QList>
#include <QString>

#include <optional>
#include <vector>

class TStrategy;

// The most expensive decision of a player.
struct TCostlyDecision {
    int Round = 0;     // 1-based
    QString Done;      // ChoiceText of what was done
    QString Best;      // ChoiceText of the best choice
    double Cost = 0;   // expected points given away
};

// One row of the report's "Spielanalyse" table.
struct TPlayerAnalysis {
    int Player = 0;              // index in the game's player list
    QString Name;
    int Decisions = 0;           // keeps and entries
    double PointsGivenAway = 0;  // sum over them of best expected minus chosen expected
    std::optional<TCostlyDecision> Costliest;  // none when no decision cost anything
    bool Approximate = false;    // several columns per player
};

// Records the decisions of the players as the turn engine reports them
// (TTurnEngine::SetObserver) and values them against optimal play. A keep is
// the dice held when the cup is thrown again; an entry is a field chosen
// (a taken-back entry is forgotten). Recording needs no solved strategy.
class TGameAnalysis : public ITurnObserver {
public:
    // Records every player until SetRecorded says otherwise (the window
    // leaves out computer players).
    void SetRecorded(int player, bool recorded);

    void ThrowStarting(const TTurnEngine &engine) override;
    void FieldChoosing(const TTurnEngine &engine, int column, int row) override;
    void FieldTakenBack(const TTurnEngine &engine, int column, int row) override;

    // One row per recorded player who made a decision, in player order.
    // `names` gives the players' names by index (missing: empty). Needs the
    // solved strategy of the game's rule set (unsolved: no rows).
    [[nodiscard]] QList<TPlayerAnalysis> Evaluate(const TStrategy &strategy,
                                                  const QStringList &names) const;

    // A decision as recorded: the situation and what was done.
    struct TDecision {
        TTurnSituation Situation;
        TTurnChoice Done;
    };
    [[nodiscard]] const std::vector<TDecision> &Decisions() const noexcept { return m_Decisions; }

private:
    [[nodiscard]] bool Recorded(int player) const;

    std::vector<TDecision> m_Decisions;
    std::vector<int> m_NotRecorded;
};
