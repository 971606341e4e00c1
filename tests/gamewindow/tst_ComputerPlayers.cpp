// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gamewindow/uCoachPanel.h"
#include "gamewindow/uComputerPacer.h"
#include "gamewindow/uDrawSurface.h"
#include "gamewindow/uFormQuintorGameMain.h"
#include "gamewindow/uGameAssist.h"
#include "gamewindow/uGameStatusBar.h"
#include "gamewindow/uPlayfield.h"
#include "gamewindow/uResultPanel.h"
#include "gamewindow/uScoreBoard.h"
#include "storage/uTools.h"
#include "strategy/uTAdvisor.h"
#include "strategy/uTComputerPlayer.h"
#include "strategy/uTRulesScoring.h"

#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

constexpr int StrategyTimeout = 120000;  // a first solve in a debug build; later games read the cache

struct TSeat {
    QString Name;
    TStrength Strength;
};

// A game window over a data folder of its own, driven frame by frame.
struct TComputerGame {
    QTemporaryDir Data;
    QString Folder = Data.path() + QStringLiteral("/");
    std::unique_ptr<TFormQuintorGameMain> Window;

    TFormQuintorGameMain &Open(const QList<TSeat> &seats, int columns = 1)
    {
        TTavolexSettings rules;
        QString error;
        rules.LoadFromFile(Folder + QStringLiteral("Quintor.ini"), QStringLiteral("Settings"), error);
        rules.SetGameCount(columns);
        rules.SaveToFile(Folder + QStringLiteral("Settings.ini"), QStringLiteral("Settings"));
        for (int i = 0; i < seats.size(); ++i) {
            TPlayer player;
            player.SetName(seats[i].Name);
            player.SetPlays(true);
            player.SetComputer(static_cast<int>(seats[i].Strength));
            player.SaveToFile(Folder + QStringLiteral("Player%1.qtp").arg(i + 1));
        }
        TMainApplication settings;
        settings.SetSound(1);
        settings.SetAnimateCup(3);
        settings.SaveToFile(Folder + QStringLiteral("Global.ini"));
        Window = std::make_unique<TFormQuintorGameMain>(nullptr, Folder, QStringLiteral(QUINTOR_PROGRAM_DIR));
        Window->SetPause([](int) {});
        Window->SetStartTime(QStringLiteral("14:05"));
        Window->SetReportOpener([](const QString &) {});
        Window->show();
        QCoreApplication::processEvents();
        return *Window;
    }

    TTurnEngine &Engine() { return *Window->Engine(); }
    TGameAssist &Assist() { return *Window->Assist(); }
    bool WaitForStrategy() { return QTest::qWaitFor([this] { return Assist().StrategyReady(); }, StrategyTimeout); }
    // The window's frame timer, one tick.
    void Frame() { emit Window->Surface()->Timer(); }
    void FramesUntil(const std::function<bool()> &done, int limit = 20000)
    {
        for (int i = 0; i < limit && !done(); ++i)
            Frame();
    }
    bool DiceLie() { return Engine().Phase() == TurnPhase::Lying && Engine().ThrowEvaluated(); }
    int Entries(int player)
    {
        int entries = 0;
        for (int k = 0; k < Engine().ColumnsPerPlayer(); ++k)
            for (int row : {1, 2, 3, 4, 5, 6, 12, 13, 14, 15, 16, 17, 18})
                entries += Engine().PlayerColumn(player, k).IsOpen(row) ? 0 : 1;
        return entries;
    }
    // The person on turn throws once by a click on the cups and enters the
    // first open field by a click on the board.
    void PersonPlaysQuickly()
    {
        TDrawSurface *surface = Window->Surface();
        Click(surface, QPoint(20, surface->height() - 10));
        FramesUntil([this] { return DiceLie(); });
        const int p = Engine().CurrentPlayer();
        for (int k = 0; k < Engine().ColumnsPerPlayer(); ++k)
            for (int row : {1, 2, 3, 4, 5, 6, 12, 13, 14, 15, 16, 17, 18})
                if (Engine().PlayerColumn(p, k).IsOpen(row)) {
                    emit Window->ScoreBoard()->FieldClicked(Engine().BoardColumn(p, k), row);
                    return;
                }
    }
    void Click(QWidget *widget, QPoint at)
    {
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at);
    }
    QString ReportText()
    {
        QFile file(Window->ReportFileName());
        return file.open(QIODevice::ReadOnly) ? FromAnsi(file.readAll()) : QString();
    }
};

