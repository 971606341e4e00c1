#include "strategy/uTComputerPlayer.h"

#include "play/uRandom.h"
#include "play/uTTurnEngine.h"

#include <algorithm>
#include <cmath>

QString StrengthName(TStrength strength)
{
    switch (strength) {
    case TStrength::Beginner: return QStringLiteral("Anfänger");
    case TStrength::Advanced: return QStringLiteral("Fortgeschritten");
    case TStrength::Pro: return QStringLiteral("Profi");
    default: return QString();
    }
}

TStrength StrengthOf(int stored) noexcept
{
    return stored >= 1 && stored <= 3 ? static_cast<TStrength>(stored) : TStrength::Person;
}

int TProgramRandom::Next(int n)
{
    return Random(n);
}

namespace {
std::uint64_t SplitMix(std::uint64_t &x) noexcept
{
    std::uint64_t z = (x += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

std::uint64_t Rotl(std::uint64_t x, int k) noexcept
{
    return (x << k) | (x >> (64 - k));
}
}  // namespace

TSeededRandom::TSeededRandom(std::uint64_t seed)
{
    for (std::uint64_t &word : m_State)
        word = SplitMix(seed);
}

int TSeededRandom::Next(int n)
{
    if (n <= 0)
        return 0;
    // xoshiro256**
    const std::uint64_t result = Rotl(m_State[1] * 5, 7) * 9;
    const std::uint64_t t = m_State[1] << 17;
    m_State[2] ^= m_State[0];
    m_State[3] ^= m_State[1];
    m_State[1] ^= m_State[2];
    m_State[0] ^= m_State[3];
    m_State[2] ^= t;
    m_State[3] = Rotl(m_State[3], 45);
    return static_cast<int>((result >> 11) % static_cast<std::uint64_t>(n));
}

namespace {
// How far a "Fortgeschritten" strays: a choice worse by d points is taken
// with weight exp(-d / Temperature), choices worse than Reasonable never.
constexpr double AdvancedTemperature = 1.1;
constexpr double AdvancedReasonable = 12.0;
// What an "Anfänger" finds worth entering while throws are left.
constexpr int BeginnerTakesAt = 20;

double Uniform(IRandomSource &random)
{
    constexpr int Steps = 1 << 30;
    return (random.Next(Steps) + 0.5) / Steps;
}

int PickAdvanced(const std::vector<TTurnChoice> &choices, IRandomSource &random)
{
    const double best = choices.front().Expected;
    std::vector<double> weights;
    double total = 0;
    for (const TTurnChoice &c : choices) {
        const double loss = best - c.Expected;
        weights.push_back(loss <= AdvancedReasonable ? std::exp(-loss / AdvancedTemperature) : 0.0);
        total += weights.back();
    }
    double x = Uniform(random) * total;
    for (std::size_t i = 0; i < weights.size(); ++i) {
        x -= weights[i];
        if (x <= 0 && weights[i] > 0)
            return static_cast<int>(i);
    }
    return 0;
}

// The keep of the largest group of equal faces (the higher face on a tie).
TFaceCounts LargestGroup(const TFaces &faces)
{
    const TFaceCounts counts = Strategy::CountsOf(faces);
    int face = 0;
    for (int f = 1; f < Strategy::Faces; ++f)
        if (counts[static_cast<std::size_t>(f)] >= counts[static_cast<std::size_t>(face)])
            face = f;
    TFaceCounts kept{};
    kept[static_cast<std::size_t>(face)] = counts[static_cast<std::size_t>(face)];
    return kept;
}

// The field with the most points now; among equals any one.
int MostPoints(const std::vector<TTurnChoice> &choices, IRandomSource &random)
{
    std::vector<int> best;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        const TTurnChoice &c = choices[i];
        if (c.What != TTurnChoice::Kind::Field)
            continue;
        if (!best.empty() && c.Points > choices[static_cast<std::size_t>(best.front())].Points)
            best.clear();
        if (best.empty() || c.Points == choices[static_cast<std::size_t>(best.front())].Points)
            best.push_back(static_cast<int>(i));
    }
    return best.empty() ? -1 : best[static_cast<std::size_t>(random.Next(static_cast<int>(best.size())))];
}

int PickBeginner(const TTurnSituation &s, const std::vector<TTurnChoice> &choices, IRandomSource &random)
{
    if (!s.DiceLying) {
        for (std::size_t i = 0; i < choices.size(); ++i)
            if (choices[i].What == TTurnChoice::Kind::Throw)
                return static_cast<int>(i);
        return 0;
    }
    const int field = MostPoints(choices, random);
    const bool canThrow = std::any_of(choices.begin(), choices.end(),
                                      [](const TTurnChoice &c) { return c.What == TTurnChoice::Kind::Throw; });
    if (field >= 0 && (!canThrow || choices[static_cast<std::size_t>(field)].Points >= BeginnerTakesAt))
        return field;
    const TFaceCounts group = LargestGroup(s.Faces);
    for (std::size_t i = 0; i < choices.size(); ++i)
        if (choices[i].What == TTurnChoice::Kind::Throw && choices[i].Kept == group)
            return static_cast<int>(i);
    return field >= 0 ? field : 0;
}
}  // namespace

int PickChoice(TStrength strength, const TTurnSituation &situation, const std::vector<TTurnChoice> &choices,
               IRandomSource &random)
{
    if (choices.empty())
        return -1;
    switch (strength) {
    case TStrength::Advanced: return PickAdvanced(choices, random);
    case TStrength::Beginner: return PickBeginner(situation, choices, random);
    default: return 0;
    }
}

// ---------------------------------------------------------------------------

TComputerTurn::TComputerTurn(const TStrategy &strategy, TStrength strength, IRandomSource &random)
    : m_Advisor(strategy)
    , m_Strength(strength == TStrength::Person ? TStrength::Pro : strength)
    , m_Random(random)
{
}

TComputerAction TComputerTurn::Decide(const TTurnEngine &engine)
{
    const TTurnSituation s = SituationOf(engine);
    if (!s.CanChoose)
        return {};
    const TAdvice advice = m_Advisor.Advise(s);
    const int pick = PickChoice(m_Strength, s, advice.Choices, m_Random);
    if (pick < 0)
        return {};
    m_Plan = advice.Choices[static_cast<std::size_t>(pick)];
    m_Planned = true;
    m_PlanPlayer = engine.CurrentPlayer();
    m_PlanThrow = engine.ThrowsUsed();
    m_PlanRound = engine.Round();
    return Next(engine);
}

TComputerAction TComputerTurn::Next(const TTurnEngine &engine)
{
    const TurnPhase phase = engine.Phase();
    if (engine.GameOver() || phase == TurnPhase::Rolling || phase == TurnPhase::Viewing
        || (phase == TurnPhase::Lying && !engine.ThrowEvaluated()))
        return {};
    const bool current = m_Planned && m_PlanPlayer == engine.CurrentPlayer()
        && m_PlanThrow == engine.ThrowsUsed() && m_PlanRound == engine.Round();
    if (!current)
        return Decide(engine);

    TComputerAction action;
    if (m_Plan.What == TTurnChoice::Kind::Field) {
        action.What = TComputerAction::Kind::Choose;
        action.Column = m_Plan.Column;
        action.Row = m_Plan.Row;
        return action;
    }
    for (int i = 0; i < Strategy::Dice; ++i) {
        const bool held = engine.Dice()[static_cast<std::size_t>(i)].State() == TDice::dsHeld;
        if (held != m_Plan.Hold[static_cast<std::size_t>(i)]) {
            action.What = held ? TComputerAction::Kind::Release : TComputerAction::Kind::Hold;
            action.Die = i;
            return action;
        }
    }
    action.What = TComputerAction::Kind::Throw;
    return action;
}

TComputerAction TComputerTurn::Step(TTurnEngine &engine, int width, int height)
{
    if (engine.Phase() == TurnPhase::Rolling) {
        while (engine.StepDice(width, height)) {
        }
        engine.ThrowSettled();
    }
    engine.EvaluateIfPending();
    const TComputerAction action = Next(engine);
    Perform(engine, action, width, height);
    return action;
}

void TComputerTurn::Perform(TTurnEngine &engine, const TComputerAction &action, int width, int height)
{
    switch (action.What) {
    case TComputerAction::Kind::Throw:
        (void)engine.ClickCup(width, height);
        break;
    case TComputerAction::Kind::Hold:
    case TComputerAction::Kind::Release:
        (void)engine.ClickDie(action.Die);
        break;
    case TComputerAction::Kind::Choose:
        m_Planned = false;
        engine.ChooseFieldUnasked(action.Column, action.Row);
        break;
    case TComputerAction::Kind::Wait:
        break;
    }
}

// ---------------------------------------------------------------------------

namespace {
// One turn of a one-column sheet without the turn engine.
void PlayTurn(TAdvisor &advisor, TStrength strength, IRandomSource &random, TSheetState &sheet)
{
    const TStrategy &strategy = advisor.Table();
    TTurnSituation s;
    s.Columns.resize(1);
    s.Columns[0].Sheet = sheet;
    s.ThrowsLeft = strategy.Throws();
    s.CanChoose = true;
    for (;;) {
        const TAdvice advice = advisor.Advise(s);
        const int pick = PickChoice(strength, s, advice.Choices, random);
        if (pick < 0)
            return;
        const TTurnChoice &c = advice.Choices[static_cast<std::size_t>(pick)];
        if (c.What == TTurnChoice::Kind::Field) {
            const int field = Strategy::FieldOfRow(c.Row);
            const TFieldScore score = s.DiceLying ? s.Columns[0].Scores[static_cast<std::size_t>(field)]
                                                  : StrikeScore(c.Points);
            sheet.Filled |= 1u << field;
            sheet.Points += score.Points + score.Extra;
            if (Strategy::IsUpperField(field))
                sheet.UpperPoints += score.Points;
            sheet.Flag = sheet.Flag || (field == Strategy::QuintorField && score.SetsFlag);
            return;
        }
        for (int i = 0; i < Strategy::Dice; ++i)
            if (!c.Hold[static_cast<std::size_t>(i)])
                s.Faces[static_cast<std::size_t>(i)] = random.Next(Strategy::Faces);
        s.Held = c.Hold;
        ++s.ThrowsUsed;
        --s.ThrowsLeft;
        s.DiceLying = true;
        TTurnSituation::Column &column = s.Columns[0];
        column.Scores = strategy.ScoresFor(sheet, s.Faces);
        column.Offered = 0;
        for (int f = 0; f < Strategy::Fields; ++f)
            if (column.Scores[static_cast<std::size_t>(f)].Points != 0)
                column.Offered |= 1u << f;
    }
}
}  // namespace

TSimulationResult SimulateGames(const TStrategy &strategy, TStrength strength, int games, std::uint64_t seed)
{
    TSimulationResult result;
    if (!strategy.IsSolved() || games <= 0)
        return result;
    TAdvisor advisor(strategy);
    TSeededRandom random(seed);
    double sum = 0, squares = 0;
    for (int g = 0; g < games; ++g) {
        TSheetState sheet;
        for (int turn = 0; turn < Strategy::Fields; ++turn)
            PlayTurn(advisor, strength, random, sheet);
        // A full sheet's future value is its bonus.
        const double score = sheet.Points + strategy.FutureValue(sheet);
        sum += score;
        squares += score * score;
    }
    result.Games = games;
    result.Mean = sum / games;
    const double variance = games > 1 ? (squares - sum * sum / games) / (games - 1) : 0;
    result.StandardError = std::sqrt(std::max(0.0, variance) / games);
    return result;
}
