// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Preloaded into the program (LD_PRELOAD) by the whole-process harness. It
// watches the program's own windows from outside and writes what it saw to
// the file named by QUINTOR_PROBE_OUT, one "key value" per line (a key may
// repeat):
//   QUINTOR_PROBE_MODE=start    time from QUINTOR_PROBE_T0 (monotonic clock ns,
//                               taken by the harness just before it started
//                               the program) until the first window is mapped
//                               and active; peak resident memory once idle.
//   QUINTOR_PROBE_MODE=session  clicks "&Start", throws the dice of the game
//                               window QUINTOR_PROBE_THROWS times with the
//                               real mouse path, writes every gap between two
//                               frames that reached the screen ("gap_ms"),
//                               then the peak resident memory of the session.
// With QUINTOR_PROBE_TRACE naming a file, the session also writes there what
// the user-interface thread did in every gap longer than
// QUINTOR_PROBE_TRACE_MS (default 20): each pass of the event loop with its
// busy time and the events it delivered.
#include "uClocks.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <sys/resource.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr int DefaultThrows = 5;
// 3.4 s at 60 Hz: the longest shake and roll samples, the tip and the
// frame that evaluates the throw all fall inside.
constexpr int FramesPerThrowWatched = 200;

long PeakRssKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

int EnvInt(const char *name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

// What the user-interface thread did while frames were watched: the passes
// of the event loop (awake .. about to block) and the events delivered.
class TTrace {
public:
    void Awake() { Mark('A', QByteArray()); }
    void AboutToBlock() { Mark('B', QByteArray()); }
    void Delivered(const QObject *receiver, const QEvent *event)
    {
        QByteArray what = QByteArray::number(static_cast<int>(event->type())) + ' '
                          + receiver->metaObject()->className();
        if (!receiver->objectName().isEmpty())
            what += '#' + receiver->objectName().toLatin1();
        Mark('E', what);
    }
    void Frame() { Mark('F', QByteArray()); }
    // A new roll: its first frame has no gap before it.
    void Roll() { Mark('R', QByteArray()); }

    // Every record between two frames further apart than `thresholdNs`.
    void Write(const QString &fileName, qint64 thresholdNs) const
    {
        QFile out(fileName);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Text))
            return;
        std::size_t lastFrame = m_Records.size();
        for (std::size_t i = 0; i < m_Records.size(); ++i) {
            if (m_Records[i].Kind == 'R')
                lastFrame = m_Records.size();
            if (m_Records[i].Kind != 'F')
                continue;
            if (lastFrame < m_Records.size() && m_Records[i].At - m_Records[lastFrame].At > thresholdNs)
                WriteWindow(out, lastFrame, i);
            lastFrame = i;
        }
    }

private:
    struct TRecord {
        qint64 At;
        qint64 Cpu;  // of this thread
        char Kind;
        QByteArray What;
    };

    void Mark(char kind, QByteArray what)
    {
        m_Records.push_back({MonotonicNs(), static_cast<qint64>(ThreadCpuMs() * 1e6), kind, std::move(what)});
    }

    void WriteWindow(QFile &out, std::size_t from, std::size_t to) const
    {
        const qint64 start = m_Records[from].At;
        const auto ms = [](qint64 ns) { return QByteArray::number(static_cast<double>(ns) / 1e6, 'f', 2); };
        out.write("gap " + ms(m_Records[to].At - start) + " ms, cpu " + ms(m_Records[to].Cpu - m_Records[from].Cpu) + " ms\n");
        const TRecord *awake = &m_Records[from];
        for (std::size_t i = from; i <= to; ++i) {
            const TRecord &r = m_Records[i];
            QByteArray line = "  +" + ms(r.At - start) + " (cpu +" + ms(r.Cpu - m_Records[i > from ? i - 1 : i].Cpu) + ") " + r.Kind;
            if (r.Kind == 'A')
                awake = &r;
            if (r.Kind == 'B')
                line += " busy " + ms(r.At - awake->At) + " cpu " + ms(r.Cpu - awake->Cpu);
            if (!r.What.isEmpty())
                line += ' ' + r.What;
            out.write(line + '\n');
        }
    }

    std::vector<TRecord> m_Records;
};

