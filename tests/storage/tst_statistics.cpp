// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rules/uTTavolex.h"
#include "storage/uTStatistics.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray ReadBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A column whose row r holds r, except the rows listed as open.
TTavolex ColumnWithOpenRows(const QList<int> &open)
{
    TTavolex column;
    for (int row = 0; row < Row::Count; ++row) {
        column.Rows(row).Value = open.contains(row) ? -1 : row;
        column.Rows(row).Filled = !open.contains(row);
    }
    return column;
}

QString FolderOf(const QTemporaryDir &dir)
{
    return dir.path() + "/";
}

void RecordGame(const QString &folder, int number, const QStringList &entries)
{
    TStatistics stats(folder);
    stats.SetGameNumber(number);
    stats.SetDiceCount(3);
    stats.SetGameCount(1);
    stats.SetGameDate("200703141952");
    stats.SetScores(TTavolexSettings::DefaultExtOptions);
    stats.SetGameReport("Spiel_1.html");
    for (int i = 0; i < entries.size(); ++i)
        stats.SetPlayerEntries(i, entries[i]);
    stats.SaveGame();
}

}  // namespace

class TestStatistics : public QObject {
    Q_OBJECT

private slots:
    void playerEntryQuotesFieldsAndWritesOpenRowsAsZero();
    void sumsOfMinusOneAreWrittenAsTheyAre();
    void savedGameHoldsKeysInOrderAndNilForEmptySeats();
    void savingAgainOverwritesTheSection();
    void loadForPlayerReadsBackPointsWhateverTheName_data();
    void loadForPlayerReadsBackPointsWhateverTheName();
    void loadForPlayerTakesTheFirstEntryContainingTheFile();
    void missingKeysGiveTheDefaults();
    void brokenSectionsAreSkipped();
    void highestGameNumberIgnoresOtherSections();
    void commaFieldSplitsLikeACommaList_data();
    void commaFieldSplitsLikeACommaList();
};

void TestStatistics::playerEntryQuotesFieldsAndWritesOpenRowsAsZero()
{
    TTavolex column = ColumnWithOpenRows({0, 3, 24});
    column.Rows(17).Value = -1;  // a struck field worth -1 is an entry, not an open field
    QString rows;
    for (int row = 0; row < 25; ++row)
        rows += QString::number(row == 0 || row == 3 || row == 24 ? 0 : row == 17 ? -1 : row) + "|";
    QCOMPARE(PlayerEntry("Anna", "/home/a/Documents/Quintor/Player4711.qtp", 231, column),
             "\"Anna\",\"Player4711.qtp\",\"231\",\"" + rows + "\"");
}

void TestStatistics::sumsOfMinusOneAreWrittenAsTheyAre()
{
    // "Gestrichenes Feld" worth -1: one struck lower field, everything else 0.
    TTavolex column;
    for (int row : {1, 2, 3, 4, 5, 6, 12, 13, 14, 15, 16, 17})
        column.Enter(row, row == 13 ? -1 : 0);
    const QString untouched = PlayerEntry("Anna", "Player1.qtp", 0, column);
    column.UpdateSums();
    QString rows;
    for (int row = 0; row < 25; ++row)
        rows += QString::number(row == 13 || row == 20 || row == 23 ? -1 : 0) + "|";
    QCOMPARE(PlayerEntry("Anna", "Player1.qtp", -1, column), "\"Anna\",\"Player1.qtp\",\"-1\",\"" + rows + "\"");
    // Before its sums are computed a column has none: they read 0.
    QVERIFY(untouched.endsWith("0|0|0|0|0|0|0|0|0|0|0|0|0|-1|0|0|0|0|0|0|0|0|0|0|0|\""));
}

void TestStatistics::savedGameHoldsKeysInOrderAndNilForEmptySeats()
{
    QTemporaryDir dir;
    RecordGame(FolderOf(dir), 12, {"\"A\",\"P1.qtp\",\"5\",\"0|\"", "\"B\",\"P2.qtp\",\"6\",\"0|\""});
    QCOMPARE(ReadBytes(dir.filePath("Stats.ini")),
             "[12]\r\nDiceCount=3\r\nGameCount=1\r\nGameDate=200703141952\r\nScores=" + TTavolexSettings::DefaultExtOptions.toLatin1()
                 + "\r\nGameReport=Spiel_1.html\r\nPlayer0=\"A\",\"P1.qtp\",\"5\",\"0|\"\r\nPlayer1=\"B\",\"P2.qtp\",\"6\",\"0|\"\r\n"
                   "Player2=NIL\r\nPlayer3=NIL\r\n");
}

void TestStatistics::savingAgainOverwritesTheSection()
{
    QTemporaryDir dir;
    RecordGame(FolderOf(dir), 1, {"\"A\",\"P1.qtp\",\"5\",\"\""});
    RecordGame(FolderOf(dir), 2, {"\"A\",\"P1.qtp\",\"6\",\"\""});
    RecordGame(FolderOf(dir), 1, {"\"A\",\"P1.qtp\",\"7\",\"\""});
    TStatistics stats(FolderOf(dir));
    stats.LoadForPlayer("P1.qtp");
    QCOMPARE(stats.Count(), 2);
    QCOMPARE(stats.Items()[0].GameNumber, 1);
    QCOMPARE(stats.Items()[0].Points, 7);
    QCOMPARE(ReadBytes(dir.filePath("Stats.ini")).count("[1]"), 1);
}

