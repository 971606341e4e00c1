// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rules/uTTavolex.h"
#include "support/throwof.h"

#include <QTest>

// Rows a test checks, as "row=value" pairs; rows not listed must offer 0.
using Offers = QList<QPair<int, int>>;
Q_DECLARE_METATYPE(Offers)

class TestTavolex : public QObject {
    Q_OBJECT

    static TTavolexSettings standardRules()
    {
        TTavolexSettings rules;
        rules.SetMultTavolex(true);
        rules.SetExtOptions(TTavolexSettings::DefaultExtOptions);
        return rules;
    }

private slots:
    void newColumnHasOpenFieldsAndCaptions()
    {
        TTavolex column;
        int selectable = 0;
        for (int r = 0; r < Row::Count; ++r) {
            QCOMPARE(column.Rows(r).Value, -1);
            selectable += column.Rows(r).Selectable ? 1 : 0;
        }
        QCOMPARE(selectable, 14);  // rows 0, 1-6 and 12-18
        QCOMPARE(column.Rows(17).Caption, QStringLiteral("Quintor"));
        QCOMPARE(column.Rows(15).Caption, QStringLiteral("Kl. Straße"));
        QCOMPARE(column.Rows(24).Caption, QStringLiteral("Weitere Quintors"));
        QVERIFY(column.Rows(7).Caption.isEmpty());
        QVERIFY(!column.IsOpen(0));
    }

