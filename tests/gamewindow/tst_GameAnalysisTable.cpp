// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gamewindow/uGameAnalysisTable.h"
#include "gamewindow/uGameReport.h"
#include "play/faketurnhost.h"
#include "play/uRandom.h"
#include "play/uTTurnEngine.h"
#include "strategy/uTGameAnalysis.h"
#include "strategy/uTRulesScoring.h"
#include "strategy/uTStrategy.h"
#include "support/throwof.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {
constexpr int W = 900;
constexpr int H = 600;

const QStringList PageEnd{QStringLiteral("<H4>Ergebnisse:</H4>"), QStringLiteral("</table>"),
                          QStringLiteral("</body>"), QStringLiteral("</html>")};

TPlayerAnalysis AnalysisOf(const QString &name, int decisions, double givenAway, bool approximate,
                    std::optional<TCostlyDecision> costliest)
{
    TPlayerAnalysis row;
    row.Name = name;
    row.Decisions = decisions;
    row.PointsGivenAway = givenAway;
    row.Approximate = approximate;
    row.Costliest = std::move(costliest);
    return row;
}

// One person's game, every throw laid down from a script: the rounds' throws
// and the rows entered, a keep in the second round.
struct TScriptedGame {
    FakeTurnHost Host;
    std::unique_ptr<TTurnEngine> Engine;
    TGameAnalysis Analysis;

    explicit TScriptedGame(const TTavolexSettings &rules)
    {
        TPlayer anna;
        anna.SetName(QStringLiteral("Anna <A>"));
        anna.SetPlays(true);
        anna.SetInGame(true);
        Engine = std::make_unique<TTurnEngine>(Host, rules, QList<TPlayer>{anna}, W, H);
        Engine->SetObserver(&Analysis);
        Engine->StartGame();
    }

    void Throw(const QString &pips)
    {
        QVERIFY(Engine->ClickCup(W, H));
        for (int frames = 0; Engine->StepDice(W, H) && frames < 1000; ++frames) {
        }
        Engine->ThrowSettled();
        const auto faces = throwOf(pips);
        for (std::size_t i = 0; i < faces.size(); ++i)
            if (Engine->Dice()[i].State() != TDice::dsHeld)
                Engine->Dice()[i].SetFace(faces[i]);
        Engine->EvaluateIfPending();
    }

    void Play()
    {
        struct TTurn {
            const char *First;
            const char *Second;  // after keeping the first three dice; empty: no second throw
            int Row;
        };
        // Round 1 puts five sixes into the ones: a costly decision.
        const TTurn turns[] = {{"6 6 6 6 6", "", 1},       {"2 2 2 5 6", "2 2 2 2 3", 2}, {"3 3 3 1 2", "", 3},
                               {"4 4 4 4 1", "", 4},       {"5 5 5 1 2", "", 5},          {"6 6 6 1 2", "", 6},
                               {"3 3 3 5 6", "", 12},      {"2 2 2 2 6", "", 13},         {"2 2 3 3 3", "", 14},
                               {"1 2 3 4 6", "", 15},      {"2 3 4 5 6", "", 16},         {"1 1 1 1 1", "", 17},
                               {"6 5 4 6 5", "", 18}};
        for (const TTurn &turn : turns) {
            Throw(QLatin1String(turn.First));
            if (*turn.Second) {
                for (int die = 0; die < 3; ++die)
                    QVERIFY(Engine->ClickDie(die));
                Throw(QLatin1String(turn.Second));
            }
            Engine->ChooseField(0, turn.Row);
        }
        QVERIFY(Engine->GameOver() || Host.Ceremonies == 1);
    }
};
}  // namespace

Q_DECLARE_METATYPE(TPlayerAnalysis)

class TestGameAnalysisTable : public QObject {
    Q_OBJECT

private slots:
    void tableFollowsTheSheetsAndShowsEachPerson_data();
    void tableFollowsTheSheetsAndShowsEachPerson();
    void withoutRowsTheReportStaysAsItWas();
    void scriptedGameGainsTheAnalysisAndKeepsEverythingBefore();
};

