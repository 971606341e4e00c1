#include "play/faketurnhost.h"
#include "strategyfixture.h"
#include "play/uRandom.h"
#include "play/uTTurnEngine.h"

#include "strategy/uTAdvisor.h"
#include "strategy/uTComputerPlayer.h"
#include "strategy/uTRulesScoring.h"
#include "strategy/uTStrategy.h"

#include <QtTest>

#include <memory>

using namespace StrategyFixture;

namespace {
QList<TPlayer> players(int n)
{
    QStringList names;
    for (int i = 0; i < n; ++i)
        names << QStringLiteral("Computer %1").arg(i + 1);
    return playersNamed(names);
}
}  // namespace

class TestComputerPlayer : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { RandSeed(77); }
    void computersPlayWholeGamesThroughTheEngine_data();
    void computersPlayWholeGamesThroughTheEngine();
    void eachStepIsOneVisibleAction();
    void strengthsHaveSeparatedAverages();
    void severalColumnsAreAdvisedAsApproximate();
    void adviceTakesTheColumnsOwnMoveValues();
    void storedStrengthValues_data();
    void storedStrengthValues();

private:
    std::unique_ptr<TStrategy> m_Default;
};

void TestComputerPlayer::initTestCase()
{
    m_Default = std::make_unique<TStrategy>(TRulesScoring(rulesWith(1, false)));
    QVERIFY(m_Default->Solve({0, {}, nullptr}));
}

void TestComputerPlayer::computersPlayWholeGamesThroughTheEngine_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<bool>("allowRedo");
    QTest::newRow("one column each") << 1 << false;
    QTest::newRow("take-back allowed: never confirmed") << 1 << true;
    QTest::newRow("two columns each") << 2 << false;
}

void TestComputerPlayer::computersPlayWholeGamesThroughTheEngine()
{
    QFETCH(int, columns);
    QFETCH(bool, allowRedo);
    FakeTurnHost host;
    TTurnEngine engine(host, rulesWith(columns, allowRedo), players(3), W, H);
    engine.StartGame();
    TSeededRandom random(5);
    const TStrength strengths[] = {TStrength::Beginner, TStrength::Advanced, TStrength::Pro};
    std::vector<std::unique_ptr<TComputerTurn>> computers;
    for (TStrength s : strengths)
        computers.push_back(std::make_unique<TComputerTurn>(*m_Default, s, random));

    int steps = 0;
    while (!engine.GameOver() && steps < 100000) {
        computers[static_cast<std::size_t>(engine.CurrentPlayer())]->Step(engine, W, H);
        ++steps;
    }
    QVERIFY(engine.GameOver());
    QCOMPARE(host.Ceremonies, 1);
    QVERIFY2(host.Questions.isEmpty(), "a computer's entries ask nothing");
    QVERIFY(host.GiveUpQuestions.isEmpty());
    QCOMPARE(engine.MovesLeft(), 0);
    QVERIFY(host.CupThrows >= 3 * 13 * columns);
    for (const TPlayer &p : engine.Players())
        QVERIFY2(p.Points() > 0, qPrintable(p.Name()));
}

void TestComputerPlayer::eachStepIsOneVisibleAction()
{
    FakeTurnHost host;
    TTurnEngine engine(host, rulesWith(1, false), players(1), W, H);
    engine.StartGame();
    TSeededRandom random(9);
    TComputerTurn computer(*m_Default, TStrength::Pro, random);

    // The first action of a turn is the cup.
    QCOMPARE(computer.Next(engine).What, TComputerAction::Kind::Throw);
    QCOMPARE(computer.Step(engine, W, H).What, TComputerAction::Kind::Throw);
    QCOMPARE(host.CupThrows, 1);
    QCOMPARE(engine.Phase(), TurnPhase::Rolling);
    // While the dice roll the window waits for them.
    QCOMPARE(computer.Next(engine).What, TComputerAction::Kind::Wait);

    int clicks = 0;
    for (int step = 0; step < 40 && engine.Round() == 0; ++step) {
        const int before = host.DieClicks.size();
        const TComputerAction a = computer.Step(engine, W, H);
        const int clicked = host.DieClicks.size() - before;
        if (a.What == TComputerAction::Kind::Hold || a.What == TComputerAction::Kind::Release) {
            QCOMPARE(clicked, 1);
            QCOMPARE(host.DieClicks.last(), a.Die);
            ++clicks;
        } else {
            QCOMPARE(clicked, 0);
        }
    }
    QCOMPARE(engine.Round(), 1);  // the turn ended with a field chosen
    QVERIFY(host.DieClicks.size() == clicks);
}

