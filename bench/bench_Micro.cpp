// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Micro figures: scoring a throw, a whole headless game, one playfield frame
// and its allocations. Prints the table lines of these figures (medians of
// the repetitions); Google Benchmark's own flags still apply.
#include "uAllocationCounter.h"
#include "uFigureTable.h"

#include "gamewindow/uDesigns.h"
#include "gamewindow/uDrawSurface.h"
#include "gamewindow/uPlayfield.h"
#include "gamewindow/uSoundCatalogue.h"
#include "play/uRandom.h"
#include "play/uTTurnEngine.h"
#include "storage/uTMainApplication.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <iostream>
#include <map>
#include <memory>

namespace {

constexpr int Width = 900;
constexpr int Height = 600;

// The window's answers without a window: nothing shown, every prompt accepted.
class TSilentHost : public ITurnHost {
public:
    void ClearShownValues() override {}
    void ShowMoveValues() override {}
    void ShowFieldValue(int, int) override {}
    void MarkFieldPending(int, int) override {}
    void ReopenField(int, int) override {}
    void ShowSums(int) override {}
    void HighlightCurrentPlayer(int) override {}
    void ShowGiveUpIcon() override {}
    void RemovePlayer(int) override {}
    void ShowPlayerColumns(int) override {}
    void ShowInfoMarker(int) override {}
    void ShowBackgroundOf(int, bool) override {}
    void ThrowsLeftChanged() override {}
    void ResetCup(bool) override {}
    void LayoutChanged() override {}
    void PlaySound(const QString &, bool) override {}
    void StopSound(const QString &) override {}
    void StopAllSounds() override {}
    void PlayThrowSound(const QString &) override {}
    bool AskConfirmation(const QString &) override { return true; }
    bool AskGiveUp(const QString &) override { return true; }
    void Pause(int) override {}
    void StartCeremony() override {}
    void CloseGame(int) override {}
};

TTavolexSettings Rules(int columns, int throws)
{
    TTavolexSettings rules;
    rules.SetMultTavolex(true);
    rules.SetDiceCount(throws);
    rules.SetGameCount(columns);
    rules.SetShowHint(true);
    rules.SetExtOptions(TTavolexSettings::DefaultExtOptions);
    return rules;
}

QList<TPlayer> Players(int count)
{
    QList<TPlayer> players;
    for (int i = 0; i < count; ++i) {
        TPlayer player;
        player.SetName(QStringLiteral("Spieler %1").arg(i + 1));
        player.SetPlays(true);
        player.SetDiceType(i);
        players << player;
    }
    return players;
}

// A throw to its end. Without frames the dice lie at once where they were
// launched, as they do when the roll is cut short.
void RollToTheEnd(TTurnEngine &engine, bool frames = true)
{
    engine.StartThrow(Width, Height);
    while (frames && engine.StepDice(Width, Height)) {
    }
    engine.ThrowSettled();
    engine.EvaluateIfPending();
}

void BM_Evaluate(benchmark::State &state)
{
    const TTavolexSettings rules = Rules(1, 3);
    TTavolex column(&rules);
    static constexpr int throws[][5] = {
        {0, 1, 2, 3, 4}, {5, 5, 5, 5, 5}, {2, 2, 4, 4, 4}, {0, 0, 0, 3, 5}, {1, 2, 3, 4, 0}, {3, 3, 1, 5, 2}};
    std::size_t next = 0;
    for (auto _ : state) {
        column.Evaluate(throws[next], 4);
        benchmark::DoNotOptimize(column.Rows(Row::Chance).MoveValue);
        next = (next + 1) % std::size(throws);
    }
}

// Random play: up to three throws, dice held at random, a random open field.
void PlayRandomGame(TTurnEngine &engine, bool frames)
{
    engine.StartGame();
    while (!engine.GameOver()) {
        RollToTheEnd(engine, frames);
        while (engine.CanStartThrow() && Random(2) == 0) {
            engine.ToggleHold(Random(TTurnEngine::DiceInGame));
            if (!engine.CanStartThrow())
                break;
            RollToTheEnd(engine, frames);
        }
        const int player = engine.CurrentPlayer();
        int column = -1;
        int row = -1;
        do {
            const int k = Random(engine.ColumnsPerPlayer());
            const int r = Random(13);
            row = r < 6 ? Row::Ones + r : Row::ThreeOfAKind + r - 6;
            if (engine.PlayerColumn(player, k).IsOpen(row))
                column = engine.BoardColumn(player, k);
        } while (column < 0);
        engine.ChooseField(column, row);
    }
}

// The game's logic alone: without a window there are no frames, so the
// dice settle at once. With range(0) set, every frame of every roll is
// stepped as the playfield would (about 14,000 frames, four minutes of play).
void BM_WholeGame(benchmark::State &state)
{
    RandSeed(7);
    const TTavolexSettings rules = Rules(4, 3);
    const QList<TPlayer> players = Players(4);
    TSilentHost host;
    for (auto _ : state) {
        TTurnEngine engine(host, rules, players, Width, Height);
        PlayRandomGame(engine, state.range(0) != 0);
        benchmark::DoNotOptimize(engine.GameOver());
    }
}

// The program's pictures from the Bin/ folder beside the program.
struct TFrameScene {
    TMainApplication Settings;
    TDesigns Designs;
    TSoundCatalogue Sounds{Settings};
    TSilentHost Host;
    TTavolexSettings GameRules = Rules(4, 4);
    TTurnEngine Engine{Host, GameRules, Players(4), Width, Height};
    TDrawSurface Surface;
    TPlayfield Playfield{Engine, Surface, Designs, Sounds, Settings};

