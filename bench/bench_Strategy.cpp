// Strategy figures: solving the default rule set on one core and on all,
// loading the cached table, answering a decision, the table's size, the
// optimum of the default and of the classic rules, and the simulated means of
// the three computer strengths. "--solve" prints the one-core solve only,
// "--quick" leaves out the classic rules and the simulations.
#include "uClocks.h"
#include "uFigureTable.h"

#include "classicscoring.h"

#include "strategy/uTAdvisor.h"
#include "strategy/uTComputerPlayer.h"
#include "strategy/uTRulesScoring.h"
#include "strategy/uTStrategy.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <future>
#include <string>
#include <thread>

namespace {

TTavolexSettings DefaultRules()
{
    TTavolexSettings rules;
    rules.SetMultTavolex(true);
    rules.SetDiceCount(3);
    rules.SetGameCount(1);
    rules.SetExtOptions(TTavolexSettings::DefaultExtOptions);
    return rules;
}

// The optimum with its six decimals; the shared table rounds to fewer.
void PrintExact(const std::string &figure, double value)
{
    std::printf("%s\t%.6f Punkte\t-\t-\n", figure.c_str(), value);
    std::fflush(stdout);
}

// The median of three solves: the machine is shared, single runs stray.
double SolveMs(TStrategy &strategy, int threads, bool cpu)
{
    TSolveControl control;
    control.Threads = threads;
    std::array<double, 3> times{};
    for (double &t : times) {
        const double wall0 = MonotonicMs();
        const double cpu0 = ThreadCpuMs();
        (void)strategy.Solve(control);
        t = cpu ? ThreadCpuMs() - cpu0 : MonotonicMs() - wall0;
    }
    std::sort(times.begin(), times.end());
    return times[1];
}

// Mean time of one decision over the situations of simulated turns: the
// coach's question in the middle of a turn, with fresh tables each time.
double DecisionMicroseconds(const TStrategy &strategy)
{
    TSeededRandom random(7);
    constexpr int Questions = 2000;
    double spent = 0;
    for (int i = 0; i < Questions; ++i) {
        TTurnSituation situation;
        TTurnSituation::Column column;
        column.Sheet.Filled = static_cast<unsigned>(random.Next(1 << Strategy::Fields)) & ~(1u << random.Next(13));
        for (TFaces::value_type &face : situation.Faces)
            face = random.Next(6);
        column.Scores = strategy.ScoresFor(column.Sheet, situation.Faces);
        column.Offered = (1u << Strategy::Fields) - 1;
        situation.Columns.push_back(column);
        situation.ThrowsUsed = 1;
        situation.ThrowsLeft = 2;
        situation.DiceLying = true;
        situation.CanChoose = true;
        const double t0 = ThreadCpuMs();
        const TAdvice advice = Advise(strategy, situation);
        spent += ThreadCpuMs() - t0;
        if (advice.Choices.empty())
            std::fprintf(stderr, "keine Wahl\n");
    }
    return spent * 1000.0 / Questions;
}

void Simulations(const TStrategy &strategy)
{
    constexpr int Games = 100000;
    const TStrength strengths[] = {TStrength::Pro, TStrength::Advanced, TStrength::Beginner};
    const char *goals[] = {"Optimum ± 3 SE", "220-235", "170-195"};
    std::future<TSimulationResult> results[3];
    for (int i = 0; i < 3; ++i)
        results[i] = std::async(std::launch::async, [&strategy, s = strengths[i], i] {
            return SimulateGames(strategy, s, Games, 1000u + static_cast<unsigned>(i));
        });
    for (int i = 0; i < 3; ++i) {
        const TSimulationResult r = results[i].get();
        const bool met = i == 0 ? std::abs(r.Mean - strategy.Optimum()) <= 3 * r.StandardError
            : i == 1            ? r.Mean >= 220 && r.Mean <= 235
                                : r.Mean >= 170 && r.Mean <= 195;
        char value[64];
        std::snprintf(value, sizeof value, "%.2f ± %.2f Punkte", r.Mean, r.StandardError);
        std::printf("Computer \"%s\", Mittel aus %d Partien\t%s\t%s\t%s\n",
                    StrengthName(strengths[i]).toStdString().c_str(), Games, value, goals[i], met ? "ja" : "NEIN");
        std::fflush(stdout);
    }
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const TRulesScoring scoring(DefaultRules());
    TStrategy strategy(scoring);
    const double oneCore = SolveMs(strategy, 1, true);
    PrintFigure("Strategie lösen, Standardregeln, ein Kern (CPU, Median aus 3)", oneCore, "ms", "<= 1000 ms", oneCore <= 1000);
    if (argc > 1 && std::strcmp(argv[1], "--solve") == 0) {
        PrintExact("Optimum der Standardregeln", strategy.Optimum());
        return 0;
    }
    TStrategy parallel(scoring);
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const double allCores = SolveMs(parallel, 0, false);
    PrintInformation("Strategie lösen, alle " + std::to_string(cores) + " Kerne (Wanduhr, Median aus 3)", allCores, "ms");

    QTemporaryDir folder;
    const QString file = folder.path() + QStringLiteral("/table.bin");
    (void)strategy.SaveFile(file);
    TStrategy loaded(scoring);
    const double load0 = MonotonicMs();
    const bool ok = loaded.LoadFile(file);
    const double loadMs = MonotonicMs() - load0;
    PrintFigure("Gelöste Tabelle aus dem Cache laden", loadMs, "ms", "<= 20 ms", ok && loadMs <= 20);

    const double decision = DecisionMicroseconds(strategy);
    PrintFigure("Eine Entscheidung (Rat mitten im Zug)", decision, "µs", "<= 1000 µs", decision <= 1000);
    const double mb = static_cast<double>(strategy.Bytes()) / (1024.0 * 1024.0);
    PrintFigure("Speicher der gelösten Strategie", mb, "MB", "<= 8 MB", mb <= 8);

    PrintExact("Optimum der Standardregeln", strategy.Optimum());
    if (argc > 1 && std::strcmp(argv[1], "--quick") == 0)
        return 0;
    TStrategy classic{TClassicScoring(true)};
    (void)classic.Solve({0, {}, nullptr});
    PrintExact("Optimum der klassischen Regeln mit Joker und Extrabonus", classic.Optimum());
    TStrategy plain{TClassicScoring(false)};
    (void)plain.Solve({0, {}, nullptr});
    PrintExact("Optimum der klassischen Regeln ohne", plain.Optimum());

    Simulations(strategy);
    return 0;
}
