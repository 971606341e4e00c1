#include "strategy/uTStrategy.h"

#include "rules/uTTavolex.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <bitset>
#include <cmath>
#include <cstring>
#include <limits>
#include <thread>

// The solver's inner loops also in a wider instruction set, chosen when the
// program starts on a processor that has it.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && !defined(__SANITIZE_ADDRESS__)
#define QUINTOR_WIDE __attribute__((target_clones("avx2", "default")))
#else
#define QUINTOR_WIDE
#endif

namespace {
using Strategy::Dice;
using Strategy::Faces;
using Strategy::Fields;
using Strategy::Rolls;

constexpr int Keeps = 462;       // multisets of 0 to 5 dice
constexpr int EmptyKeep = Keeps - 1;
constexpr int Masks = 1 << Fields;
constexpr unsigned QuintorBit = 1u << Strategy::QuintorField;
constexpr int MaxCap = 106;      // above the largest upper sum (5 x 21)
constexpr double Impossible = -1e12;

// The multisets of up to five dice, largest first: indexes 0-251 are the
// throws, the last one is the empty keep. Children add a die, parents take
// one away (padded with repeats so every loop runs the same length).
struct TDiceSets {
    std::array<TFaceCounts, Keeps> Counts{};
    std::array<int, Keeps> Size{};
    std::array<std::array<int, Faces>, Keeps> Child{};  // -1 for throws
    std::array<std::array<int, Dice>, Keeps> Parent{};  // -1 for the empty keep
    // The same without repeats, all keeps after each other: ParentList[ParentStart[i] ..
    // ParentStart[i + 1]) are the parents of keep i.
    std::array<int, Keeps + 1> ParentStart{};
    std::vector<int> ParentList;
    // The order in which the best sub-keeps are found: smaller keeps first,
    // and within a size grouped by the number of parents, so each group's
    // inner loop has a fixed length.
    struct TGroup {
        int Parents = 0;
        bool Throws = false;             // the group holds throws (size 5)
        std::vector<int> Keep;           // keep indexes
        std::vector<int> ParentIndex;    // Parents entries per keep
    };
    std::vector<TGroup> Groups;
    std::array<int, Dice + 1> FirstOfSize{};  // index of the first keep of each size
    std::array<double, Rolls> Probability{};
    std::vector<int> IndexOfCode = std::vector<int>(46656, -1);  // counts in base 6

    static int Code(const TFaceCounts &c) noexcept
    {
        int code = 0;
        for (int f = Faces - 1; f >= 0; --f)
            code = code * 6 + c[static_cast<std::size_t>(f)];
        return code;
    }

    TDiceSets()
    {
        int next = 0;
        for (int size = Dice; size >= 0; --size) {
            FirstOfSize[static_cast<std::size_t>(size)] = next;
            AddOfSize(size, 0, {}, next);
        }
        for (int i = 0; i < Keeps; ++i)
            Link(i);
        for (int i = 0; i < Keeps; ++i) {
            ParentStart[static_cast<std::size_t>(i)] = static_cast<int>(ParentList.size());
            const auto &parent = Parent[static_cast<std::size_t>(i)];
            for (int k = 0; k < Dice; ++k)
                if (parent[static_cast<std::size_t>(k)] >= 0
                    && std::find(parent.begin(), parent.begin() + k, parent[static_cast<std::size_t>(k)]) == parent.begin() + k)
                    ParentList.push_back(parent[static_cast<std::size_t>(k)]);
        }
        ParentStart[Keeps] = static_cast<int>(ParentList.size());
        for (int size = 1; size <= Dice; ++size) {
            for (int n = 1; n <= Dice; ++n) {
                TGroup group;
                group.Parents = n;
                group.Throws = size == Dice;
                for (int i = 0; i < Keeps; ++i) {
                    const int start = ParentStart[static_cast<std::size_t>(i)];
                    if (Size[static_cast<std::size_t>(i)] != size || ParentStart[static_cast<std::size_t>(i) + 1] - start != n)
                        continue;
                    group.Keep.push_back(i);
                    for (int k = 0; k < n; ++k)
                        group.ParentIndex.push_back(ParentList[static_cast<std::size_t>(start + k)]);
                }
                if (!group.Keep.empty())
                    Groups.push_back(std::move(group));
            }
        }
        double factorial[Dice + 1] = {1, 1, 2, 6, 24, 120};
        for (int r = 0; r < Rolls; ++r) {
            double ways = factorial[Dice];
            for (int c : Counts[static_cast<std::size_t>(r)])
                ways /= factorial[c];
            Probability[static_cast<std::size_t>(r)] = ways / 7776.0;
        }
    }

private:
    void AddOfSize(int left, int face, TFaceCounts counts, int &next)
    {
        if (face == Faces - 1) {
            counts[Faces - 1] = left;
            Counts[static_cast<std::size_t>(next)] = counts;
            int size = 0;
            for (int c : counts)
                size += c;
            Size[static_cast<std::size_t>(next)] = size;
            IndexOfCode[static_cast<std::size_t>(Code(counts))] = next;
            ++next;
            return;
        }
        for (int c = left; c >= 0; --c) {
            counts[static_cast<std::size_t>(face)] = c;
            AddOfSize(left - c, face + 1, counts, next);
        }
    }

