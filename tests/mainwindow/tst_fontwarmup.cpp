// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/uFontWarmup.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QTest>

class TestFontWarmup : public QObject {
    Q_OBJECT

private slots:
    // A program that ends before its window (a folder it cannot use, an
    // error at start) must not wait for a warm-up it never resumed; a hang
    // here ends in the suite's time limit.
    void warmUpNeverResumedEnds()
    {
        { const TFontWarmup warmup; }
        TFontWarmup warmup;
        warmup.Finish();
    }

    // The window's first text, while the thread fills the same font list:
    // the same fonts as without a warm-up, found once.
    void textWhileTheThreadWorksFindsTheSameFonts()
    {
        const QString family = QStringLiteral("Comic Sans MS");
        TFontWarmup warmup;
        warmup.Resume(family);
        QLabel label(QStringLiteral("Wer spielt mit ?"));
        label.setFont(QFont(family));
        const QString seen = QFontInfo(label.font()).family();
        QVERIFY(label.sizeHint().width() > 0);
        // The thread also looks up the slanted faces, as the window's head does.
        QFont italic(family);
        italic.setItalic(true);
        QLabel head(QStringLiteral("Hauptmenü"));
        head.setFont(italic);
        QVERIFY(head.sizeHint().width() > 0);
        const QString seenItalic = QFontInfo(italic).family();
        warmup.Finish();
        QVERIFY(!seen.isEmpty());
        QCOMPARE(QFontInfo(QFont(family)).family(), seen);
        QCOMPARE(QFontInfo(italic).family(), seenItalic);
        QVERIFY(QFontDatabase::families().contains(seen));
        // A second resume, after the end, changes nothing and does not wait.
        warmup.Resume(family);
    }
};

QTEST_MAIN(TestFontWarmup)
#include "tst_fontwarmup.moc"
