#include "classicscoring.h"
#include "strategyfixture.h"
#include "support/throwof.h"

#include "strategy/uTAdvisor.h"
#include "strategy/uTComputerPlayer.h"
#include "strategy/uTRulesScoring.h"
#include "strategy/uTStrategy.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <memory>

namespace {
TTavolexSettings rulesWith(int throws, const QString &ext = TTavolexSettings::DefaultExtOptions)
{
    return StrategyFixture::rulesWith(1, false, throws, ext);
}

constexpr unsigned AllFields = (1u << Strategy::Fields) - 1;

unsigned onlyOpen(int row)
{
    return AllFields & ~(1u << Strategy::FieldOfRow(row));
}

TFaces facesOf(const QString &pips)
{
    const auto f = throwOf(pips);
    return {f[0], f[1], f[2], f[3], f[4]};
}

TFaceCounts keptOf(const QString &pips)
{
    TFaceCounts counts{};
    for (const QString &pip : pips.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        ++counts[static_cast<std::size_t>(pip.toInt() - 1)];
    return counts;
}

// P(X >= k) for X ~ Bin(n, p).
double atLeast(int k, int n, double p)
{
    double sum = 0;
    for (int i = k; i <= n; ++i) {
        double ways = 1;
        for (int j = 0; j < i; ++j)
            ways = ways * (n - j) / (j + 1);
        sum += ways * std::pow(p, i) * std::pow(1 - p, n - i);
    }
    return sum;
}
}  // namespace

class TestStrategy : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void classicRulesReproduceThePublishedOptimum_data();
    void classicRulesReproduceThePublishedOptimum();
    void lastFieldValuesFollowFromTheRules_data();
    void lastFieldValuesFollowFromTheRules();
    void keepsAreRankedBestFirst_data();
    void keepsAreRankedBestFirst();
    void fieldsAreRankedByExpectedFinalScore();
    void negativeFieldIsStruckBeforeThrowing();
    void expectationMatchesTheMeanOfSimulatedOptimalGames();
    void cachedTableIsRefusedWhenDamaged_data();
    void cachedTableIsRefusedWhenDamaged();
    void obtainingSolvesOnceAndThenLoadsTheCache();
    void cancelledSolveLeavesTheStrategyUnsolved();

private:
    std::unique_ptr<TStrategy> m_Classic;
    std::unique_ptr<TStrategy> m_ClassicExtras;
    std::unique_ptr<TStrategy> m_Default;
};

void TestStrategy::initTestCase()
{
    // Each rule set is solved once for the whole program: solving is what costs.
    m_Classic = std::make_unique<TStrategy>(TClassicScoring(false));
    m_ClassicExtras = std::make_unique<TStrategy>(TClassicScoring(true));
    m_Default = std::make_unique<TStrategy>(TRulesScoring(rulesWith(3)));
    const TSolveControl allCores{0, {}, nullptr};
    QVERIFY(m_Classic->Solve(allCores));
    QVERIFY(m_ClassicExtras->Solve(allCores));
    QVERIFY(m_Default->Solve(allCores));
}

void TestStrategy::classicRulesReproduceThePublishedOptimum_data()
{
    QTest::addColumn<bool>("extras");
    QTest::addColumn<double>("published");
    QTest::newRow("plain") << false << 245.8708;
    QTest::newRow("further five of a kind and joker") << true << 254.5896;
}

void TestStrategy::classicRulesReproduceThePublishedOptimum()
{
    QFETCH(bool, extras);
    QFETCH(double, published);
    const double optimum = (extras ? *m_ClassicExtras : *m_Classic).Optimum();
    QVERIFY2(std::abs(optimum - published) < 0.00005, qPrintable(QString::number(optimum, 'f', 6)));
}

// Sheets with one field left, whose value a few lines of probability give.
void TestStrategy::lastFieldValuesFollowFromTheRules_data()
{
    QTest::addColumn<int>("openRow");
    QTest::addColumn<int>("upperPoints");
    QTest::addColumn<bool>("quintorScored");
    QTest::addColumn<double>("expected");
    // Best of three throws of a die is 14/3 when a die below 5 is thrown again, then below 4.
    QTest::newRow("chance") << int(Row::Chance) << 0 << false << 5 * 14.0 / 3;
    // Each die shows a six within three throws with 91/216; three of them win the bonus.
    const double p = 91.0 / 216;
    QTest::newRow("sixes for the bonus") << int(Row::Sixes) << 45 << false << 5 * 6 * p + 35 * atLeast(3, 5, p);
    QTest::newRow("sixes with the bonus won") << int(Row::Sixes) << 63 << false << 5 * 6 * p + 35;
    // With row 17 holding 50 a five of a kind scores 100 in chance; it is kept as it comes.
    QTest::newRow("chance after a scored Quintor") << int(Row::Chance) << 0 << true << -1.0;
}