    void Link(int i)
    {
        const auto at = static_cast<std::size_t>(i);
        TFaceCounts c = Counts[at];
        for (int f = 0; f < Faces; ++f) {
            const auto fa = static_cast<std::size_t>(f);
            if (Size[at] < Dice) {
                ++c[fa];
                Child[at][fa] = IndexOfCode[static_cast<std::size_t>(Code(c))];
                --c[fa];
            } else {
                Child[at][fa] = -1;
            }
        }
        int n = 0;
        for (int f = 0; f < Faces; ++f) {
            const auto fa = static_cast<std::size_t>(f);
            if (c[fa] == 0)
                continue;
            --c[fa];
            Parent[at][static_cast<std::size_t>(n++)] = IndexOfCode[static_cast<std::size_t>(Code(c))];
            ++c[fa];
        }
        for (int k = n; k < Dice; ++k)
            Parent[at][static_cast<std::size_t>(k)] = n > 0 ? Parent[at][0] : -1;
    }
};

const TDiceSets &Sets()
{
    static const TDiceSets sets;
    return sets;
}

int KeepIndex(const TFaceCounts &counts) noexcept
{
    return Sets().IndexOfCode[static_cast<std::size_t>(TDiceSets::Code(counts))];
}

// The values of keeps of fewer than five dice with one more throw to come,
// from the values of the throws after it: the mean over one more die. Keeps
// of four dice complete to throws; smaller ones to keeps.
QUINTOR_WIDE void ExpectKeeps(const double *thrown, double *keep)
{
    const TDiceSets &sets = Sets();
    constexpr double Sixth = 1.0 / Faces;
    const auto expect = [&sets](int first, int last, const double *from, double *to) {
        for (int i = first; i < last; ++i) {
            const int *child = sets.Child[static_cast<std::size_t>(i)].data();
            to[i] = (from[child[0]] + from[child[1]] + from[child[2]] + from[child[3]] + from[child[4]]
                     + from[child[5]]) * Sixth;
        }
    };
    expect(Rolls, sets.FirstOfSize[Dice - 2], thrown, keep);
    expect(sets.FirstOfSize[Dice - 2], Keeps, keep, keep);
}

template <int N>
void BestOfGroup(const TDiceSets::TGroup &group, const double *base, const double *best, double *out)
{
    const int *parent = group.ParentIndex.data();
    for (const int k : group.Keep) {
        double m = base[k];
        for (int j = 0; j < N; ++j)
            m = std::max(m, best[parent[j]]);
        out[k] = m;
        parent += N;
    }
}

// One more decision between throws: a throw lying is worth its best keep of
// fewer than five dice, or ending the turn on it (`final`).
QUINTOR_WIDE void BestOfThrows(const double *final, const double *keep, double *best, double *thrown)
{
    best[EmptyKeep] = keep[EmptyKeep];
    for (const TDiceSets::TGroup &group : Sets().Groups) {
        const double *base = group.Throws ? final : keep;
        double *out = group.Throws ? thrown : best;
        switch (group.Parents) {
        case 1: BestOfGroup<1>(group, base, best, out); break;
        case 2: BestOfGroup<2>(group, base, best, out); break;
        case 3: BestOfGroup<3>(group, base, best, out); break;
        case 4: BestOfGroup<4>(group, base, best, out); break;
        default: BestOfGroup<5>(group, base, best, out); break;
        }
    }
}

// Values of the throws lying with `left` throws still to come (0: the turn
// ends on them).
void ThrowValues(const TRollValues &final, int left, double *thrown)
{
    std::array<double, Keeps> keep{};
    std::array<double, Keeps> best{};
    std::copy(final.begin(), final.end(), thrown);
    for (int j = 1; j <= left; ++j) {
        ExpectKeeps(thrown, keep.data());
        BestOfThrows(final.data(), keep.data(), best.data(), thrown);
    }
}

double MeanOverThrows(const double *thrown)
{
    const TDiceSets &sets = Sets();
    double sum = 0;
    for (int r = 0; r < Rolls; ++r)
        sum += sets.Probability[static_cast<std::size_t>(r)] * thrown[r];
    return sum;
}

// A 64-bit checksum over the file: four independent lanes, so that hashing
// the table costs little more than reading it.
class TChecksum {
public:
    void Add(const char *data, std::size_t size)
    {
        std::size_t i = 0;
        for (; i + 32 <= size; i += 32) {
            for (std::size_t lane = 0; lane < 4; ++lane) {
                std::uint64_t word = 0;
                std::memcpy(&word, data + i + 8 * lane, 8);
                m_Lanes[lane] = Mix(m_Lanes[lane] ^ word);
            }
        }
        for (; i < size; ++i)
            m_Lanes[0] = Mix(m_Lanes[0] ^ static_cast<unsigned char>(data[i]));
        m_Size += size;
    }
    [[nodiscard]] std::uint64_t Value() const noexcept
    {
        std::uint64_t h = m_Size;
        for (std::uint64_t lane : m_Lanes)
            h = Mix(h ^ lane);
        return h;
    }

private:
    static std::uint64_t Mix(std::uint64_t h) noexcept
    {
        h *= 0x9e3779b97f4a7c15ull;
        return h ^ (h >> 29);
    }

