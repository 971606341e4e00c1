// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MediaFixtures.h"

#include "gamewindow/uSoundCatalogue.h"
#include "play/uRandom.h"
#include "storage/uTMainApplication.h"

#include <QtTest>

#include <memory>

using namespace MediaFixtures;

namespace {

constexpr int SampleMs = 50;

}  // namespace

class TestSoundCatalogue : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_Full.isValid());
        // Every name gets a short file; "KlickDice" is stored in other letter case.
        for (const QString &name : TSoundCatalogue::Names()) {
            const QString file = name == "KlickDice" ? QString("KLICKDICE.WAV") : name + ".wav";
            QVERIFY(WriteWave(m_Full.filePath(file), SampleMs));
        }
    }

    void init()
    {
        m_Settings = TMainApplication();
        RandSeed(7);
    }

    void namesInLoadOrder_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        QTest::newRow("first shake sample") << 0 << "1w01";
        QTest::newRow("two-digit shake variant") << 11 << "1w12";
        QTest::newRow("last shake sample") << 59 << "5w12";
        QTest::newRow("first throw family") << 60 << "1wda01";
        QTest::newRow("wdr family") << 75 << "1wdr01";
        QTest::newRow("last throw family") << 149 << "5wks03";
        QTest::newRow("first single sample") << 150 << "hit1";
        QTest::newRow("KlickDice") << 158 << "KlickDice";
        QTest::newRow("last sample") << 165 << "Wait";
    }
    void namesInLoadOrder()
    {
        QFETCH(int, index);
        QFETCH(QString, name);
        const QStringList names = TSoundCatalogue::Names();
        QCOMPARE(names.size(), 166);
        QCOMPARE(names.at(index), name);
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), 166);
    }

    void missingFilesAreReportedByPathAndLeftOut()
    {
        QTemporaryDir partial;
        QVERIFY(WriteWave(partial.filePath("1w02.wav"), SampleMs));
        QVERIFY(WriteWave(partial.filePath("Wait.wav"), SampleMs));
        QVERIFY(WriteFile(partial.filePath("hero.wav"), "kein Wave"));
        QStringList reported;
        TSoundCatalogue catalogue(m_Settings);
        catalogue.LoadSounds(partial.path() + "/", [&](const QString &text) { reported << text; });

        QCOMPARE(catalogue.Layer().Count(), 2);
        QCOMPARE(catalogue.Layer().Name(0), QString("1w02"));
        QCOMPARE(catalogue.Layer().Name(1), QString("Wait"));
        QCOMPARE(reported.size(), 164);
        QCOMPARE(reported.first(), partial.filePath("1w01.wav"));
        QVERIFY(reported.contains(partial.filePath("KlickDice.wav")));
        QCOMPARE(reported.filter("hero.wav"), QStringList{partial.filePath("hero.wav")});
    }

    void lookupIgnoresLetterCase()
    {
        TSoundCatalogue catalogue(m_Settings);
        catalogue.LoadSounds(m_Full.path(), {});
        QCOMPARE(catalogue.Layer().Count(), 166);
        ISoundLayer &layer = catalogue.Layer();
        QCOMPARE(layer.IndexOf("wait"), 165);
        QCOMPARE(layer.IndexOf("KLICKDICE"), 158);
        QCOMPARE(layer.IndexOf("hit8"), -1);

        catalogue.PlaySound("wait", 0, false, false);
        QVERIFY(layer.Playing(165));
        catalogue.PlaySound("WAIT", 0, false, true);
        QVERIFY(!layer.Playing(165));
        catalogue.PlaySound("hit8", 0, true, false);  // absent: silent, no wait
    }

    // n is the number of dice in the cup: two held leave three.
    void selectSoundChoosesFromTheFamilyOfTheDiceInTheCup_data()
    {
        QTest::addColumn<QString>("event");
        QTest::addColumn<int>("diceInCup");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("shake, two held") << "SHAKE" << 3 << "^3w(0[1-9]|1[0-2])$";
        QTest::newRow("fall back in, one held") << "IN" << 4 << "^4w(dr|kr)0[1-3]$";
        QTest::newRow("roll, none held") << "ROLL" << 5 << "^5w(ka|ks)0[1-3]$";
        QTest::newRow("roll, one die") << "ROLL" << 1 << "^1w(ka|ks)0[1-3]$";
        QTest::newRow("unknown event takes the first sample") << "BANG" << 5 << "^1w01$";
        QTest::newRow("no dice in the cup takes the first sample") << "SHAKE" << 0 << "^1w01$";
    }
    void selectSoundChoosesFromTheFamilyOfTheDiceInTheCup()
    {
        QFETCH(QString, event);
        QFETCH(int, diceInCup);
        QFETCH(QString, pattern);
        TSoundCatalogue &catalogue = FullCatalogue();
        const QRegularExpression expected(pattern);
        QSet<QString> seen;
        for (int i = 0; i < 60; ++i) {
            catalogue.SetSelectedSound(-1);
            catalogue.SelectSound(event, diceInCup);
            const QString name = catalogue.Layer().Name(catalogue.SelectedSound());
            QVERIFY2(expected.match(name).hasMatch(), qPrintable(name));
            seen << name;
        }
        QVERIFY(event != "ROLL" || seen.size() == 6);  // both coins, all three variants
    }

    void selectSoundKeepsARunningSelection()
    {
        TSoundCatalogue &catalogue = FullCatalogue();
        catalogue.SetSelectedSound(42);
        catalogue.SelectSound("ROLL", 5);
        QCOMPARE(catalogue.SelectedSound(), 42);
    }

    void absentNameSelectsTheFirstSample()
    {
        QTemporaryDir partial;
        QVERIFY(WriteWave(partial.filePath("hit1.wav"), SampleMs));
        TSoundCatalogue catalogue(m_Settings);
        catalogue.LoadSounds(partial.path(), {});
        catalogue.SetSelectedSound(-1);
        catalogue.SelectSound("SHAKE", 5);
        QCOMPARE(catalogue.SelectedSound(), 0);
    }

    // With nothing loaded nothing can be selected: shake and roll then run by frames.
    void emptyCatalogueSelectsNothing()
    {
        QTemporaryDir empty;
        TSoundCatalogue catalogue(m_Settings);
        catalogue.LoadSounds(empty.path(), {});
        catalogue.SetSelectedSound(-1);
        catalogue.SelectSound("ROLL", 5);
        QCOMPARE(catalogue.SelectedSound(), -1);
        QVERIFY(!catalogue.SelectedSoundPlaying());
    }

    void soundOffSelectsAndPlaysNothing()
    {
        TSoundCatalogue &catalogue = FullCatalogue();
        m_Settings.SetSound(1);
        catalogue.SetSelectedSound(-1);
        catalogue.SelectSound("SHAKE", 5);
        QCOMPARE(catalogue.SelectedSound(), -1);

        catalogue.PlaySound("Wait", 0, false, false);
        QVERIFY(!catalogue.Layer().Playing(165));
        catalogue.SetSelectedSound(3);
        catalogue.PlaySelectedSound(false);
        QCOMPARE(catalogue.SelectedSound(), -1);
        QVERIFY(!catalogue.Layer().Playing(3));

        m_Settings.SetSound(0);
        catalogue.PlaySound("Wait", 0, false, false);
        QVERIFY(catalogue.Layer().Playing(165));
        catalogue.StopAllSounds();
        QVERIFY(!catalogue.Layer().Playing(165));
    }

    void stopEndsEveryOverlappingCopy()
    {
        ISoundLayer &layer = FullCatalogue().Layer();
        const int klick = layer.IndexOf("KlickDice");
        layer.Play(klick, false);
        layer.Play(klick, false);
        QVERIFY(layer.Playing(klick));
        layer.Stop(klick);
        QVERIFY(!layer.Playing(klick));
    }

    // The splash and the game share one mixer: a layer's StopAll must leave
    // the samples of another layer playing.
    void stopAllEndsOnlyThisLayersSamples()
    {
        ISoundLayer &game = FullCatalogue().Layer();
        TSoundLayer splash;
        QVERIFY(splash.Add(QStringLiteral("intro"), m_Full.filePath(QStringLiteral("Wait.wav"))) >= 0);
        const int klick = game.IndexOf("KlickDice");
        const int wait = game.IndexOf("Wait");
        game.Play(klick, false);
        game.Play(klick, false);
        game.Play(wait, false);
        splash.Play(0, false);

        game.StopAll();
        QVERIFY(!game.Playing(klick));
        QVERIFY(!game.Playing(wait));
        QVERIFY(splash.Playing(0));
        splash.StopAll();
        QVERIFY(!splash.Playing(0));
    }

    // The silent driver still plays in real time, which the game's timing needs.
    void playingToTheEndTakesTheSamplesLength_data()
    {
        QTest::addColumn<int>("repeat");
        QTest::addColumn<int>("plays");
        QTest::newRow("once, waiting") << 0 << 1;
        QTest::newRow("repeat 2 plays three times") << 2 << 3;
    }
    void playingToTheEndTakesTheSamplesLength()
    {
        QFETCH(int, repeat);
        QFETCH(int, plays);
        TSoundCatalogue &catalogue = FullCatalogue();
        const int index = catalogue.Layer().IndexOf("choose");
        QCOMPARE(catalogue.Layer().LengthMs(index), SampleMs);
        QElapsedTimer clock;
        clock.start();
        catalogue.PlaySound("choose", repeat, true, false);
        QVERIFY2(clock.elapsed() >= plays * SampleMs, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!catalogue.Layer().Playing(index));
    }

    void playSelectedSoundDoesNotRestartAPlayingSample()
    {
        TSoundCatalogue &catalogue = FullCatalogue();
        catalogue.SetSelectedSound(catalogue.Layer().IndexOf("2w03"));
        catalogue.PlaySelectedSound(false);
        QVERIFY(catalogue.SelectedSoundPlaying());
        QElapsedTimer clock;
        clock.start();
        catalogue.PlaySelectedSound(true);  // already playing: returns at once
        QVERIFY(clock.elapsed() < SampleMs);
        catalogue.StopAllSounds();
    }

    void cleanupTestCase() { m_Catalogue.reset(); }

private:
    TSoundCatalogue &FullCatalogue()
    {
        if (!m_Catalogue) {
            m_Catalogue = std::make_unique<TSoundCatalogue>(m_Settings);
            m_Catalogue->LoadSounds(m_Full.path(), {});
        }
        m_Catalogue->StopAllSounds();
        return *m_Catalogue;
    }

    QTemporaryDir m_Full;
    TMainApplication m_Settings;
    std::unique_ptr<TSoundCatalogue> m_Catalogue;
};

QTEST_MAIN(TestSoundCatalogue)
#include "tst_SoundCatalogue.moc"
