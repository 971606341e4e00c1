// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gamewindow/uDrawSurface.h"
#include "gamewindow/uPictureList.h"

#include <QtTest>

namespace {

constexpr QRgb Red = 0xffff0000u;
constexpr QRgb Blue = 0xff0000ffu;
constexpr QRgb Black = 0xff000000u;
constexpr QRgb Magenta = 0xffff00ffu;

// 20 x 10: left half red, right half blue.
QImage HalfAndHalf()
{
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(Blue);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            picture.setPixel(x, y, Red);
    return picture;
}

QImage Filled(QSize size, QRgb colour)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

QRgb At(TDrawSurface &surface, QPoint p)
{
    return surface.Frame().pixel(p) | 0xff000000u;
}

}  // namespace

class TestDrawSurface : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_Surface = std::make_unique<TDrawSurface>();
        m_Surface->resize(100, 100);
        m_List = TPictureList();
        m_List.SetCount(3);
        m_List.SetPicture(0, HalfAndHalf(), std::nullopt);
    }

    void keyColourBecomesTransparent()
    {
        QImage picture = Filled(QSize(4, 4), Red);
        picture.setPixel(2, 2, Magenta);
        picture.setPixel(0, 0, Magenta);
        m_List.SetPicture(1, picture, TPictureList::CornerColor(picture));
        const QImage &keyed = *m_List.Picture(1);
        QCOMPARE(qAlpha(keyed.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(keyed.pixel(2, 2)), 0);
        QCOMPARE(keyed.pixel(1, 1), Red);

        m_Surface->DrawRotate(m_List, 2, 0, 0, 100, 100, 0, 0, 0, 0);  // empty item
        m_List.SetPicture(2, Filled(QSize(100, 100), Blue), std::nullopt);
        m_Surface->DrawRotate(m_List, 2, 0, 0, 100, 100, 0, 0, 0, 0);
        m_Surface->Draw(m_List, 1, 10, 10, 0);
        QCOMPARE(At(*m_Surface, {12, 12}), Blue);  // keyed pixel shows what lies below
        QCOMPARE(At(*m_Surface, {11, 11}), Red);
    }

    void patternOtherThanZeroOrMissingItemDrawsNothing_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("pattern");
        QTest::newRow("pattern 255 (all dice held)") << 0 << 255;
        QTest::newRow("pattern 1") << 0 << 1;
        QTest::newRow("empty item") << 1 << 0;
        QTest::newRow("index past the list") << 7 << 0;
        QTest::newRow("negative index") << -1 << 0;
    }
    void patternOtherThanZeroOrMissingItemDrawsNothing()
    {
        QFETCH(int, index);
        QFETCH(int, pattern);
        m_Surface->Draw(m_List, index, 0, 0, pattern);
        m_Surface->DrawRotateAlpha(m_List, index, 50, 50, 40, 40, pattern, 0.5, 0.5, 30, 255);
        QCOMPARE(At(*m_Surface, {5, 5}), Black);
        QCOMPARE(At(*m_Surface, {50, 50}), Black);
    }

    // The picture's relative point (cx, cy) lands on X, Y; angle counts 1/256
    // turns clockwise. Probes sit inside a half, away from blurred edges.
    void rotatePlacesRelativePointAndTurns_data()
    {
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::addColumn<double>("cx");
        QTest::addColumn<double>("cy");
        QTest::addColumn<int>("angle");
        QTest::addColumn<QPoint>("red");
        QTest::addColumn<QPoint>("blue");
        QTest::addColumn<QPoint>("empty");
        QTest::newRow("unturned, corner on 50,50") << 20 << 10 << 0.0 << 0.0 << 0
                                                   << QPoint(52, 55) << QPoint(67, 55) << QPoint(48, 55);
        QTest::newRow("unturned, centre on 50,50") << 20 << 10 << 0.5 << 0.5 << 0
                                                   << QPoint(42, 50) << QPoint(57, 50) << QPoint(50, 57);
        QTest::newRow("scaled to 40 x 20") << 40 << 20 << 0.0 << 0.0 << 0
                                           << QPoint(60, 60) << QPoint(85, 60) << QPoint(50, 72);
        QTest::newRow("quarter turn about the corner") << 20 << 10 << 0.0 << 0.0 << 64
                                                       << QPoint(45, 55) << QPoint(45, 65) << QPoint(55, 55);
        QTest::newRow("half turn about the centre") << 20 << 10 << 0.5 << 0.5 << 128
                                                    << QPoint(57, 50) << QPoint(42, 50) << QPoint(50, 57);
        QTest::newRow("angle 256 is a full turn") << 20 << 10 << 0.0 << 0.0 << 256
                                                  << QPoint(52, 55) << QPoint(67, 55) << QPoint(48, 55);
    }
    void rotatePlacesRelativePointAndTurns()
    {
        QFETCH(int, w);
        QFETCH(int, h);
        QFETCH(double, cx);
        QFETCH(double, cy);
        QFETCH(int, angle);
        QFETCH(QPoint, red);
        QFETCH(QPoint, blue);
        QFETCH(QPoint, empty);
        m_Surface->DrawRotate(m_List, 0, 50, 50, w, h, 0, cx, cy, angle);
        QCOMPARE(At(*m_Surface, red), Red);
        QCOMPARE(At(*m_Surface, blue), Blue);
        QCOMPARE(At(*m_Surface, empty), Black);
    }

    void alphaBlendsOverWhatLiesBelow_data()
    {
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("alpha");
        QTest::addColumn<int>("expectedRed");
        QTest::newRow("opaque") << 0 << 255 << 255;
        QTest::newRow("held die opacity 190") << 0 << 190 << 190;
        QTest::newRow("half, turned") << 64 << 128 << 128;
        QTest::newRow("invisible") << 0 << 0 << 0;
    }
    void alphaBlendsOverWhatLiesBelow()
    {
        QFETCH(int, angle);
        QFETCH(int, alpha);
        QFETCH(int, expectedRed);
        m_List.SetPicture(1, Filled(QSize(30, 30), Red), std::nullopt);
        m_Surface->DrawRotateAlpha(m_List, 1, 50, 50, 30, 30, 0, 0.5, 0.5, angle, alpha);
        const QRgb centre = At(*m_Surface, {50, 50});
        QVERIFY2(std::abs(qRed(centre) - expectedRed) <= 2, qPrintable(QString::number(qRed(centre))));
        QCOMPARE(qGreen(centre), 0);
    }

    // A background drawn over the whole surface replaces the last frame: its
    // keyed pixels must not let the dice of the previous frame show through.
    void fullSurfacePictureReplacesTheFrame()
    {
        QImage background = Filled(QSize(50, 50), Blue);
        background.setPixel(0, 0, Magenta);
        m_List.SetPicture(1, background, Magenta);
        m_List.SetPicture(2, Filled(QSize(100, 100), Red), std::nullopt);
        m_Surface->Draw(m_List, 2, 0, 0, 0);
        m_Surface->DrawRotate(m_List, 1, 0, 0, 100, 100, 0, 0, 0, 0);
        QCOMPARE(At(*m_Surface, {0, 0}), Black);
        QCOMPARE(At(*m_Surface, {60, 60}), Blue);
    }

    void surfaceFollowsTheWidgetSize()
    {
        m_Surface->resize(64, 48);
        QCOMPARE(m_Surface->SurfaceWidth(), 64);
        QCOMPARE(m_Surface->SurfaceHeight(), 48);
        m_Surface->Draw(m_List, 0, 50, 40, 0);
        QCOMPARE(m_Surface->Frame().size(), QSize(64, 48));
        QCOMPARE(At(*m_Surface, {52, 45}), Red);
    }

    void flipPresentsTheFinishedFrame()
    {
        m_Surface->DrawRotate(m_List, 0, 0, 0, 100, 100, 0, 0, 0, 0);
        m_Surface->Flip();
        const QImage shown = m_Surface->grab().toImage();
        QCOMPARE(shown.pixel(20, 50) | 0xff000000u, Red);
        QCOMPARE(shown.pixel(80, 50) | 0xff000000u, Blue);
    }

    // Animation is counted in frames, so the timer must run near the display's
    // rate, never at the 1 ms the interval once asked for.
    void frameTimerRunsAtTheScreenRate()
    {
        m_Surface->SetTimerEnabled(true);
        QVERIFY(m_Surface->TimerEnabled());
        QVERIFY2(m_Surface->TimerInterval() >= 4 && m_Surface->TimerInterval() <= 42,
                 qPrintable(QString::number(m_Surface->TimerInterval())));
        m_Surface->SetTimerEnabled(false);
        QVERIFY(!m_Surface->TimerEnabled());
    }

    // Frames due at a fixed rate: whole-millisecond waits that add up to the
    // screen's period, a late frame shortens the next wait, and a stall is
    // followed by one frame at once, not by a burst of catch-up frames.
    void frameClockKeepsTheScreenRate()
    {
        constexpr qint64 Ms = 1'000'000;
        TFrameClock clock;
        qint64 now = 5'000 * Ms;
        clock.Start(now, 16'666'667);
        now += 16'666'667;
        qint64 waited = 0;
        for (int frame = 0; frame < 60; ++frame) {
            const int wait = clock.Next(now);
            QVERIFY2(wait == 16 || wait == 17, qPrintable(QString::number(wait)));
            waited += wait;
            now += wait * Ms;
        }
        QVERIFY2(qAbs(waited - 1000) <= 1, qPrintable(QString::number(waited)));

        now += 5 * Ms;  // this frame ran late
        QVERIFY(clock.Next(now) <= 12);

        clock.Start(now, 16'666'667);
        now += 116 * Ms;  // the machine stalled for six frames
        QCOMPARE(clock.Next(now), 0);
        const int after = clock.Next(now);
        QVERIFY2(after >= 16 && after <= 17, qPrintable(QString::number(after)));
    }

private:
    std::unique_ptr<TDrawSurface> m_Surface;
    TPictureList m_List;
};

QTEST_MAIN(TestDrawSurface)
#include "tst_DrawSurface.moc"
