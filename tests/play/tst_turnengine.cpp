// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "play/faketurnhost.h"
#include "play/uRandom.h"
#include "play/uTTurnEngine.h"
#include "support/playersnamed.h"
#include "support/throwof.h"

#include <QTest>

#include <memory>

namespace {
constexpr int W = 900;
constexpr int H = 600;

TTavolexSettings rulesWith(int columns, bool allowRedo = false, bool showHint = true,
                           const QString &ext = TTavolexSettings::DefaultExtOptions)
{
    TTavolexSettings rules;
    rules.SetMultTavolex(true);
    rules.SetDiceCount(3);
    rules.SetGameCount(columns);
    rules.SetAllowRedo(allowRedo);
    rules.SetShowHint(showHint);
    rules.SetExtOptions(ext);
    return rules;
}

struct Game {
    FakeTurnHost host;
    std::unique_ptr<TTurnEngine> engine;

    Game(const QStringList &names, const TTavolexSettings &rules)
        : engine(std::make_unique<TTurnEngine>(host, rules, playersNamed(names), W, H))
    {
        engine->StartGame();
    }

    // A throw rolled to its end, then the faces of `pips` laid down and evaluated.
    void throwDice(const QString &pips = QString())
    {
        QVERIFY(engine->CanStartThrow());
        engine->StartThrow(W, H);
        int frames = 0;
        while (engine->StepDice(W, H) && frames < 1000)
            ++frames;
        engine->ThrowSettled();
        if (!pips.isEmpty()) {
            const auto faces = throwOf(pips);
            for (int i = 0; i < 5; ++i)
                if (engine->Dice()[static_cast<std::size_t>(i)].State() != TDice::dsHeld)
                    engine->Dice()[static_cast<std::size_t>(i)].SetFace(faces[static_cast<std::size_t>(i)]);
        }
        engine->EvaluateIfPending();
    }

    // Board column of the current player's first column with `row` open.
    int columnWithOpen(int row) const
    {
        const int p = engine->CurrentPlayer();
        for (int k = 0; k < engine->ColumnsPerPlayer(); ++k)
            if (engine->PlayerColumn(p, k).IsOpen(row))
                return engine->BoardColumn(p, k);
        return -1;
    }

    // The first open field of the player on turn: (board column, row).
    QPair<int, int> firstOpenField() const
    {
        for (int row = 1; row <= Row::Chance; ++row) {
            if (row > Row::Sixes && row < Row::ThreeOfAKind)
                continue;
            const int column = columnWithOpen(row);
            if (column >= 0)
                return {column, row};
        }
        return {-1, -1};
    }

    // Plays turns (one throw, first open field) until the ceremony; returns the entries made.
    int playToTheEnd(int limit = 1000)
    {
        int entries = 0;
        while (!engine->GameOver() && entries < limit) {
            throwDice();
            const auto [column, row] = firstOpenField();
            engine->ChooseField(column, row);
            ++entries;
        }
        return entries;
    }

    TTavolex &current(int k = 0) { return engine->PlayerColumn(engine->CurrentPlayer(), k); }
};
}  // namespace

class TestTurnEngine : public QObject {
    Q_OBJECT

private slots:
    void init() { RandSeed(1234); }

    void wholeGameEndsWhenNoFieldIsLeft_data()
    {
        QTest::addColumn<int>("players");
        QTest::addColumn<int>("columns");
        for (int p = 1; p <= 4; ++p)
            for (int c = 1; c <= 4; ++c)
                QTest::addRow("%d players x %d columns", p, c) << p << c;
    }

    void wholeGameEndsWhenNoFieldIsLeft()
    {
        QFETCH(int, players);
        QFETCH(int, columns);
        const QStringList names = QStringList{"Anna", "Bert", "Carl", "Dora"}.mid(0, players);
        Game game(names, rulesWith(columns));
        const int entries = game.playToTheEnd();
        QCOMPARE(entries, 13 * players * columns);
        QCOMPARE(game.host.Ceremonies, 1);
        QCOMPARE(game.engine->MovesLeft(), 0);
        QCOMPARE(game.engine->Round(), 13 * columns);
        for (int p = 0; p < players; ++p) {
            int total = 0;
            for (int k = 0; k < columns; ++k)
                total += game.engine->PlayerColumn(p, k).Rows(Row::GrandTotal).Value;
            QCOMPARE(game.engine->Players()[p].Points(), total);
        }
    }