TTurnChoice ThrowChoice(std::array<bool, 5> hold, double expected)
{
    TTurnChoice choice;
    choice.What = TTurnChoice::Kind::Throw;
    choice.Hold = hold;
    choice.Expected = expected;
    return choice;
}

TTurnChoice FieldChoice(int column, int row, int points, double expected)
{
    TTurnChoice choice;
    choice.What = TTurnChoice::Kind::Field;
    choice.Column = column;
    choice.Row = row;
    choice.Points = points;
    choice.Expected = expected;
    return choice;
}

}  // namespace

Q_DECLARE_METATYPE(TAdvice)

class TestComputerPlayers : public QObject {
    Q_OBJECT

private slots:
    void computersOfEveryStrengthPlayTheGameToTheCeremony_data();
    void computersOfEveryStrengthPlayTheGameToTheCeremony();
    void clicksDuringTheComputersTurnAreIgnored();
    void reportAnalysesThePeopleOnly();
    void computerWaitsVisiblyUntilTheStrategyIsReady();
    void coachHintMarksWhatTheAdviceSays_data();
    void coachHintMarksWhatTheAdviceSays();
    void coachShowsDiceFieldAndThreeChoicesForThePersonOnTurn();
};

void TestComputerPlayers::computersOfEveryStrengthPlayTheGameToTheCeremony_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("players");
    QTest::newRow("one column each, three computers") << 1 << 3;
    QTest::newRow("two columns each, two computers") << 2 << 2;
}

void TestComputerPlayers::computersOfEveryStrengthPlayTheGameToTheCeremony()
{
    QFETCH(int, columns);
    QFETCH(int, players);
    TComputerGame game;
    const QList<TSeat> seats{{"Anton", TStrength::Beginner}, {"Berta", TStrength::Advanced}, {"Clara", TStrength::Pro}};
    game.Open(seats.mid(3 - players), columns);
    QVERIFY(game.Window->findChild<QPushButton *>(QStringLiteral("ButtonHint"))->isHidden());  // nobody to coach
    QVERIFY(game.WaitForStrategy());
    game.FramesUntil([&game] { return game.Engine().GameOver(); }, 200000);
    QVERIFY(game.Engine().GameOver());
    QVERIFY(game.Window->ResultPanel()->isVisible());
    QCOMPARE(game.Window->StatusBar()->PanelText(TGameAssist::StatusPanel), QString());
    for (int p = 0; p < players; ++p) {
        QCOMPARE(game.Entries(p), 13 * columns);
        QVERIFY(game.Engine().Players()[p].InGame());  // never gives up
    }
    // Nobody to analyse: the report ends as it always did.
    QVERIFY(!game.ReportText().contains(QStringLiteral("Spielanalyse")));
}