void TestGameAnalysisTable::tableFollowsTheSheetsAndShowsEachPerson_data()
{
    QTest::addColumn<TPlayerAnalysis>("row");
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<bool>("note");
    const TCostlyDecision ones{1, QStringLiteral("1er: 0 Punkte"), QStringLiteral("Quintor: 50 Punkte"), 43.25};
    QTest::newRow("one column: exact figures")
        << AnalysisOf("Anna", 14, 61.04, false, ones)
        << QStringList{"      <td align = left>Anna</td>", "      <td align = center>14</td>",
                       "      <td align = center>61,0</td>", "      <td align = center>1</td>",
                       "      <td align = left>1er: 0 Punkte</td>", "      <td align = left>Quintor: 50 Punkte</td>",
                       "      <td align = center>43,3</td>"}
        << false;
    QTest::newRow("several columns: estimates")
        << AnalysisOf("Bert", 30, 12.5, true, ones)
        << QStringList{"      <td align = center>ca. 12,5</td>", "      <td align = center>ca. 43,3</td>"} << true;
    QTest::newRow("every decision optimal")
        << AnalysisOf("Carla", 13, 0, false, std::nullopt)
        << QStringList{"      <td align = center>0,0</td>",
                       "      <td align = center colspan = 4>keine: jede Entscheidung war optimal</td>"}
        << false;
    QTest::newRow("a name cannot break the page")
        << AnalysisOf("<b>Dora</b>", 13, 1, false, std::nullopt)
        << QStringList{"      <td align = left>&lt;b&gt;Dora&lt;/b&gt;</td>"} << false;
}

void TestGameAnalysisTable::tableFollowsTheSheetsAndShowsEachPerson()
{
    QFETCH(TPlayerAnalysis, row);
    QFETCH(QStringList, cells);
    QFETCH(bool, note);
    QStringList lines = PageEnd;
    AppendGameAnalysis(lines, {row});
    const qsizetype heading = lines.indexOf(QStringLiteral("<H4>Spielanalyse:</H4>"));
    QCOMPARE(heading, 2);  // after the last table, before the end of the page
    QCOMPARE(lines.mid(lines.size() - 2), (QStringList{"</body>", "</html>"}));
    for (const QString &cell : cells)
        QVERIFY2(lines.contains(cell), qPrintable(cell));
    QCOMPARE(lines.filter(QStringLiteral("Näherungen")).size(), note ? 1 : 0);
    QCOMPARE(lines.count(QStringLiteral("    <tr>")), 2);  // the head and the person
}

void TestGameAnalysisTable::withoutRowsTheReportStaysAsItWas()
{
    QStringList lines = PageEnd;
    AppendGameAnalysis(lines, {});
    QCOMPARE(lines, PageEnd);
}

void TestGameAnalysisTable::scriptedGameGainsTheAnalysisAndKeepsEverythingBefore()
{
    RandSeed(5);
    TTavolexSettings rules;
    rules.SetDiceCount(3);
    rules.SetGameCount(1);
    rules.SetMultTavolex(true);
    QTemporaryDir cache;
    const std::shared_ptr<const TStrategy> strategy = ObtainStrategy(rules, cache.path());
    QVERIFY(strategy);
    TScriptedGame game(rules);
    game.Play();
    const QList<TPlayerAnalysis> rows = game.Analysis.Evaluate(*strategy, {QStringLiteral("Anna <A>")});
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].Decisions, 14);  // 13 entries and the keep of round 2
    QVERIFY(rows[0].Costliest);
    QCOMPARE(rows[0].Costliest->Round, 1);

    const RGameReport report{QDateTime(QDate(2026, 12, 10), QTime(15, 30)), 7, "14:05", "15:30", {}};
    const QStringList before = GameReportLines(*game.Engine, report);
    QStringList lines = before;
    AppendGameAnalysis(lines, rows);
    // Everything up to the end of the page is byte for byte the report without the analysis.
    QCOMPARE(GameReportBytes(lines.mid(0, before.size() - 2)), GameReportBytes(before.mid(0, before.size() - 2)));
    QCOMPARE(lines.at(before.size() - 2), QStringLiteral("<H4>Spielanalyse:</H4>"));
    QCOMPARE(lines.mid(lines.size() - 2), before.mid(before.size() - 2));
    const TCostlyDecision &worst = *rows[0].Costliest;
    QVERIFY(lines.contains(QStringLiteral("      <td align = left>Anna &lt;A&gt;</td>")));
    QVERIFY(lines.contains(QStringLiteral("      <td align = center>14</td>")));
    QVERIFY(lines.contains(QStringLiteral("      <td align = left>") + HtmlEscaped(worst.Done) + QStringLiteral("</td>")));
    QVERIFY(lines.contains(QStringLiteral("      <td align = center>") + AnalysisPoints(worst.Cost) + QStringLiteral("</td>")));
    QVERIFY(worst.Cost > 10);  // five of a kind given away in the ones
}

QTEST_MAIN(TestGameAnalysisTable)
#include "tst_GameAnalysisTable.moc"
