// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FuzzSupport.h"

#include "rules/uTTavolex.h"
#include "storage/uTMainApplication.h"
#include "storage/uTPlayer.h"
#include "storage/uTools.h"

// Any bytes as a profile, a rule set and Global.ini: each loads, saves and
// loads again to the same values with a matching signature.
namespace {

bool QuoteWrapped(const QString &text)
{
    // One pair of enclosing quotes is removed on every read, by design.
    return text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"'));
}

void Profile(const QByteArray &bytes)
{
    const QString path = Fuzz::WriteInput(QStringLiteral("Player1.qtp"), bytes);
    TPlayer player;
    QString error;
    player.LoadFromFile(path, error);
    player.SaveToFile(path);
    TPlayer again;
    again.LoadFromFile(path, error);
    FUZZ_CHECK(error.isEmpty());
    FUZZ_CHECK(again.MatchesWon() == player.MatchesWon());
    FUZZ_CHECK(again.Plays() == player.Plays());
    FUZZ_CHECK(again.DiceType() == player.DiceType());
    FUZZ_CHECK(again.BackgroundType() == player.BackgroundType());
    FUZZ_CHECK(QuoteWrapped(player.Name()) || again.Name() == player.Name());
    FUZZ_CHECK(QuoteWrapped(player.Background()) || again.Background() == player.Background());
}

void Rules(const QByteArray &bytes)
{
    const QString path = Fuzz::WriteInput(QStringLiteral("Quintor.ini"), bytes);
    TTavolexSettings rules;
    QString error;
    rules.LoadFromFile(path, QStringLiteral("Settings"), error);
    rules.SaveToFile(path, QStringLiteral("Settings"));
    TTavolexSettings again;
    error.clear();
    again.LoadFromFile(path, QStringLiteral("Settings"), error);
    FUZZ_CHECK(error.isEmpty());
    FUZZ_CHECK(again.DiceCount() == rules.DiceCount());
    FUZZ_CHECK(again.GameCount() == rules.GameCount());
    FUZZ_CHECK(again.MultTavolex() == rules.MultTavolex());
    FUZZ_CHECK(again.AllowRedo() == rules.AllowRedo());
    FUZZ_CHECK(again.ShowHint() == rules.ShowHint());
    FUZZ_CHECK(QuoteWrapped(rules.ExtOptions()) || again.ExtOptions() == rules.ExtOptions());
    for (int row = 0; row < Row::Count; ++row)
        FUZZ_CHECK(QuoteWrapped(rules.ExtOptions()) || again.RuleValue(row) == rules.RuleValue(row));
    rules.ClampForPlay();
    FUZZ_CHECK(rules.DiceCount() >= 1 && rules.DiceCount() <= 6);
    FUZZ_CHECK(rules.GameCount() >= 1 && rules.GameCount() <= 4);
}

void Global(const QByteArray &bytes)
{
    const QString path = Fuzz::WriteInput(QStringLiteral("Global.ini"), bytes);
    TMainApplication application;
    application.LoadFromFile(path);
    application.SaveToFile(path);
    TMainApplication again;
    again.LoadFromFile(path);
    FUZZ_CHECK(again.Gamecount() == application.Gamecount());
    FUZZ_CHECK(again.Sound() == application.Sound());
    FUZZ_CHECK(again.AnimateCup() == application.AnimateCup());
    FUZZ_CHECK(again.AnimateDice() == application.AnimateDice());
    FUZZ_CHECK(again.ShowSplash() == application.ShowSplash());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = Fuzz::Bytes(data, size);
    try {
        Profile(bytes);
        Rules(bytes);
        Global(bytes);
    } catch (const EWriteError &) {
        Fuzz::Fail("write to the scratch folder");
    }
    return 0;
}