void TestComputerPlayers::clicksDuringTheComputersTurnAreIgnored()
{
    TComputerGame game;
    game.Open({{"Anna", TStrength::Person}, {"Zora", TStrength::Pro}});
    QVERIFY(game.WaitForStrategy());
    TTurnEngine &engine = game.Engine();
    QVERIFY(game.Window->findChild<QPushButton *>(QStringLiteral("ButtonHint"))->isVisible());
    QVERIFY(!game.Assist().IgnoresClicks());
    // Anna throws by a click on the cups and enters her first field by a click on the board.
    TDrawSurface *surface = game.Window->Surface();
    game.Click(surface, QPoint(20, surface->height() - 10));
    game.FramesUntil([&game] { return game.DiceLie(); });
    QVERIFY(game.DiceLie());
    emit game.Window->ScoreBoard()->FieldClicked(0, 18);
    QCOMPARE(engine.CurrentPlayer(), 1);
    QVERIFY(game.Assist().IgnoresClicks());
    QCOMPARE(game.Window->StatusBar()->PanelText(TGameAssist::StatusPanel), QString());
    game.Frame();
    QCOMPARE(game.Window->StatusBar()->PanelText(TGameAssist::StatusPanel), QStringLiteral("Computer am Zug"));

    game.FramesUntil([&game] { return game.DiceLie(); });
    QVERIFY(game.DiceLie());
    const int throws = engine.ThrowsUsed();
    const TDice &die = engine.Dice()[0];
    const int before = die.State();
    game.Click(surface, QPoint(die.X(), die.Y()));
    QCOMPARE(die.State(), before);
    game.Click(surface, QPoint(20, surface->height() - 10));
    QCOMPARE(engine.Phase(), TurnPhase::Lying);
    QCOMPARE(engine.ThrowsUsed(), throws);
    emit game.Window->ScoreBoard()->FieldClicked(1, 18);
    emit game.Window->ScoreBoard()->GiveUpClicked(1);
    QCOMPARE(game.Entries(1), 0);
    QVERIFY(engine.Players()[1].InGame());

    game.FramesUntil([&engine] { return engine.CurrentPlayer() == 0; });
    QCOMPARE(game.Entries(1), 1);
    QVERIFY(!game.Assist().IgnoresClicks());
}

void TestComputerPlayers::reportAnalysesThePeopleOnly()
{
    TComputerGame game;
    game.Open({{"Anna", TStrength::Person}, {"Zora", TStrength::Pro}});
    QVERIFY(game.WaitForStrategy());
    for (int turns = 0; turns < 100 && !game.Engine().GameOver(); ++turns) {
        if (game.Assist().IgnoresClicks())
            game.FramesUntil([&game] { return !game.Assist().IgnoresClicks(); });
        else
            game.PersonPlaysQuickly();
    }
    QVERIFY(game.Engine().GameOver());
    const QString report = game.ReportText();
    const qsizetype analysis = report.indexOf(QStringLiteral("<H4>Spielanalyse:</H4>"));
    QVERIFY(analysis > report.indexOf(QStringLiteral("<H4>Ergebnisse:</H4>")));
    QVERIFY(report.indexOf(QStringLiteral("<td align = left>Anna</td>"), analysis) > 0);
    QCOMPARE(report.indexOf(QStringLiteral("<td align = left>Zora</td>"), analysis), -1);
    QVERIFY(report.indexOf(QStringLiteral("<td align = center>13</td>"), analysis) > 0);  // one throw, one entry a turn
}

void TestComputerPlayers::computerWaitsVisiblyUntilTheStrategyIsReady()
{
    TComputerGame game;
    game.Open({{"Zora", TStrength::Pro}});
    if (game.Assist().StrategyReady())
        QSKIP("the strategy came from the cache before the first frame");
    game.Frame();
    QCOMPARE(game.Window->StatusBar()->PanelText(TGameAssist::StatusPanel), QStringLiteral("Computer rechnet …"));
    QCOMPARE(game.Engine().ThrowsUsed(), 0);
    QVERIFY(game.WaitForStrategy());
    game.FramesUntil([&game] { return game.Engine().ThrowsUsed() > 0; });
    QCOMPARE(game.Engine().ThrowsUsed(), 1);
}

void TestComputerPlayers::coachHintMarksWhatTheAdviceSays_data()
{
    QTest::addColumn<TAdvice>("advice");
    QTest::addColumn<bool>("diceLying");
    QTest::addColumn<QString>("keep");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    const std::array<bool, 5> twoSixes{true, false, false, true, false};
    TAdvice keep{{ThrowChoice(twoSixes, 241.5), FieldChoice(0, 6, 12, 239.0)}, false};
    TAdvice field{{FieldChoice(0, 16, 40, 250.0), ThrowChoice(twoSixes, 244.0)}, false};
    TAdvice start{{ThrowChoice({}, 240.0), FieldChoice(0, 17, 0, 200.0)}, false};
    QTest::newRow("between throws: the dice to keep") << keep << true << "x--x-" << -1 << -1;
    QTest::newRow("ending the turn is best: the field") << field << true << "-----" << 0 << 16;
    QTest::newRow("before the first throw: nothing to mark") << start << false << "-----" << -1 << -1;
    QTest::newRow("dice rolling: no advice") << TAdvice{} << false << "-----" << -1 << -1;
}

