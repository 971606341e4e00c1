// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Reads back everything the asset generator put beside the program and into
// the window resources, through the loaders the game uses.

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <SDL.h>
#include <SDL_mixer.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <vector>

namespace {

const QString kProgramDir = QStringLiteral(QUINTOR_PROGRAM_DIR);

QString BinPath(const QString &relative) { return kProgramDir + QStringLiteral("/Bin/") + relative; }

// The catalogue names as the game builds them.
QStringList CatalogueNames()
{
    QStringList names;
    const auto two = [](int v) { return QString::asprintf("%2d", v).replace(QLatin1Char(' '), QLatin1Char('0')); };
    for (int n = 1; n <= 5; ++n)
        for (int v = 1; v <= 12; ++v)
            names << QString::number(n) + QStringLiteral("w") + two(v);
    for (const char *family : {"wda0", "wdr0", "wds0", "wka0", "wkr0", "wks0"})
        for (int n = 1; n <= 5; ++n)
            for (int v = 1; v <= 3; ++v)
                names << QString::number(n) + QLatin1String(family) + QString::number(v);
    for (int k = 1; k <= 7; ++k)
        names << QStringLiteral("hit%1").arg(k);
    names << QStringLiteral("strike") << QStringLiteral("KlickDice") << QStringLiteral("choose") << QStringLiteral("cancel")
          << QStringLiteral("hero") << QStringLiteral("False_Game") << QStringLiteral("False_Set") << QStringLiteral("Boni")
          << QStringLiteral("Wait");
    return names;
}

QStringList AllSoundNames()
{
    QStringList names = CatalogueNames();
    names << QStringLiteral("intro");
    return names;
}

QString SoundFile(const QString &name)
{
    return BinPath(name == QLatin1String("intro") ? QStringLiteral("Sounds/intro.WAV") : QStringLiteral("Sounds/") + name + QStringLiteral(".wav"));
}

struct Wave
{
    QString error;
    int format = 0, channels = 0, rate = 0, bits = 0;
    std::vector<std::int16_t> samples;

    [[nodiscard]] double Seconds() const { return rate > 0 ? static_cast<double>(samples.size()) / rate : 0.0; }
    [[nodiscard]] int Peak() const
    {
        int peak = 0;
        for (std::int16_t s : samples)
            peak = std::max(peak, std::abs(static_cast<int>(s)));
        return peak;
    }
    [[nodiscard]] double Rms() const
    {
        double sum = 0.0;
        for (std::int16_t s : samples)
            sum += static_cast<double>(s) * s;
        return samples.empty() ? 0.0 : std::sqrt(sum / samples.size());
    }
};

Wave Broken(const QString &error)
{
    Wave w;
    w.error = error;
    return w;
}

quint32 Little(const QByteArray &b, qsizetype at, int bytes)
{
    quint32 v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | static_cast<quint8>(b.at(at + i));
    return v;
}

// Walks the RIFF chunks rather than trusting a fixed 44-byte header.
Wave ReadWave(const QString &path)
{
    Wave w;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return Broken(QStringLiteral("missing"));
    const QByteArray b = f.readAll();
    if (b.size() < 12 || !b.startsWith("RIFF") || b.mid(8, 4) != "WAVE")
        return Broken(QStringLiteral("not RIFF/WAVE"));
    if (Little(b, 4, 4) + 8 != static_cast<quint32>(b.size()))
        return Broken(QStringLiteral("RIFF size does not match the file"));
    for (qsizetype at = 12; at + 8 <= b.size();) {
        const QByteArray id = b.mid(at, 4);
        const qsizetype size = Little(b, at + 4, 4);
        if (at + 8 + size > b.size())
            return Broken(QStringLiteral("chunk runs past the end"));
        if (id == "fmt ") {
            w.format = static_cast<int>(Little(b, at + 8, 2));
            w.channels = static_cast<int>(Little(b, at + 10, 2));
            w.rate = static_cast<int>(Little(b, at + 12, 4));
            w.bits = static_cast<int>(Little(b, at + 22, 2));
        } else if (id == "data") {
            for (qsizetype i = 0; i + 1 < size; i += 2)
                w.samples.push_back(static_cast<std::int16_t>(Little(b, at + 8 + i, 2)));
        }
        at += 8 + size + (size & 1);
    }
    if (w.samples.empty())
        w.error = QStringLiteral("no samples");
    return w;
}

QByteArray FileHash(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1);
}

// Relative path -> content hash of every file below root.
std::map<QString, QByteArray> Tree(const QString &root)
{
    std::map<QString, QByteArray> tree;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        tree[QDir(root).relativeFilePath(path)] = FileHash(path);
    }
    return tree;
}

