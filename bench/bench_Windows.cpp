// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Window and whole-process figures. Each figure is taken in fresh processes
// (the program keeps decoded pictures for its next game, so a second
// measurement in one process would not be the player's first wait) and the
// median of the runs is printed as a table line.
//   bench_Windows <Quintor program> <probe library>   all figures
//   bench_Windows gamewindow <data folder>             one run, prints ms
//   bench_Windows editplayer <data folder>             one run, prints ms
//   bench_Windows statsview <data folder>              one run, prints ms
//   bench_Windows statscharts <data folder>            one run, prints ms
//   bench_Windows prepare <data folder> <players> <ticked> <games>
//   bench_Windows start <Quintor program> <probe library>   start figures only
//   bench_Windows spin                                 keeps one core busy
//   bench_Windows prepare-statistics <data folder>     5000 games of four players
#include "uClocks.h"
#include "uFigureTable.h"

#include "dialogs/uFormQuintorMenu_EditPlayer.h"
#include "dialogs/uFormQuintorStatistics.h"
#include "gamewindow/uFormQuintorGameMain.h"
#include "rules/uTTavolex.h"
#include "storage/uTMainApplication.h"
#include "storage/uTPlayer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMap>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr int Runs = 5;
constexpr int StartRuns = 7;
// Throws per session of the probe: one turn of the prepared rules allows six.
constexpr int RollsPerSession = 5;