void TestComputerPlayers::coachHintMarksWhatTheAdviceSays()
{
    QFETCH(TAdvice, advice);
    QFETCH(bool, diceLying);
    QFETCH(QString, keep);
    QFETCH(int, column);
    QFETCH(int, row);
    TTurnSituation situation;
    situation.DiceLying = diceLying;
    const TCoachHint hint = CoachHint(advice, situation);
    QString marked;
    for (bool kept : hint.KeepDice)
        marked += kept ? QLatin1Char('x') : QLatin1Char('-');
    QCOMPARE(marked, keep);
    QCOMPARE(hint.Column, column);
    QCOMPARE(hint.Row, row);
    QVERIFY(!hint.Text.isEmpty());
}

void TestComputerPlayers::coachShowsDiceFieldAndThreeChoicesForThePersonOnTurn()
{
    TComputerGame game;
    TFormQuintorGameMain &window = game.Open({{"Anna", TStrength::Person}, {"Bert", TStrength::Person}});
    auto *button = window.findChild<QPushButton *>(QStringLiteral("ButtonHint"));
    QVERIFY(button);
    QVERIFY(button->isHidden());  // a game of people looks as it always did until someone asks
    QVERIFY(game.WaitForStrategy());
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_T);
    QVERIFY(button->isVisible());
    TCoachPanel &coach = *game.Assist().Coach();
    QCOMPARE(coach.Text().count(QLatin1Char('\n')), 2);  // three choices, one a line
    const TStrategy &strategy = *game.Assist().Strategy();
    TTurnEngine &engine = game.Engine();
    TDrawSurface *surface = window.Surface();
    const auto expected = [&] {
        const TTurnSituation situation = SituationOf(engine);
        return CoachHint(Advise(strategy, situation), situation);
    };
    const auto checkMarks = [&](const TCoachHint &hint) {
        QCOMPARE(window.Playfield()->HintDice(), hint.KeepDice);
        QCOMPARE(coach.FieldMark()->isVisible(), hint.Column >= 0);
        if (hint.Column >= 0) {
            QLabel *field = window.ScoreBoard()->Field(hint.Column, hint.Row);
            QCOMPARE(coach.FieldMark()->geometry(), QRect(field->mapTo(&window, QPoint(0, 0)), field->size()));
        }
        QCOMPARE(coach.Text(), hint.Text);
    };

    // Between throws: the dice of the best keep carry the mark (or the board the best field).
    game.Click(surface, QPoint(20, surface->height() - 10));
    game.FramesUntil([&game] { return game.DiceLie(); });
    button->click();
    game.Frame();
    checkMarks(expected());
    QCOMPARE(engine.ThrowsUsed(), 1);  // the coach never moves
    QCOMPARE(engine.CurrentPlayer(), 0);

    // A die held: the hint belongs to a situation that is gone.
    QVERIFY(engine.ClickDie(0));
    game.Frame();
    QVERIFY(!coach.Shown());
    QCOMPARE(window.Playfield()->HintDice(), (std::array<bool, 5>{}));
    QVERIFY(coach.FieldMark()->isHidden());

    // After the last throw: the best field is marked on the board.
    while (engine.ThrowsLeft() > 0) {
        game.Click(surface, QPoint(20, surface->height() - 10));
        game.FramesUntil([&game] { return game.DiceLie(); });
    }
    QTest::keyClick(&window, Qt::Key_T);
    game.Frame();
    const TCoachHint last = expected();
    QVERIFY(last.Column >= 0);
    checkMarks(last);
    QCOMPARE(coach.Text().count(QLatin1Char('\n')), 2);
}

QTEST_MAIN(TestComputerPlayers)
#include "tst_ComputerPlayers.moc"