void TestStrategy::lastFieldValuesFollowFromTheRules()
{
    QFETCH(int, openRow);
    QFETCH(int, upperPoints);
    QFETCH(bool, quintorScored);
    QFETCH(double, expected);
    TSheetState sheet{onlyOpen(openRow), quintorScored, upperPoints, 0};
    if (expected < 0) {
        // Against the plain chance the further five of a kind only adds.
        TSheetState plain = sheet;
        plain.Flag = false;
        QVERIFY(m_Default->FutureValue(sheet) > m_Default->FutureValue(plain) + 0.5);
        return;
    }
    QVERIFY2(std::abs(m_Default->FutureValue(sheet) - expected) < 1e-4,
             qPrintable(QString::number(m_Default->FutureValue(sheet), 'f', 6)));
}

void TestStrategy::keepsAreRankedBestFirst_data()
{
    QTest::addColumn<int>("openRow");
    QTest::addColumn<QString>("pips");
    QTest::addColumn<int>("throwsLeft");
    QTest::addColumn<QString>("bestKeep");
    QTest::newRow("chance, two throws: keep fives and sixes") << int(Row::Chance) << "6 5 4 2 1" << 2 << "5 6";
    QTest::newRow("chance, one throw: keep from four up") << int(Row::Chance) << "6 5 4 2 1" << 1 << "4 5 6";
    QTest::newRow("Quintor: keep the triple") << int(Row::Quintor) << "3 3 3 1 2" << 2 << "3 3 3";
    QTest::newRow("large straight: keep the run") << int(Row::LargeStraight) << "2 3 4 5 5" << 1 << "2 3 4 5";
}

void TestStrategy::keepsAreRankedBestFirst()
{
    QFETCH(int, openRow);
    QFETCH(QString, pips);
    QFETCH(int, throwsLeft);
    QFETCH(QString, bestKeep);
    const TSheetState sheet{onlyOpen(openRow), false, 0, 100};
    const auto keeps = m_Default->RankKeeps(m_Default->FinalValues(sheet), facesOf(pips), throwsLeft);
    QVERIFY(keeps.size() > 1);
    QCOMPARE(keeps.front().Kept, keptOf(bestKeep));
    for (std::size_t i = 1; i < keeps.size(); ++i)
        QVERIFY(keeps[i - 1].Expected >= keeps[i].Expected);
}

void TestStrategy::fieldsAreRankedByExpectedFinalScore()
{
    // Early in a game a full house goes into its own field, not into chance.
    const auto fields = m_Default->RankFields(TSheetState{}, facesOf("2 2 2 5 5"));
    QCOMPARE(fields.front().Row, int(Row::FullHouse));
    QCOMPARE(fields.front().Points, 25);
    QCOMPARE(int(fields.size()), Strategy::Fields);
    // The expected final score of an entry includes what the sheet holds.
    const TSheetState holding{onlyOpen(Row::Chance), false, 0, 200};
    const auto last = m_Default->RankFields(holding, facesOf("6 6 6 6 5"));
    QCOMPARE(last.size(), std::size_t(1));
    QCOMPARE(last.front().Expected, 229.0);
}

void TestStrategy::negativeFieldIsStruckBeforeThrowing()
{
    // A full house costing 50 points: better strike it (0) than risk throwing one.
    TStrategy strategy(TRulesScoring(rulesWith(1, QStringLiteral("14|-50,"))));
    QVERIFY(strategy.Solve({0, {}, nullptr}));
    const TSheetState sheet{onlyOpen(Row::FullHouse), false, 0, 0};
    QCOMPARE(strategy.FutureValue(sheet), 0.0);
    const double throwing = strategy.ExpectedThrow(strategy.FinalValues(sheet), 1);
    QVERIFY(throwing < 0);
    QCOMPARE(strategy.RankStrikes(sheet).front().Row, int(Row::FullHouse));

    TTurnSituation s;
    s.Columns.push_back({0, sheet, {}, 0});
    s.ThrowsLeft = 1;
    s.CanChoose = true;
    const TAdvice advice = Advise(strategy, s);
    QCOMPARE(advice.Choices.front().What, TTurnChoice::Kind::Field);
    QVERIFY(advice.Choices.front().Strike);
    QCOMPARE(ChoiceText(advice.Choices.front(), false), QStringLiteral("Full house streichen"));
}