    std::array<std::uint64_t, 4> m_Lanes{1, 2, 3, 4};
    std::uint64_t m_Size = 0;
};

constexpr char FileMagic[8] = {'Q', 'T', 'S', 'T', 'R', 'A', 'T', '1'};
}  // namespace

int Strategy::RowOfField(int field) noexcept
{
    if (field < 0 || field >= Fields)
        return -1;
    return field < Faces ? field + 1 : field - Faces + Row::ThreeOfAKind;
}

int Strategy::FieldOfRow(int row) noexcept
{
    if (row >= Row::Ones && row <= Row::Sixes)
        return row - 1;
    if (row >= Row::ThreeOfAKind && row <= Row::Chance)
        return row - Row::ThreeOfAKind + Faces;
    return -1;
}

TFaceCounts Strategy::CountsOf(const TFaces &faces) noexcept
{
    TFaceCounts counts{};
    for (int f : faces)
        if (f >= 0 && f < Faces)
            ++counts[static_cast<std::size_t>(f)];
    return counts;
}

int Strategy::RollIndex(const TFaces &faces) noexcept
{
    const int index = KeepIndex(CountsOf(faces));
    return index >= 0 && index < Rolls ? index : -1;
}

TFaces Strategy::RollFaces(int index) noexcept
{
    TFaces faces{};
    if (index < 0 || index >= Rolls)
        return faces;
    const TFaceCounts &counts = Sets().Counts[static_cast<std::size_t>(index)];
    std::size_t at = 0;
    for (int f = 0; f < Faces; ++f)
        for (int k = 0; k < counts[static_cast<std::size_t>(f)]; ++k)
            faces[at++] = f;
    return faces;
}

// ---------------------------------------------------------------------------

TStrategy::TStrategy(const IStrategyScoring &scoring)
    : m_Throws(std::clamp(scoring.Throws(), 1, Strategy::MaxThrows))
    , m_Threshold(scoring.BonusThreshold())
    , m_Bonus(scoring.Bonus())
    , m_Cap(std::clamp(scoring.BonusThreshold(), 0, MaxCap))
    , m_Key(scoring.Key())
{
    const int contexts = std::clamp(scoring.ContextCount(), 1, 1024);
    m_ContextOf.resize(2 * Masks);
    for (unsigned filled = 0; filled < Masks; ++filled)
        for (int flag = 0; flag < 2; ++flag)
            m_ContextOf[2 * filled + static_cast<unsigned>(flag)] =
                std::clamp(scoring.Context(filled, flag != 0), 0, contexts - 1);
    m_Scores.resize(static_cast<std::size_t>(contexts) * Rolls);
    for (int c = 0; c < contexts; ++c)
        for (int r = 0; r < Rolls; ++r)
            m_Scores[static_cast<std::size_t>(c * Rolls + r)] = scoring.Score(c, Strategy::RollFaces(r));
    for (int f = 0; f < Fields; ++f)
        m_Strikes[static_cast<std::size_t>(f)] = scoring.StrikeBeforeThrow(f);
}

int TStrategy::Capped(int upperPoints) const noexcept
{
    return std::clamp(upperPoints, 0, m_Cap);
}

double TStrategy::BonusOf(int capped) const noexcept
{
    return capped >= m_Threshold ? m_Bonus : 0;
}

