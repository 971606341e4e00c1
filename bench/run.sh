#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Quintor-Entwickler
#
# SPDX-License-Identifier: GPL-3.0-or-later

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
# The statistics view's charts module lies beside the program, not the benchmarks.
export QUINTOR_CHARTS_MODULE="$PWD/$BUILD_DIR/quintor_charts.so"
rows=$(mktemp)
display_file=$(mktemp)
xvfb_pid=
trap 'rm -f "$rows" "$display_file"; [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null' EXIT
# The start is compared on an X display of its own when Xvfb is at hand, as
# a desktop starts a program: connection, mapping, activation. The server
# picks a free display number and writes it to the file.
if command -v Xvfb >/dev/null; then
  Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp -noreset 5>"$display_file" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 1 100); do
    [ -s "$display_file" ] && break
    sleep 0.1
  done
  [ -s "$display_file" ] && export QUINTOR_BENCH_DISPLAY=":$(head -n1 "$display_file")"
fi
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