    void throwsPerTurnAreLimited()
    {
        Game game({"Anna"}, rulesWith(1));
        game.throwDice();
        game.throwDice();
        game.throwDice();
        QVERIFY(!game.engine->CanThrow());
        QVERIFY(!game.engine->CanStartThrow());
        game.engine->ChooseField(0, Row::Chance);
        QCOMPARE(game.engine->ThrowsUsed(), 0);
        QVERIFY(game.engine->CanStartThrow());
    }

    void heldDiceStayAndAllHeldStopsTheThrow()
    {
        Game game({"Anna"}, rulesWith(1));
        game.throwDice("6 6 6 2 3");
        for (int i = 0; i < 3; ++i)
            QVERIFY(game.engine->ToggleHold(i));
        const int x = game.engine->Dice()[0].X();
        game.throwDice("1 1 1 4 4");
        QCOMPARE(game.engine->Dice()[0].Face(), 5);
        QCOMPARE(game.engine->Dice()[0].X(), x);
        QCOMPARE(game.engine->Dice()[0].State(), int(TDice::dsHeld));
        QCOMPARE(game.current().Rows(Row::ThreeOfAKind).MoveValue, 26);
        QVERIFY(game.engine->ToggleHold(3));
        QVERIFY(game.engine->ToggleHold(4));
        QVERIFY(game.engine->AllDiceHeld());
        QVERIFY(!game.engine->CanStartThrow());
        // Releasing works on a held die; a die never thrown cannot be held.
        QVERIFY(game.engine->ToggleHold(4));
        game.engine->ChooseField(0, Row::Chance);
        QVERIFY(!game.engine->ToggleHold(0));
    }

    // People's clicks and computers' moves take the same commands; the host
    // animates and sounds only what really happened.
    void cupAndDieCommandsGoThroughTheHost()
    {
        Game game({"Anna"}, rulesWith(1));
        QVERIFY(!game.engine->ClickDie(0));  // nothing thrown yet
        QVERIFY(game.engine->ClickCup(W, H));
        QCOMPARE(game.host.CupThrows, 1);
        QCOMPARE(game.engine->Phase(), TurnPhase::Rolling);
        QVERIFY(!game.engine->ClickCup(W, H));  // still rolling
        while (game.engine->StepDice(W, H)) {
        }
        game.engine->ThrowSettled();
        game.engine->EvaluateIfPending();
        for (int die : {-1, 5, 99})
            QVERIFY(!game.engine->ClickDie(die));
        for (int i = 0; i < 5; ++i)
            QVERIFY(game.engine->ClickDie(i));
        QCOMPARE(game.host.DieClicks, QList<int>({0, 1, 2, 3, 4}));
        QVERIFY(!game.engine->ClickCup(W, H));  // all five held
        QCOMPARE(game.host.CupThrows, 1);
        QCOMPARE(game.engine->ThrowsUsed(), 1);
        QVERIFY(game.engine->ClickDie(2));
        QCOMPARE(game.engine->Dice()[2].State(), int(TDice::dsLying));
        QVERIFY(game.engine->ClickCup(W, H));
        QCOMPARE(game.engine->ThrowsUsed(), 2);
    }

    void unaskedChoiceNeedsNoAnswer_data()
    {
        QTest::addColumn<bool>("allowRedo");
        QTest::addColumn<QString>("pips");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("value");
        QTest::newRow("strike after values were shown") << false << "1 1 1 2 2" << int(Row::LargeStraight) << 0;
        QTest::newRow("entry with take-back allowed") << true << "1 1 1 2 2" << int(Row::FullHouse) << 25;
    }