double Median(QList<double> values)
{
    if (values.isEmpty())
        return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A data folder as the program leaves it: rules for four columns and six
// throws a turn, `players` profiles of which the first `playing` are ticked,
// sound on (so a roll lasts as long as its sample), splash off, and `games`
// recorded games of Player1.qtp with their reports.
void PrepareDataFolder(const QString &folder, int players, int playing, int games)
{
    QDir().mkpath(folder);
    TTavolexSettings rules;
    QString error;
    rules.LoadFromFile(folder + QStringLiteral("Quintor.ini"), QStringLiteral("Settings"), error);
    rules.SetGameCount(4);
    rules.SetDiceCount(6);
    for (const char *file : {"Quintor.ini", "User.ini", "Settings.ini"})
        rules.SaveToFile(folder + QLatin1String(file), QStringLiteral("Settings"));
    for (int i = 0; i < players; ++i) {
        TPlayer player;
        player.SetName(QStringLiteral("Spieler %1").arg(i + 1, 2, 10, QLatin1Char('0')));
        player.SetPlays(i < playing);
        player.SetDiceType(i % 6);
        player.SaveToFile(folder + QStringLiteral("Player%1.qtp").arg(i + 1));
    }
    TMainApplication settings;
    settings.SetSound(0);
    settings.SetShowSplash(false);
    settings.SaveToFile(folder + QStringLiteral("Global.ini"));
    QByteArray stats;
    for (int number = 1; number <= games; ++number) {
        const QString report = QStringLiteral("Spiel_%1.html").arg(number);
        stats += QStringLiteral("[%1]\r\nDiceCount=%2\r\nGameCount=1\r\nGameDate=202612091530\r\nScores=\r\n"
                                "GameReport=%3\r\nPlayer0=\"Spieler 01\",\"%4\",\"Player1.qtp\",\"0|0|0|\"\r\n"
                                "Player1=NIL\r\nPlayer2=NIL\r\nPlayer3=NIL\r\n")
                     .arg(number)
                     .arg(1 + number % 3)
                     .arg(report)
                     .arg(number % 400)
                     .toLatin1();
        QFile html(folder + report);
        if (html.open(QIODevice::WriteOnly))
            html.write("<html></html>");
    }
    QFile file(folder + QStringLiteral("Stats.ini"));
    if (games > 0 && file.open(QIODevice::WriteOnly))
        file.write(stats);
}

// A player entry with a full sheet; fields struck as often as in real play,
// so the view has to look into the reports for players who gave up.
QString BenchEntry(int player, int game)
{
    QString sheet = QStringLiteral("0|");
    int upper = 0;
    for (int row = 1; row <= 6; ++row) {
        const int value = ((game + player + row) % 5) * row;
        upper += value;
        sheet += QString::number(value) + QLatin1Char('|');
    }
    const int bonus = upper >= 63 ? 35 : 0;
    const int lower = 20 + (game * 7 + player * 13) % 90;
    sheet += QStringLiteral("0|%1|%2|%3|0|%4|0|25|30|0|%5|22|0|%6|%3|0|%7|0|")
                 .arg(upper).arg(bonus).arg(upper + bonus).arg(lower % 30).arg(game % 3 == 0 ? 50 : 0)
                 .arg(lower).arg(upper + bonus + lower);
    return QStringLiteral("\"Spieler %1\",\"Player%2.qtp\",\"%3\",\"%4\"")
        .arg(player + 1, 2, 10, QLatin1Char('0')).arg(player + 1).arg(100 + (game * 37 + player * 53) % 250).arg(sheet);
}

// `games` recorded games of two to four of four players, two game types,
// every tenth with a player who gave up, each with its report.
void PrepareStatistics(const QString &folder, int games)
{
    PrepareDataFolder(folder, 4, 4, 0);
    QByteArray stats;
    for (int number = 1; number <= games; ++number) {
        const int seats = 2 + number % 3;
        const QString report = QStringLiteral("Spiel_%1.html").arg(number);
        stats += QStringLiteral("[%1]\r\nDiceCount=3\r\nGameCount=%2\r\nGameDate=2026%3%4\r\n"
                                "Scores=08|63,09|35,14|25,15|30,16|40,17|50,24|100,25|0,\r\nGameReport=%5\r\n")
                     .arg(number).arg(number % 4 == 0 ? 2 : 1).arg(1 + number % 12, 2, 10, QLatin1Char('0'))
                     .arg(QStringLiteral("101530")).arg(report).toLatin1();
        for (int seat = 0; seat < 4; ++seat)
            stats += QStringLiteral("Player%1=%2\r\n").arg(seat)
                         .arg(seat < seats ? BenchEntry((seat + number) % 4, number) : QStringLiteral("NIL")).toLatin1();
        QByteArray html = "<html>\r\n<body>\r\n<H4>Spieleinstellungen:</H4>\r\n" + QByteArray(2500, ' ') + "\r\n";
        if (number % 10 == 0)
            html += "<H4>Bericht:</H4>\r\nSpieler 01 hat das Spiel mit 120 Punkten in der 9. Runde abgebrochen.<br>\r\n";
        html += "<H4>Endstand:</H4>\r\n" + QByteArray(4000, ' ') + "\r\n</body>\r\n</html>\r\n";
        QFile file(folder + report);
        if (file.open(QIODevice::WriteOnly))
            file.write(html);
    }
    QFile file(folder + QStringLiteral("Stats.ini"));
    if (file.open(QIODevice::WriteOnly))
        file.write(stats);
}

// The statistics of all players read, computed and its first page drawn,
// or with `charts` only the drawing of the other pages afterwards: processor
// time of this thread, user and system, so the file reads count.
int RunStatisticsView(const QString &folder, bool charts)
{
    // The view opens from a window that has drawn text already: the font
    // database is loaded then, and is not the view's cost.
    QLabel warm(QStringLiteral("Statistiken"));
    (void)warm.grab();
    const double before = ThreadCpuMs();
    TFormQuintorStatistics view(folder, QString(), QString(), QString());
    view.show();
    (void)view.grab();
    const double shown = ThreadCpuMs();
    auto *pages = view.findChild<QTabWidget *>(QStringLiteral("PageControlStatistics"));
    for (int page = 1; charts && pages && page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
        (void)view.grab();
    }
    std::printf("%.3f\n", charts ? ThreadCpuMs() - shown : shown - before);
    return 0;
}

// Game window ready: creation with every sample, picture and the board, wall time.
int RunGameWindow(const QString &folder)
{
    const double before = MonotonicMs();
    TFormQuintorGameMain window(nullptr, folder, QStringLiteral(QUINTOR_PROGRAM_DIR));
    // Ready means the first frame can be drawn: the backgrounds decoded on
    // other threads are joined here, not left out of the figure.
    (void)window.grab();
    std::printf("%.3f\n", MonotonicMs() - before);
    return 0;
}

// The edit player dialog filled for Player1.qtp: processor time of this thread.
int RunEditPlayer(const QString &folder)
{
    const QString file = folder + QStringLiteral("Player1.qtp");
    TPlayer profile;
    QString tampered;
    profile.LoadFromFile(file, tampered);
    TFormQuintorMenu_EditPlayer dialog(profile, folder, file);
    const double before = ThreadCpuMs();
    dialog.show();
    std::printf("%.3f\n", ThreadCpuMs() - before);
    return 0;
}

QProcessEnvironment Headless(const QString &home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_DOCUMENTS_DIR"), home + QStringLiteral("/Documents"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    return env;
}

// One run of this program in another mode; its printed number.
double ChildMs(const QString &mode, const QString &folder)
{
    QProcess child;
    child.setProcessEnvironment(Headless(folder));
    child.start(QCoreApplication::applicationFilePath(), {mode, folder});
    if (!child.waitForFinished(120000))
        child.kill();
    bool ok = false;
    const double ms = child.readAllStandardOutput().trimmed().toDouble(&ok);
    return ok ? ms : -1;
}

using TProbeValues = QMap<QString, QList<double>>;

// One run of `program` with the probe in `mode` on a fresh data folder of
// `players` profiles, `playing` of them ticked; every value the probe wrote.
TProbeValues ProbeRun(const QString &program, const QString &probe, const QString &mode, int players,
                      int playing, const QStringList &arguments = {}, const QStringList &variables = {})
{
    QTemporaryDir home;
    const QString data = home.path() + QStringLiteral("/Documents/") + QFileInfo(program).baseName() + '/';
    PrepareDataFolder(data, players, playing, 0);
    const QString out = home.path() + QStringLiteral("/probe.txt");
    QProcessEnvironment env = Headless(home.path());
    const QString display = qEnvironmentVariable("QUINTOR_BENCH_DISPLAY");
    if (mode == QLatin1String("start") && !display.isEmpty()) {
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("DISPLAY"), display);
    }
    for (const QString &variable : variables)
        env.insert(variable.section(QLatin1Char('='), 0, 0), variable.section(QLatin1Char('='), 1));
    env.insert(QStringLiteral("LD_PRELOAD"), probe);
    env.insert(QStringLiteral("QUINTOR_PROBE_MODE"), mode);
    env.insert(QStringLiteral("QUINTOR_PROBE_OUT"), out);
    env.insert(QStringLiteral("QUINTOR_PROBE_THROWS"), QString::number(RollsPerSession));
    QProcess run;
    run.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    env.insert(QStringLiteral("QUINTOR_PROBE_T0"), QString::number(MonotonicNs()));
    run.setProcessEnvironment(env);
    run.start(program, arguments);
    if (!run.waitForFinished(60000)) {
        run.kill();
        run.waitForFinished();
    }
    TProbeValues seen;
    QFile file(out);
    if (file.open(QIODevice::ReadOnly | QIODevice::Text))
        while (!file.atEnd()) {
            const QList<QByteArray> parts = file.readLine().trimmed().split(' ');
            if (parts.size() == 2)
                seen[QString::fromLatin1(parts[0])] << parts[1].toDouble();
        }
    return seen;
}

