// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "storage/uTGameRecords.h"

#include "storage/uIniFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <climits>
#include <numeric>

namespace {

// The 25 values of a column with these six upper and seven lower fields and
// its sums, each followed by a bar, as the game writes them (bonus 35 from 63).
QString Sheet(const QList<int> &upper, const QList<int> &lower)
{
    QList<int> rows(25, 0);
    for (int i = 0; i < 6; ++i)
        rows[1 + i] = upper[i];
    for (int i = 0; i < 7; ++i)
        rows[12 + i] = lower[i];
    rows[8] = std::accumulate(upper.cbegin(), upper.cend(), 0);
    rows[9] = rows[8] >= 63 ? 35 : 0;
    rows[10] = rows[8] + rows[9];
    rows[20] = std::accumulate(lower.cbegin(), lower.cend(), 0);
    rows[21] = rows[10];
    rows[23] = rows[20] + rows[21];
    QString text;
    for (int value : rows)
        text += QString::number(value) + '|';
    return text;
}

QString Entry(const QString &name, const QString &file, int points, const QString &sheet)
{
    return QStringLiteral("\"%1\",\"%2\",\"%3\",\"%4\"").arg(name, file).arg(points).arg(sheet);
}

QString Section(const QString &name, int dice, int columns, const QString &date, const QString &report,
                const QStringList &entries)
{
    QString text = QStringLiteral("[%1]\r\nDiceCount=%2\r\nGameCount=%3\r\n").arg(name).arg(dice).arg(columns);
    if (!date.isEmpty())
        text += QStringLiteral("GameDate=%1\r\n").arg(date);
    text += QStringLiteral("Scores=08|63,09|35,14|25,15|30,16|40,17|50,24|100,25|0,\r\nGameReport=%1\r\n").arg(report);
    for (int n = 0; n < 4; ++n)
        text += QStringLiteral("Player%1=%2\r\n").arg(n).arg(n < entries.size() ? entries[n] : QStringLiteral("NIL"));
    return text;
}

const QString Anna = QStringLiteral("Player1.qtp");
const QString Hans = QStringLiteral("Player2.qtp");
const QString Bert = QStringLiteral("Player3.qtp");
const QString OneColumn = QStringLiteral("3 Würfe, 1 Spalte");
const QString FourColumns = QStringLiteral("2 Würfe, 4 Spalten");

// Nine recorded games and three sections the reader skips. Game 1 ends in a
// shared first place, in game 2 Anna gives up ahead of Bert (her report says
// so), game 3 has four columns, game 4 has no date, Bert's sheet of game 5
// lacks a value, and the name "Meier, Hans" holds a comma.
QString FixtureStats()
{
    const QString a1 = Sheet({3, 6, 9, 12, 15, 18}, {20, 0, 25, 30, 40, 0, 22});   // 235
    const QString a2 = Sheet({3, 6, 9, 12, 15, 18}, {25, 20, 25, 30, 40, 0, 0});   // 238, open fields
    const QString a3 = Sheet({3, 6, 9, 16, 15, 18}, {24, 18, 25, 30, 40, 50, 23}); // first of four columns
    const QString a4 = Sheet({2, 4, 6, 8, 10, 12}, {18, 0, 25, 30, 0, 0, 20});     // 135
    const QString a5 = Sheet({3, 6, 9, 12, 15, 24}, {25, 20, 25, 30, 40, 50, 25}); // 319
    const QString a6 = Sheet({1, 4, 9, 12, 20, 18}, {22, 0, 25, 0, 40, 0, 21});    // 207
    const QString h1 = Sheet({3, 6, 9, 12, 15, 18}, {22, 0, 25, 30, 40, 0, 20});   // 235
    const QString h3 = Sheet({4, 8, 12, 16, 20, 24}, {25, 20, 25, 30, 40, 50, 26});
    const QString h6 = Sheet({2, 4, 6, 8, 10, 12}, {20, 0, 25, 30, 40, 0, 20});    // 177
    const QString b1 = Sheet({2, 4, 6, 8, 10, 12}, {15, 0, 25, 30, 0, 0, 20});     // 132
    const QString b2 = Sheet({1, 4, 9, 12, 15, 18}, {20, 0, 25, 30, 0, 0, 18});    // 152
    const QString b6 = Sheet({1, 2, 3, 4, 5, 6}, {10, 0, 0, 0, 0, 0, 15});         // 46
    const QString hans = QStringLiteral("Meier, Hans");
    QString stats;
    stats += Section("1", 3, 1, "200703141952", "Spiel_1.html",
                     {Entry("Anna", Anna, 235, a1), Entry(hans, Hans, 235, h1), Entry("Bert", Bert, 132, b1)});
    stats += Section("2", 3, 1, "200703152010", "Spiel_2.html", {Entry("Anna", Anna, 238, a2), Entry("Bert", Bert, 152, b2)});
    stats += Section("Notiz", 3, 1, "200703152100", "Spiel_9.html", {Entry("Anna", Anna, 999, a1)});
    stats += Section("3", 2, 4, "200703201800", "Spiel_3.html", {Entry(hans, Hans, 1300, h3), Entry("Anna", Anna, 1150, a3)});
    stats += Section("4", 3, 1, "", "Spiel_4.html", {Entry("Anna", Anna, 135, a4)});
    stats += Section("5", 3, 1, "200704011200", "Spiel_5.html",
                     {Entry("Anna", Anna, 319, a5), Entry("Bert", Bert, 135, "1|2|3|")});
    stats += Section("6", 3, 1, "200704021230", "Spiel_6.html",
                     {Entry("Anna K.", Anna, 207, a6), Entry(hans, Hans, 177, h6), Entry("Bert", Bert, 46, b6)});
    stats += Section("7", 3, 1, "200704031230", "Spiel_7.html", {Entry("Anna", Anna, 0, a1).replace("\"0\"", "\"viel\""),
                                                                  Entry("Bert", Bert, 100, b1)});
    stats += Section("5", 3, 1, "200704041230", "Spiel_5.html", {Entry("Anna", Anna, 999, a5)});
    // Another Bert, and a name that contains Anna's file name.
    stats += Section("8", 3, 1, "200704051230", "Spiel_8.html", {Entry("Player1.qtp-Fan", "Player7.qtp", 100, b1)});
    stats += Section("9", 3, 1, "200704061230", "Spiel_10.html", {Entry("Bert", "Player9.qtp", 120, b1)});
    return stats;
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

const QByteArray GaveUpReport = "<html>\r\n<body>\r\n<H4>Spieleinstellungen:</H4>\r\n<H4>Bericht:</H4>\r\n"
                                "Anna hat das Spiel mit 238 Punkten in der 11. Runde abgebrochen.<br>\r\n"
                                "<H4>Endstand:</H4>\r\n</body>\r\n</html>\r\n";

}  // namespace

class TestGameRecords : public QObject {
    Q_OBJECT

private slots:
    void init();