std::size_t TStrategy::StateIndex(unsigned filled, bool flag, int capped) const noexcept
{
    const auto row = static_cast<std::size_t>(m_Cap + 1);
    filled &= Masks - 1;
    if (!flag || !(filled & QuintorBit))
        return filled * row + static_cast<std::size_t>(capped);
    // Flagged sheets all have the five-of-a-kind field filled: drop its bit.
    const unsigned low = filled & (QuintorBit - 1);
    const unsigned high = filled >> (Strategy::QuintorField + 1);
    const unsigned compact = low | (high << Strategy::QuintorField);
    return (Masks + compact) * row + static_cast<std::size_t>(capped);
}

double TStrategy::Value(unsigned filled, bool flag, int capped) const noexcept
{
    return m_Values[StateIndex(filled, flag, capped)];
}

double TStrategy::FutureValue(const TSheetState &sheet) const
{
    if (!m_Solved)
        return 0;
    return Value(sheet.Filled, sheet.Flag, Capped(sheet.UpperPoints));
}

double TStrategy::ChoiceValue(unsigned filled, bool flag, int capped, int field,
                              const TFieldScore &score) const noexcept
{
    const unsigned next = filled | (1u << field);
    const bool nextFlag = flag || (field == Strategy::QuintorField && score.SetsFlag);
    const int nextCapped = Strategy::IsUpperField(field) ? Capped(capped + score.Points) : capped;
    return score.Points + score.Extra + Value(next, nextFlag, nextCapped);
}

double TStrategy::StrikeOption(unsigned filled, bool flag, int capped) const noexcept
{
    double best = Impossible;
    for (int f = 0; f < Fields; ++f) {
        const auto &strike = m_Strikes[static_cast<std::size_t>(f)];
        if ((filled & (1u << f)) || !strike)
            continue;
        best = std::max(best, ChoiceValue(filled, flag, capped, f, StrikeScore(*strike)));
    }
    return best;
}

TFieldScores TStrategy::ScoresFor(const TSheetState &sheet, const TFaces &faces) const
{
    const int roll = std::max(0, Strategy::RollIndex(faces));
    const int context = m_ContextOf[2 * (sheet.Filled & (Masks - 1)) + (sheet.Flag ? 1u : 0u)];
    return m_Scores[static_cast<std::size_t>(context * Rolls + roll)];
}

TRollValues TStrategy::FinalValues(const TSheetState &sheet) const
{
    TRollValues final{};
    const unsigned filled = sheet.Filled & (Masks - 1);
    const int capped = Capped(sheet.UpperPoints);
    const int context = m_ContextOf[2 * filled + (sheet.Flag ? 1u : 0u)];
    for (int r = 0; r < Rolls; ++r) {
        const TFieldScores &scores = m_Scores[static_cast<std::size_t>(context * Rolls + r)];
        double best = Impossible;
        for (int f = 0; f < Fields; ++f)
            if (!(filled & (1u << f)) && scores[static_cast<std::size_t>(f)].Allowed)
                best = std::max(best, ChoiceValue(filled, sheet.Flag, capped, f,
                                                  scores[static_cast<std::size_t>(f)]));
        final[static_cast<std::size_t>(r)] = sheet.Points + best;
    }
    return final;
}

double TStrategy::ExpectedThrow(const TRollValues &final, int throwsLeft) const
{
    std::array<double, Rolls> thrown{};
    ThrowValues(final, std::clamp(throwsLeft, 1, Strategy::MaxThrows) - 1, thrown.data());
    return MeanOverThrows(thrown.data());
}

double TStrategy::ExpectedAtTurnStart(const TSheetState &sheet) const
{
    if (!m_Solved)
        return 0;
    if ((sheet.Filled & (Masks - 1)) == Masks - 1)
        return sheet.Points + BonusOf(Capped(sheet.UpperPoints));
    const double strike = sheet.Points
        + StrikeOption(sheet.Filled & (Masks - 1), sheet.Flag, Capped(sheet.UpperPoints));
    return std::max(strike, ExpectedThrow(FinalValues(sheet), m_Throws));
}

std::vector<TKeepChoice> TStrategy::RankKeeps(const TRollValues &final, const TFaces &faces,
                                              int throwsLeft) const
{
    const int left = std::clamp(throwsLeft, 1, Strategy::MaxThrows);
    return TTurnValues(final, left).RankKeeps(faces, left);
}