void TestStatistics::loadForPlayerReadsBackPointsWhateverTheName_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << "Anna";
    QTest::newRow("comma") << "Meier, Hans";
    QTest::newRow("quote") << "Hans \"der Wuerfler\" Meier";
    QTest::newRow("quote and comma at the end") << "Anna\",\"";
    QTest::newRow("umlauts and blanks") << QString::fromUtf8("  Jürgen  ");
}

void TestStatistics::loadForPlayerReadsBackPointsWhateverTheName()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    const TTavolex column = ColumnWithOpenRows({});
    RecordGame(FolderOf(dir), 5, {PlayerEntry("Other", "Player1.qtp", 99, column), PlayerEntry(name, "Player4711.qtp", 231, column)});
    TStatistics stats(FolderOf(dir));
    stats.LoadForPlayer("Player4711.qtp");
    QCOMPARE(stats.Count(), 1);
    const RPlayerStatistics &item = stats.Items().first();
    QCOMPARE(item.GameNumber, 5);
    QCOMPARE(item.Points, 231);
    QCOMPARE(item.DiceCount, 3);
    QCOMPARE(item.GameCount, 1);
    QCOMPARE(item.DateText, QString("14.03.2007"));
    QCOMPARE(item.GameReport, QString("Spiel_1.html"));
}

void TestStatistics::loadForPlayerTakesTheFirstEntryContainingTheFile()
{
    QTemporaryDir dir;
    const TTavolex column = ColumnWithOpenRows({});
    // Player0's name holds the file name, so its points are listed.
    RecordGame(FolderOf(dir), 3, {PlayerEntry("Player7.qtp", "Player1.qtp", 10, column), PlayerEntry("Bea", "Player7.qtp", 20, column)});
    RecordGame(FolderOf(dir), 4, {PlayerEntry("Bea", "player7.qtp", 30, column)});
    TStatistics stats(FolderOf(dir));
    stats.LoadForPlayer("Player7.qtp");
    QCOMPARE(stats.Count(), 1);
    QCOMPARE(stats.Items().first().Points, 10);
}

void TestStatistics::missingKeysGiveTheDefaults()
{
    QTemporaryDir dir;
    WriteBytes(dir.filePath("Stats.ini"), "[8]\r\nPlayer2=\"A\",\"P1.qtp\",\"42\",\"0|\"\r\n");
    TStatistics stats(FolderOf(dir));
    stats.LoadForPlayer("P1.qtp");
    QCOMPARE(stats.Count(), 1);
    const RPlayerStatistics &item = stats.Items().first();
    QCOMPARE(item.DateText, QString("??.??.????"));
    QCOMPARE(item.GameReport, QString("n.V."));
    QCOMPARE(item.DiceCount, 0);
    QCOMPARE(item.GameCount, 0);
    QCOMPARE(item.Points, 42);

    TStatistics none(FolderOf(dir) + "nowhere/");
    none.LoadForPlayer("P1.qtp");
    QCOMPARE(none.Count(), 0);
}

void TestStatistics::brokenSectionsAreSkipped()
{
    QTemporaryDir dir;
    WriteBytes(dir.filePath("Stats.ini"),
               "[abc]\r\nPlayer0=\"A\",\"P1.qtp\",\"1\",\"\"\r\n"
               "[2]\r\nPlayer0=\"A\",\"P1.qtp\",\"many\",\"\"\r\n"
               "[3]\r\nPlayer0=\"A\",\"P1.qtp\r\n"
               "[4]\r\nPlayer0=\"A\",\"P1.qtp\",\"4\",\"\"\r\n");
    TStatistics stats(FolderOf(dir));
    stats.LoadForPlayer("P1.qtp");
    QCOMPARE(stats.Count(), 1);
    QCOMPARE(stats.Items().first().GameNumber, 4);
    QCOMPARE(stats.Items().first().Points, 4);
}

void TestStatistics::highestGameNumberIgnoresOtherSections()
{
    QTemporaryDir dir;
    TStatistics stats(FolderOf(dir));
    QCOMPARE(stats.HighestGameNumber(), 0);
    WriteBytes(dir.filePath("Stats.ini"), "[3]\r\n[17]\r\n[x9]\r\n[5]\r\n");
    QCOMPARE(stats.HighestGameNumber(), 17);
}

void TestStatistics::commaFieldSplitsLikeACommaList_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("field");
    QTest::newRow("quoted with comma") << "\"Meier, Hans\",\"P1.qtp\",\"231\"" << 2 << "231";
    QTest::newRow("doubled quote") << "\"a\"\"b\",c" << 0 << "a\"b";
    QTest::newRow("plain ends at blank") << "a b,c" << 1 << "b";
    QTest::newRow("blanks between fields") << "  a ,  b" << 1 << "b";
    QTest::newRow("empty field") << "a,,c" << 2 << "c";
    QTest::newRow("beyond the end") << "a,b" << 5 << "";
    QTest::newRow("unclosed quote runs to the end") << "\"a,b" << 0 << "a,b";
}

void TestStatistics::commaFieldSplitsLikeACommaList()
{
    QFETCH(QString, text);
    QFETCH(int, index);
    QFETCH(QString, field);
    QCOMPARE(TStatistics::CommaField(text, index), field);
}

QTEST_GUILESS_MAIN(TestStatistics)
#include "tst_statistics.moc"