double First(const TProbeValues &values, const char *key)
{
    const QList<double> list = values.value(QLatin1String(key));
    return list.isEmpty() ? -1 : list.first();
}

void PrintUnder(const char *figure, double value, const char *unit, double limit)
{
    PrintFigure(figure, value, unit, "< " + QString::number(limit).toStdString() + " " + unit,
                value >= 0 && value < limit);
}

void PrintAtMost(const char *figure, double value, const char *unit, double limit)
{
    PrintFigure(figure, value, unit, "<= " + QString::number(limit).toStdString() + " " + unit,
                value >= 0 && value <= limit);
}

double MedianOfChildren(const QString &mode, const QString &folder)
{
    QList<double> values;
    for (int i = 0; i < Runs; ++i)
        values << ChildMs(mode, folder);
    return values.contains(-1) ? -1 : Median(values);
}

// Start to the mapped, active window and peak RSS, of the program, of a
// bare Qt window and of a window with one line of text (what any window
// that shows text pays for the font set-up), taken in turns so that all
// meet the same load. Where no session bus can be found, the program skips
// libdbus's search for one, which the bare window makes: the bare window
// given the same address shows how much of the lead that is.
void StartAgainstBareWindow(const QString &program, const QString &probe)
{
    const QString bare = QCoreApplication::applicationDirPath() + QStringLiteral("/bench_BareWindow");
    const QStringList withText{QStringLiteral("text")};
    const QStringList noBusSearch{QStringLiteral("DBUS_SESSION_BUS_ADDRESS=unix:path=/dev/null/no-session-bus")};
    QList<double> startMs, bareMs, textMs, ratios, textRatios, noSearchRatios, rssMb, bareRssMb, textRssMb;
    for (int i = 0; i < StartRuns; ++i) {
        const TProbeValues floor = ProbeRun(bare, probe, QStringLiteral("start"), 0, 0);
        const TProbeValues menu = ProbeRun(program, probe, QStringLiteral("start"), 20, 0);
        const TProbeValues text = ProbeRun(bare, probe, QStringLiteral("start"), 0, 0, withText);
        const TProbeValues noSearch = ProbeRun(bare, probe, QStringLiteral("start"), 0, 0, {}, noBusSearch);
        startMs << First(menu, "startup_ms");
        bareMs << First(floor, "startup_ms");
        textMs << First(text, "startup_ms");
        ratios << (bareMs.last() > 0 ? startMs.last() / bareMs.last() : -1);
        textRatios << (bareMs.last() > 0 ? textMs.last() / bareMs.last() : -1);
        const double noSearchMs = First(noSearch, "startup_ms");
        noSearchRatios << (noSearchMs > 0 ? startMs.last() / noSearchMs : -1);
        rssMb << First(menu, "peak_rss_kb") / 1024;
        bareRssMb << First(floor, "peak_rss_kb") / 1024;
        textRssMb << First(text, "peak_rss_kb") / 1024;
    }
    const std::string where = qEnvironmentVariableIsEmpty("QUINTOR_BENCH_DISPLAY") ? " (offscreen)" : " (Xvfb)";
    PrintUnder(("Programmstart bis Hauptfenster aktiv (20 Spieler, ohne Splash)" + where).c_str(), Median(startMs), "ms", 150);
    PrintInformation("leeres Qt-Fenster bis aktiv (gleiche Flags, abwechselnd gemessen)" + where, Median(bareMs), "ms");
    PrintAtMost("Start Hauptfenster / leeres Qt-Fenster", Median(ratios), "x", 1.5);
    PrintInformation("Start Hauptfenster / leeres Qt-Fenster, das auch keinen Sitzungsbus sucht", Median(noSearchRatios), "x");
    PrintInformation("Qt-Fenster mit einer Textzeile / leeres Qt-Fenster", Median(textRatios), "x");
    PrintUnder("Spitzen-RSS Hauptfenster allein", Median(rssMb), "MB", 60);
    PrintInformation("Spitzen-RSS leeres Qt-Fenster", Median(bareRssMb), "MB");
    PrintAtMost("Spitzen-RSS Hauptfenster ueber leerem Qt-Fenster", Median(rssMb) - Median(bareRssMb), "MB", 10);
    PrintInformation("Spitzen-RSS Qt-Fenster mit einer Textzeile ueber leerem", Median(textRssMb) - Median(bareRssMb), "MB");
}

