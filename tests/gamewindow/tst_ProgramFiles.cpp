// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gamewindow/uDesigns.h"
#include "gamewindow/uFormQuintorGameMain.h"
#include "gamewindow/uSoundCatalogue.h"
#include "support/GameFolder.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

// A game window over a program folder whose Bin/ tree lacks or spoils files:
// whatever is wrong is said once, in one message, and no game is played blind.

namespace {

const QString RealBin = QStringLiteral(QUINTOR_PROGRAM_DIR "/Bin");

// The messages shown while a window is created, each answered at once.
struct TMessages {
    QStringList Texts;
    QStringList Files;
    int Count = 0;
    QTimer Poll;

    TMessages()
    {
        Poll.setInterval(5);
        QObject::connect(&Poll, &QTimer::timeout, qApp, [this] {
            auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!modal)
                return;
            ++Count;
            if (auto *label = modal->findChild<QLabel *>(QStringLiteral("LabelMessage")))
                Texts << label->text();
            if (auto *list = modal->findChild<QPlainTextEdit *>(QStringLiteral("MemoFiles")))
                Files << list->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            modal->done(QDialog::Accepted);
        });
        Poll.start();
    }
};

// A program folder whose Bin/ links to the built tree, file by file, so
// that single files can be taken away or replaced.
struct TProgramFolder {
    QTemporaryDir Dir;
    QString Bin = Dir.path() + QStringLiteral("/Bin");

    TProgramFolder()
    {
        QDirIterator files(RealBin, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString source = files.next();
            const QString target = Bin + source.mid(RealBin.size());
            QDir().mkpath(QFileInfo(target).path());
            QFile::link(source, target);
        }
    }

