// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MediaFixtures.h"

#include "gamewindow/uDesigns.h"
#include "gamewindow/uProgramFiles.h"
#include "storage/uTPlayer.h"

#include <QtTest>

#include <memory>

using namespace MediaFixtures;

namespace {

const QStringList StandardFiles{"0.jpg", "4.jpg", "5.jpg", "6.jpg", "2.jpg", "1.jpg", "3.jpg"};
const QStringList StandardCaptions{"[Standard] Grün",        "[Standard] Bordeaux",
                                   "[Standard] Ozean",       "[Standard] Schwarz",
                                   "[Standard] Altes Holz",  "[Standard] Dunkles Holz",
                                   "[Standard] Kiefer"};

}  // namespace

class TestDesigns : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_Dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_Dir->isValid());
        QVERIFY(QDir(m_Dir->path()).mkpath("Backgrounds"));
        QVERIFY(QDir(m_Dir->path()).mkpath("Dices"));
        QVERIFY(QDir(m_Dir->path()).mkpath("Bilder"));
    }

    void missingDiceFileEndsItsSet()
    {
        // w10 .. w22 present, w23 missing, w30 present again but never read.
        const QStringList present{"w10", "W11", "w12", "w13", "w20", "w21", "w22", "w30", "r10"};
        for (const QString &name : present)
            QVERIFY(CornerPicture(QSize(8, 8), 0xffffffffu, 0xff000000u)
                        .save(Dices() + name + ".bmp"));
        TDesigns designs;
        designs.LoadDiceImages(Dices());
        const TPictureList &white = designs.DiceSet(0);
        QCOMPARE(white.Count(), 24);
        for (int slot = 0; slot < 24; ++slot)
            QCOMPARE(white.Picture(slot) != nullptr, slot < 7);
        QCOMPARE(white.Name(1), Dices() + "W11.bmp");  // found ignoring case, named by full path
        QVERIFY(designs.DiceSet(1).Picture(0));
        QVERIFY(!designs.DiceSet(1).Picture(1));
        QVERIFY(!designs.DiceSet(2).Picture(0));
        QCOMPARE(white.Tag(), 190);
        QCOMPARE(&designs.DiceSet(9), &white);  // a hand-edited "DiceType" still draws
    }

    // Each dice picture brings its own key: the colour of its pixel (0, 0).
    void diceKeyColourIsEachPicturesTopLeftPixel()
    {
        QImage first = CornerPicture(QSize(8, 8), 0xffffffffu, 0xff123456u);
        first.setPixel(5, 5, 0xff123456u);
        first.setPixel(6, 6, 0xff00ff00u);
        QVERIFY(first.save(Dices() + "c10.bmp"));
        QVERIFY(CornerPicture(QSize(8, 8), 0xff00ff00u, 0xffffffffu).save(Dices() + "c11.bmp"));
        TDesigns designs;
        designs.LoadDiceImages(Dices());
        const TPictureList &blue = designs.DiceSet(2);
        QCOMPARE(qAlpha(blue.Picture(0)->pixel(0, 0)), 0);
        QCOMPARE(qAlpha(blue.Picture(0)->pixel(5, 5)), 0);
        QCOMPARE(blue.Picture(0)->pixel(3, 3), 0xffffffffu);
        QCOMPARE(blue.Picture(0)->pixel(6, 6), 0xff00ff00u);
        QCOMPARE(qAlpha(blue.Picture(1)->pixel(0, 0)), 0);
        QCOMPARE(blue.Picture(1)->pixel(3, 3), 0xff00ff00u);
    }

    // players: "type:file" per player, file below Bilder/ or empty.
    void backgroundsListStandardThenOwnPictures_data()
    {
        QTest::addColumn<QStringList>("missing");
        QTest::addColumn<QStringList>("players");
        QTest::addColumn<QStringList>("ownCaptions");
        QTest::addColumn<QList<int>>("indexes");
        QTest::newRow("player 1 with own picture")
            << QStringList() << QStringList{"0:", "1:Wiese.png"} << QStringList{"Wiese"}
            << QList<int>{0, 7};
        QTest::newRow("5.jpg missing moves the rest up")
            << QStringList{"5.jpg"} << QStringList{"1:Wiese.png"} << QStringList{"Wiese"}
            << QList<int>{6};
        QTest::newRow("own picture gone starts with entry 0")
            << QStringList() << QStringList{"1:Fehlt.png"} << QStringList() << QList<int>{0};
        QTest::newRow("type 0 offers its picture to the others")
            << QStringList() << QStringList{"0:Wiese.png", "1:Wald.jpg"}
            << QStringList{"Wiese", "Wald"} << QList<int>{0, 8};
        QTest::newRow("same picture twice: both take the last")
            << QStringList() << QStringList{"1:Wiese.png", "1:Wiese.png"}
            << QStringList{"Wiese", "Wiese"} << QList<int>{8, 8};
        QTest::newRow("a file that is no picture is skipped")
            << QStringList() << QStringList{"1:Text.png", "1:Wiese.png"} << QStringList{"Wiese"}
            << QList<int>{0, 7};
        QTest::newRow("an absurdly large picture is skipped")
            << QStringList() << QStringList{"1:Riesig.bmp"} << QStringList() << QList<int>{0};
        QTest::newRow("no standard files at all")
            << StandardFiles << QStringList{"1:Wiese.png"} << QStringList{"Wiese"} << QList<int>{0};
    }
    void backgroundsListStandardThenOwnPictures()
    {
        QFETCH(QStringList, missing);
        QFETCH(QStringList, players);
        QFETCH(QStringList, ownCaptions);
        QFETCH(QList<int>, indexes);
        WriteBackgroundFiles(missing);

        std::vector<std::unique_ptr<TPlayer>> owned;
        std::vector<TPlayer *> game;
        for (const QString &entry : players) {
            auto player = std::make_unique<TPlayer>();
            const QString file = entry.section(':', 1);
            player->SetBackgroundType(entry.section(':', 0, 0).toInt());
            player->SetBackground(file.isEmpty() ? QString() : Pictures() + file);
            game.push_back(player.get());
            owned.push_back(std::move(player));
        }
        TDesigns designs;
        const int first = designs.LoadBackgrounds(Backgrounds(), game);

        QStringList expected;
        for (int i = 0; i < StandardFiles.size(); ++i)
            if (!missing.contains(StandardFiles[i]))
                expected << StandardCaptions[i];
        expected << ownCaptions;
        QCOMPARE(designs.BackgroundCaptions(), expected);
        QCOMPARE(designs.BackgroundPaths().size(), expected.size());
        QCOMPARE(designs.Backgrounds().Count(), expected.size());
        // The entries the players start with are ready without being asked for.
        for (const TPlayer *player : game)
            if (player->BackgroundIndex() < designs.Backgrounds().Count())
                QVERIFY(designs.Backgrounds().Picture(player->BackgroundIndex()));
        for (int i = 0; i < designs.Backgrounds().Count(); ++i) {
            designs.PrepareBackground(i);
            QVERIFY(designs.Backgrounds().Picture(i));
        }
        for (std::size_t i = 0; i < game.size(); ++i)
            QCOMPARE(game[i]->BackgroundIndex(), indexes[static_cast<qsizetype>(i)]);
        QCOMPARE(first, indexes.front());
    }

    // The header promised a picture, the data broke: the entry stays (the list
    // was already offered) and shows black instead of the frame before it.
    void brokenPictureDataShowsBlack()
    {
        QImage picture = CornerPicture(QSize(40, 30), 0xff30a030u, 0xff30a030u);
        QByteArray png;
        QBuffer buffer(&png);
        QVERIFY(buffer.open(QIODevice::WriteOnly) && picture.save(&buffer, "PNG"));
        // Header and the start of the image data survive; the rest is noise.
        const qsizetype data = png.indexOf("IDAT") + 4;
        QVERIFY(WriteFile(Pictures() + "Kaputt.png", png.left(data) + QByteArray(40, 'x')));
        TPlayer player;
        player.SetBackgroundType(1);
        player.SetBackground(Pictures() + "Kaputt.png");
        TDesigns designs;
        designs.LoadBackgrounds(Backgrounds(), {&player});
        QCOMPARE(designs.BackgroundCaptions(), QStringList{"Kaputt"});
        const QImage *shown = designs.Backgrounds().Picture(0);
        QVERIFY(shown);
        QCOMPARE(shown->pixel(0, 0), 0xff000000u);
    }

    void backgroundSlotsKeepTheirOrderAndPaths()
    {
        WriteBackgroundFiles({"5.jpg"});
        TDesigns designs;
        designs.LoadBackgrounds(Backgrounds(), {});
        QCOMPARE(designs.BackgroundCaptions().at(2), QString("[Standard] Schwarz"));
        QCOMPARE(designs.BackgroundPaths().at(2), Backgrounds() + "6.jpg");
        // Only the slot the game starts with is decoded at load; the others
        // when first chosen. Each holds its own picture: 6.jpg is 66 pixels wide.
        QVERIFY(designs.Backgrounds().Picture(0));
        QCOMPARE(designs.Backgrounds().Picture(2), nullptr);
        designs.PrepareBackground(2);
        QCOMPARE(designs.Backgrounds().Picture(2)->width(), 66);
        designs.PrepareBackground(-1);
        designs.PrepareBackground(designs.Backgrounds().Count());
        QCOMPARE(designs.Backgrounds().Picture(1), nullptr);
    }

    // The asset tree's names were given for a system that ignores letter case.
    void programFolderNamesAreFoundIgnoringCase_data()
    {
        QTest::addColumn<QString>("onDisk");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("found");
        QTest::newRow("same case") << "Bin/Sounds" << "Bin/Sounds" << "Bin/Sounds/";
        QTest::newRow("other case") << "Bin/Sounds" << "bin/SOUNDS" << "Bin/Sounds/";
        QTest::newRow("missing part kept as asked") << "Bin" << "bin/Dices" << "Bin/Dices/";
    }
    void programFolderNamesAreFoundIgnoringCase()
    {
        QFETCH(QString, onDisk);
        QFETCH(QString, asked);
        QFETCH(QString, found);
        QVERIFY(QDir(m_Dir->path()).mkpath(onDisk));
        QCOMPARE(FindFolderIgnoringCase(m_Dir->path(), asked), m_Dir->path() + "/" + found);
    }

