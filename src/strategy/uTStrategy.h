#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

// The optimal strategy for a one-column sheet of a rule set: the maximum
// expected final score, by backward induction over the sheet states (fields
// filled, upper points capped at the bonus threshold, whether a further five
// of a kind scores) and, within a turn, over the dice kept and throws left.
namespace Strategy {
inline constexpr int Fields = 13;  // field f: rows 1-6 (f 0-5), rows 12-18 (f 6-12)
inline constexpr int Dice = 5;
inline constexpr int Faces = 6;
inline constexpr int Rolls = 252;  // distinct throws of five dice
inline constexpr int MaxThrows = 6;
inline constexpr int QuintorField = 11;  // row 17, the only field whose entry sets the flag

// Row of field `field` (0-12); field of a row, -1 for rows that are no field.
[[nodiscard]] int RowOfField(int field) noexcept;
[[nodiscard]] int FieldOfRow(int row) noexcept;
[[nodiscard]] constexpr bool IsUpperField(int field) noexcept { return field < Faces; }
}  // namespace Strategy

using TFaces = std::array<int, Strategy::Dice>;        // faces 0-5
using TFaceCounts = std::array<int, Strategy::Faces>;   // dice per face

// What choosing a field with a throw does.
struct TFieldScore {
    int Points = 0;        // entered into the field (an upper field's points count to the bonus)
    int Extra = 0;         // earned beside the field, never counting to the bonus
    bool Allowed = true;   // the rules let the player choose this field with this throw
    bool SetsFlag = false; // afterwards a further five of a kind scores (see TSheetState::Flag);
                           // honoured for the five-of-a-kind field only
};
using TFieldScores = std::array<TFieldScore, Strategy::Fields>;

// A strike's score: its points, nothing beside them.
[[nodiscard]] inline TFieldScore StrikeScore(int points) noexcept
{
    TFieldScore score;
    score.Points = points;
    return score;
}

// The engine's only view of a rule set. The game's implementation is
// TRulesScoring (scores from TTavolex::Evaluate); tests supply others.
class IStrategyScoring {
public:
    virtual ~IStrategyScoring() = default;

    [[nodiscard]] virtual int Throws() const = 0;  // per turn, 1 .. Strategy::MaxThrows
    [[nodiscard]] virtual int BonusThreshold() const = 0;
    [[nodiscard]] virtual int Bonus() const = 0;
    // The scores of a throw may depend on the sheet: the scoring names a small
    // number of contexts and says which one holds for a sheet whose fields
    // `filled` (bit f = field f) are filled, with the flag as given.
    [[nodiscard]] virtual int ContextCount() const = 0;  // 1 .. 1024
    [[nodiscard]] virtual int Context(unsigned filled, bool flag) const = 0;
    // What each field gives for `faces` in context `context`. Every throw
    // must leave at least one open field allowed.
    [[nodiscard]] virtual TFieldScores Score(int context, const TFaces &faces) const = 0;
    // The points of striking `field` before the first throw of a turn, or
    // nothing when the rules do not allow it.
    [[nodiscard]] virtual std::optional<int> StrikeBeforeThrow(int field) const = 0;
    // Every value the scores depend on, as text: the key of the cache file.
    [[nodiscard]] virtual QByteArray Key() const = 0;
};

// A one-column sheet as the engine sees it.
struct TSheetState {
    unsigned Filled = 0;  // bit f: field f holds an entry or a strike
    bool Flag = false;    // a further five of a kind scores (the game: row 17 holds a value > 0);
                          // only with the five-of-a-kind field filled
    int UpperPoints = 0;  // sum of the upper fields entered (uncapped)
    int Points = 0;       // everything entered so far, without the bonus
};

// The solving may run on a worker thread; these hooks are called on it.
struct TSolveControl {
    int Threads = 1;                                  // 0: all cores
    std::function<void(int done, int total)> Progress;  // after each step of the solve
    const std::atomic<bool> *Cancel = nullptr;          // set to stop; Solve then returns false
};

// One keep between throws: hold these dice and throw the rest.
struct TKeepChoice {
    TFaceCounts Kept{};    // dice kept per face (fewer than five dice)
    double Expected = 0;   // expected final score of the column
};

// One field for the throw lying (an entry, or a strike when the throw offers
// nothing there), or a strike before the first throw.
struct TFieldChoice {
    int Field = 0;
    int Row = 0;
    int Points = 0;        // what the field receives (and Extra beside it)
    double Expected = 0;   // expected final score of the column
};

// For every distinct throw (index of Strategy::RollIndex), the expected final
// score when the turn ends on it with the best field.
using TRollValues = std::array<double, Strategy::Rolls>;

namespace Strategy {
// Index 0-251 of the throw with these faces (in any order); the faces of an index.
[[nodiscard]] int RollIndex(const TFaces &faces) noexcept;
[[nodiscard]] TFaces RollFaces(int index) noexcept;
[[nodiscard]] TFaceCounts CountsOf(const TFaces &faces) noexcept;
}  // namespace Strategy