    void Remove(const QString &relative) const { QFile::remove(Bin + QLatin1Char('/') + relative); }
    void Replace(const QString &relative, const QByteArray &bytes) const
    {
        Remove(relative);
        QFile file(Bin + QLatin1Char('/') + relative);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    [[nodiscard]] QByteArray Original(const QString &relative) const
    {
        QFile file(RealBin + QLatin1Char('/') + relative);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

// A wave header that promises a second of sound in front of four bytes.
QByteArray FakeWave()
{
    QByteArray wave = QByteArray::fromHex("52494646" "2c000000" "57415645" "666d7420" "10000000" "0100" "0100"
                                          "22560000" "44ac0000" "0200" "1000" "64617461" "44ac0000");
    return wave + QByteArray(4, '\x10');
}

using TDamage = std::function<void(TProgramFolder &)>;

}  // namespace

Q_DECLARE_METATYPE(TDamage)

class TestProgramFiles : public QObject {
    Q_OBJECT

private slots:
    void damageIsReportedOnceAndNeverPlayedBlind_data()
    {
        QTest::addColumn<TDamage>("damage");
        QTest::addColumn<QStringList>("named");  // files the message lists, below Bin/
        QTest::addColumn<int>("listed");         // how many it lists
        QTest::addColumn<QString>("says");       // a sentence of the message
        QTest::addColumn<int>("annasDice");      // the set Anna's dice are drawn from
        QTest::addColumn<int>("bertsDice");

        QTest::newRow("every file there") << TDamage([](TProgramFolder &) {}) << QStringList() << 0 << QString() << 0 << 1;
        QTest::newRow("red picture missing: red dice drawn white")
            << TDamage([](TProgramFolder &bin) { bin.Remove("Dices/r23.bmp"); }) << QStringList{"Dices/r23.bmp"} << 1
            << QString("Bert spielt in diesem Spiel mit weißen statt mit roten Würfeln.") << 0 << 0;
        QTest::newRow("truncated white picture counts as missing")
            << TDamage([](TProgramFolder &bin) { bin.Replace("Dices/w32.bmp", bin.Original("Dices/w32.bmp").left(60)); })
            << QStringList{"Dices/w32.bmp"} << 1 << QString("Anna spielt in diesem Spiel mit roten statt mit weißen Würfeln.")
            << 1 << 1;
        QTest::newRow("random bytes as a white picture")
            << TDamage([](TProgramFolder &bin) {
                   QByteArray noise("BM");
                   for (int i = 0; i < 3000; ++i)
                       noise.append(static_cast<char>((i * 7919) % 251));
                   bin.Replace("Dices/w10.bmp", noise);
               })
            << QStringList{"Dices/w10.bmp"} << 1 << QString("Anna spielt in diesem Spiel mit roten statt mit weißen Würfeln.")
            << 1 << 1;
        QTest::newRow("damaged and fake samples")
            << TDamage([](TProgramFolder &bin) {
                   bin.Replace("Sounds/hero.wav", "kein Klang");
                   bin.Replace("Sounds/Wait.wav", bin.Original("Sounds/Wait.wav").left(30));
                   bin.Replace("Sounds/choose.wav", FakeWave());
               })
            << QStringList{"Sounds/hero.wav", "Sounds/Wait.wav", "Sounds/choose.wav"} << 3
            << QString("Ohne diese Klänge bleibt das Spiel an den betreffenden Stellen stumm.") << 0 << 1;
        QTest::newRow("sound folder missing")
            << TDamage([](TProgramFolder &bin) { QDir(bin.Bin + "/Sounds").removeRecursively(); })
            << QStringList{"Sounds/1w01.wav", "Sounds/Wait.wav"} << 166
            << QString("Ohne diese Klänge bleibt das Spiel an den betreffenden Stellen stumm.") << 0 << 1;
    }

    void damageIsReportedOnceAndNeverPlayedBlind()
    {
        QFETCH(TDamage, damage);
        QFETCH(QStringList, named);
        QFETCH(int, listed);
        QFETCH(QString, says);
        QFETCH(int, annasDice);
        QFETCH(int, bertsDice);
        TProgramFolder program;
        damage(program);
        const TGameFolder data;
        TMessages messages;
        TFormQuintorGameMain window(nullptr, data.Path, program.Dir.path());

        QCOMPARE(messages.Count, listed > 0 ? 1 : 0);
        QCOMPARE(messages.Files.size(), listed);
        for (const QString &file : named)
            QVERIFY2(messages.Files.contains(program.Bin + QLatin1Char('/') + file), qPrintable(file));
        if (listed > 0) {
            QVERIFY2(messages.Texts.first().contains(says), qPrintable(messages.Texts.first()));
            QVERIFY(messages.Texts.first().contains(QStringLiteral("installieren Sie Quintor neu")));
        }
        QVERIFY(!window.Refused());
        const TDesigns &designs = *window.Designs();
        QCOMPARE(&designs.DiceSet(0), &designs.DiceSet(annasDice));
        QCOMPARE(&designs.DiceSet(1), &designs.DiceSet(bertsDice));
        for (int slot = 0; slot < TDesigns::DiceSlots; ++slot)
            QVERIFY(designs.DiceSet(0).Picture(slot) && designs.DiceSet(1).Picture(slot));
    }

    // Without Bin/ there is nothing to draw the dice with: one message, and
    // the game does not begin, so nothing is recorded.
    void missingBinFolderIsOneMessageAndNoGame()
    {
        const QTemporaryDir program;
        const TGameFolder data;
        TMessages messages;
        TFormQuintorGameMain window(nullptr, data.Path, program.path());
        QCOMPARE(messages.Count, 1);
        QCOMPARE(messages.Files.size(), 166 + 6 * TDesigns::DiceSlots);
        QVERIFY(messages.Texts.first().contains(QStringLiteral("Ohne Würfelbilder kann das Spiel nicht beginnen.")));
        QVERIFY(messages.Texts.first().contains(QStringLiteral("installieren Sie Quintor neu")));
        QVERIFY(window.Refused());
        QCOMPARE(window.exec(), TFormQuintorGameMain::ResultClosed);
        QVERIFY(!window.isVisible());
        QCOMPARE(messages.Count, 1);
        QVERIFY(!QFile::exists(data.Path + QStringLiteral("Stats.ini")));
    }
};

QTEST_MAIN(TestProgramFiles)
#include "tst_ProgramFiles.moc"