private:
    [[nodiscard]] QString Backgrounds() const { return m_Dir->path() + "/Backgrounds/"; }
    [[nodiscard]] QString Dices() const { return m_Dir->path() + "/Dices/"; }
    [[nodiscard]] QString Pictures() const { return m_Dir->path() + "/Bilder/"; }

    // Standard file "<n>.jpg" is 60 + n pixels wide; the players' pictures
    // lie in Bilder/, with one text file and one giant header among them.
    void WriteBackgroundFiles(const QStringList &missing) const
    {
        for (const QString &file : StandardFiles) {
            if (missing.contains(file))
                continue;
            const int n = file.section('.', 0, 0).toInt();
            QVERIFY(CornerPicture(QSize(60 + n, 40), 0xff204060u, 0xff204060u)
                        .save(Backgrounds() + file, "JPG"));
        }
        QVERIFY(CornerPicture(QSize(30, 20), 0xff30a030u, 0xff30a030u).save(Pictures() + "Wiese.png"));
        QVERIFY(CornerPicture(QSize(30, 20), 0xff106010u, 0xff106010u).save(Pictures() + "Wald.jpg"));
        QVERIFY(WriteFile(Pictures() + "Text.png", "Kein Bild, nur Text.\n"));
        QVERIFY(WriteBmpHeader(Pictures() + "Riesig.bmp", 20000, 20000));
    }

    std::unique_ptr<QTemporaryDir> m_Dir;
};

QTEST_MAIN(TestDesigns)
#include "tst_Designs.moc"