// A process that keeps one core busy until it is killed.
class TBusyCore {
public:
    TBusyCore()
    {
        m_Child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("spin")});
        m_Child.waitForStarted();
    }
    ~TBusyCore()
    {
        m_Child.kill();
        m_Child.waitForFinished();
    }
    TBusyCore(const TBusyCore &) = delete;
    TBusyCore &operator=(const TBusyCore &) = delete;

private:
    QProcess m_Child;
};

[[noreturn]] void Spin()
{
    volatile unsigned long turns = 0;
    for (;;)
        turns = turns + 1;
}

struct TGaps {
    QList<double> Ms;
    QList<double> FloorMs;  // of the bare frame loop, as many frames, run in turn
    double PeakRssMb = -1;
};

// The bare window's frame loop drawing `frames` frames: the pacing this
// machine gives any Qt program at that moment.
QList<double> FloorGaps(qsizetype frames)
{
    QProcess floor;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    floor.setProcessEnvironment(env);
    floor.start(QCoreApplication::applicationDirPath() + QStringLiteral("/bench_BareWindow"),
                {QStringLiteral("frames"), QString::number(std::max<qsizetype>(frames, 1))});
    QList<double> gaps;
    if (!floor.waitForFinished(120000)) {
        floor.kill();
        floor.waitForFinished();
        return gaps;
    }
    for (const QByteArray &line : floor.readAllStandardOutput().split('\n'))
        if (!line.trimmed().isEmpty())
            gaps << line.toDouble();
    return gaps;
}

