// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/uFormQuintorStatistics.h"
#include "mainwindow/uDesign.h"
#include "mainwindow/uFormCaption.h"

#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineSeries>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace {

const QByteArray Sheet = "0|3|6|9|12|15|18|0|63|35|98|0|20|0|25|30|40|0|22|0|137|98|0|235|0|";

// Anna and "Meier, Hans" share game 1, Anna wins game 2 against Bert, and
// plays game 3 alone with the other rules.
const QByteArray Stats =
    "[1]\r\nDiceCount=3\r\nGameCount=1\r\nGameDate=200703141952\r\nScores=\r\nGameReport=Spiel_1.html\r\n"
    "Player0=\"Anna\",\"Player1.qtp\",\"235\",\"" + Sheet + "\"\r\n"
    "Player1=\"Meier, Hans\",\"Player2.qtp\",\"235\",\"" + Sheet + "\"\r\nPlayer2=NIL\r\nPlayer3=NIL\r\n"
    "[2]\r\nDiceCount=3\r\nGameCount=1\r\nGameDate=200703152000\r\nScores=\r\nGameReport=Spiel_2.html\r\n"
    "Player0=\"Bert\",\"Player3.qtp\",\"120\",\"" + Sheet + "\"\r\n"
    "Player1=\"Anna\",\"Player1.qtp\",\"240\",\"" + Sheet + "\"\r\nPlayer2=NIL\r\nPlayer3=NIL\r\n"
    "[3]\r\nDiceCount=2\r\nGameCount=4\r\nGameDate=200703162000\r\nScores=\r\nGameReport=Spiel_3.html\r\n"
    "Player0=\"Anna\",\"Player1.qtp\",\"900\",\"" + Sheet + "\"\r\nPlayer1=NIL\r\nPlayer2=NIL\r\nPlayer3=NIL\r\n";

QString Value(QTreeWidget *list, const QString &caption)
{
    const QList<QTreeWidgetItem *> rows = list->findItems(caption, Qt::MatchExactly, 0);
    return rows.isEmpty() ? QStringLiteral("(keine Zeile)") : rows.constFirst()->text(1);
}

QStringList Rows(QTreeWidget *list)
{
    QStringList rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QStringList cells;
        for (int c = 0; c < list->columnCount(); ++c)
            cells << list->topLevelItem(i)->text(c);
        rows << cells.join('|');
    }
    return rows;
}

template <typename T>
T *Find(QWidget &window, const char *name)
{
    return window.findChild<T *>(QLatin1String(name));
}

// Pages are filled when first shown.
QChart *ChartOn(QWidget &view, int page, const char *name)
{
    Find<QTabWidget>(view, "PageControlStatistics")->setCurrentIndex(page);
    return Find<QChartView>(view, name)->chart();
}

QTreeWidget *HeadToHeadOf(QWidget &view)
{
    Find<QTabWidget>(view, "PageControlStatistics")->setCurrentIndex(3);
    return Find<QTreeWidget>(view, "ListViewHeadToHead");
}

}  // namespace

class TestStatisticsView : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void playerWithoutGamesSeesASentenceNotZeros_data();
    void playerWithoutGamesSeesASentenceNotZeros();
    void onePlayerShowsFiguresChartsAndOpponents();
    void missingChartsModuleIsNamedOnThePage();
    void gameTypeOfTheEditDialogCarriesOver();
    void allPlayersCompareEveryPair();
    void chartsTakeTheColoursOfTheDesign_data();
    void chartsTakeTheColoursOfTheDesign();

private:
    QTemporaryDir m_Dir;
    QString m_Folder;
    void WriteStats();
};

void TestStatisticsView::init()
{
    m_Folder = m_Dir.path() + '/' + QString::fromLatin1(QTest::currentTestFunction()) + '-'
               + QString::fromUtf8(QTest::currentDataTag()).replace(' ', '_').replace(',', '_') + '/';
    QDir().mkpath(m_Folder);
    ApplyProgramDesign(0);
}

void TestStatisticsView::cleanup()
{
    ApplyProgramDesign(0);
}

void TestStatisticsView::WriteStats()
{
    QFile file(m_Folder + "Stats.ini");
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(Stats);
}

