// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/uCompareListItems.h"

#include <QTest>
#include <QTreeWidget>

class TestCompareListItems : public QObject {
    Q_OBJECT
private slots:
    void comparesByMode_data();
    void comparesByMode();
    void missingRowComparesEqual();
    void sortKeepsEqualRowsInOrder();
};

void TestCompareListItems::comparesByMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<bool>("inverted");
    QTest::addColumn<int>("expected");

    const int text = int(TCompareMode::Text);
    const int number = int(TCompareMode::Number);
    const int date = int(TCompareMode::Date);
    QTest::newRow("text in order") << text << "Anna" << "Bert" << false << -1;
    QTest::newRow("text inverted") << text << "Anna" << "Bert" << true << 1;
    // Numbers sort largest first unless the column is inverted.
    QTest::newRow("number 9 before 10 is after") << number << "9" << "10" << false << 1;
    QTest::newRow("number larger first") << number << "250" << "99" << false << -1;
    QTest::newRow("number equal") << number << "7" << "7" << false << 0;
    QTest::newRow("number inverted") << number << "9" << "10" << true << -1;
    QTest::newRow("leading digits count") << number << "12abc" << "5" << false << -1;
    QTest::newRow("no number on either side") << number << "abc" << "xyz" << false << 0;
    QTest::newRow("date earlier first") << date << "1.2.2024" << "15.1.2025" << false << -1;
    QTest::newRow("date later") << date << "15.1.2025" << "1.2.2024" << false << 1;
    QTest::newRow("no date on either side") << date << "gestern" << "heute" << false << 0;
}

void TestCompareListItems::comparesByMode()
{
    QFETCH(int, mode);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(bool, inverted);
    QFETCH(int, expected);

    QTreeWidgetItem a({QStringLiteral("x"), first});
    QTreeWidgetItem b({QStringLiteral("x"), second});
    TListSortState state;
    state.Mode = static_cast<TCompareMode>(mode);
    state.Inverted[1] = inverted;
    QCOMPARE(CompareListItems(&a, &b, 0, state), expected);
}

void TestCompareListItems::missingRowComparesEqual()
{
    QTreeWidgetItem row({QStringLiteral("Anna")});
    QCOMPARE(CompareListItems(&row, nullptr, -1, TListSortState{}), 0);
    // A row without the sub-column compares as empty text.
    QTreeWidgetItem withColumn({QStringLiteral("Bert"), QStringLiteral("a")});
    QVERIFY(CompareListItems(&row, &withColumn, 0, TListSortState{}) < 0);
}

void TestCompareListItems::sortKeepsEqualRowsInOrder()
{
    QTreeWidget list;
    list.setColumnCount(2);
    for (const char *name : {"b1", "a", "b2"})
        list.addTopLevelItem(new QTreeWidgetItem({QLatin1String(name).left(1), QLatin1String(name)}));
    SortListItems(&list, -1, TListSortState{});
    QCOMPARE(list.topLevelItem(0)->text(1), QStringLiteral("a"));
    QCOMPARE(list.topLevelItem(1)->text(1), QStringLiteral("b1"));
    QCOMPARE(list.topLevelItem(2)->text(1), QStringLiteral("b2"));
}

QTEST_MAIN(TestCompareListItems)
#include "tst_comparelistitems.moc"