TTurnValues::TTurnValues(const TRollValues &final, int throws)
    : m_Throws(std::clamp(throws, 1, Strategy::MaxThrows))
    , m_Keeps(static_cast<std::size_t>(m_Throws) * Keeps)
{
    std::array<double, Rolls> thrown{};
    std::array<double, Keeps> best{};
    std::copy(final.begin(), final.end(), thrown.begin());
    for (int left = 1; left <= m_Throws; ++left) {
        double *keep = &m_Keeps[static_cast<std::size_t>(left - 1) * Keeps];
        // Keeping all five is no throw; Keep() still answers it with the throw's value.
        std::copy(thrown.begin(), thrown.end(), keep);
        ExpectKeeps(thrown.data(), keep);
        BestOfThrows(final.data(), keep, best.data(), thrown.data());
    }
}

double TTurnValues::Keep(const TFaceCounts &kept, int throwsLeft) const
{
    const int index = KeepIndex(kept);
    const int left = std::clamp(throwsLeft, 1, m_Throws);
    return index < 0 ? 0 : m_Keeps[static_cast<std::size_t>(left - 1) * Keeps + static_cast<std::size_t>(index)];
}

std::vector<TKeepChoice> TTurnValues::RankKeeps(const TFaces &faces, int throwsLeft) const
{
    const int left = std::clamp(throwsLeft, 1, m_Throws);
    const double *keep = &m_Keeps[static_cast<std::size_t>(left - 1) * Keeps];
    const TFaceCounts have = Strategy::CountsOf(faces);
    std::vector<TKeepChoice> choices;
    const TDiceSets &sets = Sets();
    for (int i = Rolls; i < Keeps; ++i) {
        const TFaceCounts &c = sets.Counts[static_cast<std::size_t>(i)];
        bool fits = true;
        for (int f = 0; f < Faces; ++f)
            fits = fits && c[static_cast<std::size_t>(f)] <= have[static_cast<std::size_t>(f)];
        if (fits)
            choices.push_back(TKeepChoice{c, keep[i]});
    }
    std::stable_sort(choices.begin(), choices.end(),
                     [](const TKeepChoice &a, const TKeepChoice &b) { return a.Expected > b.Expected; });
    return choices;
}

std::vector<TFieldChoice> TStrategy::RankFields(const TSheetState &sheet, const TFaces &faces,
                                                const TFieldScores *scores) const
{
    const TFieldScores own = ScoresFor(sheet, faces);
    const TFieldScores &use = scores ? *scores : own;
    const unsigned filled = sheet.Filled & (Masks - 1);
    const int capped = Capped(sheet.UpperPoints);
    std::vector<TFieldChoice> choices;
    for (int f = 0; f < Fields; ++f) {
        const TFieldScore &score = use[static_cast<std::size_t>(f)];
        if ((filled & (1u << f)) || !score.Allowed)
            continue;
        choices.push_back(TFieldChoice{f, Strategy::RowOfField(f), score.Points,
                                       sheet.Points + ChoiceValue(filled, sheet.Flag, capped, f, score)});
    }
    std::stable_sort(choices.begin(), choices.end(),
                     [](const TFieldChoice &a, const TFieldChoice &b) { return a.Expected > b.Expected; });
    return choices;
}

std::vector<TFieldChoice> TStrategy::RankStrikes(const TSheetState &sheet) const
{
    const unsigned filled = sheet.Filled & (Masks - 1);
    const int capped = Capped(sheet.UpperPoints);
    std::vector<TFieldChoice> choices;
    for (int f = 0; f < Fields; ++f) {
        const auto &strike = m_Strikes[static_cast<std::size_t>(f)];
        if ((filled & (1u << f)) || !strike)
            continue;
        const TFieldScore score = StrikeScore(*strike);
        choices.push_back(TFieldChoice{f, Strategy::RowOfField(f), *strike,
                                       sheet.Points + ChoiceValue(filled, sheet.Flag, capped, f, score)});
    }
    std::stable_sort(choices.begin(), choices.end(),
                     [](const TFieldChoice &a, const TFieldChoice &b) { return a.Expected > b.Expected; });
    return choices;
}

std::size_t TStrategy::Bytes() const noexcept
{
    return m_Values.capacity() * sizeof(float) + m_Scores.capacity() * sizeof(TFieldScores)
        + m_ContextOf.capacity() * sizeof(int);
}

// ---------------------------------------------------------------------------
// The backward induction. Sheets are solved by the number of fields filled,
// from full to empty; all sheets of one level depend only on the level above,
// so a level is shared out between threads.

class TStrategySolver {
public:
    explicit TStrategySolver(TStrategy &s)
        : m_S(s)
    {
        PrepareScores();
        PrepareReachable();
    }

