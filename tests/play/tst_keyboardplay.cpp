// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "play/faketurnhost.h"
#include "play/uRandom.h"
#include "play/uTKeyboardPlay.h"
#include "play/uTTurnEngine.h"
#include "support/throwof.h"

#include <QTest>

#include <memory>

namespace {
constexpr int W = 900;
constexpr int H = 600;
using Direction = TFieldCursor::Direction;

struct Game {
    FakeTurnHost host;
    std::unique_ptr<TTurnEngine> engine;
    std::unique_ptr<TFieldCursor> cursor;

    Game(int players, int columns, bool showHint = true)
    {
        TTavolexSettings rules;
        rules.SetDiceCount(3);
        rules.SetGameCount(columns);
        rules.SetShowHint(showHint);
        QList<TPlayer> list;
        for (int i = 0; i < players; ++i) {
            TPlayer p;
            p.SetName(QStringLiteral("P%1").arg(i));
            list << p;
        }
        engine = std::make_unique<TTurnEngine>(host, rules, list, W, H);
        engine->StartGame();
        cursor = std::make_unique<TFieldCursor>(*engine);
    }

    // A throw that comes to rest showing `pips`, evaluated, followed by the cursor.
    void throwDice(const QString &pips)
    {
        engine->StartThrow(W, H);
        while (engine->StepDice(W, H)) {
        }
        engine->ThrowSettled();
        const auto faces = throwOf(pips);
        for (std::size_t i = 0; i < 5; ++i)
            engine->Dice()[i].SetFace(faces[i]);
        engine->EvaluateIfPending();
        cursor->FollowThrow();
    }

    // Rows of player column k of the player on turn are filled.
    void fill(int k, std::initializer_list<int> rows)
    {
        for (int row : rows)
            engine->PlayerColumn(engine->CurrentPlayer(), k).Enter(row, 0);
    }

    [[nodiscard]] QPair<int, int> at() const { return {cursor->Column(), cursor->Row()}; }
};
}  // namespace

class TestKeyboardPlay : public QObject {
    Q_OBJECT

private slots:
    void init() { RandSeed(7); }

    void diceAreNumberedLeftToRightAsTheyLie()
    {
        std::array<TDice, 5> dice{TDice(W, H, 0), TDice(W, H, 0), TDice(W, H, 0), TDice(W, H, 0), TDice(W, H, 0)};
        // Laid on their resting spots two die sizes along their directions:
        // x offsets -25, 63, 63, -25, -63; dice 0 and 3 (and 1 and 2) share
        // an x and are told apart top to bottom.
        for (std::size_t i = 0; i < 5; ++i) {
            dice[i].Launch(W, H, DiceDirections[i].X, DiceDirections[i].Y);
            dice[i].Reposition(W, H);
        }
        QCOMPARE(DiceInTableOrder(dice), (std::array<int, 5>{4, 0, 3, 1, 2}));
    }

    void aThrowSelectsTheHighestOffer_data()
    {
        QTest::addColumn<QString>("pips");
        QTest::addColumn<QList<int>>("filled");  // rows already entered
        QTest::addColumn<int>("row");
        QTest::newRow("five of a kind") << "6 6 6 6 6" << QList<int>{} << int(Row::Quintor);
        QTest::newRow("large straight") << "1 2 3 4 5" << QList<int>{} << int(Row::LargeStraight);
        QTest::newRow("full house over chance") << "2 2 3 3 3" << QList<int>{} << int(Row::FullHouse);
        QTest::newRow("filled field not chosen") << "2 2 3 3 3" << QList<int>{int(Row::FullHouse)} << int(Row::ThreeOfAKind);
        QTest::newRow("equal offers: the upper field") << "4 4 4 1 2" << QList<int>{} << int(Row::ThreeOfAKind);
    }

    void aThrowSelectsTheHighestOffer()
    {
        QFETCH(QString, pips);
        QFETCH(QList<int>, filled);
        QFETCH(int, row);
        Game game(1, 1);
        for (int r : filled)
            game.fill(0, {r});
        game.throwDice(pips);
        QVERIFY(game.cursor->Placed());
        QCOMPARE(game.at(), qMakePair(0, row));
    }

