#pragma once

#include "strategy/uTAdvisor.h"

#include <QString>

#include <cstdint>

class TTurnEngine;

// A profile's "Computer" value: 0 a person, 1-3 a computer player.
enum class TStrength : int { Person = 0, Beginner = 1, Advanced = 2, Pro = 3 };

// "Anfänger", "Fortgeschritten", "Profi"; empty for a person.
[[nodiscard]] QString StrengthName(TStrength strength);
// 0-3 as stored; anything else is a person.
[[nodiscard]] TStrength StrengthOf(int stored) noexcept;

// Uniform whole numbers 0 .. n-1 (0 when n <= 0).
class IRandomSource {
public:
    virtual ~IRandomSource() = default;
    virtual int Next(int n) = 0;
};

// The program's one generator (play/uRandom), for games in the window.
class TProgramRandom : public IRandomSource {
public:
    int Next(int n) override;
};

// A generator of its own with a fixed seed, for reproducible simulations.
class TSeededRandom : public IRandomSource {
public:
    explicit TSeededRandom(std::uint64_t seed);
    int Next(int n) override;

private:
    std::array<std::uint64_t, 4> m_State{};
};

// Which of the choices (best first, non-empty) a player of `strength` takes.
// Profi: the first. Fortgeschritten: mostly a good one, now and then a
// reasonable but weaker one. Anfänger: fields by their immediate points,
// dice by the largest group of equal faces.
[[nodiscard]] int PickChoice(TStrength strength, const TTurnSituation &situation,
                             const std::vector<TTurnChoice> &choices, IRandomSource &random);

// One step of a computer's turn.
struct TComputerAction {
    enum class Kind {
        Wait,     // nothing to do now: dice roll, wait for their evaluation, or not this player's turn
        Throw,    // the cup
        Hold,     // die `Die` is held (a click on it)
        Release,  // die `Die` is released (a click on it)
        Choose,   // field Column/Row is chosen
    };
    Kind What = Kind::Wait;
    int Die = -1;
    int Column = -1;
    int Row = -1;
};

// Plays the turns of a computer player through the turn engine's commands,
// one action per call, so that the window can pace them on its timer. Never
// gives up; its entries skip the strike question and the take-back
// confirmation (TTurnEngine::ChooseFieldUnasked).
class TComputerTurn {
public:
    // `strategy` must be solved for the game's rule set and outlive this.
    TComputerTurn(const TStrategy &strategy, TStrength strength, IRandomSource &random);

    // The next action for the player on turn (ask only while this computer
    // is on turn): decides once per throw and holds to that decision until
    // it is carried out.
    [[nodiscard]] TComputerAction Next(const TTurnEngine &engine);
    // Carries out an action from Next through the engine's commands
    // (ClickCup, ClickDie, ChooseFieldUnasked): what the window calls on its
    // timer; the dice then roll on its frames as after a person's click.
    void Perform(TTurnEngine &engine, const TComputerAction &action, int width, int height);
    // Next and Perform in one, headless: a roll under way is first played to
    // its end and evaluated (the frame loop's part). Returns what it did.
    TComputerAction Step(TTurnEngine &engine, int width, int height);

private:
    [[nodiscard]] TComputerAction Decide(const TTurnEngine &engine);

    TAdvisor m_Advisor;
    TStrength m_Strength;
    IRandomSource &m_Random;
    // The decision taken for the throw lying: its turn, throw number and plan.
    bool m_Planned = false;
    int m_PlanPlayer = -1;
    int m_PlanThrow = -1;
    int m_PlanRound = -1;
    TTurnChoice m_Plan;
};

// Mean and standard error of the final scores of `games` one-column games
// played by `strength` on the strategy's rule set, without a window.
struct TSimulationResult {
    int Games = 0;
    double Mean = 0;
    double StandardError = 0;
};
[[nodiscard]] TSimulationResult SimulateGames(const TStrategy &strategy, TStrength strength, int games,
                                              std::uint64_t seed);
