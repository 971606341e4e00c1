#include "classicscoring.h"

#include "strategy/uTRulesScoring.h"
#include "strategy/uTStrategy.h"

#include <QtTest>

#include <memory>

class TestStrategy : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void classicRulesReproduceThePublishedOptimum_data();
    void classicRulesReproduceThePublishedOptimum();

private:
    std::unique_ptr<TStrategy> m_Classic;
    std::unique_ptr<TStrategy> m_ClassicExtras;
};

void TestStrategy::initTestCase()
{
    m_Classic = std::make_unique<TStrategy>(TClassicScoring(false));
    m_ClassicExtras = std::make_unique<TStrategy>(TClassicScoring(true));
    QVERIFY(m_Classic->Solve());
    QVERIFY(m_ClassicExtras->Solve());
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
    const TStrategy &strategy = extras ? *m_ClassicExtras : *m_Classic;
    qInfo("%.6f", strategy.Optimum());
    QVERIFY2(std::abs(strategy.Optimum() - published) < 0.00005, qPrintable(QString::number(strategy.Optimum(), 'f', 6)));
}

QTEST_GUILESS_MAIN(TestStrategy)
#include "tst_strategy.moc"