class TProbe : public QObject {
    Q_OBJECT

public:
    TProbe()
        : m_Session(qgetenv("QUINTOR_PROBE_MODE") == "session")
        , m_Throws(EnvInt("QUINTOR_PROBE_THROWS", DefaultThrows))
        , m_TraceFile(qEnvironmentVariable("QUINTOR_PROBE_TRACE"))
    {
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (Tracing())
            m_Trace.Delivered(watched, event);
        // Looked at once the window's own handlers have run: its activation
        // (which fills the main window) belongs to the start.
        if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Expose)
            QTimer::singleShot(0, this, [this] { LookAtWindows(); });
        if (event->type() == QEvent::Paint && watched == m_Surface && m_FrameDrawn) {
            // A repaint without a new frame in between shows nothing new.
            m_FrameDrawn = false;
            FramePresented();
        }
        return false;
    }

private slots:
    void FrameDrawn() { m_FrameDrawn = true; }

private:
    [[nodiscard]] bool Tracing() const { return m_FramesLeft > 0 && !m_TraceFile.isEmpty(); }

    // Activation and exposure come in either order; a window counts once it has both.
    void LookAtWindows()
    {
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->isActiveWindow())
                WindowActivated(window);
    }

    void WindowActivated(QWidget *window)
    {
        if (!window->windowHandle() || !window->windowHandle()->isExposed())
            return;
        if (!m_MenuSeen && (!m_Session || window->inherits("TFormQuintorMenu"))) {
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
            WatchGameWindow(window);
        }
    }

    void WatchGameWindow(QWidget *window)
    {
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
        if (!m_TraceFile.isEmpty()) {
            QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance();
            connect(dispatcher, &QAbstractEventDispatcher::awake, this, [this] {
                if (Tracing())
                    m_Trace.Awake();
            });
            connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
                if (Tracing())
                    m_Trace.AboutToBlock();
            });
        }
        // Whatever happens, the run ends.
        QTimer::singleShot(5000 + m_Throws * 5000, this, [this] { Finish(); });
        QTimer::singleShot(300, m_Surface, [this] { Throw(); });
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
        if (Tracing())
            m_Trace.Roll();
    }

    void FramePresented()
    {
        if (m_FramesLeft <= 0)
            return;
        const qint64 now = MonotonicNs();
        if (Tracing())
            m_Trace.Frame();
        if (m_LastFrame >= 0)
            Write("gap_ms", static_cast<double>(now - m_LastFrame) / 1e6);
        m_LastFrame = now;
        if (--m_FramesLeft > 0)
            return;
        if (++m_ThrowsDone < m_Throws)
            QTimer::singleShot(0, m_Surface, [this] { Throw(); });
        else
            QTimer::singleShot(0, [this] { Finish(); });
    }

    void Finish()
    {
        Write("peak_rss_kb", static_cast<double>(PeakRssKb()));
        if (!m_TraceFile.isEmpty())
            m_Trace.Write(m_TraceFile, static_cast<qint64>(EnvInt("QUINTOR_PROBE_TRACE_MS", 20)) * 1000000);
        // The data folder is a scratch copy; nothing of the program's closing is measured.
        std::_Exit(0);
    }

    void Write(const char *key, double value)
    {
        m_Lines += QByteArray(key) + ' ' + QByteArray::number(value, 'f', 3) + '\n';
        // Written at once only outside the watched frames, so no file access
        // falls between two of them.
        if (m_FramesLeft > 0 && std::strcmp(key, "gap_ms") == 0)
            return;
        QFile out(QString::fromLocal8Bit(qgetenv("QUINTOR_PROBE_OUT")));
        if (out.open(QIODevice::Append | QIODevice::Text))
            out.write(m_Lines);
        m_Lines.clear();
    }

    bool m_Session;
    int m_Throws;
    QString m_TraceFile;
    TTrace m_Trace;
    bool m_MenuSeen = false;
    bool m_FrameDrawn = false;
    QWidget *m_Surface = nullptr;
    int m_ThrowsDone = 0;
    int m_FramesLeft = 0;
    qint64 m_LastFrame = -1;
    QByteArray m_Lines;
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
