// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gamewindow/uWinners.h"

#include <QTest>

namespace {
// Players in game order from "Name:points" items; a trailing "-" marks a player who gave up.
QList<TPlayer> PlayersOf(const QStringList &items)
{
    QList<TPlayer> players;
    for (const QString &item : items) {
        TPlayer player;
        const QString name = item.section(QLatin1Char(':'), 0, 0);
        QString points = item.section(QLatin1Char(':'), 1);
        player.SetInGame(!points.endsWith(QLatin1Char('-')));
        points.remove(QLatin1Char('-'));
        player.SetName(name);
        player.SetPoints(points.toInt());
        players << player;
    }
    return players;
}

// "Name rank" per ranked record, in list order.
QStringList Ranking(const QList<RWinnerList> &winners)
{
    QStringList out;
    for (const RWinnerList &w : winners)
        out << QStringLiteral("%1 %2").arg(w.Name).arg(w.Rank);
    return out;
}
}  // namespace

class TestWinners : public QObject {
    Q_OBJECT

private slots:
    void playersAreRankedWithSharedPlaces_data()
    {
        QTest::addColumn<QStringList>("players");
        QTest::addColumn<QStringList>("ranking");
        // Equal points: the higher game index comes first.
        QTest::newRow("250 250 180") << QStringList{"Anna:250", "Bert:250", "Carl:180"}
                                     << QStringList{"Bert 1", "Anna 1", "Carl 3"};
        QTest::newRow("four equal") << QStringList{"Anna:99", "Bert:99", "Carl:99", "Dora:99"}
                                    << QStringList{"Dora 1", "Carl 1", "Bert 1", "Anna 1"};
        QTest::newRow("single player") << QStringList{"Anna:17"} << QStringList{"Anna 1"};
        QTest::newRow("a player who gave up is not ranked")
            << QStringList{"Anna:300-", "Bert:120", "Carl:140"} << QStringList{"Carl 1", "Bert 2"};
        QTest::newRow("tie below the top skips the next place")
            << QStringList{"Anna:10", "Bert:30", "Carl:20", "Dora:20"}
            << QStringList{"Bert 1", "Dora 2", "Carl 2", "Anna 4"};
        QTest::newRow("ascending input ends descending")
            << QStringList{"Anna:1", "Bert:2", "Carl:3", "Dora:4"}
            << QStringList{"Dora 1", "Carl 2", "Bert 3", "Anna 4"};
    }

    void playersAreRankedWithSharedPlaces()
    {
        QFETCH(QStringList, players);
        QFETCH(QStringList, ranking);
        QList<RWinnerList> winners = CollectWinners(PlayersOf(players));
        for (const RWinnerList &w : winners)
            QCOMPARE(w.Rank, -1);
        SortWinners(winners);
        RankWinners(winners);
        QCOMPARE(Ranking(winners), ranking);
    }

    void collectedRecordsCarryPointsAndDiceColour()
    {
        QList<TPlayer> players = PlayersOf({"Anna:5", "Bert:7"});
        players[0].SetDiceType(4);
        const QList<RWinnerList> winners = CollectWinners(players);
        QCOMPARE(winners.size(), 2);
        QCOMPARE(winners[1].Name, QStringLiteral("Anna"));
        QCOMPARE(winners[1].Points, 5);
        QCOMPARE(winners[1].DiceType, 4);
    }

    void winnerLabelsJoinSharedPlaces_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("text");
        QTest::newRow("one player") << QStringList{"Anna"} << QStringLiteral("1. mit 245 Punkten \r\nAnna");
        QTest::newRow("two share") << QStringList{"Anna", "Bert"}
                                   << QStringLiteral("1. mit jeweils 245 Punkten \r\nAnna, Bert");
        QTest::newRow("three share") << QStringList{"Anna", "Bert", "Carl"}
                                     << QStringLiteral("1. mit jeweils 245 Punkten \r\nAnna, Bert, Carl");
        // Only the "mit " after the place number changes, not the one inside the name.
        QTest::newRow("Schmit Hans keeps his name") << QStringList{"Schmit Hans", "Anna"}
                                                    << QStringLiteral("1. mit jeweils 245 Punkten \r\nSchmit Hans, Anna");
        QTest::newRow("a name with jeweils still shares")
            << QStringList{"Fritz jeweils", "Anna"}
            << QStringLiteral("1. mit jeweils 245 Punkten \r\nFritz jeweils, Anna");
    }

    void winnerLabelsJoinSharedPlaces()
    {
        QFETCH(QStringList, names);
        QFETCH(QString, text);
        QString label = QStringLiteral(".");
        for (const QString &name : names)
            label = WinnerLabelText(label, 1, 245, name);
        QCOMPARE(label, text);
    }
};

QTEST_MAIN(TestWinners)
#include "tst_Winners.moc"