// Sessions of a 4-player game, each throwing the dice a few times, each
// followed by the bare frame loop for as many frames; every gap between two
// presented frames of all the rolls, and the median peak RSS.
TGaps RollSessions(const QString &program, const QString &probe)
{
    TGaps gaps;
    QList<double> rss;
    for (int i = 0; i < Runs; ++i) {
        const TProbeValues seen = ProbeRun(program, probe, QStringLiteral("session"), 4, 4);
        const QList<double> session = seen.value(QStringLiteral("gap_ms"));
        gaps.Ms << session;
        gaps.FloorMs << FloorGaps(session.size());
        rss << First(seen, "peak_rss_kb") / 1024;
    }
    gaps.PeakRssMb = Median(rss);
    std::sort(gaps.Ms.begin(), gaps.Ms.end());
    std::sort(gaps.FloorMs.begin(), gaps.FloorMs.end());
    return gaps;
}

// The value below which `share` of the sorted values lie (nearest rank).
double Percentile(const QList<double> &sorted, double share)
{
    if (sorted.isEmpty())
        return -1;
    const auto rank = static_cast<qsizetype>(std::ceil(share * static_cast<double>(sorted.size())));
    return sorted[std::clamp<qsizetype>(rank - 1, 0, sorted.size() - 1)];
}

qsizetype GapsOver25(const QList<double> &ms)
{
    return std::count_if(ms.cbegin(), ms.cend(), [](double gap) { return gap > 25; });
}

double Largest(const QList<double> &sorted)
{
    return sorted.isEmpty() ? -1 : sorted.last();
}

void PrintRollPacing(const TGaps &gaps)
{
    const QList<double> &ms = gaps.Ms;
    double total = 0;
    for (const double gap : ms)
        total += gap;
    const double fps = ms.isEmpty() ? -1 : 1000.0 * static_cast<double>(ms.size()) / total;
    PrintFigure("Bilder je Sekunde beim Wurf", fps, "fps", "58-62 fps", fps >= 58 && fps <= 62);
    const std::string rolls = " (" + std::to_string(Runs * RollsPerSession) + " Wuerfe)";
    PrintInformation("Luecke zwischen zwei Bildern beim Wurf, Median" + rolls, Percentile(ms, 0.5), "ms");
    PrintAtMost("Luecke zwischen zwei Bildern beim Wurf, 99. Perzentil", Percentile(ms, 0.99), "ms", 20);
    PrintAtMost("groesste Luecke zwischen zwei Bildern beim Wurf", Largest(ms), "ms", 25);
    PrintInformation("Luecken ueber 25 ms", static_cast<double>(GapsOver25(ms)), "");
    const QList<double> &floor = gaps.FloorMs;
    const std::string frames = " (" + std::to_string(floor.size()) + " Bilder, im Wechsel gemessen)";
    PrintInformation("leeres Qt-Fenster mit Bildschleife: Luecke Median" + frames, Percentile(floor, 0.5), "ms");
    PrintInformation("leeres Qt-Fenster mit Bildschleife: 99. Perzentil", Percentile(floor, 0.99), "ms");
    PrintInformation("leeres Qt-Fenster mit Bildschleife: groesste Luecke", Largest(floor), "ms");
    PrintInformation("leeres Qt-Fenster mit Bildschleife: Luecken ueber 25 ms", static_cast<double>(GapsOver25(floor)), "");
}