QProcess *StartGenerator(const QString &programDir, const QString &resourceDir, QObject *parent)
{
    auto *p = new QProcess(parent);
    p->start(QStringLiteral(QUINTOR_ASSETGEN),
             {QStringLiteral("--program-dir"), programDir, QStringLiteral("--resource-dir"), resourceDir});
    return p;
}

// Key-coloured pixels that cannot be reached from the border through other
// key-coloured pixels lie inside the picture and would be punched out.
int EnclosedKeyPixels(const QImage &image, QRgb key)
{
    const int w = image.width();
    const int h = image.height();
    std::vector<char> seen(static_cast<std::size_t>(w * h), 0);
    std::vector<QPoint> todo;
    const auto isKey = [&](int x, int y) { return (image.pixel(x, y) & 0xFFFFFF) == (key & 0xFFFFFF); };
    for (int x = 0; x < w; ++x)
        todo.insert(todo.end(), {QPoint(x, 0), QPoint(x, h - 1)});
    for (int y = 0; y < h; ++y)
        todo.insert(todo.end(), {QPoint(0, y), QPoint(w - 1, y)});
    while (!todo.empty()) {
        const QPoint p = todo.back();
        todo.pop_back();
        if (p.x() < 0 || p.y() < 0 || p.x() >= w || p.y() >= h)
            continue;
        char &mark = seen[static_cast<std::size_t>(p.y() * w + p.x())];
        if (mark || !isKey(p.x(), p.y()))
            continue;
        mark = 1;
        todo.insert(todo.end(), {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)});
    }
    int enclosed = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            enclosed += isKey(x, y) && !seen[static_cast<std::size_t>(y * w + x)];
    return enclosed;
}

double Coverage(const QImage &image, QRgb key)
{
    int covered = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            covered += (image.pixel(x, y) & 0xFFFFFF) != (key & 0xFFFFFF);
    return static_cast<double>(covered) / (image.width() * image.height());
}

double LuminanceSpread(const QImage &image)
{
    double sum = 0, sq = 0;
    int n = 0;
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7) {
            const double l = qGray(image.pixel(x, y));
            sum += l;
            sq += l * l;
            ++n;
        }
    const double mean = sum / n;
    return std::sqrt(sq / n - mean * mean);
}

} // namespace

class TestAssets : public QObject
{
    Q_OBJECT

private slots:
    void everySampleIsCleanSixteenBitPcm();
    void everySampleLoadsThroughTheMixer();
    void samplesLastAsLongAsTheirMoment_data();
    void samplesLastAsLongAsTheirMoment();
    void moreDiceInTheCupSoundDenser();
    void theTwelveShakesOfACupAllDiffer();
    void eachFiveOfAKindCheersLongerThanTheLast();

    void everyDieLiesOnAUniformKeyThatNeverAppearsInside();
    void variantsOfAFaceAreDifferentViews();
    void backgroundsAreTexturesForAFullHdPlayfield_data();
    void backgroundsAreTexturesForAFullHdPlayfield();
    void printSheetsAreA4AtPrintResolution_data();
    void printSheetsAreA4AtPrintResolution();
    void windowPicturesHaveTheirSizesAndKeys_data();
    void windowPicturesHaveTheirSizesAndKeys();
    void helpHasAPageForEveryContextNumber_data();
    void helpHasAPageForEveryContextNumber();

    void generatorWritesTheSameBytesEveryRun();
    void generatorReportsAFolderItCannotCreate();
};

void TestAssets::everySampleIsCleanSixteenBitPcm()
{
    const QStringList names = AllSoundNames();
    QCOMPARE(names.size(), 167);
    for (const QString &name : names) {
        const Wave w = ReadWave(SoundFile(name));
        QVERIFY2(w.error.isEmpty(), qPrintable(name + QStringLiteral(": ") + w.error));
        QVERIFY2(w.format == 1 && w.bits == 16 && w.channels == 1, qPrintable(name));
        QVERIFY2(w.rate == 22050 || w.rate == 44100, qPrintable(name));
        // Headroom of about 1 dB, so that overlapping copies in the mixer clip less.
        QVERIFY2(w.Peak() < 29500, qPrintable(name + QStringLiteral(" too close to full scale")));
        QVERIFY2(w.Peak() > 3000, qPrintable(name + QStringLiteral(" is (nearly) silent")));
        // Starting or stopping away from zero is heard as a click.
        QVERIFY2(std::abs(w.samples.front()) < 300 && std::abs(w.samples.back()) < 300, qPrintable(name + QStringLiteral(" clicks")));
    }
}