    void evaluateOffers_data()
    {
        QTest::addColumn<QString>("pips");
        QTest::addColumn<Offers>("offers");
        QTest::newRow("full house 1-1-1-2-2")
            << "1 1 1 2 2" << Offers{{1, 3}, {2, 4}, {12, 7}, {14, 25}, {18, 7}};
        QTest::newRow("five fives, Quintor open")
            << "5 5 5 5 5" << Offers{{5, 25}, {12, 25}, {13, 25}, {17, 50}, {18, 25}};
        QTest::newRow("small straight only 1-2-3-4-4")
            << "1 2 3 4 4" << Offers{{1, 1}, {2, 2}, {3, 3}, {4, 8}, {15, 30}, {18, 14}};
        QTest::newRow("both straights 1-2-3-4-5")
            << "1 2 3 4 5" << Offers{{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {15, 30}, {16, 40}, {18, 15}};
        QTest::newRow("both straights 2-3-4-5-6 unsorted")
            << "6 4 2 5 3" << Offers{{2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {15, 30}, {16, 40}, {18, 20}};
        QTest::newRow("small straight 3-4-5-6 with a one")
            << "1 3 4 5 6" << Offers{{1, 1}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {15, 30}, {18, 19}};
        QTest::newRow("no straight 1-2-3-5-6")
            << "1 2 3 5 6" << Offers{{1, 1}, {2, 2}, {3, 3}, {5, 5}, {6, 6}, {18, 17}};
        QTest::newRow("four of a kind is also three of a kind")
            << "6 6 6 6 2" << Offers{{2, 2}, {6, 24}, {12, 26}, {13, 26}, {18, 26}};
        QTest::newRow("no dice thrown offers nothing") << "" << Offers{};
    }

    void evaluateOffers()
    {
        QFETCH(QString, pips);
        QFETCH(Offers, offers);
        const TTavolexSettings rules = standardRules();
        TTavolex column(&rules);
        const auto faces = throwOf(pips);
        column.Evaluate(faces.data(), 4);
        for (int r = 1; r <= Row::Chance; ++r) {
            if (!column.Rows(r).Selectable)
                continue;
            int expected = 0;
            for (const auto &[row, value] : offers)
                if (row == r)
                    expected = value;
            QVERIFY2(column.Rows(r).MoveValue == expected,
                     qPrintable(QStringLiteral("row %1 offers %2, expected %3")
                                    .arg(r).arg(column.Rows(r).MoveValue).arg(expected)));
        }
    }

    void furtherFiveOfAKindIsAJoker_data()
    {
        QTest::addColumn<bool>("multTavolex");
        QTest::addColumn<int>("offer");
        QTest::newRow("MultTavolex on scores row 24") << true << 100;
        QTest::newRow("MultTavolex off scores row 17") << false << 50;
    }

    void furtherFiveOfAKindIsAJoker()
    {
        QFETCH(bool, multTavolex);
        QFETCH(int, offer);
        TTavolexSettings rules = standardRules();
        rules.SetMultTavolex(multTavolex);
        TTavolex column(&rules);
        column.Enter(Row::Quintor, 50);
        // A strike taken back leaves the field open but marked: no joker offer there.
        column.Rows(Row::Chance).Struck = true;
        const auto faces = throwOf("5 5 5 5 5");
        column.Evaluate(faces.data(), 4);
        // Row 17 itself is filled; its own offer is rule value 17 again.
        for (int r = Row::ThreeOfAKind; r < Row::Quintor; ++r) {
            QCOMPARE(column.Rows(r).MoveValue, offer);
            QVERIFY(column.Rows(r).Joker);
        }
        QCOMPARE(column.Rows(Row::Chance).MoveValue, 25);
        QVERIFY(!column.Rows(Row::Chance).Joker);
        QCOMPARE(column.Rows(5).MoveValue, 25);
        QVERIFY(!column.Rows(5).Joker);
    }

    void struckQuintorGivesNoJoker()
    {
        const TTavolexSettings rules = standardRules();
        TTavolex column(&rules);
        column.Enter(Row::Quintor, 0);
        const auto faces = throwOf("5 5 5 5 5");
        column.Evaluate(faces.data(), 4);
        QCOMPARE(column.Rows(12).MoveValue, 25);
        QCOMPARE(column.Rows(13).MoveValue, 25);
        QCOMPARE(column.Rows(18).MoveValue, 25);
        QVERIFY(!column.Rows(12).Joker);
    }

    void bonusAtThreshold_data()
    {
        QTest::addColumn<QString>("extOptions");
        QTest::addColumn<QList<int>>("upper");
        QTest::addColumn<int>("bonus");
        QTest::newRow("62 below 63") << TTavolexSettings::DefaultExtOptions << QList<int>{3, 6, 9, 12, 15, 17} << 0;
        QTest::newRow("63 reaches 63") << TTavolexSettings::DefaultExtOptions << QList<int>{3, 6, 9, 12, 15, 18} << 35;
        QTest::newRow("threshold 10") << QStringLiteral("8|10,9|35,") << QList<int>{0, 0, 0, 0, 10, -1} << 35;
        QTest::newRow("bonus 20 from 50") << QStringLiteral("8|50,9|20,") << QList<int>{5, 10, 15, 20, -1, -1} << 20;
    }

    void bonusAtThreshold()
    {
        QFETCH(QString, extOptions);
        QFETCH(QList<int>, upper);
        QFETCH(int, bonus);
        TTavolexSettings rules;
        rules.SetExtOptions(extOptions);
        TTavolex column(&rules);
        int points = 0;
        for (int r = 0; r < upper.size(); ++r) {
            if (upper[r] >= 0) {
                column.Enter(r + 1, upper[r]);
                points += upper[r];
            }
        }
        column.UpdateSums();
        QCOMPARE(column.Rows(Row::UpperPoints).Value, points);
        QCOMPARE(column.Rows(Row::UpperBonus).Value, bonus);
        QCOMPARE(column.Rows(Row::UpperTotal).Value, points + bonus);
        QCOMPARE(column.Rows(Row::GrandTotal).Value, points + bonus);
        QCOMPARE(column.BonusHits(), bonus > 0 ? 1 : 0);
    }

    void sumsSkipOpenFieldsAndCountStrikes()
    {
        TTavolexSettings rules;
        rules.SetExtOptions(QStringLiteral("25|-50,"));
        TTavolex column(&rules);
        column.Enter(Row::ThreeOfAKind, 17);
        column.Enter(Row::FullHouse, rules.RuleValue(Row::StruckField));
        column.Enter(2, 6);
        column.UpdateSums();
        QCOMPARE(column.Rows(Row::LowerTotal).Value, 17 - 50);
        QCOMPARE(column.Rows(Row::UpperCopy).Value, 6);
        QCOMPARE(column.Rows(Row::GrandTotal).Value, 6 + 17 - 50);
    }

    // An entry of -1 (a rule value may be -1) must still count as filled,
    // or the game could never end.
    void entryOfMinusOneIsAFilledField()
    {
        TTavolexSettings rules;
        rules.SetExtOptions(QStringLiteral("14|-1,"));
        TTavolex column(&rules);
        QVERIFY(column.IsOpen(Row::FullHouse));
        column.Enter(Row::FullHouse, -1);
        QVERIFY(!column.IsOpen(Row::FullHouse));
        column.UpdateSums();
        QCOMPARE(column.Rows(Row::LowerTotal).Value, -1);
        column.Reopen(Row::FullHouse);
        QVERIFY(column.IsOpen(Row::FullHouse));
    }

    // Hand-edited rule values near the limits of int must not overflow the sums.
    void hugeRuleValuesSaturateTheSums()
    {
        TTavolexSettings rules;
        rules.SetExtOptions(QStringLiteral("9|2147483647,8|1,14|2147483647,15|2147483647,"));
        TTavolex column(&rules);
        column.Enter(1, 1);
        column.Enter(Row::FullHouse, 2147483647);
        column.Enter(Row::SmallStraight, 2147483647);
        column.UpdateSums();
        QCOMPARE(column.Rows(Row::UpperTotal).Value, 2147483647);
        QCOMPARE(column.Rows(Row::LowerTotal).Value, 2147483647);
        QCOMPARE(column.Rows(Row::GrandTotal).Value, 2147483647);
    }

    void ruleValue_data()
    {
        QTest::addColumn<QString>("extOptions");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("expected");
        QTest::newRow("8 with final comma") << "8|70,9|35," << 8 << 70;
        QTest::newRow("9 with final comma") << "8|70,9|35," << 9 << 35;
        QTest::newRow("14 missing gives default") << "8|70,9|35," << 14 << 25;
        QTest::newRow("missing-key value, row 8 inside 08|") << TTavolexSettings::DefaultExtOptions << 8 << 63;
        QTest::newRow("missing-key value, row 24") << TTavolexSettings::DefaultExtOptions << 24 << 100;
        QTest::newRow("missing-key value, last entry without comma") << TTavolexSettings::DefaultExtOptions << 25 << 0;
        QTest::newRow("not a number") << "14|x," << 14 << 25;
        QTest::newRow("negative") << "25|-50," << 25 << -50;
        QTest::newRow("negative without comma") << "25|-50" << 25 << 0;
        QTest::newRow("empty list") << "" << 17 << 50;
        QTest::newRow("first of two entries wins") << "15|31,15|32," << 15 << 31;
    }

    void ruleValue()
    {
        QFETCH(QString, extOptions);
        QFETCH(int, row);
        QFETCH(int, expected);
        TTavolexSettings rules;
        rules.SetExtOptions(extOptions);
        QCOMPARE(rules.RuleValue(row, DefaultRuleValue(row)), expected);
        QCOMPARE(TTavolexSettings::ParseRuleValue(extOptions, row, DefaultRuleValue(row)), expected);
    }

    void clampForPlayBringsCountsIntoRange()
    {
        TTavolexSettings rules;
        rules.SetGameCount(9);
        rules.SetDiceCount(0);
        rules.ClampForPlay();
        QCOMPARE(rules.GameCount(), 4);
        QCOMPARE(rules.DiceCount(), 1);
    }
};

QTEST_APPLESS_MAIN(TestTavolex)
#include "tst_tavolex.moc"