int RunAll(const QString &program, const QString &probe)
{
    QTemporaryDir scratch;
    const QString game = scratch.path() + QStringLiteral("/game/");
    PrepareDataFolder(game, 4, 4, 0);
    PrintUnder("Spielfenster bereit (166 Samples, 144 Wuerfel, 7 Hintergruende, 4x4)",
               MedianOfChildren(QStringLiteral("gamewindow"), game), "ms", 250);
    const QString stats = scratch.path() + QStringLiteral("/stats/");
    PrepareDataFolder(stats, 1, 1, 5000);
    PrintUnder("Spieler-Dialog mit 5000 Spielen gefuellt (CPU)",
               MedianOfChildren(QStringLiteral("editplayer"), stats), "ms", 300);

    const QString records = scratch.path() + QStringLiteral("/records/");
    PrepareStatistics(records, 5000);
    PrintUnder("Statistik-Fenster mit 5000 Spielen gefuellt (CPU)",
               MedianOfChildren(QStringLiteral("statsview"), records), "ms", 150);
    PrintInformation("dazu beide Diagramme und Direktvergleich gezeichnet (CPU)",
                     MedianOfChildren(QStringLiteral("statscharts"), records), "ms");

    StartAgainstBareWindow(program, probe);

    const TGaps idle = RollSessions(program, probe);
    PrintUnder("Spitzen-RSS Sitzung mit 4-Spieler-Spiel", idle.PeakRssMb, "MB", 120);
    PrintRollPacing(idle);
    TGaps loaded;
    {
        const TBusyCore busy;
        loaded = RollSessions(program, probe);
    }
    PrintInformation("Luecke beim Wurf, ein Kern belegt, 99. Perzentil", Percentile(loaded.Ms, 0.99), "ms");
    PrintAtMost("groesste Luecke beim Wurf, ein Kern belegt", Largest(loaded.Ms), "ms", 34);
    PrintInformation("leeres Qt-Fenster mit Bildschleife, ein Kern belegt: 99. Perzentil", Percentile(loaded.FloorMs, 0.99), "ms");
    PrintInformation("leeres Qt-Fenster mit Bildschleife, ein Kern belegt: groesste Luecke", Largest(loaded.FloorMs), "ms");
    return 0;
}

}  // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 2 && args[1] == QLatin1String("spin"))
        Spin();
    if (args.size() == 3 && args[1] == QLatin1String("gamewindow"))
        return RunGameWindow(args[2]);
    if (args.size() == 3 && args[1] == QLatin1String("editplayer"))
        return RunEditPlayer(args[2]);
    if (args.size() == 3 && (args[1] == QLatin1String("statsview") || args[1] == QLatin1String("statscharts")))
        return RunStatisticsView(args[2], args[1] == QLatin1String("statscharts"));
    if (args.size() == 3 && args[1] == QLatin1String("prepare-statistics")) {
        PrepareStatistics(args[2] + '/', 5000);
        return 0;
    }
    if (args.size() == 6 && args[1] == QLatin1String("prepare")) {
        PrepareDataFolder(args[2] + '/', args[3].toInt(), args[4].toInt(), args[5].toInt());
        return 0;
    }
    if (args.size() == 4 && args[1] == QLatin1String("start")) {
        StartAgainstBareWindow(args[2], args[3]);
        return 0;
    }
    if (args.size() == 3)
        return RunAll(args[1], args[2]);
    std::fprintf(stderr, "usage: bench_Windows <Quintor program> <probe library>\n");
    return 2;
}