void TestAssets::everySampleLoadsThroughTheMixer()
{
    QVERIFY(SDL_Init(SDL_INIT_AUDIO) == 0);
    QVERIFY(Mix_OpenAudio(22050, AUDIO_S16SYS, 1, 1024) == 0);
    for (const QString &name : AllSoundNames()) {
        Mix_Chunk *chunk = Mix_LoadWAV(qPrintable(SoundFile(name)));
        QVERIFY2(chunk != nullptr && chunk->alen > 0, qPrintable(name + QStringLiteral(": ") + QString::fromUtf8(Mix_GetError())));
        Mix_FreeChunk(chunk);
    }
    Mix_CloseAudio();
    SDL_Quit();
}

void TestAssets::samplesLastAsLongAsTheirMoment_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<double>("shortest");
    QTest::addColumn<double>("longest");
    // The cup shakes and the dice roll exactly as long as these play.
    QTest::newRow("cup shaken") << QStringLiteral("^[1-5]w\\d\\d$") << 0.6 << 1.2;
    QTest::newRow("dice rolling out") << QStringLiteral("^[1-5]w[dk][as]0[1-3]$") << 0.7 << 1.4;
    QTest::newRow("dice dropped into the cup") << QStringLiteral("^[1-5]w[dk]r0[1-3]$") << 0.3 << 0.6;
    QTest::newRow("short feedback") << QStringLiteral("^(KlickDice|choose|strike|False_Game|False_Set)$") << 0.05 << 0.6;
    QTest::newRow("bonus and cancel") << QStringLiteral("^(Boni|cancel)$") << 0.3 << 1.6;
    QTest::newRow("cheers") << QStringLiteral("^hit[1-7]$") << 0.6 << 3.0;
    QTest::newRow("fanfare") << QStringLiteral("^hero$") << 2.0 << 4.0;
    QTest::newRow("waiting") << QStringLiteral("^Wait$") << 4.0 << 15.0;
    // The splash closes at the first tick after the jingle.
    QTest::newRow("jingle") << QStringLiteral("^intro$") << 3.2 << 3.8;
}

void TestAssets::samplesLastAsLongAsTheirMoment()
{
    QFETCH(QString, pattern);
    QFETCH(double, shortest);
    QFETCH(double, longest);
    const QRegularExpression re(pattern);
    int matched = 0;
    for (const QString &name : AllSoundNames()) {
        if (!re.match(name).hasMatch())
            continue;
        ++matched;
        const double seconds = ReadWave(SoundFile(name)).Seconds();
        QVERIFY2(seconds >= shortest && seconds <= longest, qPrintable(QStringLiteral("%1 lasts %2 s").arg(name).arg(seconds)));
    }
    QVERIFY(matched > 0);
}

void TestAssets::moreDiceInTheCupSoundDenser()
{
    const auto meanRms = [](int dice) {
        double sum = 0;
        for (int v = 1; v <= 12; ++v)
            sum += ReadWave(SoundFile(QStringLiteral("%1w%2").arg(dice).arg(v, 2, 10, QLatin1Char('0')))).Rms();
        return sum / 12;
    };
    QVERIFY(meanRms(5) > meanRms(3) * 1.05);
    QVERIFY(meanRms(3) > meanRms(1) * 1.05);
}

void TestAssets::theTwelveShakesOfACupAllDiffer()
{
    for (int n = 1; n <= 5; ++n) {
        QSet<QByteArray> seen;
        for (int v = 1; v <= 12; ++v)
            seen.insert(FileHash(SoundFile(QStringLiteral("%1w%2").arg(n).arg(v, 2, 10, QLatin1Char('0')))));
        QCOMPARE(seen.size(), 12);
    }
}

void TestAssets::eachFiveOfAKindCheersLongerThanTheLast()
{
    double previous = 0;
    for (int k = 1; k <= 7; ++k) {
        const double seconds = ReadWave(SoundFile(QStringLiteral("hit%1").arg(k))).Seconds();
        QVERIFY2(seconds > previous, qPrintable(QStringLiteral("hit%1").arg(k)));
        previous = seconds;
    }
}

