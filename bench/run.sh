#!/usr/bin/env bash
# make bench: builds the release program and the benchmarks in BUILD_DIR,
# runs them headless and prints one table of figure, value, goal and whether
# the goal is met. Reports only: a missed goal or a failed step never fails.
set -uo pipefail
BUILD_DIR=${1:-build-bench}
JOBS=${2:-2}
cd "$(dirname "$0")/.."

# Google Benchmark comes from Debian; installed here only, not for make test.
./tools/install-deps.sh libbenchmark-dev || echo "libbenchmark-dev fehlt und ließ sich nicht installieren" >&2

cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUINTOR_BENCH=ON >/dev/null &&
  cmake --build "$BUILD_DIR" -j "$JOBS" --target quintor_bench >/dev/null || {
    echo "Die Benchmarks ließen sich nicht bauen." >&2
    exit 0
  }

export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
rows=$(mktemp)
trap 'rm -f "$rows"' EXIT
echo "Last vorher: $(cut -d' ' -f1-3 /proc/loadavg) auf $(nproc) Kernen" >&2
"$BUILD_DIR/bench/bench_Micro" --benchmark_min_time=0.2 2>/dev/null >>"$rows"
"$BUILD_DIR/bench/bench_Strategy" 2>/dev/null >>"$rows"
"$BUILD_DIR/bench/bench_Windows" "$BUILD_DIR/Quintor" "$PWD/$BUILD_DIR/bench/libquintor_probe.so" 2>/dev/null >>"$rows"
echo "Last nachher: $(cut -d' ' -f1-3 /proc/loadavg)" >&2
{
  printf 'Messgröße\tWert\tZiel\terreicht\n'
  cat "$rows"
} | column -t -s $'\t'
exit 0
