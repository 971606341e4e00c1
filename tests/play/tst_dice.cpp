// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "play/uRandom.h"
#include "play/uTDice.h"

#include <QTest>

class TestDice : public QObject {
    Q_OBJECT

    // Launches `die` as die number `index` until its path is at least `minSteps` long.
    static void launchWithPathOfAtLeast(TDice &die, int index, int minSteps)
    {
        for (std::uint64_t seed = 1;; ++seed) {
            RandSeed(seed);
            die.Launch(400, 300, DiceDirections[static_cast<std::size_t>(index)].X,
                       DiceDirections[static_cast<std::size_t>(index)].Y);
            if (die.PathLength() - 1 >= minSteps)
                return;
        }
    }

private slots:
    void createdDieStartsAtTheCentre()
    {
        const TDice die(400, 300, 0);
        QCOMPARE(die.StartX(), 200);
        QCOMPARE(die.StartY(), 150);
        QCOMPARE(die.Size(), 63);
        QCOMPARE(die.State(), int(TDice::dsNotThrown));
        QCOMPARE(die.PathLength(), 1);
        const TDice corner(400, 300, 1);
        QCOMPARE(corner.StartX(), 336);
        QCOMPARE(corner.StartY(), 64);
    }

    void pathPointsAreTruncatedTowardZero_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QList<QPoint>>("points");
        QTest::newRow("die 0") << 0 << QList<QPoint>{{200, 150}, {199, 146}, {198, 143}, {197, 139}};
        QTest::newRow("die 4") << 4 << QList<QPoint>{{200, 150}, {197, 149}, {195, 149}, {192, 148}};
        QTest::newRow("die 2") << 2 << QList<QPoint>{{200, 150}, {202, 153}, {205, 157}, {207, 160}};
    }

    void pathPointsAreTruncatedTowardZero()
    {
        QFETCH(int, index);
        QFETCH(QList<QPoint>, points);
        TDice die(400, 300, 0);
        launchWithPathOfAtLeast(die, index, 3);
        for (int i = 0; i < points.size(); ++i)
            QCOMPARE(QPoint(die.Path(i).X, die.Path(i).Y), points[i]);
        QCOMPARE(die.StepsLeft(), die.PathLength());
        QCOMPARE(die.State(), int(TDice::dsRolling));
    }

    void launchPathLengthStaysInRange()
    {
        TDice die(400, 300, 0);
        RandSeed(7);
        for (int i = 0; i < 500; ++i) {
            die.Launch(400, 300, DiceDirections[0].X, DiceDirections[0].Y);
            QVERIFY(die.PathLength() >= 16 && die.PathLength() <= 45);
            QVERIFY(die.Face() >= 0 && die.Face() <= 5);
            QVERIFY(die.Variant() >= 0 && die.Variant() <= 2);
        }
    }

    // Die 0 leaves the allowed area at step 25, (175, 62): 26 frames shown.
    void dieStopsOnFirstPointOutsideTheArea()
    {
        TDice die(400, 300, 0);
        launchWithPathOfAtLeast(die, 0, 25);
        int frames = 0;
        while (die.State() == TDice::dsRolling) {
            die.Step(400, 300);
            ++frames;
        }
        QCOMPARE(frames, 26);
        QCOMPARE(die.X(), 175);
        QCOMPARE(die.Y(), 62);
        QCOMPARE(die.State(), int(TDice::dsLying));
    }

    void shortPathEndsAtItsLastPoint()
    {
        TDice die(400, 300, 0);
        for (std::uint64_t seed = 1;; ++seed) {
            RandSeed(seed);
            die.Launch(400, 300, DiceDirections[0].X, DiceDirections[0].Y);
            if (die.PathLength() - 1 < 25)
                break;
        }
        const int n = die.PathLength() - 1;
        int frames = 0;
        while (die.State() == TDice::dsRolling) {
            die.Step(400, 300);
            ++frames;
        }
        QCOMPARE(frames, n + 1);
        QCOMPARE(die.X(), die.Path(n).X);
        QCOMPARE(die.Y(), die.Path(n).Y);
    }

    void smallDieHasALargerArea()
    {
        TDice die(400, 300, 0);
        die.SetSize(39);
        launchWithPathOfAtLeast(die, 0, 30);
        while (die.State() == TDice::dsRolling)
            die.Step(400, 300);
        // Allowed y is 39 .. 300 - 87; die 0 climbs 3.5 pixels a step.
        QVERIFY(die.Y() < 39 || die.PathLength() - 1 < 32);
        QVERIFY(die.Y() >= 39 - 4);
    }

    void stepAndSettleLeaveOtherStatesAlone_data()
    {
        QTest::addColumn<int>("state");
        QTest::newRow("lying") << int(TDice::dsLying);
        QTest::newRow("held") << int(TDice::dsHeld);
        QTest::newRow("not thrown") << int(TDice::dsNotThrown);
    }

    void stepAndSettleLeaveOtherStatesAlone()
    {
        QFETCH(int, state);
        TDice die(400, 300, 0);
        die.SetState(state);
        die.SetFace(3);
        die.Step(400, 300);
        QCOMPARE(die.State(), state);
        QCOMPARE(die.Face(), 3);
        die.Settle();
        QCOMPARE(die.State(), state == TDice::dsHeld ? int(TDice::dsHeld) : int(TDice::dsLying));
    }

    void hitTestBoundsAreInclusive_data()
    {
        QTest::addColumn<int>("px");
        QTest::addColumn<bool>("hit");
        QTest::newRow("left edge 69") << 69 << true;
        QTest::newRow("right edge 132") << 132 << true;
        QTest::newRow("outside 68") << 68 << false;
        QTest::newRow("outside 133") << 133 << false;
    }

    void hitTestBoundsAreInclusive()
    {
        QFETCH(int, px);
        QFETCH(bool, hit);
        TDice die(200, 200, 0);  // lands on (100, 100) at the first reposition
        die.Reposition(200, 200);
        QCOMPARE(die.X(), 100);
        QCOMPARE(die.HitTest(px, 100), hit);
        QCOMPARE(die.HitTest(100, px), hit);
    }

    void repositionFollowsTheLastDirection_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("size");
        QTest::addColumn<QPoint>("offset");
        QTest::newRow("die 0, 63") << 0 << 63 << QPoint(-25, -88);
        QTest::newRow("die 1, 63") << 1 << 63 << QPoint(63, -88);
        QTest::newRow("die 2, 63") << 2 << 63 << QPoint(63, 88);
        QTest::newRow("die 3, 63") << 3 << 63 << QPoint(-25, 88);
        QTest::newRow("die 4, 63") << 4 << 63 << QPoint(-63, -12);
        // Exact decimal products must not lose a pixel to binary rounding.
        QTest::newRow("die 0, 60") << 0 << 60 << QPoint(-24, -84);
        QTest::newRow("die 4, 60") << 4 << 60 << QPoint(-60, -12);
        QTest::newRow("die 3, 45") << 3 << 45 << QPoint(-18, 63);
    }

    void repositionFollowsTheLastDirection()
    {
        QFETCH(int, index);
        QFETCH(int, size);
        QFETCH(QPoint, offset);
        TDice die(400, 300, 0);
        die.SetSize(size);
        die.Launch(400, 300, DiceDirections[static_cast<std::size_t>(index)].X,
                   DiceDirections[static_cast<std::size_t>(index)].Y);
        die.Settle();
        die.Reposition(800, 600);
        QCOMPARE(QPoint(die.StartX(), die.StartY()), QPoint(400, 300));
        QCOMPARE(QPoint(die.X() - 400, die.Y() - 300), offset);
        QCOMPARE(die.State(), int(TDice::dsLying));
    }

    void relaunchShrinksThePath()
    {
        TDice die(400, 300, 0);
        launchWithPathOfAtLeast(die, 1, 40);
        for (std::uint64_t seed = 100;; ++seed) {
            RandSeed(seed);
            die.Launch(400, 300, DiceDirections[1].X, DiceDirections[1].Y);
            if (die.PathLength() < 30)
                break;
        }
        QVERIFY(die.PathLength() < 30);
        QCOMPARE(die.StepsLeft(), die.PathLength());
    }

    // Setting more steps than the path holds must never read past its end.
    void extraStepsNeverRunPastThePath()
    {
        TDice die(4000, 3000, 0);
        die.Launch(4000, 3000, DiceDirections[0].X, DiceDirections[0].Y);
        die.SetStepsLeft(10000);
        int frames = 0;
        while (die.State() == TDice::dsRolling && frames < 1000) {
            die.Step(4000, 3000);
            ++frames;
        }
        QCOMPARE(frames, die.PathLength());
    }

    void randomStaysInRangeAndRepeatsWithTheSeed()
    {
        RandSeed(42);
        QList<int> first;
        for (int i = 0; i < 100; ++i) {
            const int r = Random(6);
            QVERIFY(r >= 0 && r < 6);
            first << r;
        }
        RandSeed(42);
        for (int i = 0; i < 100; ++i)
            QCOMPARE(Random(6), first[i]);
        QCOMPARE(Random(0), 0);
    }
};

QTEST_APPLESS_MAIN(TestDice)
#include "tst_dice.moc"
