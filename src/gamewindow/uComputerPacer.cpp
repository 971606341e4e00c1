// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gamewindow/uComputerPacer.h"

#include "play/uTTurnEngine.h"
#include "storage/uTMainApplication.h"
#include "strategy/uTStrategy.h"

TComputerPacer::TComputerPacer(TTurnEngine &engine, const TMainApplication &settings)
    : m_Engine(engine), m_Settings(settings)
{
}

TComputerPacer::~TComputerPacer() = default;

TStrength TComputerPacer::StrengthOfPlayer(int player) const
{
    const QList<TPlayer> &players = m_Engine.Players();
    return player >= 0 && player < players.size() ? StrengthOf(players[player].Computer()) : TStrength::Person;
}

bool TComputerPacer::HasComputers() const
{
    for (int p = 0; p < m_Engine.Players().size(); ++p) {
        if (StrengthOfPlayer(p) != TStrength::Person)
            return true;
    }
    return false;
}

bool TComputerPacer::HasPeople() const
{
    for (int p = 0; p < m_Engine.Players().size(); ++p) {
        if (StrengthOfPlayer(p) == TStrength::Person)
            return true;
    }
    return false;
}

bool TComputerPacer::ComputerOnTurn() const
{
    return !m_Engine.GameOver() && StrengthOfPlayer(m_Engine.CurrentPlayer()) != TStrength::Person;
}

void TComputerPacer::SetStrategy(std::shared_ptr<const TStrategy> strategy)
{
    m_Strategy = std::move(strategy);
    for (int p = 0; p < m_Engine.Players().size() && p < static_cast<int>(m_Turns.size()); ++p) {
        const TStrength strength = StrengthOfPlayer(p);
        auto &turn = m_Turns[static_cast<std::size_t>(p)];
        turn = strength == TStrength::Person || !m_Strategy
            ? nullptr
            : std::make_unique<TComputerTurn>(*m_Strategy, strength, m_Random);
    }
}

int TComputerPacer::Interval() const
{
    return m_Settings.AnimateCup() == 2 ? FramesBetweenActions : FramesWithoutCupAnimation;
}

bool TComputerPacer::Frame(int width, int height)
{
    const auto player = static_cast<std::size_t>(m_Engine.CurrentPlayer());
    if (!ComputerOnTurn() || player >= m_Turns.size() || !m_Turns[player]) {
        m_Frames = 0;
        return false;
    }
    if (++m_Frames < Interval())
        return false;
    const TComputerAction action = m_Turns[player]->Next(m_Engine);
    // Waiting (the dice roll) starts the count anew: the next action comes
    // a pause after the dice have come to rest.
    m_Frames = 0;
    if (action.What == TComputerAction::Kind::Wait)
        return false;
    m_Turns[player]->Perform(m_Engine, action, width, height);
    return true;
}