void TestStatisticsView::playerWithoutGamesSeesASentenceNotZeros_data()
{
    QTest::addColumn<bool>("withStats");
    QTest::addColumn<QString>("profile");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("sentence");
    QTest::newRow("no Stats.ini") << false << "Player1.qtp" << QString()
                                  << "Für diesen Spieler ist noch kein Spiel aufgezeichnet.";
    QTest::newRow("others have games") << true << "Player9.qtp" << QString()
                                       << "Für diesen Spieler ist noch kein Spiel aufgezeichnet.";
    QTest::newRow("nobody at all") << false << "" << QString() << "Es ist noch kein Spiel aufgezeichnet.";
}

void TestStatisticsView::playerWithoutGamesSeesASentenceNotZeros()
{
    QFETCH(bool, withStats);
    QFETCH(QString, profile);
    QFETCH(QString, type);
    QFETCH(QString, sentence);
    if (withStats)
        WriteStats();
    TFormQuintorStatistics view(m_Folder, profile, "Neu", type);
    auto *pages = Find<QStackedWidget>(view, "PanelPages");
    auto *label = Find<QLabel>(view, "LabelNoGames");
    QCOMPARE(pages->currentWidget(), label);
    QCOMPARE(label->text(), sentence);
}

// ctest runs this case alone once more with the module named missing: the
// figures still show, each chart page says what is missing.
void TestStatisticsView::missingChartsModuleIsNamedOnThePage()
{
    const QString module = qEnvironmentVariable("QUINTOR_CHARTS_MODULE");
    if (QFile::exists(module))
        QSKIP("the charts module is there; its run without it checks this");
    WriteStats();
    TFormQuintorStatistics view(m_Folder, "Player1.qtp", "Anna", QString());
    QCOMPARE(Value(Find<QTreeWidget>(view, "ListViewFigures"), "Spiele"), QStringLiteral("3"));
    auto *pages = Find<QTabWidget>(view, "PageControlStatistics");
    for (const int page : {1, 2, 1}) {
        pages->setCurrentIndex(page);
        const QList<QLabel *> missing =
            pages->widget(page)->findChildren<QLabel *>(QStringLiteral("LabelChartsMissing"));
        QCOMPARE(missing.size(), 1);
        QVERIFY(missing.first()->text().startsWith(QStringLiteral("Die Diagramme können nicht gezeigt werden")));
        QVERIFY(missing.first()->text().contains(module));
    }
    QVERIFY(!view.findChild<QWidget *>(QStringLiteral("ChartViewPoints")));
}

void TestStatisticsView::onePlayerShowsFiguresChartsAndOpponents()
{
    WriteStats();
    TFormQuintorStatistics view(m_Folder, "Player1.qtp", "Anna", QString());
    QCOMPARE(FormHelpContext(&view), 30400);
    auto *figures = Find<QTreeWidget>(view, "ListViewFigures");
    QCOMPARE(Value(figures, "Spiele"), QStringLiteral("3"));
    QCOMPARE(Value(figures, "Gewonnen"), QStringLiteral("2"));
    QCOMPARE(Value(figures, "Siegquote"), QStringLiteral("100,0 %"));
    QCOMPARE(Value(figures, "Durchschnitt"), QStringLiteral("458,3 Punkte"));
    QCOMPARE(Value(figures, "Bestes Spiel"), QStringLiteral("900 Punkte am 16.03.2007 (Spiel 3)"));
    QCOMPARE(Value(figures, "Längste Siegesserie"), QStringLiteral("2 Spiele"));
    auto *fields = Find<QTreeWidget>(view, "ListViewFields");
    QCOMPARE(fields->topLevelItemCount(), 13);
    QCOMPARE(Rows(fields).at(11), QStringLiteral("Quintor|0,0|100,0 %"));

    QVERIFY(!Find<QChartView>(view, "ChartViewPoints"));
    const QList<QAbstractSeries *> lines = ChartOn(view, 1, "ChartViewPoints")->series();
    QCOMPARE(lines.size(), 2);
    QCOMPARE(static_cast<QLineSeries *>(lines[0])->points(),
             (QList<QPointF>{{1, 235}, {2, 240}, {3, 900}}));
    QCOMPARE(static_cast<QLineSeries *>(lines[1])->at(2).y(), (235 + 240 + 900) / 3.0);
    const QList<QAbstractSeries *> bars = ChartOn(view, 2, "ChartViewHistogram")->series();
    QCOMPARE(bars.size(), 1);
    QBarSet *set = static_cast<QBarSeries *>(bars[0])->barSets().constFirst();
    int games = 0;
    for (int i = 0; i < set->count(); ++i)
        games += static_cast<int>(set->at(i));
    QCOMPARE(games, 3);

    QCOMPARE(Rows(HeadToHeadOf(view)),
             (QStringList{"Anna|Meier, Hans|1|1|1", "Anna|Bert|1|1|0"}));
}

