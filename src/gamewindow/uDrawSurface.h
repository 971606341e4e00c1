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
    [[nodiscard]] bool TimerEnabled() const { return m_Timer.isActive(); }
    [[nodiscard]] int TimerInterval() const { return m_Timer.interval(); }

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
    [[nodiscard]] int RefreshInterval() const;

    QImage m_Buffer;
    QPainter m_Painter;
    QTimer m_Timer;
};
