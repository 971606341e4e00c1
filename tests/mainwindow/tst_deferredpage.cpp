// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/uDeferredPage.h"

#include <QApplication>
#include <QLabel>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>

namespace {

// A tab widget with a plain first page and a deferred second page whose
// content asks for far more room than the first.
struct TTwoPages {
    QTabWidget Tabs;
    QLabel *Content = new QLabel(QStringLiteral("Erweiterte Einstellungen"));
    TDeferredPage *Page = nullptr;

    TTwoPages()
    {
        Content->setObjectName(QStringLiteral("Content"));
        Content->setMinimumSize(900, 700);
        Tabs.addTab(new QLabel(QStringLiteral("Spieler")), QStringLiteral("Spieler"));
        Page = new TDeferredPage(Content);
        Tabs.addTab(Page, QStringLiteral("Einstellungen"));
        Tabs.resize(400, 300);
    }
};

}  // namespace

class TestDeferredPage : public QObject {
    Q_OBJECT

private slots:
    // Until shown, the content is found and changed as any control, but the
    // first layout does not ask it for its size.
    void contentStaysOutOfTheFirstLayout()
    {
        TTwoPages pages;
        pages.Tabs.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pages.Tabs));
        QCOMPARE(pages.Tabs.findChild<QLabel *>(QStringLiteral("Content")), pages.Content);
        QVERIFY(!pages.Page->ContentLaidOut());
        QVERIFY(pages.Content->isHidden());
        QVERIFY(pages.Tabs.minimumSizeHint().width() < 900);
        pages.Content->setText(QStringLiteral("Würfe pro Runde"));
        QCOMPARE(pages.Content->text(), QStringLiteral("Würfe pro Runde"));
    }

    // Chosen in a shown window or before the window is shown, the page lays
    // its content out over the whole page at once, as a plain page would be.
    void chosenPageFillsItself_data()
    {
        QTest::addColumn<bool>("windowShown");
        QTest::newRow("window shown") << true;
        QTest::newRow("window not yet shown") << false;
    }
    void chosenPageFillsItself()
    {
        QFETCH(bool, windowShown);
        TTwoPages pages;
        pages.Content->setMinimumSize(0, 0);
        if (windowShown) {
            pages.Tabs.show();
            QVERIFY(QTest::qWaitForWindowExposed(&pages.Tabs));
        }
        pages.Tabs.setCurrentIndex(1);
        QVERIFY(pages.Page->ContentLaidOut());
        QVERIFY(pages.Content->isVisibleTo(&pages.Tabs));
        QCOMPARE(pages.Content->geometry(), pages.Page->rect());
        if (!windowShown) {
            pages.Tabs.show();
            QVERIFY(QTest::qWaitForWindowExposed(&pages.Tabs));
            QCOMPARE(pages.Content->geometry(), pages.Page->rect());
        }
        QVERIFY(pages.Content->isVisible());
        QVERIFY(pages.Page->rect().width() > 300);
        // Back and forth: laid out once, shown and hidden with its page.
        pages.Tabs.setCurrentIndex(0);
        QVERIFY(!pages.Content->isVisible());
        pages.Tabs.setCurrentIndex(1);
        QVERIFY(pages.Content->isVisible());
        QCOMPARE(pages.Page->layout()->count(), 1);
    }
};

QTEST_MAIN(TestDeferredPage)
#include "tst_deferredpage.moc"