    void unaskedChoiceNeedsNoAnswer()
    {
        QFETCH(bool, allowRedo);
        QFETCH(QString, pips);
        QFETCH(int, row);
        QFETCH(int, value);
        Game game({"Anna", "Bert"}, rulesWith(1, allowRedo));
        game.host.Answers = {false, false};
        game.throwDice(pips);
        game.engine->ChooseFieldUnasked(0, row);
        QVERIFY(game.host.Questions.isEmpty());
        QCOMPARE(game.engine->PlayerColumn(0, 0).Rows(row).Value, value);
        QCOMPARE(game.engine->CurrentPlayer(), 1);
        QVERIFY(game.host.WasPlayedWaiting("choose"));
    }

    void observerHearsDecisionsBeforeTheyAreCarriedOut()
    {
        struct Recorder : ITurnObserver {
            QStringList Heard;
            void ThrowStarting(const TTurnEngine &e) override { Heard << QStringLiteral("throw %1").arg(e.ThrowsUsed()); }
            void FieldChoosing(const TTurnEngine &e, int column, int row) override
            {
                Heard << QStringLiteral("field %1 %2 %3").arg(column).arg(row).arg(e.PlayerColumn(0, 0).IsOpen(row));
            }
            void FieldTakenBack(const TTurnEngine &, int column, int row) override
            {
                Heard << QStringLiteral("back %1 %2").arg(column).arg(row);
            }
        } recorder;
        Game game({"Anna"}, rulesWith(1, true));
        game.engine->SetObserver(&recorder);
        game.host.Answers = {false};  // the first entry is taken back
        QVERIFY(game.engine->ClickCup(W, H));
        while (game.engine->StepDice(W, H)) {
        }
        game.engine->ThrowSettled();
        game.engine->EvaluateIfPending();
        game.engine->ChooseField(0, Row::Chance);
        game.engine->ChooseField(0, Row::Chance);
        QCOMPARE(recorder.Heard, QStringList({"throw 0", "field 0 18 1", "back 0 18", "field 0 18 1"}));
    }

    // A roll that its sample cut short leaves steps on the dice; held, they must
    // not keep the next roll going for ever.
    void heldDieWithStepsLeftDoesNotKeepTheRollGoing()
    {
        Game game({"Anna"}, rulesWith(1));
        game.engine->StartThrow(W, H);
        game.engine->StepDice(W, H);
        game.engine->ThrowSettled();
        QVERIFY(game.engine->Dice()[0].StepsLeft() > 0);
        QVERIFY(game.engine->ToggleHold(0));
        game.engine->StartThrow(W, H);
        int frames = 0;
        while (game.engine->StepDice(W, H) && frames < 1000)
            ++frames;
        QVERIFY(frames < 100);
    }

    void entryPassesTheTurnWithChooseAndPause()
    {
        Game game({"Anna", "Bert"}, rulesWith(1));
        game.throwDice("1 1 1 2 2");
        game.engine->ChooseField(0, Row::FullHouse);
        QCOMPARE(game.engine->PlayerColumn(0, 0).Rows(Row::FullHouse).Value, 25);
        QCOMPARE(game.engine->CurrentPlayer(), 1);
        QVERIFY(game.host.WasPlayedWaiting("choose"));
        QCOMPARE(game.host.Pauses, QList<int>{500});
        QCOMPARE(game.host.SoundNames().last(), QStringLiteral("<IN>"));
        QCOMPARE(game.engine->Players()[0].Points(), 25);
        QCOMPARE(game.engine->Phase(), TurnPhase::AwaitThrow);
        QCOMPARE(game.engine->Dice()[2].Face(), -1);
    }

    void clickOnAnotherPlayersOrFilledFieldChangesNothing()
    {
        Game game({"Anna", "Bert"}, rulesWith(1));
        game.throwDice("1 1 1 2 2");
        game.engine->ChooseField(1, Row::Chance);  // Bert's column while Anna is on turn
        QCOMPARE(game.engine->CurrentPlayer(), 0);
        game.engine->ChooseField(0, Row::Chance);
        game.throwDice("2 2 2 2 2");
        game.engine->ChooseField(1, Row::Chance);
        game.throwDice("3 3 3 3 3");
        game.host.Sounds.clear();
        game.engine->ChooseField(0, Row::Chance);
        QCOMPARE(game.host.SoundNames(), QStringList{"False_Set"});
        QCOMPARE(game.engine->CurrentPlayer(), 0);
        QCOMPARE(game.engine->PlayerColumn(0, 0).Rows(Row::Chance).Value, 7);
    }