void TestStatisticsView::gameTypeOfTheEditDialogCarriesOver()
{
    WriteStats();
    TFormQuintorStatistics view(m_Folder, "Player1.qtp", "Anna", "2 Würfe, 4 Spalten");
    auto *types = Find<QComboBox>(view, "ComboBoxGameType");
    QCOMPARE(types->currentText(), QStringLiteral("2 Würfe, 4 Spalten"));
    auto *figures = Find<QTreeWidget>(view, "ListViewFigures");
    QCOMPARE(Value(figures, "Spiele"), QStringLiteral("1"));
    QCOMPARE(Value(figures, "Siegquote"), QStringLiteral("–"));
    QCOMPARE(HeadToHeadOf(view)->topLevelItemCount(), 0);
    QVERIFY(!Find<QLabel>(view, "LabelHeadToHeadNone")->isHidden());
    Find<QTabWidget>(view, "PageControlStatistics")->setCurrentIndex(0);
    types->setCurrentIndex(0);
    view.ComboBoxGameTypeSelect(0);
    QCOMPARE(Value(figures, "Spiele"), QStringLiteral("3"));
}

void TestStatisticsView::allPlayersCompareEveryPair()
{
    WriteStats();
    TFormQuintorStatistics view(m_Folder, QString(), QString(), QString());
    QCOMPARE(FormHelpContext(&view), 30500);
    auto *players = Find<QComboBox>(view, "ComboBoxPlayer");
    QCOMPARE(players->count(), 3);
    QCOMPARE(players->itemText(1), QStringLiteral("Meier, Hans"));
    QCOMPARE(Rows(HeadToHeadOf(view)),
             (QStringList{"Anna|Meier, Hans|1|1|1", "Anna|Bert|1|1|0"}));
    players->setCurrentIndex(2);
    view.ComboBoxPlayerSelect(2);
    Find<QTabWidget>(view, "PageControlStatistics")->setCurrentIndex(0);
    auto *figures = Find<QTreeWidget>(view, "ListViewFigures");
    QCOMPARE(Value(figures, "Spiele"), QStringLiteral("1"));
    QCOMPARE(Value(figures, "Gewonnen"), QStringLiteral("0"));
    QCOMPARE(Value(figures, "Siegquote"), QStringLiteral("0,0 %"));
    // Bert never played four columns.
    auto *types = Find<QComboBox>(view, "ComboBoxGameType");
    types->setCurrentIndex(types->findText("2 Würfe, 4 Spalten"));
    view.ComboBoxGameTypeSelect(types->currentIndex());
    QCOMPARE(Find<QLabel>(view, "LabelNoGames")->text(),
             QStringLiteral("Für diesen Spieler ist kein Spiel der Spielart 2 Würfe, 4 Spalten aufgezeichnet."));
    QCOMPARE(Find<QStackedWidget>(view, "PanelPages")->currentWidget(), Find<QLabel>(view, "LabelNoGames"));
}

void TestStatisticsView::chartsTakeTheColoursOfTheDesign_data()
{
    QTest::addColumn<int>("design");
    for (int design = 0; design < DesignNames().size(); ++design)
        QTest::newRow(qPrintable(DesignNames()[design])) << design;
}

void TestStatisticsView::chartsTakeTheColoursOfTheDesign()
{
    QFETCH(int, design);
    WriteStats();
    ApplyProgramDesign(design);
    const TDesignColors colors = CurrentDesignColors();
    TFormQuintorStatistics view(m_Folder, "Player1.qtp", "Anna", QString());
    for (const auto &[page, name] : {std::pair{1, "ChartViewPoints"}, std::pair{2, "ChartViewHistogram"}}) {
        QChart *chart = ChartOn(view, page, name);
        QCOMPARE(chart->backgroundBrush().color(), colors.Panel);
        QCOMPARE(chart->titleBrush().color(), colors.Text);
        for (QAbstractAxis *axis : chart->axes())
            QCOMPARE(axis->labelsBrush().color(), colors.Text);
    }
    // Text on the plot area must stay readable: the moving average is drawn in the text colour.
    QCOMPARE(static_cast<QLineSeries *>(Find<QChartView>(view, "ChartViewPoints")->chart()->series()[1])->pen().color(),
             colors.Text);
}

QTEST_MAIN(TestStatisticsView)
#include "tst_statisticsview.moc"
