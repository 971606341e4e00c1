// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "play/uTTurnEngine.h"
#include "rules/uTTavolex.h"
#include "storage/uTPlayer.h"
#include "support/playersnamed.h"

#include <QList>
#include <QStringList>

// What the strategy tests share: rule sets, players and a roll played out.
namespace StrategyFixture {
inline constexpr int W = 900;
inline constexpr int H = 600;

inline TTavolexSettings rulesWith(int columns, bool allowRedo = false, int throws = 3,
                                  const QString &ext = TTavolexSettings::DefaultExtOptions)
{
    TTavolexSettings rules;
    rules.SetMultTavolex(true);
    rules.SetDiceCount(throws);
    rules.SetGameCount(columns);
    rules.SetAllowRedo(allowRedo);
    rules.SetShowHint(true);
    rules.SetExtOptions(ext);
    return rules;
}

// The frame loop's part of a throw: the dice roll to rest and are evaluated.
inline void rollToRest(TTurnEngine &engine)
{
    while (engine.StepDice(W, H)) {
    }
    engine.ThrowSettled();
    engine.EvaluateIfPending();
}
}  // namespace StrategyFixture