    void strikeBeforeTheFirstThrow_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("value");
        QTest::newRow("upper field gets 0") << 3 << 0;
        QTest::newRow("lower field gets rule value 25") << Row::LargeStraight << -20;
    }

    void strikeBeforeTheFirstThrow()
    {
        QFETCH(int, row);
        QFETCH(int, value);
        Game game({"Anna", "Bert"}, rulesWith(1, false, true, "25|-20,"));
        game.engine->ChooseField(0, row);
        const TTavolexType &field = game.engine->PlayerColumn(0, 0).Rows(row);
        QCOMPARE(field.Value, value);
        QVERIFY(field.Struck);
        QVERIFY(game.host.Questions.isEmpty());
        QCOMPARE(game.host.SoundNames().first(), QStringLiteral("strike"));
        QCOMPARE(game.engine->CurrentPlayer(), 1);
    }

    void strikeQuestionIsAskedOnlyWhenValuesWereShown_data()
    {
        QTest::addColumn<bool>("showHint");
        QTest::addColumn<bool>("allowRedo");
        QTest::addColumn<QStringList>("questions");
        QTest::newRow("hints on, no take-back: asked")
            << true << false << QStringList{"Wollen Sie das Feld streichen ?"};
        QTest::newRow("hints off: never asked") << false << false << QStringList{};
        // The take-back dialog replaces the strike question.
        QTest::newRow("take-back on: only the entry dialog") << true << true << QStringList{""};
    }

    void strikeQuestionIsAskedOnlyWhenValuesWereShown()
    {
        QFETCH(bool, showHint);
        QFETCH(bool, allowRedo);
        QFETCH(QStringList, questions);
        Game game({"Anna"}, rulesWith(1, allowRedo, showHint));
        game.throwDice("1 1 1 2 2");
        QCOMPARE(game.engine->ValuesShown(), showHint);
        game.engine->ChooseField(0, Row::Sixes);  // offers nothing: a strike
        QCOMPARE(game.host.Questions, questions);
        QVERIFY(game.engine->PlayerColumn(0, 0).Rows(Row::Sixes).Struck);
    }

    void declinedStrikeQuestionKeepsTheFieldOpen()
    {
        Game game({"Anna", "Bert"}, rulesWith(1));
        game.throwDice("1 1 1 2 2");
        game.host.Answers = {false};
        game.engine->ChooseField(0, Row::Sixes);
        QVERIFY(game.engine->PlayerColumn(0, 0).IsOpen(Row::Sixes));
        QVERIFY(!game.engine->PlayerColumn(0, 0).Rows(Row::Sixes).Struck);
        QVERIFY(!game.host.SoundNames().contains("strike"));
        QCOMPARE(game.host.Reopened, (QList<QPair<int, int>>{{0, Row::Sixes}}));
        QCOMPARE(game.engine->CurrentPlayer(), 0);
    }

    void takeBackDeclinedThenAccepted()
    {
        Game game({"Anna", "Bert"}, rulesWith(1, true));
        game.throwDice("1 1 1 2 2");
        game.throwDice("1 1 1 2 2");
        const int shows = game.host.MoveValueShows;
        game.host.Answers = {false};
        game.engine->ChooseField(0, Row::FullHouse);
        QVERIFY(game.engine->PlayerColumn(0, 0).IsOpen(Row::FullHouse));
        QCOMPARE(game.engine->CurrentPlayer(), 0);
        QCOMPARE(game.engine->ThrowsUsed(), 2);
        QCOMPARE(game.host.MoveValueShows, shows + 1);
        QVERIFY(game.engine->FieldShowsMoveValue(0, Row::FullHouse));

        game.engine->ChooseField(0, Row::FullHouse);  // the script has run out: accepted
        QCOMPARE(game.engine->PlayerColumn(0, 0).Rows(Row::FullHouse).Value, 25);
        QCOMPARE(game.engine->CurrentPlayer(), 1);
        QCOMPARE(game.host.Questions, (QStringList{"", ""}));
        // With take-back on, "choose" plays without waiting and no pause follows.
        QVERIFY(!game.host.WasPlayedWaiting("choose"));
        QVERIFY(game.host.Pauses.isEmpty());
    }

    void takenBackStrikeKeepsItsMark()
    {
        Game game({"Anna"}, rulesWith(1, true));
        game.throwDice("1 1 1 2 2");
        game.host.Answers = {false};
        game.engine->ChooseField(0, Row::Quintor);  // nothing offered: a strike
        const TTavolexType &field = game.engine->PlayerColumn(0, 0).Rows(Row::Quintor);
        QVERIFY(game.engine->PlayerColumn(0, 0).IsOpen(Row::Quintor));
        QVERIFY(field.Struck);
    }

    void bonusSoundPlaysOncePerColumn()
    {
        Game game({"Anna"}, rulesWith(2));
        const QList<QPair<QString, int>> turns{{"6 6 6 1 2", 6}, {"5 5 5 1 2", 5}, {"4 4 4 1 2", 4},
                                               {"3 3 3 1 2", 3}, {"2 2 2 2 1", 2}, {"1 1 1 1 3", 1}};
        QStringList boni;
        for (const auto &[pips, row] : turns) {
            game.throwDice(pips);
            game.host.Sounds.clear();
            game.engine->ChooseField(0, row);
            boni << (game.host.WasPlayedWaiting("Boni") ? "Boni" : "-");
        }
        // 18+15+12+9 = 54, +8 = 62 (no bonus), +4 = 66: the bonus first applies at the sixth entry.
        QCOMPARE(boni, (QStringList{"-", "-", "-", "-", "-", "Boni"}));
        game.throwDice("6 6 6 1 2");
        game.host.Sounds.clear();
        game.engine->ChooseField(0, Row::Chance);
        QVERIFY(!game.host.SoundNames().contains("Boni"));
        // The other column reaches its bonus on its own.
        for (const auto &[pips, row] : turns) {
            game.throwDice(pips);
            game.host.Sounds.clear();
            game.engine->ChooseField(1, row);
        }
        QVERIFY(game.host.WasPlayedWaiting("Boni"));
        QVERIFY(!game.host.WasPlayedWaiting("choose"));
    }

    void fiveOfAKindPlaysRisingHits()
    {
        Game game({"Anna"}, rulesWith(1));
        game.throwDice("4 4 4 4 4");
        game.engine->ChooseField(0, Row::Quintor);
        QVERIFY(game.host.WasPlayedWaiting("hit1"));
        game.throwDice("2 2 2 2 2");
        QVERIFY(game.current().Rows(Row::ThreeOfAKind).Joker);
        game.engine->ChooseField(0, Row::ThreeOfAKind);
        QVERIFY(game.host.WasPlayedWaiting("hit2"));
        QCOMPARE(game.current().Rows(Row::ThreeOfAKind).Value, 100);
        QCOMPARE(game.current().QuintorCount(), 2);
        // Twos entered in the upper row are no joker: no hit.
        game.throwDice("2 2 2 2 2");
        game.host.Sounds.clear();
        game.engine->ChooseField(0, 2);
        QVERIFY(!game.host.SoundNames().contains("hit3"));
    }

    void middlePlayerGivesUp()
    {
        Game game({"Anna", "Bert", "Carl"}, rulesWith(1));
        game.throwDice("1 1 1 2 2");
        game.engine->ChooseField(0, Row::FullHouse);
        QCOMPARE(game.engine->CurrentPlayer(), 1);
        game.engine->GiveUp(1);
        QCOMPARE(game.host.GiveUpQuestions, QStringList{"Will Bert wirklich aufhören ?"});
        QCOMPARE(game.host.RemovedPlayers, QList<int>{1});
        QVERIFY(!game.engine->Players()[1].InGame());
        QCOMPARE(game.engine->CurrentPlayer(), 2);
        QCOMPARE(game.host.Layouts, 1);
        QCOMPARE(game.engine->EventLines(),
                 QStringList{"Bert hat das Spiel mit 0 Punkten in der 1. Runde abgebrochen."});
        QVERIFY(game.host.SoundNames().contains("cancel"));
        // The rest of the game is Anna's 12 and Carl's 13 fields.
        QCOMPARE(game.playToTheEnd(), 25);
        QCOMPARE(game.host.Ceremonies, 1);
    }

    void giveUpDeclinedChangesNothing()
    {
        Game game({"Anna", "Bert"}, rulesWith(2));
        game.host.Answers = {false};
        game.engine->GiveUp(0);
        QVERIFY(game.engine->Players()[0].InGame());
        QCOMPARE(game.engine->CurrentPlayer(), 0);
        QVERIFY(game.engine->EventLines().isEmpty());
        game.engine->GiveUp(1);  // not on turn: no icon, nothing happens
        QCOMPARE(game.host.GiveUpQuestions.size(), 1);
    }

    void lastPlayerGivingUpClosesWithoutRecord()
    {
        Game game({"Anna", "Bert"}, rulesWith(1));
        game.engine->GiveUp(0);
        game.engine->GiveUp(1);
        QCOMPARE(game.host.GiveUpQuestions.last(),
                 QStringLiteral("Wenn dieser Spieler gelöscht wird, endet das Spiel"));
        QCOMPARE(game.host.ClosedWith, 7);
        QCOMPARE(game.host.Ceremonies, 0);
    }

    void roundNumberInTheGiveUpLine()
    {
        Game game({"Anna", "Bert"}, rulesWith(1));
        for (int i = 0; i < 6; ++i)
            game.engine->ChooseField(game.engine->CurrentPlayer(), game.firstOpenField().second);
        QCOMPARE(game.engine->Round(), 3);
        game.engine->GiveUp(0);
        QVERIFY(game.engine->EventLines().first().endsWith("in der 4. Runde abgebrochen."));
    }

    void viewingAnotherPlayerBlocksTheTurn()
    {
        Game game({"Anna", "Bert"}, rulesWith(2));
        game.throwDice("1 1 1 2 2");
        game.engine->ViewPlayer(1);
        QCOMPARE(game.engine->Phase(), TurnPhase::Viewing);
        QVERIFY(!game.engine->CanStartThrow());
        game.engine->ChooseField(0, Row::FullHouse);
        QVERIFY(game.engine->PlayerColumn(0, 0).IsOpen(Row::FullHouse));
        game.engine->ViewPlayer(0);
        QCOMPARE(game.engine->Phase(), TurnPhase::Lying);
        QVERIFY(game.engine->FieldShowsMoveValue(1, Row::FullHouse));
        game.engine->ChooseField(1, Row::FullHouse);
        QCOMPARE(game.engine->PlayerColumn(0, 1).Rows(Row::FullHouse).Value, 25);
    }

    // Rule values of -1 make every strike and entry worth -1; the game must still end.
    void entriesWorthMinusOneStillEndTheGame()
    {
        Game game({"Anna"}, rulesWith(1, false, true, "14|-1,15|-1,16|-1,17|-1,24|-1,25|-1,"));
        QCOMPARE(game.playToTheEnd(), 13);
        QCOMPARE(game.host.Ceremonies, 1);
    }

    // A hand-edited rule set may ask for anything; the table has 4 x 4 columns.
    void outOfRangeRulesAndPlayersAreBroughtIntoRange()
    {
        TTavolexSettings rules = rulesWith(1);
        rules.SetGameCount(7);
        rules.SetDiceCount(-2);
        FakeTurnHost host;
        TTurnEngine engine(host, rules, playersNamed({"A", "B", "C", "D", "E", "F"}), W, H);
        engine.StartGame();
        QCOMPARE(engine.Players().size(), 4);
        QCOMPARE(engine.ColumnsPerPlayer(), 4);
        QCOMPARE(engine.Rules().DiceCount(), 1);
        QCOMPARE(engine.MovesLeft(), 4 * 4 * 13);
    }
};

QTEST_APPLESS_MAIN(TestTurnEngine)
#include "tst_turnengine.moc"
