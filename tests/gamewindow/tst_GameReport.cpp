// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gamewindow/uGameReport.h"
#include "play/faketurnhost.h"
#include "storage/uTStatistics.h"
#include "storage/uTools.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {
// The thirteen fields of a column, rows 1-6 then 12-18; -1 leaves a field open.
using Fields = std::array<int, 13>;
constexpr Fields Full{3, 6, 9, 12, 15, 18, 20, 0, 25, 30, 40, 50, 22};  // 285 with bonus
constexpr Fields Thin{1, 2, 3, 4, 5, 6, 10, 0, 0, 30, 0, -1, 15};       // 76, Quintor open
constexpr std::array<int, 13> FieldRows{1, 2, 3, 4, 5, 6, 12, 13, 14, 15, 16, 17, 18};

struct ReportGame {
    FakeTurnHost Host;
    std::unique_ptr<TTurnEngine> Engine;

    ReportGame(const QStringList &names, int columns, bool furtherQuintors)
    {
        TTavolexSettings rules;
        rules.SetGameCount(columns);
        rules.SetDiceCount(3);
        rules.SetMultTavolex(furtherQuintors);
        rules.SetExtOptions(TTavolexSettings::DefaultExtOptions);
        QList<TPlayer> players;
        for (const QString &name : names) {
            TPlayer player;
            player.SetName(name);
            players << player;
        }
        Engine = std::make_unique<TTurnEngine>(Host, rules, players, 600, 400);
        Engine->StartGame();
    }

    void Fill(int player, int column, const Fields &fields)
    {
        for (std::size_t i = 0; i < fields.size(); ++i)
            if (fields[i] != -1)
                Engine->PlayerColumn(player, column).Enter(FieldRows[i], fields[i]);
        Engine->RefreshSums(player);
    }

    [[nodiscard]] QList<RWinnerList> Winners() const
    {
        QList<RWinnerList> winners = CollectWinners(Engine->Players());
        SortWinners(winners);
        RankWinners(winners);
        return winners;
    }
};

