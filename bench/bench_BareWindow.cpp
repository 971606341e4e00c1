// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The floors the program is measured against, built with the same flags:
//   bench_BareWindow             one empty window of the main window's size
//                                and nothing else (start-up and memory)
//   bench_BareWindow text        the same window showing one line of text
//                                in the desktop's font: what the font set-up
//                                costs any window that shows text
//   bench_BareWindow frames N    the same window drawing N frames as the
//                                playfield does (a picture copied into a
//                                buffer on a precise timer at the screen's
//                                rate, then painted); prints the gap before
//                                every painted frame in ms, one per line
#include "uClocks.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

class TFrameLoop : public QWidget {
public:
    explicit TFrameLoop(int frames)
        : m_Frames(frames)
        , m_Background(370, 491, QImage::Format_RGB32)
        , m_Buffer(m_Background.size(), QImage::Format_RGB32)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        for (int y = 0; y < m_Background.height(); ++y)
            for (int x = 0; x < m_Background.width(); ++x)
                m_Background.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
        m_Timer.setTimerType(Qt::PreciseTimer);
        const double rate = screen() && screen()->refreshRate() >= 1 ? screen()->refreshRate() : 60.0;
        m_Timer.setInterval(static_cast<int>(std::lround(1000.0 / rate)));
        connect(&m_Timer, &QTimer::timeout, this, [this] { Frame(); });
        m_Timer.start();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter(this).drawImage(0, 0, m_Buffer);
        if (!m_Drawn)
            return;
        m_Drawn = false;
        const std::int64_t now = MonotonicNs();
        if (m_Last != 0)
            m_Gaps.push_back(static_cast<double>(now - m_Last) / 1e6);
        m_Last = now;
        if (static_cast<int>(m_Gaps.size()) >= m_Frames) {
            for (const double gap : m_Gaps)
                std::printf("%.3f\n", gap);
            QApplication::quit();
        }
    }

private:
    void Frame()
    {
        QPainter painter(&m_Buffer);
        painter.drawImage(0, 0, m_Background);
        for (int die = 0; die < 5; ++die)
            painter.fillRect((m_Step * (die + 3) + die * 70) % 300, 100 + die * 60, 60, 60, Qt::white);
        ++m_Step;
        m_Drawn = true;
        update();
    }

    int m_Frames;
    QImage m_Background;
    QImage m_Buffer;
    QTimer m_Timer;
    int m_Step = 0;
    bool m_Drawn = false;
    std::int64_t m_Last = 0;
    std::vector<double> m_Gaps;
};

}  // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 3 && args[1] == QLatin1String("frames")) {
        QWidget window;
        window.resize(900, 600);
        auto *surface = new TFrameLoop(args[2].toInt());
        surface->setParent(&window);
        surface->setGeometry(10, 60, 370, 491);
        window.show();
        return QApplication::exec();
    }
    QWidget window;
    window.resize(726, 619);
    if (args.size() == 2 && args[1] == QLatin1String("text"))
        (new QLabel(QStringLiteral("Spieler auswählen und Spiel starten"), &window))->move(20, 20);
    window.show();
    window.activateWindow();
    return QApplication::exec();
}
