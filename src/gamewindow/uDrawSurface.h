// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QPainter>
#include <QTimer>
#include <QWidget>

class TPictureList;

// The playfield's drawing surface: a raster widget with a back buffer of its
// own size. Draw operations paint into the back buffer; Flip presents it.
// Angles are in 1/256 of a full turn (clockwise on screen), opacity 0..255.
// When each frame is due: one period after the previous one was due, not
// after it ran, so that the frames keep the screen's rate (16.67 ms at 60 Hz)
// instead of the whole milliseconds of a timer interval, which lose a frame
// every second against the screen. Times in ns of a monotonic clock.
class TFrameClock {
public:
    void Start(qint64 nowNs, qint64 periodNs) noexcept;
    // After a frame at `nowNs`: the whole milliseconds to wait for the next.
    // A frame late by more than a period starts the count afresh instead of
    // hurrying frames after it.
    [[nodiscard]] int Next(qint64 nowNs) noexcept;
    [[nodiscard]] qint64 PeriodNs() const noexcept { return m_Period; }

private:
    qint64 m_Period = 16'666'667;
    qint64 m_Due = 0;
};

class TDrawSurface : public QWidget {
    Q_OBJECT
public:
    explicit TDrawSurface(QWidget *parent = nullptr);
    ~TDrawSurface() override;

    [[nodiscard]] int SurfaceWidth() const noexcept { return width(); }
    [[nodiscard]] int SurfaceHeight() const noexcept { return height(); }

    // Item `index` of `list` unscaled with its top left corner at x, y.
    // A missing item or a pattern other than 0 draws nothing.
    void Draw(const TPictureList &list, int index, int x, int y, int pattern);
    // The item scaled to w x h and turned by `angle` so that its relative
    // point (cx, cy), each 0..1, lands on x, y. A draw that covers the whole
    // surface unturned replaces the frame, keyed pixels becoming black.
    void DrawRotate(const TPictureList &list, int index, int x, int y, int w, int h,
                    int pattern, double cx, double cy, int angle);
    // As DrawRotate, blended with opacity `alpha` (255 opaque).
    void DrawRotateAlpha(const TPictureList &list, int index, int x, int y, int w, int h,
                         int pattern, double cx, double cy, int angle, int alpha);
    // Presents the finished frame.
    void Flip();

    // The back buffer, as the next Flip will show it.
    [[nodiscard]] const QImage &Frame();

    // The frame timer: emits Timer() at the screen's refresh rate (60 Hz when
    // the screen does not tell) while enabled.
    void SetTimerEnabled(bool enabled);
    [[nodiscard]] bool TimerEnabled() const { return m_TimerEnabled; }
    // The frame period in whole milliseconds, rounded.
    [[nodiscard]] int TimerInterval() const;

signals:
    void Timer();
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    // The painter on a back buffer of the widget's size; false when empty.
    bool BeginDraw();
    void DrawImage(const QImage &image, int x, int y, int w, int h, double cx, double cy,
                   int angle, int alpha);
    [[nodiscard]] qint64 RefreshPeriodNs() const;
    void Tick();

    QImage m_Buffer;
    QPainter m_Painter;
    QTimer m_Timer;
    TFrameClock m_Clock;
    bool m_TimerEnabled = false;
};