    void readsEveryGameAndSkipsWhatTheListSkips();
    void ranksAsTheCeremonyDoes();
    void playerFiguresOfTheFixture_data();
    void playerFiguresOfTheFixture();
    void fieldFiguresCountFinishedSheetsOnly_data();
    void fieldFiguresCountFinishedSheetsOnly();
    void playerInNoGameHasNoFigures();
    void withoutTheReportAGiveUpCannotBeSeen();
    void profilesCarryTheirLatestNameMadeUnique();
    void headToHeadCountsGamesTogetherAndEachOnesWins();
    void missingStatsFileGivesNoGames();
    void handEditedFileReadsAsTheIniLayerReadsIt();
    void reportsOutsideTheDataFolderAreNotRead_data();
    void reportsOutsideTheDataFolderAreNotRead();
    void sheetIsReadOnlyWhenWhole_data();
    void sheetIsReadOnlyWhenWhole();

    void movingAverage_data();
    void movingAverage();
    void histogram_data();
    void histogram();

private:
    QTemporaryDir m_Dir;
    QString m_Folder;
    TGameRecords LoadedFixture(bool withGaveUpReport = true);
};

void TestGameRecords::init()
{
    m_Folder = m_Dir.path() + QStringLiteral("/") + QString::fromLatin1(QTest::currentTestFunction()) + '-'
               + QString::fromUtf8(QTest::currentDataTag()).replace(' ', '_').replace(',', '_') + '/';
    QDir().mkpath(m_Folder);
}

TGameRecords TestGameRecords::LoadedFixture(bool withGaveUpReport)
{
    WriteFile(m_Folder + "Stats.ini", FixtureStats().toLatin1());
    for (int n : {1, 3, 4, 5, 6, 7, 8})
        WriteFile(m_Folder + QStringLiteral("Spiel_%1.html").arg(n), "<html><body></body></html>\r\n");
    if (withGaveUpReport)
        WriteFile(m_Folder + "Spiel_2.html", GaveUpReport);
    TGameRecords records(m_Folder);
    records.Load();
    return records;
}

void TestGameRecords::readsEveryGameAndSkipsWhatTheListSkips()
{
    const TGameRecords records = LoadedFixture();
    QList<int> numbers;
    for (const RGameRecord &game : records.Games())
        numbers << game.GameNumber;
    // "Notiz" is no number, game 7 has points that are no number, the second [5] repeats a game.
    QCOMPARE(numbers, (QList<int>{1, 2, 3, 4, 5, 6, 8, 9}));
    QCOMPARE(records.GameTypes(), (QStringList{OneColumn, FourColumns}));
    QCOMPARE(records.GameTypes(Bert), QStringList{OneColumn});
    const RGameRecord &first = records.Games().constFirst();
    QCOMPARE(first.DateText, QStringLiteral("14.03.2007"));
    QCOMPARE(first.PlayerOf(Hans)->Name, QStringLiteral("Meier, Hans"));
    QCOMPARE(first.PlayerOf(Hans)->Points, 235);
    QCOMPARE(records.Games()[3].DateText, QStringLiteral("??.??.????"));
    QVERIFY(!records.Games()[4].PlayerOf(Bert)->HasSheet);
}

void TestGameRecords::ranksAsTheCeremonyDoes()
{
    const TGameRecords records = LoadedFixture();
    const RGameRecord &shared = records.Games()[0];
    QCOMPARE(shared.PlayerOf(Anna)->Rank, 1);
    QCOMPARE(shared.PlayerOf(Hans)->Rank, 1);
    QCOMPARE(shared.PlayerOf(Bert)->Rank, 3);
    // Anna gave up with more points than Bert finished with: she is not ranked.
    const RGameRecord &gaveUp = records.Games()[1];
    QVERIFY(gaveUp.PlayerOf(Anna)->GaveUp);
    QCOMPARE(gaveUp.PlayerOf(Anna)->Rank, -1);
    QCOMPARE(gaveUp.PlayerOf(Bert)->Rank, 1);
    QVERIFY(!gaveUp.PlayerOf(Bert)->GaveUp);
}

void TestGameRecords::playerFiguresOfTheFixture_data()
{
    QTest::addColumn<QString>("profile");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QList<int>>("counts");  // played, contested, won, gave up, finished, streak
    QTest::addColumn<double>("winRate");
    QTest::addColumn<double>("average");
    QTest::addColumn<QString>("best");  // "game points date"
    QTest::addColumn<QString>("worst");
    QTest::addColumn<QList<int>>("series");

    QTest::newRow("Anna, all games") << Anna << QString() << QList<int>{6, 5, 3, 1, 5, 2} << 0.6 << 2046 / 5.0
                                     << "3 1150 20.03.2007" << "4 135 ??.??.????"
                                     << QList<int>{235, 1150, 135, 319, 207};
    QTest::newRow("Anna, one column") << Anna << OneColumn << QList<int>{5, 4, 3, 1, 4, 2} << 0.75 << 224.0
                                      << "5 319 01.04.2007" << "4 135 ??.??.????" << QList<int>{235, 135, 319, 207};
    QTest::newRow("Anna, four columns") << Anna << FourColumns << QList<int>{1, 1, 0, 0, 1, 0} << 0.0 << 1150.0
                                        << "3 1150 20.03.2007" << "3 1150 20.03.2007" << QList<int>{1150};
    QTest::newRow("Meier, Hans") << Hans << QString() << QList<int>{3, 3, 2, 0, 3, 2} << 2 / 3.0 << 1712 / 3.0
                                 << "3 1300 20.03.2007" << "6 177 02.04.2007" << QList<int>{235, 1300, 177};
    QTest::newRow("Bert") << Bert << QString() << QList<int>{4, 4, 1, 0, 4, 1} << 0.25 << 465 / 4.0
                          << "2 152 15.03.2007" << "6 46 02.04.2007" << QList<int>{132, 152, 135, 46};
    QTest::newRow("single games only") << QStringLiteral("Player9.qtp") << QString() << QList<int>{1, 0, 0, 0, 1, 0}
                                       << 0.0 << 120.0 << "9 120 06.04.2007" << "9 120 06.04.2007" << QList<int>{120};
}

void TestGameRecords::playerFiguresOfTheFixture()
{
    QFETCH(QString, profile);
    QFETCH(QString, type);
    QFETCH(QList<int>, counts);
    QFETCH(double, winRate);
    QFETCH(double, average);
    QFETCH(QString, best);
    QFETCH(QString, worst);
    QFETCH(QList<int>, series);
    const TGameRecords records = LoadedFixture();
    const RPlayerFigures f = PlayerFigures(records.Games(), profile, type);
    QCOMPARE((QList<int>{f.Played, f.Contested, f.Won, f.GaveUp, f.Finished, f.LongestStreak}), counts);
    QCOMPARE(f.WinRate, winRate);
    QCOMPARE(f.AveragePoints, average);
    const auto mark = [](const RGameMark &m) { return QStringLiteral("%1 %2 %3").arg(m.GameNumber).arg(m.Points).arg(m.DateText); };
    QCOMPARE(mark(f.Best), best);
    QCOMPARE(mark(f.Worst), worst);
    QCOMPARE(f.PointsSeries, series);
}

void TestGameRecords::fieldFiguresCountFinishedSheetsOnly_data()
{
    QTest::addColumn<QString>("profile");
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("sheets");
    QTest::addColumn<double>("bonusRate");
    // Average and struck share of the ones, the four of a kind and the Quintor field.
    QTest::addColumn<QList<double>>("fields");

    // Anna's given-up sheet of game 2 would count its open fields as struck.
    QTest::newRow("Anna, all games") << Anna << QString() << 5 << 0.8 << QList<double>{2.4, 0.0, 7.6, 0.6, 20.0, 0.6};
    QTest::newRow("Anna, one column") << Anna << OneColumn << 4 << 0.75 << QList<double>{2.25, 0.0, 5.0, 0.75, 12.5, 0.75};
    // Game 5's sheet of Bert lacks values: his points count, his fields do not.
    QTest::newRow("Bert") << Bert << QString() << 3 << 0.0 << QList<double>{4 / 3.0, 0.0, 0.0, 1.0, 0.0, 1.0};
}

void TestGameRecords::fieldFiguresCountFinishedSheetsOnly()
{
    QFETCH(QString, profile);
    QFETCH(QString, type);
    QFETCH(int, sheets);
    QFETCH(double, bonusRate);
    QFETCH(QList<double>, fields);
    const TGameRecords records = LoadedFixture();
    const RPlayerFigures f = PlayerFigures(records.Games(), profile, type);
    QCOMPARE(f.Sheets, sheets);
    QCOMPARE(f.BonusRate, bonusRate);
    QCOMPARE(f.Fields[0].Row, 1);
    QCOMPARE(f.Fields[7].Row, 13);
    QCOMPARE(f.Fields[11].Row, 17);
    QCOMPARE((QList<double>{f.Fields[0].Average, f.Fields[0].StruckRate, f.Fields[7].Average, f.Fields[7].StruckRate,
                            f.Fields[11].Average, f.Fields[11].StruckRate}),
             fields);
}

void TestGameRecords::playerInNoGameHasNoFigures()
{
    const TGameRecords records = LoadedFixture();
    // Player1.qtp inside another player's name is not Anna's game, and no game is nobody's.
    QCOMPARE(PlayerFigures(records.Games(), Anna).Played, 6);
    const RPlayerFigures none = PlayerFigures(records.Games(), QStringLiteral("Player5.qtp"));
    QCOMPARE(none.Played, 0);
    QCOMPARE(none.Sheets, 0);
    QVERIFY(none.PointsSeries.isEmpty());
    QCOMPARE(PlayerFigures(records.Games(), Bert, FourColumns).Played, 0);
}

void TestGameRecords::withoutTheReportAGiveUpCannotBeSeen()
{
    // Stats.ini writes an open field as 0 like a struck one; only the report tells.
    const TGameRecords records = LoadedFixture(false);
    const RGameRecord &game = records.Games()[1];
    QVERIFY(!game.PlayerOf(Anna)->GaveUp);
    QCOMPARE(game.PlayerOf(Anna)->Rank, 1);
}

void TestGameRecords::profilesCarryTheirLatestNameMadeUnique()
{
    const TGameRecords records = LoadedFixture();
    QStringList shown;
    for (const RRecordedProfile &profile : records.Profiles())
        shown << profile.ProfileFile + '=' + profile.Name;
    QCOMPARE(shown, (QStringList{"Player1.qtp=Anna K.", "Player2.qtp=Meier, Hans", "Player3.qtp=Bert (Player3.qtp)",
                                 "Player7.qtp=Player1.qtp-Fan", "Player9.qtp=Bert (Player9.qtp)"}));
}

void TestGameRecords::headToHeadCountsGamesTogetherAndEachOnesWins()
{
    const TGameRecords records = LoadedFixture();
    const auto rows = [&records](const QString &type) {
        QStringList text;
        for (const RHeadToHead &h : HeadToHead(records.Games(), records.Profiles(), type))
            text << QStringLiteral("%1-%2 %3 %4:%5").arg(h.ProfileA, h.ProfileB).arg(h.Together).arg(h.WinsA).arg(h.WinsB);
        return text;
    };
    // Both of a shared first place win; a third player's win is nobody's of the pair.
    QCOMPARE(rows(QString()), (QStringList{"Player1.qtp-Player2.qtp 3 2:2", "Player1.qtp-Player3.qtp 4 3:1",
                                           "Player2.qtp-Player3.qtp 2 1:0"}));
    QCOMPARE(rows(FourColumns), QStringList{"Player1.qtp-Player2.qtp 1 0:1"});
}

void TestGameRecords::missingStatsFileGivesNoGames()
{
    TGameRecords records(m_Folder);
    records.Load();
    QVERIFY(records.Games().isEmpty());
    QVERIFY(records.Profiles().isEmpty());
}

// The reader walks the bytes itself; what it takes must be what every other
// reader of the file takes through the INI layer.
void TestGameRecords::handEditedFileReadsAsTheIniLayerReadsIt()
{
    const QString sheet = Sheet({3, 6, 9, 12, 15, 18}, {20, 10, 25, 30, 40, 50, 22});
    const QByteArray stats = (QStringLiteral("Player0=") + Entry("Vorweg", "Player8.qtp", 1, sheet) + "\r\n"
                              "[10]\r\n"
                              " diceCOUNT = 2\r\n"
                              "DiceCount=3\r\n"
                              "GameCount=\"1\"\r\n"
                              ";Player1=" + Entry("Kommentar", "Player9.qtp", 5, sheet) + "\r\n"
                              "PLAYER0 =" + Entry("Anna", Anna, 301, sheet) + "\r\n"
                              "Player0=" + Entry("Zweite", Bert, 50, sheet) + "\r\n"
                              "Player1=nil\r\n"
                              "Player2=" + Entry("Bert", Bert, 200, sheet) + "\r\n"
                              "[ 10 ]\r\n"
                              "Player3=" + Entry("Spät", Hans, 999, sheet) + "\r\n"
                              "[11]\n"
                              "GameCount=2\r"
                              "Player0=" + Entry("Hans", Hans, 77, sheet) + "\n")
                                 .toLatin1();
    WriteFile(m_Folder + "Stats.ini", stats);
    TGameRecords records(m_Folder);
    records.Load();

    const TIniFile ini(m_Folder + "Stats.ini");
    QCOMPARE(records.Games().size(), 2);
    const RGameRecord &first = records.Games()[0];
    QCOMPARE(first.DiceCount, ini.ReadInteger("10", "DiceCount", 0));
    QCOMPARE(first.DiceCount, 2);
    QCOMPARE(first.GameCount, 1);
    QCOMPARE(first.Players.size(), 2);
    QCOMPARE(first.Players[0].Name, QStringLiteral("Anna"));
    QCOMPARE(first.Players[1].Name, QStringLiteral("Bert"));
    QCOMPARE(ini.ReadString("10", "Player3", "keiner"), QStringLiteral("keiner"));
    const RGameRecord &second = records.Games()[1];
    QCOMPARE(second.GameNumber, 11);
    QCOMPARE(second.GameCount, 2);
    QCOMPARE(second.Players.size(), 1);
    QCOMPARE(second.Players[0].Points, 77);
    QVERIFY(second.Players[0].HasSheet);
}

void TestGameRecords::reportsOutsideTheDataFolderAreNotRead_data()
{
    QTest::addColumn<QString>("reportName");
    QTest::addColumn<bool>("link");
    QTest::addColumn<bool>("gaveUp");
    QTest::newRow("plain report") << "Spiel_2.html" << false << true;
    QTest::newRow("link to a report elsewhere") << "Spiel_2.html" << true << false;
    QTest::newRow("name pointing outside") << "../aussen/Spiel_2.html" << false << false;
}

void TestGameRecords::reportsOutsideTheDataFolderAreNotRead()
{
    QFETCH(QString, reportName);
    QFETCH(bool, link);
    QFETCH(bool, gaveUp);
    const QString outside = m_Folder + "../aussen/";
    QDir().mkpath(outside);
    WriteFile(outside + "Spiel_2.html", GaveUpReport);
    if (link)
        QVERIFY(QFile::link(outside + "Spiel_2.html", m_Folder + "Spiel_2.html"));
    else if (!reportName.contains('/'))
        WriteFile(m_Folder + "Spiel_2.html", GaveUpReport);
    const QString sheet = Sheet({3, 6, 9, 12, 15, 18}, {25, 20, 25, 30, 40, 0, 0});
    WriteFile(m_Folder + "Stats.ini", Section("2", 3, 1, "200703152010", reportName,
                                              {Entry("Anna", Anna, 238, sheet), Entry("Bert", Bert, 152, sheet)})
                                          .toLatin1());
    TGameRecords records(m_Folder);
    records.Load();
    QCOMPARE(records.Games().constFirst().PlayerOf(Anna)->GaveUp, gaveUp);
}

void TestGameRecords::sheetIsReadOnlyWhenWhole_data()
{
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<bool>("whole");
    QTest::addColumn<int>("ones");
    const QString tail = QString("0|").repeated(23);
    QTest::newRow("as written") << "0|3|" + tail << true << 3;
    QTest::newRow("blanks and signs") << "0| +3 |" + tail << true << 3;
    QTest::newRow("negative") << "0|-5000|" + tail << true << -5000;
    QTest::newRow("beyond int") << "0|2147483648|" + tail << false << 0;
    QTest::newRow("not a number") << "0|3x|" + tail << false << 0;
    QTest::newRow("empty value") << "0||" + tail << false << 0;
    QTest::newRow("24 values") << "0|3|" + QString("0|").repeated(22) << false << 0;
    QTest::newRow("26 values") << "0|3|" + tail + "0|" << false << 0;
    QTest::newRow("no closing bar") << "0|3|" + tail.chopped(1) << false << 0;
}

void TestGameRecords::sheetIsReadOnlyWhenWhole()
{
    QFETCH(QString, sheet);
    QFETCH(bool, whole);
    QFETCH(int, ones);
    WriteFile(m_Folder + "Stats.ini",
              Section("1", 3, 1, "200703152010", "Spiel_1.html", {Entry("Anna", Anna, 10, sheet)}).toLatin1());
    TGameRecords records(m_Folder);
    records.Load();
    const RRecordedPlayer *anna = records.Games().constFirst().PlayerOf(Anna);
    QCOMPARE(anna->HasSheet, whole);
    if (whole)
        QCOMPARE(anna->Sheet[1], ones);
}

void TestGameRecords::movingAverage_data()
{
    QTest::addColumn<QList<int>>("values");
    QTest::addColumn<int>("window");
    QTest::addColumn<QList<double>>("expected");
    QTest::newRow("window of two") << QList<int>{10, 20, 30, 40} << 2 << QList<double>{10, 15, 25, 35};
    QTest::newRow("window longer than the games") << QList<int>{10, 20, 30, 40} << 10 << QList<double>{10, 15, 20, 25};
    QTest::newRow("no games") << QList<int>{} << 10 << QList<double>{};
    QTest::newRow("window of none counts one") << QList<int>{10, 20} << 0 << QList<double>{10, 20};
}

void TestGameRecords::movingAverage()
{
    QFETCH(QList<int>, values);
    QFETCH(int, window);
    QFETCH(QList<double>, expected);
    QCOMPARE(MovingAverage(values, window), expected);
}

void TestGameRecords::histogram_data()
{
    QTest::addColumn<QList<int>>("points");
    QTest::addColumn<int>("maxBins");
    QTest::addColumn<QString>("expected");
    QTest::newRow("width 20 for ten bins") << QList<int>{235, 135, 319, 207} << 10
                                           << "120-139:1 140-159:0 160-179:0 180-199:0 200-219:1 220-239:1 "
                                              "240-259:0 260-279:0 280-299:0 300-319:1";
    QTest::newRow("one value") << QList<int>{50} << 12 << "50-50:1";
    QTest::newRow("negative points") << QList<int>{-10, 5, -6} << 4 << "-10--6:2 -5--1:0 0-4:0 5-9:1";
    QTest::newRow("no games") << QList<int>{} << 12 << "";
    QTest::newRow("one bin asked across 0") << QList<int>{-1, 0} << 1 << "-10000000000--1:1 0-9999999999:1";
    // A hand-edited file may hold any whole number: the bins must not overflow.
    QTest::newRow("the whole int range") << QList<int>{INT_MIN, INT_MAX} << 12
                                         << "-2500000000--2000000001:1 -2000000000--1500000001:0 -1500000000--1000000001:0 "
                                            "-1000000000--500000001:0 -500000000--1:0 0-499999999:0 500000000-999999999:0 "
                                            "1000000000-1499999999:0 1500000000-1999999999:0 2000000000-2499999999:1";
}

void TestGameRecords::histogram()
{
    QFETCH(QList<int>, points);
    QFETCH(int, maxBins);
    QFETCH(QString, expected);
    QStringList bins;
    for (const RHistogramBin &bin : PointsHistogram(points, maxBins))
        bins << QStringLiteral("%1-%2:%3").arg(bin.From).arg(bin.To).arg(bin.Count);
    QCOMPARE(bins.join(' '), expected);
}

QTEST_GUILESS_MAIN(TestGameRecords)
#include "tst_gamerecords.moc"