    void hiddenOffersAreNotGivenAway()
    {
        Game game(1, 1, false);
        game.throwDice("6 6 6 6 6");
        QVERIFY(!game.cursor->Placed());
        // The first arrow selects the top field, not the hidden best one.
        QVERIFY(game.cursor->Move(Direction::Down));
        QCOMPARE(game.at(), qMakePair(0, 1));
        // A further throw leaves the player's own choice where it is.
        QVERIFY(game.cursor->Move(Direction::Down));
        game.throwDice("6 6 6 6 6");
        QCOMPARE(game.at(), qMakePair(0, 2));
    }

    void aThrowWithoutAnOfferKeepsTheSelection()
    {
        Game game(1, 1);
        game.fill(0, {1, 12, 13, 14, 15, 16, 17, 18});
        QVERIFY(game.cursor->Move(Direction::Down));
        QVERIFY(game.cursor->Move(Direction::Down));
        game.throwDice("1 1 1 1 1");  // only filled fields would take it
        QCOMPARE(game.at(), qMakePair(0, 3));
    }

    void theSameThrowEvaluatedAgainKeepsTheSelection()
    {
        Game game(1, 1);
        game.throwDice("2 2 3 3 3");
        QVERIFY(game.cursor->Move(Direction::Up));
        const auto chosen = game.at();
        game.engine->EvaluateThrow();  // as after a take-back
        game.cursor->FollowThrow();
        QCOMPARE(game.at(), chosen);
    }

    void upAndDownSkipSumsLinesAndFilledFields()
    {
        Game game(1, 1);
        game.fill(0, {1, 3, 12});
        QVERIFY(game.cursor->Move(Direction::Down));  // nothing offered: the first open field
        QCOMPARE(game.at(), qMakePair(0, 2));
        QVERIFY(!game.cursor->Move(Direction::Up));  // row 1 is filled: nothing above
        const QList<int> downwards{4, 5, 6, 13, 14, 15, 16, 17, 18};
        for (int row : downwards) {
            QVERIFY(game.cursor->Move(Direction::Down));
            QCOMPARE(game.cursor->Row(), row);
        }
        QVERIFY(!game.cursor->Move(Direction::Down));
        QVERIFY(game.cursor->Move(Direction::Up));
        QCOMPARE(game.cursor->Row(), 17);
    }

    void leftAndRightWalkThePlayersColumns()
    {
        Game game(1, 3);
        game.fill(1, {1, 2, 3, 4, 5, 6, 12, 13, 14, 15, 16, 17, 18});  // the middle column is full
        game.fill(2, {5});
        QVERIFY(game.cursor->Move(Direction::Right));
        QVERIFY(game.cursor->Move(Direction::Down));
        QVERIFY(game.cursor->Move(Direction::Down));
        QVERIFY(game.cursor->Move(Direction::Down));
        QVERIFY(game.cursor->Move(Direction::Down));
        QCOMPARE(game.at(), qMakePair(0, 5));
        QVERIFY(game.cursor->Move(Direction::Right));  // over the full column, to the nearest open row
        QCOMPARE(game.at(), qMakePair(2, 4));
        QVERIFY(!game.cursor->Move(Direction::Right));
        QVERIFY(game.cursor->Move(Direction::Left));
        QCOMPARE(game.at(), qMakePair(0, 4));
    }

    void oneColumnGamesStayInTheOwnColumn()
    {
        Game game(2, 1);
        game.engine->ChooseField(0, 1);  // player 0 strikes, player 1 is on turn
        QCOMPARE(game.engine->CurrentPlayer(), 1);
        QVERIFY(game.cursor->Move(Direction::Down));
        QCOMPARE(game.at(), qMakePair(1, 1));
        QVERIFY(!game.cursor->Move(Direction::Left));
        QVERIFY(!game.cursor->Move(Direction::Right));
    }

    void aNewTurnStartsWithNothingSelected()
    {
        Game game(2, 2);
        game.throwDice("6 6 6 6 6");
        QVERIFY(game.cursor->Placed());
        game.engine->ChooseField(game.cursor->Column(), game.cursor->Row());
        QCOMPARE(game.engine->CurrentPlayer(), 1);
        // Player 1's columns have the same board numbers; the old selection is not theirs.
        QVERIFY(!game.cursor->Placed());
    }
};

QTEST_GUILESS_MAIN(TestKeyboardPlay)
#include "tst_keyboardplay.moc"
