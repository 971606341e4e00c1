#include "play/faketurnhost.h"
#include "strategyfixture.h"
#include "play/uRandom.h"
#include "play/uTTurnEngine.h"

#include "strategy/uTAdvisor.h"
#include "strategy/uTComputerPlayer.h"
#include "strategy/uTGameAnalysis.h"
#include "strategy/uTRulesScoring.h"
#include "strategy/uTStrategy.h"

#include <QtTest>

#include <memory>

using namespace StrategyFixture;

namespace {
// A person at the board: clicks dice and cup for the given keep, or a field.
void carryOut(TTurnEngine &engine, const TTurnChoice &choice)
{
    if (choice.What == TTurnChoice::Kind::Field) {
        engine.ChooseField(choice.Column, choice.Row);
        return;
    }
    for (int i = 0; i < Strategy::Dice; ++i) {
        const bool held = engine.Dice()[static_cast<std::size_t>(i)].State() == TDice::dsHeld;
        if (held != choice.Hold[static_cast<std::size_t>(i)])
            (void)engine.ClickDie(i);
    }
    QVERIFY(engine.ClickCup(W, H));
    rollToRest(engine);
}
}  // namespace

class TestGameAnalysis : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { RandSeed(4711); }
    void scriptedGameGivesAwayOnlyItsOneSlip();
    void severalColumnsAreMarkedApproximate();

private:
    std::unique_ptr<TStrategy> m_Default;
};

void TestGameAnalysis::initTestCase()
{
    m_Default = std::make_unique<TStrategy>(TRulesScoring(rulesWith(1, false)));
    QVERIFY(m_Default->Solve({0, {}, nullptr}));
}

// Anna plays the best choice throughout, except that in round 2 she enters
// chance straight after her first throw; her first entry of all is taken
// back and chosen again. The computer beside her is not analysed.
void TestGameAnalysis::scriptedGameGivesAwayOnlyItsOneSlip()
{
    FakeTurnHost host;
    host.Answers = {false};
    TTurnEngine engine(host, rulesWith(1, true), playersNamed({QStringLiteral("Anna"), QStringLiteral("Bot")}), W, H);
    TGameAnalysis analysis;
    analysis.SetRecorded(1, false);
    engine.SetObserver(&analysis);
    engine.StartGame();
    TSeededRandom random(3);
    TComputerTurn bot(*m_Default, TStrength::Pro, random);

    int decisions = 0;
    double slipCost = 0;
    QString slipBest;
    bool takenBack = false;
    while (!engine.GameOver()) {
        if (engine.CurrentPlayer() == 1) {
            bot.Step(engine, W, H);
            continue;
        }
        const TAdvice advice = Advise(*m_Default, engine);
        QVERIFY(!advice.Choices.empty());
        TTurnChoice choice = advice.Choices.front();
        const bool slip = engine.Round() == 1 && engine.ThrowsUsed() == 1;
        if (slip) {
            const auto chance = std::find_if(advice.Choices.begin(), advice.Choices.end(),
                                             [](const TTurnChoice &c) { return c.Row == Row::Chance; });
            QVERIFY(chance != advice.Choices.end());
            choice = *chance;
            slipCost = advice.Choices.front().Expected - chance->Expected;
            slipBest = ChoiceText(advice.Choices.front(), false);
        }
        const bool decides = engine.ThrowsUsed() > 0 || choice.What == TTurnChoice::Kind::Field;
        const int openBefore = engine.MovesLeft();
        carryOut(engine, choice);
        if (choice.What == TTurnChoice::Kind::Field && engine.CurrentPlayer() == 0 && engine.MovesLeft() == openBefore
            && !takenBack) {
            takenBack = true;  // declined: the same decision comes again
            continue;
        }
        decisions += decides ? 1 : 0;
    }
    QVERIFY(takenBack);
    QVERIFY(slipCost > 1);

    const QList<TPlayerAnalysis> rows = analysis.Evaluate(*m_Default, {QStringLiteral("Anna"), QStringLiteral("Bot")});
    QCOMPARE(rows.size(), 1);
    const TPlayerAnalysis &anna = rows.front();
    QCOMPARE(anna.Name, QStringLiteral("Anna"));
    QCOMPARE(anna.Decisions, decisions);
    QVERIFY(!anna.Approximate);
    QVERIFY2(std::abs(anna.PointsGivenAway - slipCost) < 0.01,
             qPrintable(QStringLiteral("%1 against %2").arg(anna.PointsGivenAway).arg(slipCost)));
    QVERIFY(anna.Costliest.has_value());
    QCOMPARE(anna.Costliest->Round, 2);
    QVERIFY2(anna.Costliest->Done.startsWith(QStringLiteral("Chance")), qPrintable(anna.Costliest->Done));
    QCOMPARE(anna.Costliest->Best, slipBest);
    QVERIFY(std::abs(anna.Costliest->Cost - slipCost) < 0.01);
}

void TestGameAnalysis::severalColumnsAreMarkedApproximate()
{
    FakeTurnHost host;
    TTurnEngine engine(host, rulesWith(2, false), playersNamed({QStringLiteral("Anna")}), W, H);
    TGameAnalysis analysis;
    engine.SetObserver(&analysis);
    engine.StartGame();
    carryOut(engine, Advise(*m_Default, engine).Choices.front());
    carryOut(engine, Advise(*m_Default, engine).Choices.back());
    const QList<TPlayerAnalysis> rows = analysis.Evaluate(*m_Default, {QStringLiteral("Anna")});
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.front().Decisions, 1);
    QVERIFY(rows.front().Approximate);
    QVERIFY(rows.front().PointsGivenAway > 0);
    QVERIFY(rows.front().Costliest->Best != rows.front().Costliest->Done);
}

QTEST_GUILESS_MAIN(TestGameAnalysis)
#include "tst_gameanalysis.moc"
