// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "rules/uTTavolex.h"
#include "strategy/uTStrategy.h"

#include <QStandardPaths>

#include <memory>

class TTavolex;

// The game's rule set as the strategy engine sees it. Every score is what
// TTavolex::Evaluate offers: a field with a move value takes it, a field with
// none is struck (0 above, rule value 25 below). Context 1 is a sheet whose
// row 17 holds a value > 0, where a further five of a kind scores.
class TRulesScoring : public IStrategyScoring {
public:
    explicit TRulesScoring(const TTavolexSettings &rules);

    [[nodiscard]] int Throws() const override;
    [[nodiscard]] int BonusThreshold() const override;
    [[nodiscard]] int Bonus() const override;
    [[nodiscard]] int ContextCount() const override { return 2; }
    [[nodiscard]] int Context(unsigned filled, bool flag) const override;
    [[nodiscard]] TFieldScores Score(int context, const TFaces &faces) const override;
    [[nodiscard]] std::optional<int> StrikeBeforeThrow(int field) const override;
    // Throws, threshold, bonus, rule values 14-17, 24, 25 and MultTavolex.
    [[nodiscard]] QByteArray Key() const override;

    // What a field of `column` gives for the throw it last evaluated
    // (its move values), in the engine's terms.
    [[nodiscard]] static TFieldScores ScoresOfColumn(const TTavolex &column);
    // The sheet state of a column.
    [[nodiscard]] static TSheetState SheetOf(const TTavolex &column);

private:
    TTavolexSettings m_Rules;
};

// The folder of the solved tables: the user's cache folder (XDG).
[[nodiscard]] QString StrategyCacheFolder();
// The cache file of a rule set in `folder`: named by a hash of its key.
[[nodiscard]] QString StrategyCacheFile(const QString &folder, const IStrategyScoring &scoring);

// The solved strategy of a rule set: read from the cache file when it holds
// this rule set intact, solved (and written to the cache) otherwise. Safe to
// call on a worker thread; the control's hooks are called on that thread.
// Null when cancelled. `loadedFromCache`, when given, tells which happened.
[[nodiscard]] std::shared_ptr<const TStrategy> ObtainStrategy(const TTavolexSettings &rules,
                                                              const QString &cacheFolder,
                                                              const TSolveControl &control = {},
                                                              bool *loadedFromCache = nullptr);
