// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "HostileFiles.h"

#include "gamewindow/uDesigns.h"
#include "gamewindow/uSoundCatalogue.h"
#include "gamewindow/uSoundLayer.h"
#include "storage/uTMainApplication.h"
#include "storage/uTPlayer.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>
#include <sys/stat.h>

// Pictures and samples that are broken, hostile or missing: nothing is
// added, missing samples are reported, and the game's media still answer.
namespace {

void AppendBe(QByteArray &bytes, quint32 value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.append(static_cast<char>((value >> shift) & 0xff));
}

quint32 Crc32(const QByteArray &bytes)
{
    quint32 crc = 0xffffffffu;
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A PNG that is only a signature and a header claiming width x height.
QByteArray PngHeader(quint32 width, quint32 height)
{
    QByteArray chunk("IHDR");
    AppendBe(chunk, width);
    AppendBe(chunk, height);
    chunk.append("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    AppendBe(png, 13);
    png += chunk;
    AppendBe(png, Crc32(chunk));
    return png;
}

// A BMP header claiming width x height, 24 bits a pixel, no pixels.
QByteArray BmpHeader(quint32 width, quint32 height)
{
    QByteArray bmp("BM");
    const auto le = [&bmp](quint32 v, int size) {
        for (int i = 0; i < size; ++i)
            bmp.append(static_cast<char>((v >> (8 * i)) & 0xff));
    };
    le(54, 4), le(0, 4), le(54, 4), le(40, 4), le(width, 4), le(height, 4), le(1, 2), le(24, 2);
    le(0, 4), le(0, 4), le(2835, 4), le(2835, 4), le(0, 4), le(0, 4);
    return bmp;
}

QByteArray ValidPng()
{
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

// A wave whose header promises far more than the file holds.
QByteArray LyingWave()
{
    QByteArray wave("RIFF\xff\xff\xff\x7fWAVEfmt ", 16);
    wave.append("\x10\x00\x00\x00\x01\x00\x01\x00\x44\xac\x00\x00\x88\x58\x01\x00\x02\x00\x10\x00", 20);
    wave.append("data\xff\xff\xff\x7f", 8);
    wave.append(64, '\x01');
    return wave;
}

// Found by fuzzing: 11 bytes of 8-bit stereo under a data chunk claiming 3 GB.
QByteArray GreedyWave()
{
    return QByteArray::fromHex("52494646640000005741564566" "6d7420100000000100020040"
                               "1f0000803e00000200080064617461400000c0c4c8ccd0d4d8dce0e4e8ecf0f4f8fc");
}

// Address space in use, from the kernel's view of this process.
rlim_t AddressSpaceInUse()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    return static_cast<rlim_t>(statm.readAll().split(' ').value(0).toULongLong()) * static_cast<rlim_t>(getpagesize());
}

}  // namespace

class TestHostileMedia : public QObject {
    Q_OBJECT

private slots:
    void hostilePictureIsRefusedQuickly_data();
    void hostilePictureIsRefusedQuickly();
    void hostilePlayerBackgroundsAreSkipped();
    void missingProgramTreeLeavesEmptyDesigns();
    void missingSoundsAreReportedAndPlayNothing();
    void brokenSampleIsRefusedOrPlayable_data();
    void brokenSampleIsRefusedOrPlayable();
    void sampleClaimingGigabytesLoadsInLittleMemory();
    void waveCutShortIsUnreadable_data();
    void waveCutShortIsUnreadable();

private:
    QTemporaryDir m_Dir;
};

void TestHostileMedia::hostilePictureIsRefusedQuickly_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("text named jpg") << "text.jpg" << QByteArray("Kein Bild, nur Text\r\n");
    QTest::newRow("empty file") << "empty.png" << QByteArray();
    QTest::newRow("PNG claiming 20000 x 20000") << "huge.png" << PngHeader(20000, 20000);
    QTest::newRow("PNG claiming 2^31 wide") << "wide.png" << PngHeader(0x7fffffffu, 1);
    QTest::newRow("BMP claiming 20000 x 20000") << "huge.bmp" << BmpHeader(20000, 20000);
    QTest::newRow("BMP claiming negative size") << "negative.bmp" << BmpHeader(0x80000000u, 0x80000000u);
    QTest::newRow("truncated PNG") << "cut.png" << ValidPng().left(40);
    QTest::newRow("JPEG start only") << "cut.jpg" << QByteArray("\xff\xd8\xff\xe0\x00\x10JFIF\x00", 11);
}

void TestHostileMedia::hostilePictureIsRefusedQuickly()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    const QString path = m_Dir.filePath(file);
    QVERIFY(HostileFiles::Write(path, bytes));
    QElapsedTimer clock;
    clock.start();
    QVERIFY(ReadPicture(path).isNull());
    QVERIFY(clock.elapsed() < 5000);
}