QByteArray Fixture(const QString &name)
{
    QFile file(QStringLiteral(QUINTOR_FIXTURES) + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Lines of Windows-1252 bytes, so that a mismatch names its line.
QStringList LinesOf(const QByteArray &bytes)
{
    return FromAnsi(bytes).split(QStringLiteral("\r\n"));
}
}  // namespace

class TestGameReport : public QObject {
    Q_OBJECT

private slots:
    void reportIsWrittenLineForLine_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::newRow("one column: give-up, tie, escaped names, no further Quintors")
            << QStringLiteral("report_one_column.html");
        QTest::newRow("two columns: one sheet per player, further Quintors")
            << QStringLiteral("report_two_columns.html");
    }

    void reportIsWrittenLineForLine()
    {
        QFETCH(QString, fixture);
        const bool oneColumn = fixture.contains(QStringLiteral("one"));
        std::unique_ptr<ReportGame> game;
        RGameReport report;
        if (oneColumn) {
            game = std::make_unique<ReportGame>(QStringList{"Carl & Co", "Anna", "<i>Tom & \"Jerry\"</i>", "Bert"}, 1, false);
            game->Engine->GiveUp(0);
            game->Fill(1, 0, Full);
            game->Fill(2, 0, Full);
            game->Fill(3, 0, Thin);
            report = {QDateTime(QDate(2007, 3, 14), QTime(19, 52)), 7, "20:10", "21:15", {}};
        } else {
            game = std::make_unique<ReportGame>(QStringList{"Dora", "Emil"}, 2, true);
            game->Fill(0, 0, Full);
            game->Fill(0, 1, Thin);
            game->Fill(1, 0, Thin);
            game->Fill(1, 1, Thin);
            report = {QDateTime(QDate(2024, 12, 1), QTime(9, 5)), 1, "23:50", "00:10", {}};
        }
        report.Winners = game->Winners();
        const QByteArray expected = Fixture(fixture);
        QVERIFY(!expected.isEmpty());
        const QByteArray written = GameReportBytes(GameReportLines(*game->Engine, report));
        QCOMPARE(LinesOf(written), LinesOf(expected));
        QCOMPARE(written, expected);  // the same, down to CR LF and the Windows-1252 umlauts
    }

    void fileNameAndHeadingDate_data()
    {
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("heading");
        QTest::newRow("evening in March") << QDateTime(QDate(2007, 3, 14), QTime(19, 52))
                                          << "/d/Spiel_20070314_1952.html" << QStringLiteral("14. März 2007");
        QTest::newRow("leading zeros") << QDateTime(QDate(2024, 1, 5), QTime(7, 3))
                                       << "/d/Spiel_20240105_0703.html" << QStringLiteral("05. Januar 2024");
    }

    void fileNameAndHeadingDate()
    {
        QFETCH(QDateTime, when);
        QFETCH(QString, file);
        QFETCH(QString, heading);
        QCOMPARE(ReportFileName(QStringLiteral("/d/"), when), file);
        QCOMPARE(ReportHeadingDate(when.date()), heading);
    }

    void minusOneIsWrittenAsItIsAndOnlyOpenFieldsAsZero()
    {
        // "Gestrichenes Feld" worth -1: a strike of -1 is an entry, and a
        // sum that comes to -1 is a value; only the open Quintor reads 0.
        ReportGame game({"Anna"}, 1, false);
        TTavolex &column = game.Engine->PlayerColumn(0, 0);
        for (const int row : FieldRows)
            if (row != Row::Quintor)
                column.Enter(row, row == Row::ThreeOfAKind ? -1 : 0);
        game.Engine->RefreshSums(0);
        const RGameReport report{QDateTime(QDate(2007, 3, 14), QTime(19, 52)), 1, "20:10", "20:20", game.Winners()};
        const QString sheet = GameReportLines(*game.Engine, report).join(QLatin1Char('\n'));
        const QString field = QStringLiteral("<td align = left width = 200 >%1</td><td align = center width = 150 >%2</td>");
        const QString sum = QStringLiteral("<td align = left width = 200 bgcolor = #FFFFFF><b>%1</td>"
                                           "<td align = center width = 150 bgcolor = #FFFFFF><b>%2</td>");
        QVERIFY(sheet.contains(field.arg("Dreierpasch", "-1")));
        QVERIFY(sheet.contains(field.arg("Quintor", "0")));
        QVERIFY(sheet.contains(sum.arg("Summe unten", "-1")));
        QVERIFY(sheet.contains(sum.arg("= Gesamt", "-1")));
        QVERIFY(sheet.contains(sum.arg("Summe oben", "0")));
        QVERIFY(sheet.contains(QStringLiteral("<td align=right>-1</td>")));  // the ranking
    }

    void namesWithPercentSignsAreShownAsTyped_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("a place after the name's own") << QStringLiteral("Max%2");
        QTest::newRow("the first place") << QStringLiteral("%1");
        QTest::newRow("a doubled percent sign") << QStringLiteral("100%%");
        QTest::newRow("places in any order") << QStringLiteral("%3 und %1");
    }

    // Every text that shows a player's name: the give-up question and line,
    // the report's lines, the winner label and the statistics entry.
    void namesWithPercentSignsAreShownAsTyped()
    {
        QFETCH(QString, name);
        ReportGame quitting({name, "Bert", "Carl"}, 1, false);
        quitting.Engine->GiveUp(0);
        const QString line = name + " hat das Spiel mit 0 Punkten in der 1. Runde abgebrochen.";
        QCOMPARE(quitting.Host.GiveUpQuestions, QStringList{"Will " + name + " wirklich aufhören ?"});
        QCOMPARE(quitting.Engine->EventLines(), QStringList{line});
        const RGameReport when{QDateTime(QDate(2007, 3, 14), QTime(19, 52)), 1, "20:10", "20:20", {}};
        QVERIFY(GameReportLines(*quitting.Engine, when).contains(line + "<br>"));

        ReportGame playing({name, "Bert"}, 2, false);
        playing.Fill(0, 0, Full);
        playing.Fill(0, 1, Thin);
        RGameReport report = when;
        report.Winners = playing.Winners();
        const QStringList lines = GameReportLines(*playing.Engine, report);
        QVERIFY(lines.contains("      <td align=left>" + name + "</td>"));
        QVERIFY(lines.contains("<H4>Ergebnisse von: " + name + " (361 Punkte)</H4>"));
        ReportGame oneColumn({name}, 1, false);
        QVERIFY(GameReportLines(*oneColumn.Engine, when)
                    .join(QString())
                    .contains("<th align = center width = 150 bgcolor = #FFFFFF>" + name + "</th>"));

        const QString first = WinnerLabelText(".", 1, 250, name);
        QCOMPARE(first, "1. mit 250 Punkten \r\n" + name);
        QCOMPARE(WinnerLabelText(first, 1, 250, name), "1. mit jeweils 250 Punkten \r\n" + name + ", " + name);
        QVERIFY(PlayerEntry(name, "Player1.qtp", 250, playing.Engine->PlayerColumn(0, 0))
                    .startsWith("\"" + name + "\",\"Player1.qtp\",\"250\","));
    }

    void theHeadDeclaresItsEncoding()
    {
        ReportGame game({"Anna"}, 1, false);
        const RGameReport report{QDateTime(QDate(2007, 3, 14), QTime(19, 52)), 1, "20:10", "20:20", {}};
        const QStringList lines = GameReportLines(*game.Engine, report);
        QCOMPARE(lines.mid(0, 4), (QStringList{"<html>", "<head>",
                                                "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">",
                                                "<title>Quintor 20070314_1952</title>"}));
    }

    void savingCreatesTheFolderAndOverwritesOnlyTheGamesOwnReport()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + QStringLiteral("/new/folder/");
        const QDateTime when(QDate(2007, 3, 14), QTime(19, 52));
        const QString first = SaveGameReport(folder, when, QString(), {"<html>", "Straße", "</html>"});
        QCOMPARE(first, folder + "Spiel_20070314_1952.html");
        QCOMPARE(ReadFile(first), QByteArray("<html>\r\nStra\xdf" "e\r\n</html>\r\n"));
        // The same game again in the same minute replaces its own report.
        QCOMPARE(SaveGameReport(folder, when, first, {"ä"}), first);
        QCOMPARE(ReadFile(first), QByteArray("\xe4\r\n"));

        // Other games finished in that minute take the next free names.
        const QString second = SaveGameReport(folder, when, QString(), {"second"});
        QCOMPARE(second, folder + "Spiel_20070314_1952_2.html");
        QCOMPARE(SaveGameReport(folder, when, QString(), {"third"}), folder + "Spiel_20070314_1952_3.html");
        QCOMPARE(SaveGameReport(folder, when, second, {"second again"}), second);
        QCOMPARE(ReadFile(first), QByteArray("\xe4\r\n"));
        QCOMPARE(ReadFile(second), QByteArray("second again\r\n"));
        QCOMPARE(ReadFile(folder + "Spiel_20070314_1952_3.html"), QByteArray("third\r\n"));
    }

    void aReportThatCannotBeWrittenAddsNoFile()
    {
        QTemporaryDir dir;
        QFile blocker(dir.path() + QStringLiteral("/plain"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QDateTime when(QDate(2007, 3, 14), QTime(19, 52));
        QVERIFY_THROWS_EXCEPTION(EWriteError, (void)SaveGameReport(dir.path() + QStringLiteral("/plain/"), when, QString(), {"x"}));
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden), QStringList{"plain"});
    }
};

QTEST_MAIN(TestGameReport)
#include "tst_GameReport.moc"