    bool Run(const TSolveControl &control);

private:
    struct TScratch {
        std::array<double, Rolls> Final{};
        std::array<double, Rolls> Thrown{};
        std::array<double, Keeps> Keep{};
        std::array<double, Keeps> Best{};
    };

    void PrepareScores();
    void PrepareReachable();
    void SolveMask(unsigned filled, TScratch &scratch);
    void SolveSheet(unsigned filled, bool flag, int capped, TScratch &scratch);
    double TurnValue(unsigned filled, bool flag, int capped, TScratch &scratch) const;
    void FinalOf(unsigned filled, bool flag, int capped, double *final) const;
    [[nodiscard]] bool FlagPossible() const noexcept { return m_FlagPossible; }

    TStrategy &m_S;
    // Per context and field and throw: the points (Impossible where the throw
    // may not go), 1 where it sets the flag.
    std::vector<float> m_Points;
    std::vector<float> m_Flags;
    // Per context and upper field: the distinct points that count to the
    // bonus, and per throw which of them it gives.
    std::vector<std::vector<int>> m_UpperDistinct;
    std::vector<unsigned char> m_UpperWhich;
    std::array<int, Faces> m_MaxUpper{};             // most points an upper field can take
    std::vector<std::bitset<MaxCap + 1>> m_Reachable;  // per set of upper fields filled
    bool m_FlagPossible = false;
};

void TStrategySolver::PrepareScores()
{
    const std::size_t contexts = m_S.m_Scores.size() / Rolls;
    m_Points.assign(contexts * Fields * Rolls, 0.0f);
    m_Flags.assign(contexts * Fields * Rolls, 0.0f);
    m_UpperWhich.assign(contexts * Fields * Rolls, 0);
    m_UpperDistinct.assign(contexts * Faces, {});
    for (std::size_t c = 0; c < contexts; ++c) {
        for (int r = 0; r < Rolls; ++r) {
            const TFieldScores &scores = m_S.m_Scores[c * Rolls + static_cast<std::size_t>(r)];
            for (int f = 0; f < Fields; ++f) {
                const TFieldScore &s = scores[static_cast<std::size_t>(f)];
                const std::size_t at = (c * Fields + static_cast<std::size_t>(f)) * Rolls + static_cast<std::size_t>(r);
                m_Points[at] = s.Allowed ? static_cast<float>(s.Points + s.Extra) : static_cast<float>(Impossible);
                if (Strategy::IsUpperField(f)) {
                    std::vector<int> &distinct = m_UpperDistinct[c * Faces + static_cast<std::size_t>(f)];
                    auto found = std::find(distinct.begin(), distinct.end(), s.Points);
                    if (found == distinct.end())
                        found = distinct.insert(distinct.end(), s.Points);
                    m_UpperWhich[at] = static_cast<unsigned char>(found - distinct.begin());
                }
                const bool flags = f == Strategy::QuintorField && s.SetsFlag;
                m_Flags[at] = flags ? 1.0f : 0.0f;
                m_FlagPossible = m_FlagPossible || (flags && s.Allowed);
                if (Strategy::IsUpperField(f) && s.Allowed)
                    m_MaxUpper[static_cast<std::size_t>(f)] = std::max(m_MaxUpper[static_cast<std::size_t>(f)], s.Points);
            }
        }
    }
}

// The capped upper sums a sheet can hold once these upper fields are filled.
void TStrategySolver::PrepareReachable()
{
    std::array<std::bitset<MaxCap + 1>, Faces> points{};
    const std::size_t contexts = m_S.m_Scores.size() / Rolls;
    for (int f = 0; f < Faces; ++f) {
        auto &p = points[static_cast<std::size_t>(f)];
        if (m_S.m_Strikes[static_cast<std::size_t>(f)])
            p.set(static_cast<std::size_t>(m_S.Capped(*m_S.m_Strikes[static_cast<std::size_t>(f)])));
        for (std::size_t c = 0; c < contexts; ++c)
            for (int r = 0; r < Rolls; ++r) {
                const TFieldScore &s = m_S.m_Scores[c * Rolls + static_cast<std::size_t>(r)][static_cast<std::size_t>(f)];
                if (s.Allowed)
                    p.set(static_cast<std::size_t>(m_S.Capped(s.Points)));
            }
    }
    m_Reachable.assign(1u << Faces, {});
    m_Reachable[0].set(0);
    for (unsigned upper = 1; upper < (1u << Faces); ++upper) {
        const int f = std::countr_zero(upper);
        const auto &before = m_Reachable[upper & (upper - 1)];
        auto &now = m_Reachable[upper];
        for (int u = 0; u <= m_S.m_Cap; ++u) {
            if (!before.test(static_cast<std::size_t>(u)))
                continue;
            for (int add = 0; add <= m_S.m_Cap; ++add)
                if (points[static_cast<std::size_t>(f)].test(static_cast<std::size_t>(add)))
                    now.set(static_cast<std::size_t>(m_S.Capped(u + add)));
        }
    }
}