void TestHostileMedia::hostilePlayerBackgroundsAreSkipped()
{
    const QString good = m_Dir.filePath("good.png");
    QVERIFY(HostileFiles::Write(good, ValidPng()));
    const QString huge = m_Dir.filePath("player_huge.png");
    QVERIFY(HostileFiles::Write(huge, PngHeader(20000, 20000)));
    const QString fifo = m_Dir.filePath("pipe.png");
    QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);  // opening it would block
    QVERIFY(QDir(m_Dir.path()).mkpath("folder.jpg"));

    const QStringList hostile = {huge, fifo, m_Dir.filePath("folder.jpg"), QStringLiteral("/dev/zero"),
                                 m_Dir.filePath("gone.jpg"), QString(5000, QLatin1Char('x'))};
    std::vector<TPlayer> players(hostile.size() + 1);
    std::vector<TPlayer *> seats;
    for (std::size_t i = 0; i < players.size(); ++i) {
        players[i].SetBackground(i < static_cast<std::size_t>(hostile.size()) ? hostile[static_cast<qsizetype>(i)] : good);
        players[i].SetBackgroundType(1);
        players[i].SetBackgroundIndex(-1);
        seats.push_back(&players[i]);
    }
    TDesigns designs;
    designs.LoadBackgrounds(m_Dir.filePath("no-backgrounds"), seats);
    QCOMPARE(designs.Backgrounds().Count(), 1);
    QCOMPARE(designs.BackgroundPaths(), QStringList{good});
    QCOMPARE(players.back().BackgroundIndex(), 0);
    QCOMPARE(players.front().BackgroundIndex(), -1);
}

void TestHostileMedia::missingProgramTreeLeavesEmptyDesigns()
{
    const QString bin = m_Dir.filePath("no-Bin");
    TPlayer player;
    player.SetBackgroundType(0);
    std::vector<TPlayer *> seats{&player};
    TDesigns designs;
    QCOMPARE(designs.LoadBackgrounds(bin + "/Backgrounds", seats), 0);
    designs.LoadDiceImages(bin + "/Dices");
    QCOMPARE(designs.Backgrounds().Count(), 0);
    for (int type = -1; type <= 6; ++type) {
        const TPictureList &set = designs.DiceSet(type);
        for (int slot = 0; slot < set.Count(); ++slot)
            QCOMPARE(set.Picture(slot), nullptr);
    }
}

void TestHostileMedia::missingSoundsAreReportedAndPlayNothing()
{
    const QString folder = m_Dir.filePath("no-Bin/Sounds/");
    TMainApplication settings;
    settings.SetSound(0);
    TSoundCatalogue catalogue(settings);
    QStringList reported;
    catalogue.LoadSounds(folder, [&reported](const QString &text) { reported << text; });
    QCOMPARE(reported.size(), TSoundCatalogue::Names().size());
    QVERIFY(reported.first().startsWith(m_Dir.filePath("no-Bin/Sounds")));
    QVERIFY(reported.first().endsWith(".wav", Qt::CaseInsensitive));

    QElapsedTimer clock;
    clock.start();
    catalogue.PlaySound(QStringLiteral("hero"), 3, true, false);
    catalogue.SetSelectedSound(-1);
    catalogue.SelectSound(QStringLiteral("ROLL"), 5);
    QCOMPARE(catalogue.SelectedSound(), -1);
    catalogue.PlaySelectedSound(true);
    QVERIFY(!catalogue.SelectedSoundPlaying());
    catalogue.StopAllSounds();
    QVERIFY(clock.elapsed() < 1000);
}