void TestAssets::everyDieLiesOnAUniformKeyThatNeverAppearsInside()
{
    for (const char *letter : {"w", "r", "c", "d", "a", "b"})
        for (int pips = 1; pips <= 6; ++pips)
            for (int variant = 0; variant <= 3; ++variant) {
                const QString name = QStringLiteral("%1%2%3.bmp").arg(QLatin1String(letter)).arg(pips).arg(variant);
                const QImage die(BinPath(QStringLiteral("Dices/") + name));
                QVERIFY2(!die.isNull(), qPrintable(name));
                QCOMPARE(die.size(), QSize(64, 64));
                // The game keys out the colour of pixel (0, 0).
                const QRgb key = die.pixel(0, 0);
                for (const QPoint corner : {QPoint(63, 0), QPoint(0, 63), QPoint(63, 63)})
                    QVERIFY2(die.pixel(corner) == key, qPrintable(name + QStringLiteral(" background not uniform")));
                QVERIFY2(EnclosedKeyPixels(die, key) == 0, qPrintable(name + QStringLiteral(" has key-coloured pixels inside")));
                QVERIFY2(Coverage(die, key) > 0.55, qPrintable(name + QStringLiteral(" is too small")));
            }
}

void TestAssets::variantsOfAFaceAreDifferentViews()
{
    for (int pips = 1; pips <= 6; ++pips) {
        QSet<QByteArray> views;
        for (int variant = 0; variant <= 3; ++variant)
            views.insert(FileHash(BinPath(QStringLiteral("Dices/r%1%2.bmp").arg(pips).arg(variant))));
        QCOMPARE(views.size(), 4);
    }
}

void TestAssets::backgroundsAreTexturesForAFullHdPlayfield_data()
{
    QTest::addColumn<QString>("file");
    for (int n = 0; n <= 6; ++n)
        QTest::newRow(qPrintable(QStringLiteral("%1.jpg").arg(n))) << QStringLiteral("Backgrounds/%1.jpg").arg(n);
}

void TestAssets::backgroundsAreTexturesForAFullHdPlayfield()
{
    QFETCH(QString, file);
    const QImage image(BinPath(file));
    QVERIFY(!image.isNull());
    QVERIFY(image.width() >= 1920 && image.height() >= 1080);
    QVERIFY2(LuminanceSpread(image) > 1.5, "a flat colour, not a texture");
}

void TestAssets::printSheetsAreA4AtPrintResolution_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("Standard") << QStringLiteral("Druckvorlage.jpg");
    QTest::newRow("Hammer") << QStringLiteral("Druckvorlage1.jpg");
    QTest::newRow("Super - Hammer") << QStringLiteral("Druckvorlage2.jpg");
}

void TestAssets::printSheetsAreA4AtPrintResolution()
{
    QFETCH(QString, file);
    const QImage sheet(BinPath(file));
    QVERIFY(!sheet.isNull());
    const int shortSide = std::min(sheet.width(), sheet.height());
    const int longSide = std::max(sheet.width(), sheet.height());
    QVERIFY2(shortSide >= 2400, "below 290 dpi on A4");
    QVERIFY(std::abs(static_cast<double>(longSide) / shortSide - std::sqrt(2.0)) < 0.01);
}

void TestAssets::windowPicturesHaveTheirSizesAndKeys_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("key");  // -1: no key colour, the picture has alpha
    QTest::newRow("small cup") << QStringLiteral("cup_small.png") << QSize(48, 48) << int(0xFF00DC);
    QTest::newRow("large cup") << QStringLiteral("cup_large.png") << QSize(64, 64) << int(0xFF00FF);
    const int markKeys[] = {0xFF00DC, 0xFF00DC, 0xFFFFFF, 0xFFFFFF, 0x000000};
    for (int m = 0; m < 5; ++m)
        QTest::newRow(qPrintable(QStringLiteral("hold mark %1").arg(m)))
            << QStringLiteral("holdmark%1.png").arg(m) << (m < 4 ? QSize(64, 64) : QSize(48, 48)) << markKeys[m];
    for (int i = 0; i < 6; ++i)
        QTest::newRow(qPrintable(QStringLiteral("sound icon %1").arg(i))) << QStringLiteral("soundicon%1.png").arg(i) << QSize(16, 16) << -1;
    for (int p = 1; p <= 6; ++p) {
        QTest::newRow(qPrintable(QStringLiteral("thumb %1").arg(p))) << QStringLiteral("thumb%1.png").arg(p) << QSize(13, 13) << -1;
        QTest::newRow(qPrintable(QStringLiteral("count %1").arg(p))) << QStringLiteral("count%1.png").arg(p) << QSize(13, 13) << -1;
    }
    for (int c = 0; c < 6; ++c)
        QTest::newRow(qPrintable(QStringLiteral("dice colour %1").arg(c))) << QStringLiteral("dicecolor%1.png").arg(c) << QSize(64, 64) << -1;
    QTest::newRow("splash die") << QStringLiteral("splash_die.png") << QSize(64, 64) << -1;
    QTest::newRow("clover") << QStringLiteral("clover.png") << QSize(64, 64) << -1;
    QTest::newRow("report") << QStringLiteral("report.png") << QSize(16, 16) << -1;
    QTest::newRow("sheet") << QStringLiteral("sheet.png") << QSize(16, 16) << -1;
    for (const int size : {16, 32, 48, 64, 128})
        QTest::newRow(qPrintable(QStringLiteral("icon %1").arg(size))) << QStringLiteral("icon%1.png").arg(size) << QSize(size, size) << -1;
    QTest::newRow("give up") << QStringLiteral("delete_enabled.png") << QSize() << -1;
    QTest::newRow("current player") << QStringLiteral("current_player.png") << QSize() << -1;
    QTest::newRow("question") << QStringLiteral("question.png") << QSize() << -1;
    QTest::newRow("info") << QStringLiteral("info.png") << QSize() << -1;
    QTest::newRow("splash") << QStringLiteral("splash.jpg") << QSize() << -1;
}

