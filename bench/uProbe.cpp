// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Preloaded into the program (LD_PRELOAD) by the whole-process harness. It
// watches the program's own windows from outside and writes what it saw to
// the file named by QUINTOR_PROBE_OUT, one "key value" per line:
//   QUINTOR_PROBE_MODE=start    time from QUINTOR_PROBE_T0 (monotonic clock ns,
//                               taken by the harness just before it started
//                               the program) until the main window is mapped
//                               and active; peak resident memory once idle.
//   QUINTOR_PROBE_MODE=session  clicks "&Start", throws the dice of the game
//                               window a few times with the real mouse path,
//                               records when frames reached the screen, then
//                               the peak resident memory of the session.
#include "uClocks.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <sys/resource.h>

#include <cstdlib>
#include <vector>

namespace {

constexpr int Throws = 3;
constexpr int FramesPerThrowWatched = 150;  // 2.5 s at 60 Hz: shake, tip, roll, lying

long PeakRssKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

class TProbe : public QObject {
    Q_OBJECT

public:
    TProbe() : m_Session(qgetenv("QUINTOR_PROBE_MODE") == "session") {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::WindowActivate)
            WindowActivated(watched);
        else if (event->type() == QEvent::Expose)
            QTimer::singleShot(0, [this, watched] { WindowExposed(watched); });
        else if (event->type() == QEvent::Paint && watched == m_Surface && m_FrameDrawn) {
            // A repaint without a new frame in between shows nothing new.
            m_FrameDrawn = false;
            FramePresented();
        }
        return false;
    }

private slots:
    void FrameDrawn() { m_FrameDrawn = true; }

private:
    // Activation and exposure come in either order; the window counts once it has both.
    void WindowExposed(QObject *watched)
    {
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->windowHandle() == watched && window->isActiveWindow())
                WindowActivated(window);
    }

    void WindowActivated(QObject *watched)
    {
        auto *window = qobject_cast<QWidget *>(watched);
        if (!window || !window->isWindow() || !window->windowHandle() || !window->windowHandle()->isExposed())
            return;
        if (!m_MenuSeen && window->inherits("TFormQuintorMenu")) {
            m_MenuSeen = true;
            const QByteArray t0 = qgetenv("QUINTOR_PROBE_T0");
            if (!t0.isEmpty())
                Write("startup_ms", static_cast<double>(MonotonicNs() - t0.toLongLong()) / 1e6);
            if (m_Session)
                QTimer::singleShot(100, window, [window] {
                    if (auto *start = window->findChild<QPushButton *>(QStringLiteral("ButtonStart")))
                        start->click();
                });
            else
                QTimer::singleShot(500, [this] { Finish(); });
        } else if (m_Session && !m_Surface && window->inherits("TFormQuintorGameMain")) {
            m_Surface = window->findChild<QWidget *>(QStringLiteral("DXDrawPlayfield"));
            if (!m_Surface) {
                Finish();
                return;
            }
            m_Surface->installEventFilter(this);
            // Each tick of the frame timer draws the next frame; the paint after it presents it.
            if (!connect(m_Surface, SIGNAL(Timer()), this, SLOT(FrameDrawn()))) {
                Finish();
                return;
            }
            // Whatever happens, the run ends.
            QTimer::singleShot(20000, this, [this] { Finish(); });
            QTimer::singleShot(300, m_Surface, [this] { Throw(); });
        }
    }

    // A left click into the band of cups at the bottom of the playfield.
    void Throw()
    {
        const QPointF at(20, m_Surface->height() - 20);
        QMouseEvent press(QEvent::MouseButtonPress, at, m_Surface->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_Surface, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, m_Surface->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_Surface, &release);
        m_FramesLeft = FramesPerThrowWatched;
        m_LastFrame = -1;
        m_Clock.start();
    }

    void FramePresented()
    {
        if (m_FramesLeft <= 0)
            return;
        const qint64 now = m_Clock.nsecsElapsed();
        if (m_LastFrame >= 0)
            m_Gaps.push_back(now - m_LastFrame);
        m_LastFrame = now;
        if (--m_FramesLeft > 0)
            return;
        if (++m_ThrowsDone < Throws)
            QTimer::singleShot(0, m_Surface, [this] { Throw(); });
        else
            QTimer::singleShot(0, [this] { Finish(); });
    }

    void Finish()
    {
        Write("peak_rss_kb", static_cast<double>(PeakRssKb()));
        qint64 total = 0;
        qint64 largest = 0;
        for (const qint64 gap : m_Gaps) {
            total += gap;
            largest = std::max(largest, gap);
        }
        if (!m_Gaps.empty()) {
            Write("fps", 1e9 * static_cast<double>(m_Gaps.size()) / static_cast<double>(total));
            Write("largest_gap_ms", static_cast<double>(largest) / 1e6);
        }
        // The data folder is a scratch copy; nothing of the program's closing is measured.
        std::_Exit(0);
    }

    static void Write(const char *key, double value)
    {
        QFile out(QString::fromLocal8Bit(qgetenv("QUINTOR_PROBE_OUT")));
        if (out.open(QIODevice::Append | QIODevice::Text))
            out.write(QByteArray(key) + ' ' + QByteArray::number(value, 'f', 3) + '\n');
    }

    bool m_Session;
    bool m_MenuSeen = false;
    bool m_FrameDrawn = false;
    QWidget *m_Surface = nullptr;
    int m_ThrowsDone = 0;
    int m_FramesLeft = 0;
    qint64 m_LastFrame = -1;
    QElapsedTimer m_Clock;
    std::vector<qint64> m_Gaps;
};

void InstallProbe()
{

    QCoreApplication::instance()->installEventFilter(new TProbe);
}

// Runs when the program's application object is made.
struct TRegistration {
    TRegistration() { qAddPreRoutine(InstallProbe); }
} g_Registration;

}  // namespace

#include "uProbe.moc"