void TestHostileMedia::brokenSampleIsRefusedOrPlayable_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("text") << QByteArray("kein Klang");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("RIFF without chunks") << QByteArray("RIFF\x04\x00\x00\x00WAVE", 12);
    QTest::newRow("header promising 2 GB") << LyingWave();
    QTest::newRow("data chunk claiming 3 GB") << GreedyWave();
}

void TestHostileMedia::brokenSampleIsRefusedOrPlayable()
{
    QFETCH(QByteArray, bytes);
    const QString path = m_Dir.filePath("broken.wav");
    QVERIFY(HostileFiles::Write(path, bytes));
    TSoundLayer layer;
    QVERIFY(layer.IsOpen());
    const int index = layer.Add(QStringLiteral("broken"), path);
    // A sample SDL accepts must at least be one the layer can answer for.
    if (index >= 0) {
        QCOMPARE(layer.Count(), 1);
        QVERIFY(layer.LengthMs(index) >= 0);
    } else {
        QCOMPARE(layer.Count(), 0);
    }
    layer.Play(index, false);
    layer.StopAll();
}

void TestHostileMedia::sampleClaimingGigabytesLoadsInLittleMemory()
{
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("the address sanitizer reserves address space of its own");
#endif
    const QString path = m_Dir.filePath("greedy.wav");
    QVERIFY(HostileFiles::Write(path, GreedyWave()));
    TSoundLayer layer;
    rlimit saved{};
    getrlimit(RLIMIT_AS, &saved);
    rlimit tight = saved;
    tight.rlim_cur = AddressSpaceInUse() + 512ULL * 1024 * 1024;
    setrlimit(RLIMIT_AS, &tight);
    const int index = layer.Add(QStringLiteral("greedy"), path);
    setrlimit(RLIMIT_AS, &saved);
    // Its data is cut short, so it is refused before the decoder sees it.
    QCOMPARE(index, -1);
}

namespace {

// A wave of `frames` 16-bit mono frames whose data chunk claims `claimed` bytes.
QByteArray Wave(quint32 claimed, int frames, bool withFormat = true)
{
    QByteArray wave("RIFF");
    const auto le = [&wave](quint32 v, int size) {
        for (int i = 0; i < size; ++i)
            wave.append(static_cast<char>((v >> (8 * i)) & 0xff));
    };
    le(static_cast<quint32>(36 + 2 * frames), 4);
    wave += "WAVE";
    if (withFormat) {
        wave += "fmt ";
        le(16, 4);
        le(1, 2);
        le(1, 2);
        le(22050, 4);
        le(44100, 4);
        le(2, 2);
        le(16, 2);
    }
    wave += "data";
    le(claimed, 4);
    for (int i = 0; i < frames; ++i)
        le(static_cast<quint32>(i % 2 ? 800 : -800), 2);
    return wave;
}

}  // namespace

void TestHostileMedia::waveCutShortIsUnreadable_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("readable");
    QTest::newRow("whole wave") << Wave(2000, 1000) << true;
    QTest::newRow("a second promised, four bytes there") << Wave(44100, 2) << false;
    QTest::newRow("cut in the middle") << Wave(2000, 1000).left(1000) << false;
    QTest::newRow("data without a format") << Wave(2000, 1000, false) << false;
    QTest::newRow("no sample frame") << Wave(0, 0) << false;
    QTest::newRow("header promising 2 GB") << LyingWave() << false;
    QTest::newRow("data chunk claiming 3 GB") << GreedyWave() << false;
}

void TestHostileMedia::waveCutShortIsUnreadable()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, readable);
    const QString path = m_Dir.filePath("cut.wav");
    QVERIFY(HostileFiles::Write(path, bytes));
    TSoundLayer layer;
    QCOMPARE(layer.Add(QStringLiteral("cut"), path) >= 0, readable);
}

QTEST_MAIN(TestHostileMedia)
#include "tst_hostilemedia.moc"