QUINTOR_WIDE void TStrategySolver::FinalOf(unsigned filled, bool flag, int capped, double *final) const
{
    const int context = m_S.m_ContextOf[2 * filled + (flag ? 1u : 0u)];
    std::fill(final, final + Rolls, Impossible);
    for (int f = 0; f < Fields; ++f) {
        if (filled & (1u << f))
            continue;
        const std::size_t at = (static_cast<std::size_t>(context) * Fields + static_cast<std::size_t>(f)) * Rolls;
        const float *points = &m_Points[at];
        const unsigned next = filled | (1u << f);
        if (Strategy::IsUpperField(f)) {
            // Few distinct upper points per field: look their futures up once.
            const float *row = &m_S.m_Values[m_S.StateIndex(next, flag, 0)];
            const std::vector<int> &distinct = m_UpperDistinct[static_cast<std::size_t>(context) * Faces + static_cast<std::size_t>(f)];
            std::array<double, Rolls> future{};
            for (std::size_t j = 0; j < distinct.size(); ++j)
                future[j] = row[std::clamp(capped + distinct[j], 0, m_S.m_Cap)];
            const unsigned char *which = &m_UpperWhich[at];
            for (int r = 0; r < Rolls; ++r)
                final[r] = std::max(final[r], points[r] + future[which[r]]);
            continue;
        }
        const double plain = m_S.Value(next, flag, capped);
        if (f != Strategy::QuintorField) {
            for (int r = 0; r < Rolls; ++r)
                final[r] = std::max(final[r], points[r] + plain);
            continue;
        }
        const double gain = m_S.Value(next, true, capped) - plain;
        const float *flags = &m_Flags[at];
        for (int r = 0; r < Rolls; ++r)
            final[r] = std::max(final[r], points[r] + plain + flags[r] * gain);
    }
}

double TStrategySolver::TurnValue(unsigned filled, bool flag, int capped, TScratch &s) const
{
    FinalOf(filled, flag, capped, s.Final.data());
    std::copy(s.Final.begin(), s.Final.end(), s.Thrown.begin());
    for (int j = 1; j < m_S.m_Throws; ++j) {
        ExpectKeeps(s.Thrown.data(), s.Keep.data());
        BestOfThrows(s.Final.data(), s.Keep.data(), s.Best.data(), s.Thrown.data());
    }
    return std::max(MeanOverThrows(s.Thrown.data()), m_S.StrikeOption(filled, flag, capped));
}

void TStrategySolver::SolveSheet(unsigned filled, bool flag, int capped, TScratch &scratch)
{
    const double value = filled == Masks - 1 ? m_S.BonusOf(capped) : TurnValue(filled, flag, capped, scratch);
    m_S.m_Values[m_S.StateIndex(filled, flag, capped)] = static_cast<float>(value);
}

void TStrategySolver::SolveMask(unsigned filled, TScratch &scratch)
{
    const unsigned upper = filled & ((1u << Faces) - 1);
    const auto &reachable = m_Reachable[upper];
    int stillPossible = 0;
    for (int f = 0; f < Faces; ++f)
        if (!(upper & (1u << f)))
            stillPossible += m_MaxUpper[static_cast<std::size_t>(f)];
    const bool bonusMatters = m_S.m_Bonus != 0;
    for (int flag = 0; flag < 2; ++flag) {
        if (flag && (!(filled & QuintorBit) || !FlagPossible()))
            continue;
        // Sums from which the bonus is out of reach (or worthless) all lead to
        // the same future: solve one and copy it.
        int dead = -1;
        float lastValue = 0;
        for (int u = 0; u <= m_S.m_Cap; ++u) {
            const std::size_t at = m_S.StateIndex(filled, flag != 0, u);
            const bool isDead = (!bonusMatters || u + stillPossible < m_S.m_Threshold) && u < m_S.m_Threshold;
            if (!reachable.test(static_cast<std::size_t>(u))) {
                m_S.m_Values[at] = lastValue;  // cannot occur; a neighbour's value
                continue;
            }
            if (isDead && dead >= 0) {
                m_S.m_Values[at] = m_S.m_Values[m_S.StateIndex(filled, flag != 0, dead)];
            } else {
                SolveSheet(filled, flag != 0, u, scratch);
                if (isDead)
                    dead = u;
            }
            lastValue = m_S.m_Values[at];
        }
    }
}

