// Rough timing of the media layer: one playfield frame and the window's
// loading. Not a test; run by hand:
//   bench_Media [Bin folder [picture.png]]   (without a folder, fixture
//   assets are written; with a picture, one frame of the real pictures is
//   saved there to look at)
#include "MediaFixtures.h"

#include "gamewindow/uDesigns.h"
#include "gamewindow/uDrawSurface.h"
#include "gamewindow/uSoundCatalogue.h"
#include "play/uRandom.h"
#include "storage/uTMainApplication.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <ctime>

// Counts the allocations of this thread while g_Counting is set.
extern "C" void *__libc_malloc(std::size_t);
extern "C" void *__libc_calloc(std::size_t, std::size_t);
extern "C" void *__libc_realloc(void *, std::size_t);
namespace {
thread_local bool g_Counting = false;
thread_local long g_Allocations = 0;
}  // namespace
extern "C" void *malloc(std::size_t n)
{
    if (g_Counting)
        ++g_Allocations;
    return __libc_malloc(n);
}
extern "C" void *calloc(std::size_t n, std::size_t m)
{
    if (g_Counting)
        ++g_Allocations;
    return __libc_calloc(n, m);
}
extern "C" void *realloc(void *p, std::size_t n)
{
    if (g_Counting)
        ++g_Allocations;
    return __libc_realloc(p, n);
}

namespace {

// CPU milliseconds of the whole process or of this thread: the machine is
// shared, so wall time says little.
double CpuMs(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

QImage Die(int pips)
{
    QImage picture(64, 64, QImage::Format_RGB32);
    picture.fill(qRgb(255, 0, 220));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(4, 4, 56, 56, 10, 10);
    painter.setBrush(Qt::black);
    for (int i = 0; i < pips; ++i)
        painter.drawEllipse(10 + (i % 3) * 16, 14 + (i / 3) * 24, 10, 10);
    return picture;
}

void WriteAssets(const QString &bin)
{
    QDir().mkpath(bin + "/Sounds");
    QDir().mkpath(bin + "/Dices");
    QDir().mkpath(bin + "/Backgrounds");
    for (const QString &name : TSoundCatalogue::Names())
        MediaFixtures::WriteWave(bin + "/Sounds/" + name + ".wav", 700);
    for (const char letter : {'w', 'r', 'c', 'd', 'a', 'b'})
        for (int f = 1; f <= 6; ++f)
            for (int v = 0; v < 4; ++v)
                Die(f).save(QStringLiteral("%1/Dices/%2%3%4.bmp").arg(bin).arg(letter).arg(f).arg(v));
    for (int n = 0; n < 7; ++n) {
        QImage background(1920, 1080, QImage::Format_RGB32);
        QPainter painter(&background);
        painter.fillRect(background.rect(), QLinearGradient(0, 0, 1920, 1080));
        QLinearGradient gradient(0, 0, 1920, 1080);
        gradient.setColorAt(0, QColor::fromHsv(n * 50, 200, 120));
        gradient.setColorAt(1, QColor::fromHsv(n * 50 + 20, 150, 60));
        painter.fillRect(background.rect(), gradient);
        painter.end();
        background.save(QStringLiteral("%1/Backgrounds/%2.jpg").arg(bin).arg(n), "JPG", 85);
    }
}

struct TFrameLoad {
    TDesigns Designs;
    TPictureList Cups;
    TPictureList Marks;
};

// Background, three cups, three rolling dice and two held ones with marks.
void DrawFrame(TDrawSurface &surface, TFrameLoad &load, int frame)
{
    const int w = surface.SurfaceWidth();
    const int h = surface.SurfaceHeight();
    surface.DrawRotate(load.Designs.Backgrounds(), 0, 0, 0, w, h, 0, 0, 0, 0);
    const TPictureList &dice = load.Designs.DiceSet(0);
    for (int held = 0; held < 2; ++held) {
        const int x = 150 + held * 80;
        surface.DrawRotateAlpha(load.Marks, 1, x, 200, 63, 63, 0, 0.5, 0.5, frame, 255);
        surface.DrawRotateAlpha(dice, held * 4, x, 200, 63, 63, 0, 0.5, 0.5, 0, dice.Tag());
    }
    for (int k = 0; k < 3; ++k)
        surface.Draw(load.Cups, 0, 13 + 41 * k, h - 58, 0);
    for (int die = 0; die < 3; ++die)
        surface.DrawRotateAlpha(dice, (die * 5 + frame) % 24, 300 + die * 70, 300, 63, 63, 0,
                                0.5, 0.5, Random(360), 255);
    surface.Flip();
}

void BenchFrame(TFrameLoad &load, QSize size)
{
    TDrawSurface surface;
    surface.resize(size);
    // Warm up until every dice picture has met angle 0 and has its scaled copy.
    for (int i = 0; i < 5000; ++i)
        DrawFrame(surface, load, i);
    constexpr int frames = 2000;
    QElapsedTimer clock;
    g_Allocations = 0;
    g_Counting = true;
    clock.start();
    const double cpu = CpuMs(CLOCK_THREAD_CPUTIME_ID);
    for (int i = 0; i < frames; ++i)
        DrawFrame(surface, load, i);
    const double cpuMs = CpuMs(CLOCK_THREAD_CPUTIME_ID) - cpu;
    const qint64 ns = clock.nsecsElapsed();
    g_Counting = false;
    std::printf("frame %dx%d: %.3f ms CPU (%.3f ms wall), %.2f allocations per frame\n",
                size.width(), size.height(), cpuMs / frames, ns / 1e6 / frames,
                static_cast<double>(g_Allocations) / frames);
}

// One frame as the playfield draws it, with the program's own cups and marks.
void SaveFrame(TFrameLoad &load, const QString &file)
{
    load.Designs.LoadFixedPictures();
    TDrawSurface surface;
    surface.resize(560, 480);
    const int w = surface.SurfaceWidth();
    const int h = surface.SurfaceHeight();
    surface.DrawRotate(load.Designs.Backgrounds(), 2, 0, 0, w, h, 0, 0, 0, 0);
    const TPictureList &red = load.Designs.DiceSet(1);
    surface.DrawRotateAlpha(load.Designs.HoldMarks(), 1, 150, 150, 63, 63, 0, 0.5, 0.5, 20, 255);
    surface.DrawRotateAlpha(red, 5 * 4, 150, 150, 63, 63, 0, 0.5, 0.5, 0, red.Tag());
    for (int k = 0; k < 2; ++k)
        surface.Draw(load.Designs.Cups(), 0, 13 + 41 * k, h - 58, 0);
    surface.DrawRotateAlpha(load.Designs.Cups(), 1, w / 2, h / 2, 128, 128, 0, 0.5, 0.5, 16, 255);
    for (int die = 0; die < 3; ++die)
        surface.DrawRotateAlpha(red, die * 4 + 1, 300 + die * 70, 380, 63, 63, 0, 0.5, 0.5,
                                die * 30, 255);
    surface.Flip();
    surface.grab().save(file);
}

}  // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir scratch;
    QString bin = argc > 1 ? QString::fromLocal8Bit(argv[1]) : scratch.path() + "/Bin";
    if (argc <= 1)
        WriteAssets(bin);