    // Background, three cups, five dice lying, two of them held with marks.
    explicit TFrameScene(const QString &bin)
    {
        Designs.LoadBackgrounds(bin + QStringLiteral("/Backgrounds/"), {});
        Designs.LoadDiceImages(bin + QStringLiteral("/Dices/"));
        Designs.LoadFixedPictures();
        Settings.SetAnimateDice(4);
        Engine.StartGame();
        RollToTheEnd(Engine);
        Engine.ToggleHold(0);
        Engine.ToggleHold(1);
    }
};

QString g_Bin;

void BM_Frame(benchmark::State &state)
{
    RandSeed(7);
    TFrameScene scene(g_Bin);
    scene.Surface.resize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    // Warm-up: scaled copies of the pictures and the surface's buffer are made once.
    for (int i = 0; i < 300; ++i)
        scene.Playfield.DXTimerMainTimer();
    if (scene.Engine.ThrowsLeft() != 3 || scene.Engine.Phase() != TurnPhase::Lying)
        state.SkipWithError("the scene is not three cups and lying dice");
    long allocations = 0;
    for (auto _ : state) {
        AllocationCounter::Start();
        scene.Playfield.DXTimerMainTimer();
        allocations += AllocationCounter::Stop();
    }
    state.counters["allocations"] =
        benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
}

// What choosing a background not shown before costs: the first of the
// program's standard JPEGs read and keyed, as the selector does it.
void BM_ChooseBackground(benchmark::State &state)
{
    const QString file = g_Bin + QStringLiteral("/Backgrounds/0.jpg");
    for (auto _ : state) {
        QImage picture = ReadPicture(file);
        if (picture.isNull()) {
            state.SkipWithError("no standard background");
            return;
        }
        benchmark::DoNotOptimize(TPictureList::KeyedOut(std::move(picture), qRgb(0, 128, 0)));
    }
}

BENCHMARK(BM_Evaluate)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_WholeGame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Frame)
    ->Args({900, 600})
    ->Args({1920, 1080})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ChooseBackground)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

struct TGoal {
    const char *Figure;
    double Limit;   // in the unit below; the value must stay under it
    const char *Unit;
    double Scale;   // from nanoseconds
};

// Keeps the medians and prints them as table lines at the end.
class TTableReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs)
            if (run.aggregate_name == "median")
                m_Medians[Key(run)] = run;
    }

    void PrintTable() const
    {
        static const std::map<std::string, TGoal> goals{
            {"BM_Evaluate", {"Evaluate, ein Wurf, eine Spalte (CPU)", 100, "ns", 1}},
            {"BM_WholeGame/0", {"ganzes Spiel 4 Spieler x 4 Spalten (CPU)", 1, "ms", 1e-6}},
            {"BM_WholeGame/1", {"dasselbe mit jedem Bild jedes Wurfs (CPU, ohne Ziel)", 0, "ms", 1e-6}},
            {"BM_Frame/900/600", {"Spielfeld-Bild 900x600 (CPU)", 0.5, "ms", 1e-6}},
            {"BM_Frame/1920/1080", {"Spielfeld-Bild 1920x1080 (CPU)", 1.5, "ms", 1e-6}},
            {"BM_ChooseBackground", {"Hintergrund erstmals gewaehlt, JPEG 1920x1080 (CPU, ohne Ziel)", 0, "ms", 1e-6}},
        };
        long allocations = 0;
        for (const auto &[name, run] : m_Medians) {
            const auto goal = goals.find(name);
            if (goal == goals.end())
                continue;
            const double ns = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e9;
            const double value = ns * goal->second.Scale;
            if (goal->second.Limit <= 0)
                PrintInformation(goal->second.Figure, value, goal->second.Unit);
            else
                PrintFigure(goal->second.Figure, value, goal->second.Unit,
                            "< " + FormatLimit(goal->second.Limit) + " " + goal->second.Unit,
                            !run.error_occurred && value < goal->second.Limit);
            const auto counter = run.counters.find("allocations");
            if (counter != run.counters.end())
                allocations = std::max(allocations, static_cast<long>(counter->second.value + 0.5));
        }
        PrintFigure("Allokationen je Spielfeld-Bild", static_cast<double>(allocations), "",
                    "0", allocations == 0);
    }

private:
    // The benchmark with its arguments, without repetitions and aggregate.
    static std::string Key(const Run &run)
    {
        const std::string &args = run.run_name.args;
        return run.run_name.function_name + (args.empty() ? "" : "/" + args);
    }

    static std::string FormatLimit(double limit)
    {
        char text[32];
        std::snprintf(text, sizeof text, "%g", limit);
        return text;
    }

    std::map<std::string, Run> m_Medians;
};

}  // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    g_Bin = QStringLiteral(QUINTOR_PROGRAM_DIR "/Bin");
    benchmark::Initialize(&argc, argv);
    TTableReporter reporter;
    // The table goes to standard output, the benchmark's own report beside it.
    reporter.SetOutputStream(&std::cerr);
    reporter.SetErrorStream(&std::cerr);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    reporter.PrintTable();
    return 0;
}