bool TStrategySolver::Run(const TSolveControl &control)
{
    m_S.m_Values.assign(static_cast<std::size_t>(Masks + Masks / 2) * static_cast<std::size_t>(m_S.m_Cap + 1), 0.0f);
    std::array<std::vector<unsigned>, Fields + 1> levels;
    for (unsigned filled = 0; filled < Masks; ++filled)
        levels[static_cast<std::size_t>(std::popcount(filled))].push_back(filled);

    int threads = control.Threads > 0 ? control.Threads : static_cast<int>(std::thread::hardware_concurrency());
    threads = std::clamp(threads, 1, 64);
    const auto cancelled = [&control] { return control.Cancel && control.Cancel->load(); };
    int done = 0;
    for (int level = Fields; level >= 0; --level) {
        const std::vector<unsigned> &masks = levels[static_cast<std::size_t>(level)];
        std::atomic<std::size_t> next{0};
        const auto work = [&] {
            TScratch scratch;
            for (std::size_t i = next++; i < masks.size() && !cancelled(); i = next++)
                SolveMask(masks[i], scratch);
        };
        if (threads == 1 || masks.size() < 16) {
            work();
        } else {
            std::vector<std::thread> pool;
            for (int t = 1; t < threads; ++t)
                pool.emplace_back(work);
            work();
            for (std::thread &t : pool)
                t.join();
        }
        if (cancelled())
            return false;
        done += static_cast<int>(masks.size());
        if (control.Progress)
            control.Progress(done, Masks);
    }
    return true;
}

bool TStrategy::Solve(const TSolveControl &control)
{
    m_Solved = false;
    TStrategySolver solver(*this);
    if (!solver.Run(control)) {
        m_Values.clear();
        m_Values.shrink_to_fit();
        return false;
    }
    m_Solved = true;
    return true;
}

// ---------------------------------------------------------------------------
// File: magic, key length and key, cap, value count, the values as floats,
// then a checksum of everything before it.

QByteArray TStrategy::FileHeader() const
{
    QByteArray header;
    const auto put32 = [&header](std::uint32_t v) { header.append(reinterpret_cast<const char *>(&v), 4); };
    header.append(FileMagic, sizeof FileMagic);
    put32(static_cast<std::uint32_t>(m_Key.size()));
    header.append(m_Key);
    put32(static_cast<std::uint32_t>(m_Cap));
    put32(static_cast<std::uint32_t>(static_cast<std::size_t>(Masks + Masks / 2) * static_cast<std::size_t>(m_Cap + 1)));
    return header;
}

bool TStrategy::SaveFile(const QString &fileName) const
{
    if (!m_Solved)
        return false;
    const QByteArray header = FileHeader();
    const auto *values = reinterpret_cast<const char *>(m_Values.data());
    const std::size_t bytes = m_Values.size() * sizeof(float);
    TChecksum sum;
    sum.Add(header.constData(), static_cast<std::size_t>(header.size()));
    sum.Add(values, bytes);
    const std::uint64_t checksum = sum.Value();

    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const bool written = file.write(header) == header.size()
        && file.write(values, static_cast<qint64>(bytes)) == static_cast<qint64>(bytes)
        && file.write(reinterpret_cast<const char *>(&checksum), sizeof checksum) == sizeof checksum;
    return written && file.commit();
}

// Reads straight into the table; the header must be this rule set's, byte
// for byte, and the checksum must match.
bool TStrategy::LoadFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = FileHeader();
    const std::size_t count = static_cast<std::size_t>(Masks + Masks / 2) * static_cast<std::size_t>(m_Cap + 1);
    const auto bytes = static_cast<qint64>(count * sizeof(float));
    if (file.size() != header.size() + bytes + static_cast<qint64>(sizeof(std::uint64_t)))
        return false;
    if (file.read(header.size()) != header)
        return false;
    std::vector<float> values(count);
    std::uint64_t stored = 0;
    if (file.read(reinterpret_cast<char *>(values.data()), bytes) != bytes
        || file.read(reinterpret_cast<char *>(&stored), sizeof stored) != sizeof stored)
        return false;
    TChecksum sum;
    sum.Add(header.constData(), static_cast<std::size_t>(header.size()));
    sum.Add(reinterpret_cast<const char *>(values.data()), static_cast<std::size_t>(bytes));
    if (sum.Value() != stored)
        return false;
    if (!std::all_of(values.begin(), values.end(), [](float v) { return std::isfinite(v); }))
        return false;
    m_Values = std::move(values);
    m_Solved = true;
    return true;
}