    TMainApplication settings;
    TFrameLoad load;
    // The window's order: pictures, samples; ready once the backgrounds
    // decoded aside are in.
    QElapsedTimer clock;
    clock.start();
    const double cpu = CpuMs(CLOCK_PROCESS_CPUTIME_ID);
    load.Designs.LoadBackgrounds(bin + "/Backgrounds/", {});
    load.Designs.LoadDiceImages(bin + "/Dices/");
    load.Designs.LoadFixedPictures();
    const qint64 pictures = clock.elapsed();
    TSoundCatalogue catalogue(settings);
    int missing = 0;
    catalogue.LoadSounds(bin + "/Sounds/", [&](const QString &) { ++missing; });
    const qint64 sounds = clock.elapsed() - pictures;
    const int backgrounds = load.Designs.Backgrounds().Count();
    std::printf("load: %lld ms wall, %.0f ms CPU of all threads (pictures %lld ms, samples %lld ms,"
                " then %lld ms for the last backgrounds); %d backgrounds, %d samples, %d missing\n",
                clock.elapsed(), CpuMs(CLOCK_PROCESS_CPUTIME_ID) - cpu, pictures, sounds,
                clock.elapsed() - pictures - sounds, backgrounds, catalogue.Layer().Count(), missing);
    {
        // The next game of the same program run finds its pictures made.
        TDesigns again;
        const double before = CpuMs(CLOCK_PROCESS_CPUTIME_ID);
        again.LoadBackgrounds(bin + "/Backgrounds/", {});
        again.LoadDiceImages(bin + "/Dices/");
        (void)again.Backgrounds();
        std::printf("load again: pictures %.0f ms CPU\n", CpuMs(CLOCK_PROCESS_CPUTIME_ID) - before);
    }
    load.Cups.SetCount(1);
    load.Cups.SetPicture(0, Die(1).scaled(48, 48), qRgb(255, 0, 220));
    load.Marks.SetCount(2);
    load.Marks.SetPicture(1, Die(6), qRgb(255, 0, 220));
    BenchFrame(load, QSize(900, 600));
    BenchFrame(load, QSize(1920, 1080));
    if (argc > 2)
        SaveFrame(load, QString::fromLocal8Bit(argv[2]));
    return 0;
}