void TestStrategy::expectationMatchesTheMeanOfSimulatedOptimalGames()
{
    const TSimulationResult r = SimulateGames(*m_Default, TStrength::Pro, 4000, 20261210);
    QCOMPARE(r.Games, 4000);
    QVERIFY(r.StandardError > 0.3 && r.StandardError < 2);
    QVERIFY2(std::abs(r.Mean - m_Default->Optimum()) <= 3 * r.StandardError,
             qPrintable(QStringLiteral("%1 ± %2 against %3").arg(r.Mean).arg(r.StandardError).arg(m_Default->Optimum())));
}

void TestStrategy::cachedTableIsRefusedWhenDamaged_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("intact") << "";
    QTest::newRow("a value changed") << "value";
    QTest::newRow("cut short") << "truncate";
    QTest::newRow("another rule set") << "rules";
    QTest::newRow("not a table") << "text";
}

void TestStrategy::cachedTableIsRefusedWhenDamaged()
{
    QFETCH(QString, damage);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("table.bin"));
    QVERIFY(m_Default->SaveFile(file));
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QByteArray bytes = f.readAll();
    if (damage == QLatin1String("value"))
        bytes[bytes.size() / 2] = static_cast<char>(bytes[bytes.size() / 2] ^ 0x10);
    else if (damage == QLatin1String("truncate"))
        bytes.chop(100);
    else if (damage == QLatin1String("text"))
        bytes = "Quintor";
    f.resize(0);
    f.seek(0);
    f.write(bytes);
    f.close();

    TStrategy loaded(TRulesScoring(damage == QLatin1String("rules") ? rulesWith(2) : rulesWith(3)));
    const bool ok = loaded.LoadFile(file);
    QCOMPARE(ok, damage.isEmpty());
    QCOMPARE(loaded.IsSolved(), ok);
    if (ok)
        QCOMPARE(loaded.Optimum(), m_Default->Optimum());
}

void TestStrategy::obtainingSolvesOnceAndThenLoadsTheCache()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("cache"));
    // One throw per turn keeps the solve cheap.
    const TTavolexSettings rules = rulesWith(1);
    int lastDone = -1, total = 0;
    TSolveControl control;
    control.Progress = [&](int done, int all) {
        QVERIFY(done > lastDone);
        lastDone = done;
        total = all;
    };
    bool fromCache = true;
    const auto solved = ObtainStrategy(rules, folder, control, &fromCache);
    QVERIFY(solved && solved->IsSolved());
    QVERIFY(!fromCache);
    QCOMPARE(lastDone, total);

    const auto again = ObtainStrategy(rules, folder, {}, &fromCache);
    QVERIFY(fromCache);
    QCOMPARE(again->Optimum(), solved->Optimum());

    // A damaged file is solved again and replaced.
    const QString file = StrategyCacheFile(folder, TRulesScoring(rules));
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadWrite));
    f.seek(f.size() - 1);
    f.write("x");
    f.close();
    const auto repaired = ObtainStrategy(rules, folder, {}, &fromCache);
    QVERIFY(!fromCache);
    QCOMPARE(repaired->Optimum(), solved->Optimum());
    TStrategy check{TRulesScoring(rules)};
    QVERIFY(check.LoadFile(file));
}

void TestStrategy::cancelledSolveLeavesTheStrategyUnsolved()
{
    std::atomic<bool> cancel{true};
    TStrategy strategy(TRulesScoring(rulesWith(3)));
    QVERIFY(!strategy.Solve({1, {}, &cancel}));
    QVERIFY(!strategy.IsSolved());
    QTemporaryDir dir;
    QVERIFY(!ObtainStrategy(rulesWith(3), dir.path(), {1, {}, &cancel}));
}

QTEST_GUILESS_MAIN(TestStrategy)
#include "tst_strategy.moc"
