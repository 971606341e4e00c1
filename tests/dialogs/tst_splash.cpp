// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/uFormQuintorSplash.h"

#include <QLabel>
#include <QTest>
#include <QTimer>

class TestSplash : public QObject {
    Q_OBJECT
private slots:
    void closesAtFirstTickAfterJingle_data();
    void closesAtFirstTickAfterJingle();
    void clickClosesAtOnce();
};

void TestSplash::closesAtFirstTickAfterJingle_data()
{
    QTest::addColumn<int>("playingTicks");  // -1: the real (missing) jingle
    QTest::addColumn<int>("closingTick");
    QTest::newRow("no intro file: first tick") << -1 << 1;
    QTest::newRow("3.5 s jingle: fourth tick") << 3 << 4;
    QTest::newRow("jingle longer than 10 s: tenth tick") << 100 << 10;
}

void TestSplash::closesAtFirstTickAfterJingle()
{
    QFETCH(int, playingTicks);
    QFETCH(int, closingTick);
    TFormQuintorSplash splash;
    if (playingTicks >= 0)
        splash.SetJinglePlaying([&splash, playingTicks] { return splash.TickCount() <= playingTicks; });
    splash.show();
    QVERIFY(splash.TimerMain()->isActive());
    QCOMPARE(splash.TimerMain()->interval(), 1000);
    while (splash.isVisible() && splash.TickCount() < 20)
        splash.TimerMainTimer();
    QCOMPARE(splash.TickCount(), closingTick);
    QCOMPARE(splash.result(), 1);
    QVERIFY(!splash.TimerMain()->isActive());
}

void TestSplash::clickClosesAtOnce()
{
    TFormQuintorSplash splash;
    splash.SetJinglePlaying([] { return true; });
    splash.show();
    // Labels let the click through to the window, wherever it lands.
    QTest::mouseClick(&splash, Qt::LeftButton, {}, splash.LabelFullname()->geometry().center());
    QVERIFY(!splash.isVisible());
    QCOMPARE(splash.result(), 1);
    QCOMPARE(splash.TickCount(), 0);
}

QTEST_MAIN(TestSplash)
#include "tst_splash.moc"