void TestComputerPlayer::strengthsHaveSeparatedAverages()
{
    // Fewer games than the benchmark's 100,000: the bounds here are wider.
    const TSimulationResult pro = SimulateGames(*m_Default, TStrength::Pro, 3000, 1);
    const TSimulationResult advanced = SimulateGames(*m_Default, TStrength::Advanced, 3000, 2);
    const TSimulationResult beginner = SimulateGames(*m_Default, TStrength::Beginner, 3000, 3);
    QVERIFY2(std::abs(pro.Mean - m_Default->Optimum()) <= 3 * pro.StandardError, qPrintable(QString::number(pro.Mean)));
    QVERIFY2(advanced.Mean >= 215 && advanced.Mean <= 240, qPrintable(QString::number(advanced.Mean)));
    QVERIFY2(beginner.Mean >= 165 && beginner.Mean <= 200, qPrintable(QString::number(beginner.Mean)));
    QVERIFY(pro.Mean - advanced.Mean > 6 * advanced.StandardError);
    QVERIFY(advanced.Mean - beginner.Mean > 6 * beginner.StandardError);
}

void TestComputerPlayer::severalColumnsAreAdvisedAsApproximate()
{
    FakeTurnHost host;
    TTurnEngine engine(host, rulesWith(3, false), players(1), W, H);
    engine.StartGame();
    TAdvice advice = Advise(*m_Default, engine);
    QVERIFY(advice.Approximate);
    QCOMPARE(advice.Choices.front().What, TTurnChoice::Kind::Throw);
    QVERIFY(AdviceText(advice).contains(QStringLiteral("Geschätzt")));

    (void)engine.ClickCup(W, H);
    rollToRest(engine);
    advice = Advise(*m_Default, engine);
    // Every column offers its fields: 3 x 13 fields beside the keeps.
    int fields = 0;
    for (const TTurnChoice &c : advice.Choices)
        fields += c.What == TTurnChoice::Kind::Field ? 1 : 0;
    QCOMPARE(fields, 3 * Strategy::Fields);
    QVERIFY(ChoiceText(advice.Choices.back(), true).contains(QStringLiteral("(Spalte ")));
}

// A strike taken back leaves its mark, and such a row gets no further five of
// a kind; the advice must price it as the board does, not as a fresh sheet.
void TestComputerPlayer::adviceTakesTheColumnsOwnMoveValues()
{
    FakeTurnHost host;
    TTurnEngine engine(host, rulesWith(1, false), players(1), W, H);
    engine.StartGame();
    TTavolex &column = engine.PlayerColumn(0, 0);
    column.Enter(Row::Quintor, 50);
    column.Rows(Row::FourOfAKind).Struck = true;
    (void)engine.ClickCup(W, H);
    while (engine.StepDice(W, H)) {
    }
    engine.ThrowSettled();
    for (TDice &die : engine.Dice())
        die.SetFace(5);
    engine.EvaluateIfPending();

    const TAdvice advice = Advise(*m_Default, engine);
    const auto fieldOf = [&advice](int row) {
        return *std::find_if(advice.Choices.begin(), advice.Choices.end(), [row](const TTurnChoice &c) {
            return c.What == TTurnChoice::Kind::Field && c.Row == row;
        });
    };
    QCOMPARE(fieldOf(Row::ThreeOfAKind).Points, 100);
    QVERIFY(!fieldOf(Row::ThreeOfAKind).Strike);
    QCOMPARE(fieldOf(Row::FourOfAKind).Points, 30);  // its own sum, not the 100
    QVERIFY(!fieldOf(Row::FourOfAKind).Strike);
    QCOMPARE(fieldOf(Row::Sixes).Points, 30);
}

void TestComputerPlayer::storedStrengthValues_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("name");
    QTest::newRow("person") << 0 << "";
    QTest::newRow("Anfänger") << 1 << "Anfänger";
    QTest::newRow("Fortgeschritten") << 2 << "Fortgeschritten";
    QTest::newRow("Profi") << 3 << "Profi";
    QTest::newRow("hand-edited 9 is a person") << 9 << "";
    QTest::newRow("hand-edited -1 is a person") << -1 << "";
}

void TestComputerPlayer::storedStrengthValues()
{
    QFETCH(int, stored);
    QFETCH(QString, name);
    QCOMPARE(StrengthName(StrengthOf(stored)), name);
}

QTEST_GUILESS_MAIN(TestComputerPlayer)
#include "tst_computerplayer.moc"