void TestAssets::windowPicturesHaveTheirSizesAndKeys()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QFETCH(int, key);
    const QImage image(QStringLiteral(":/images/") + name);
    QVERIFY2(!image.isNull(), "not compiled into the resources");
    if (size.isValid())
        QCOMPARE(image.size(), size);
    else
        QVERIFY(image.width() >= 13 && image.height() >= 13);
    if (key < 0) {
        QVERIFY2(image.hasAlphaChannel() || name.endsWith(QLatin1String(".jpg")), "no transparent surroundings");
        return;
    }
    const QRgb keyRgb = static_cast<QRgb>(key);
    QCOMPARE(image.pixel(0, 0) & 0xFFFFFF, keyRgb);
    QCOMPARE(EnclosedKeyPixels(image, keyRgb), 0);
    QVERIFY(Coverage(image, keyRgb) > 0.3);
}

void TestAssets::helpHasAPageForEveryContextNumber_data()
{
    QTest::addColumn<int>("context");
    for (int n : {20100, 20200, 20400, 20500, 30100, 30200, 30300, 30400, 30500, 40100, 40200, 40300, 41020, 41030, 41040})
        QTest::newRow(qPrintable(QString::number(n))) << n;
}

void TestAssets::helpHasAPageForEveryContextNumber()
{
    QFETCH(int, context);
    const QString page = QStringLiteral("%1.html").arg(context);
    QFile file(kProgramDir + QStringLiteral("/Quintor.help/") + page);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    QVERIFY(html.contains(QLatin1String("<title>")) && html.contains(QLatin1String("<p>")));
    QFile index(kProgramDir + QStringLiteral("/Quintor.help/index.html"));
    QVERIFY(index.open(QIODevice::ReadOnly));
    QVERIFY2(index.readAll().contains(page.toUtf8()), "not listed in the contents");
}

void TestAssets::generatorWritesTheSameBytesEveryRun()
{
    QTemporaryDir first, second;
    QVERIFY(first.isValid() && second.isValid());
    QProcess *a = StartGenerator(first.path(), first.filePath(QStringLiteral("res")), this);
    QProcess *b = StartGenerator(second.path(), second.filePath(QStringLiteral("res")), this);
    for (QProcess *p : {a, b}) {
        QVERIFY(p->waitForFinished(120000));
        QCOMPARE(p->exitStatus(), QProcess::NormalExit);
        QCOMPARE(p->exitCode(), 0);
    }
    const auto one = Tree(first.path());
    QCOMPARE(one.size(), std::size_t(167 + 144 + 7 + 3 + 45));
    QVERIFY(one == Tree(second.path()));
    // The build tree came from the same generator and must match as well.
    for (const auto &[path, hash] : one)
        if (path.startsWith(QLatin1String("Bin/")))
            QVERIFY2(FileHash(kProgramDir + QLatin1Char('/') + path) == hash, qPrintable(path));
}

void TestAssets::generatorReportsAFolderItCannotCreate()
{
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("file")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QProcess *p = StartGenerator(blocker.fileName() + QStringLiteral("/below"), dir.filePath(QStringLiteral("res")), this);
    QVERIFY(p->waitForFinished(60000));
    QCOMPARE(p->exitStatus(), QProcess::NormalExit);
    QCOMPARE(p->exitCode(), 1);
    QVERIFY(QString::fromUtf8(p->readAllStandardError()).contains(QLatin1String("kann nicht angelegt werden")));
}

QTEST_GUILESS_MAIN(TestAssets)
#include "tst_assets.moc"
