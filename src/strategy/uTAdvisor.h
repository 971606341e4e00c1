// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "strategy/uTStrategy.h"

#include <QString>

#include <array>
#include <vector>

class TTurnEngine;

// The situation of the player on turn, taken from the turn engine: what the
// coach, the computer players and the analysis decide on.
struct TTurnSituation {
    struct Column {
        int BoardColumn = 0;       // as TTurnEngine::ChooseField takes it
        TSheetState Sheet;
        TFieldScores Scores{};     // the move values of the throw lying (entries or strikes)
        unsigned Offered = 0;      // bit f: the throw offers a move value in field f (else a strike)
    };
    int Player = 0;
    int Round = 1;                 // the round in progress, 1-based
    std::vector<Column> Columns;   // the player's columns, 1 to 4
    TFaces Faces{};                // the dice (meaningful when DiceLying)
    std::array<bool, Strategy::Dice> Held{};
    int ThrowsUsed = 0;
    int ThrowsLeft = 0;
    bool DiceLying = false;        // a throw lies evaluated: keeps and entries are open
    bool CanChoose = false;        // false while dice roll, another player is viewed or the game is over
};

// The situation of the player on turn.
[[nodiscard]] TTurnSituation SituationOf(const TTurnEngine &engine);

// One thing the player on turn can do now, with the expected final score of
// the player's sheet (the sum over the player's columns) when playing on well.
struct TTurnChoice {
    enum class Kind {
        Throw,  // throw; Hold says which dice to hold first (all false at the turn's start)
        Field,  // choose the field Column/Row: an entry, or a strike when it offers nothing
    };
    Kind What = Kind::Throw;
    std::array<bool, Strategy::Dice> Hold{};  // Throw: dice (by index) held for the throw
    TFaceCounts Kept{};                       // Throw: the same as dice per face
    int Column = -1;                          // Field: board column, as ChooseField takes it
    int Row = -1;                             // Field: row 1-6 or 12-18
    int Points = 0;                           // Field: what the field receives
    bool Strike = false;                      // Field: the field offers nothing and is struck
    double Expected = 0;
};

struct TAdvice {
    // Best first. Empty when the player cannot choose now (dice rolling,
    // another player viewed, game over). Before the first throw: the throw
    // and the strikes; between throws: the keeps and the fields; after the
    // last throw: the fields.
    std::vector<TTurnChoice> Choices;
    // Several columns per player: each column is valued on its own and the
    // figures are estimates, not the exact optimum.
    bool Approximate = false;
};

// What the player on turn can do, best first. Needs a solved strategy of the
// game's rule set; answers within a millisecond. Keeps the tables of the
// turn it last advised on, so further questions in the same turn are cheaper.
class TAdvisor {
public:
    // `strategy` must be solved and outlive the advisor.
    explicit TAdvisor(const TStrategy &strategy);

    [[nodiscard]] TAdvice Advise(const TTurnSituation &situation);
    [[nodiscard]] TAdvice Advise(const TTurnEngine &engine) { return Advise(SituationOf(engine)); }
    [[nodiscard]] const TStrategy &Table() const noexcept { return m_Strategy; }

private:
    void PrepareTurn(const TTurnSituation &situation);

    const TStrategy &m_Strategy;
    std::vector<TSheetState> m_TurnSheets;  // the sheets the tables below belong to
    int m_TurnPlayer = -1;
    TRollValues m_Final{};
    double m_Others = 0;                   // sum over the columns of their expected final scores
    std::vector<double> m_Own;             // per column: its expected final score before this turn
    std::vector<TTurnValues> m_Turn;       // empty or one
};

// The same without keeping tables between calls.
[[nodiscard]] TAdvice Advise(const TStrategy &strategy, const TTurnSituation &situation);
[[nodiscard]] TAdvice Advise(const TStrategy &strategy, const TTurnEngine &engine);

// German texts of a choice: "Würfeln", "3 3 5 halten", "3er: 9 Punkte",
// "Chance streichen"; with several columns the column number follows
// ("3er (Spalte 2): 9 Punkte").
[[nodiscard]] QString ChoiceText(const TTurnChoice &choice, bool severalColumns);
// The coach's short text: the best `count` choices with their expected
// final scores, one per line, noting estimates for several columns.
[[nodiscard]] QString AdviceText(const TAdvice &advice, int count = 3);
