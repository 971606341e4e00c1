// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gamewindow/uDrawSurface.h"

#include "gamewindow/uPictureList.h"

#include <QMouseEvent>
#include <QScreen>

#include <algorithm>
#include <chrono>
#include <cmath>

namespace {

qint64 MonotonicNow()
{
    using namespace std::chrono;
    return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

TDrawSurface::TDrawSurface(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    m_Timer.setTimerType(Qt::PreciseTimer);
    m_Timer.setSingleShot(true);
    connect(&m_Timer, &QTimer::timeout, this, &TDrawSurface::Tick);
}

TDrawSurface::~TDrawSurface()
{
    if (m_Painter.isActive())
        m_Painter.end();
}

bool TDrawSurface::BeginDraw()
{
    if (m_Buffer.size() == size() && m_Painter.isActive())
        return true;
    if (m_Painter.isActive())
        m_Painter.end();
    if (size().isEmpty()) {
        m_Buffer = QImage();
        return false;
    }
    m_Buffer = QImage(size(), QImage::Format_RGB32);
    m_Buffer.fill(Qt::black);
    m_Painter.begin(&m_Buffer);
    m_Painter.setRenderHint(QPainter::SmoothPixmapTransform);
    return true;
}

void TDrawSurface::Draw(const TPictureList &list, int index, int x, int y, int pattern)
{
    const QImage *picture = list.Picture(index, pattern);
    if (!picture || !BeginDraw())
        return;
    m_Painter.drawImage(x, y, *picture);
}

void TDrawSurface::DrawRotate(const TPictureList &list, int index, int x, int y, int w, int h,
                              int pattern, double cx, double cy, int angle)
{
    DrawRotateAlpha(list, index, x, y, w, h, pattern, cx, cy, angle, 255);
}

void TDrawSurface::DrawRotateAlpha(const TPictureList &list, int index, int x, int y, int w,
                                   int h, int pattern, double cx, double cy, int angle,
                                   int alpha)
{
    if (w <= 0 || h <= 0 || alpha <= 0 || !list.Picture(index, pattern) || !BeginDraw())
        return;
    angle %= 256;
    if (angle != 0) {
        DrawImage(*list.Picture(index), x, y, w, h, cx, cy, angle, alpha);
        return;
    }
    // Unturned pictures come from a copy scaled once per size, so that a
    // frame only copies pixels.
    const int left = x - static_cast<int>(cx * w);
    const int top = y - static_cast<int>(cy * h);
    const bool coversSurface = left <= 0 && top <= 0 && left + w >= width()
                               && top + h >= height() && alpha >= 255;
    const QImage *scaled = list.ScaledPicture(index, QSize(w, h), coversSurface);
    if (!scaled)
        return;
    if (alpha < 255)
        m_Painter.setOpacity(alpha / 255.0);
    m_Painter.drawImage(left, top, *scaled);
    if (alpha < 255)
        m_Painter.setOpacity(1.0);
}

void TDrawSurface::DrawImage(const QImage &image, int x, int y, int w, int h, double cx,
                             double cy, int angle, int alpha)
{
    QTransform turn;
    turn.translate(x, y);
    turn.rotate(angle * 360.0 / 256.0);
    m_Painter.setTransform(turn);
    if (alpha < 255)
        m_Painter.setOpacity(alpha / 255.0);
    m_Painter.drawImage(QRectF(-cx * w, -cy * h, w, h), image);
    m_Painter.resetTransform();
    if (alpha < 255)
        m_Painter.setOpacity(1.0);
}

void TDrawSurface::Flip()
{
    update();
}

const QImage &TDrawSurface::Frame()
{
    BeginDraw();
    return m_Buffer;
}

void TDrawSurface::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_Buffer.isNull())
        painter.fillRect(rect(), Qt::black);
    else
        painter.drawImage(0, 0, m_Buffer);
}

void TDrawSurface::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    BeginDraw();
}

void TDrawSurface::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    emit MouseDown(event->button(), event->modifiers(), at.x(), at.y());
}

void TFrameClock::Start(qint64 nowNs, qint64 periodNs) noexcept
{
    m_Period = std::max<qint64>(periodNs, 1'000'000);
    m_Due = nowNs + m_Period;
}

int TFrameClock::Next(qint64 nowNs) noexcept
{
    m_Due += m_Period;
    if (m_Due + m_Period <= nowNs)
        m_Due = nowNs;
    const qint64 wait = std::max<qint64>(m_Due - nowNs, 0);
    return static_cast<int>((wait + 500'000) / 1'000'000);
}

qint64 TDrawSurface::RefreshPeriodNs() const
{
    const QScreen *shown = screen();
    double rate = shown ? shown->refreshRate() : 0.0;
    if (!std::isfinite(rate) || rate < 1.0)
        rate = 60.0;
    return static_cast<qint64>(std::llround(1e9 / rate));
}

int TDrawSurface::TimerInterval() const
{
    return static_cast<int>((m_Clock.PeriodNs() + 500'000) / 1'000'000);
}

void TDrawSurface::SetTimerEnabled(bool enabled)
{
    if (enabled == m_TimerEnabled)
        return;
    m_TimerEnabled = enabled;
    if (!enabled) {
        m_Timer.stop();
        return;
    }
    m_Clock.Start(MonotonicNow(), RefreshPeriodNs());
    m_Timer.start(TimerInterval());
}

void TDrawSurface::Tick()
{
    emit Timer();
    // A frame may have switched the timer off (the game ended).
    if (m_TimerEnabled)
        m_Timer.start(m_Clock.Next(MonotonicNow()));
}