// The keeps of one turn for every number of throws left, from its
// end-of-turn values: computed once per turn (some microseconds), then read.
class TTurnValues {
public:
    TTurnValues(const TRollValues &final, int throws);

    // Expected final score with `kept` held and throwsLeft (1 .. throws)
    // throws to come.
    [[nodiscard]] double Keep(const TFaceCounts &kept, int throwsLeft) const;
    // Every distinct keep of fewer than five of `faces`, best first.
    [[nodiscard]] std::vector<TKeepChoice> RankKeeps(const TFaces &faces, int throwsLeft) const;

private:
    int m_Throws;
    std::vector<double> m_Keeps;  // per throws left - 1: the value of each multiset kept
};

// A rule set's solved strategy. Solve (or LoadFile) once, then query from any
// thread; every query is answered in microseconds. Not copyable while
// another thread solves it.
class TStrategy {
public:
    // Takes the scores of every throw in every context from `scoring` now;
    // `scoring` need not outlive the strategy.
    explicit TStrategy(const IStrategyScoring &scoring);

    // Backward induction over all sheet states. False when cancelled; the
    // strategy is then unsolved.
    bool Solve(const TSolveControl &control = {});
    [[nodiscard]] bool IsSolved() const noexcept { return m_Solved; }

    // The solved table on disk, with the scoring's key and a checksum.
    // SaveFile: false when the file could not be written. LoadFile: false
    // (and nothing changed) when the file is missing, damaged or holds
    // another rule set.
    bool SaveFile(const QString &fileName) const;
    bool LoadFile(const QString &fileName);

    // Expected points a sheet still earns under optimal play, bonus included.
    [[nodiscard]] double FutureValue(const TSheetState &sheet) const;
    // Expected final score of an empty sheet.
    [[nodiscard]] double Optimum() const { return FutureValue({}); }
    // Expected final score of the column at the start of a turn.
    [[nodiscard]] double ExpectedAtTurnStart(const TSheetState &sheet) const;

    // The end-of-turn values of a sheet: per throw, its best field.
    [[nodiscard]] TRollValues FinalValues(const TSheetState &sheet) const;
    // Between throws (throwsLeft >= 1): every distinct keep of fewer than five
    // of `faces`, best first, against the end-of-turn values `final` (from
    // FinalValues, or a caller's own, e.g. over several columns).
    [[nodiscard]] std::vector<TKeepChoice> RankKeeps(const TRollValues &final, const TFaces &faces,
                                                     int throwsLeft) const;
    // Expected value of throwing with throwsLeft throws left (>= 1) and nothing kept.
    [[nodiscard]] double ExpectedThrow(const TRollValues &final, int throwsLeft) const;
    // Every allowed open field for the throw `faces`, best first. `scores`
    // may replace the engine's own scores of the throw (the game passes the
    // column's move values, which also know take-back marks).
    [[nodiscard]] std::vector<TFieldChoice> RankFields(const TSheetState &sheet, const TFaces &faces,
                                                       const TFieldScores *scores = nullptr) const;
    // Every field that may be struck before the first throw, best first.
    [[nodiscard]] std::vector<TFieldChoice> RankStrikes(const TSheetState &sheet) const;

    // The engine's own scores of a throw for a sheet.
    [[nodiscard]] TFieldScores ScoresFor(const TSheetState &sheet, const TFaces &faces) const;
    [[nodiscard]] int Throws() const noexcept { return m_Throws; }
    [[nodiscard]] const QByteArray &Key() const noexcept { return m_Key; }
    // Memory held by the solved table and the score tables, in bytes.
    [[nodiscard]] std::size_t Bytes() const noexcept;

private:
    friend class TStrategySolver;

    [[nodiscard]] std::size_t StateIndex(unsigned filled, bool flag, int capped) const noexcept;
    [[nodiscard]] double Value(unsigned filled, bool flag, int capped) const noexcept;
    [[nodiscard]] int Capped(int upperPoints) const noexcept;
    [[nodiscard]] double BonusOf(int capped) const noexcept;
    [[nodiscard]] double ChoiceValue(unsigned filled, bool flag, int capped, int field,
                                     const TFieldScore &score) const noexcept;
    [[nodiscard]] double StrikeOption(unsigned filled, bool flag, int capped) const noexcept;
    [[nodiscard]] QByteArray FileHeader() const;

    int m_Throws = 3;
    int m_Threshold = 63;
    int m_Bonus = 35;
    int m_Cap = 63;  // upper points are kept up to this; 0 when the bonus is always won
    QByteArray m_Key;
    std::vector<int> m_ContextOf;                    // per (filled, flag): 2 * filled + flag
    std::vector<TFieldScores> m_Scores;              // per context and throw
    std::array<std::optional<int>, Strategy::Fields> m_Strikes{};
    std::vector<float> m_Values;                     // per state: expected points still to come
    bool m_Solved = false;
};
