// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "strategy/uTComputerPlayer.h"

#include <array>
#include <memory>

class TMainApplication;
class TStrategy;
class TTurnEngine;

// Plays the turns of the computer players on the window's frame timer: one
// action (cup, a die held or released, a field) at a time, about half a
// second apart so that people can follow; quicker with the cup animation off.
// The actions are the engine's commands a person's clicks use too.
class TComputerPacer {
public:
    static constexpr int FramesBetweenActions = 30;      // about 0.5 s at 60 frames a second
    static constexpr int FramesWithoutCupAnimation = 15;

    TComputerPacer(TTurnEngine &engine, const TMainApplication &settings);
    ~TComputerPacer();

    [[nodiscard]] bool HasComputers() const;
    [[nodiscard]] bool HasPeople() const;
    // The player on turn is a computer and the game runs: clicks are not for now.
    [[nodiscard]] bool ComputerOnTurn() const;
    // A computer is on turn but the strategy is not ready yet.
    [[nodiscard]] bool Waiting() const { return ComputerOnTurn() && !m_Strategy; }
    // `strategy` is solved for the game's rule set.
    void SetStrategy(std::shared_ptr<const TStrategy> strategy);

    // One frame of the playfield (after it was drawn): true when an action was carried out.
    bool Frame(int width, int height);

private:
    [[nodiscard]] TStrength StrengthOfPlayer(int player) const;
    [[nodiscard]] int Interval() const;

    TTurnEngine &m_Engine;
    const TMainApplication &m_Settings;
    std::shared_ptr<const TStrategy> m_Strategy;
    TProgramRandom m_Random;
    std::array<std::unique_ptr<TComputerTurn>, 4> m_Turns;
    int m_Frames = 0;  // since the last action or since the computer had nothing to do
};
