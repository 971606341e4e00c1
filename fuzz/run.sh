#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Quintor-Entwickler
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the libFuzzer targets with clang and runs each for a bounded time on
# a working copy of its committed seed corpus. Usage: run.sh <build dir> <seconds> <jobs>
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-fuzz}
seconds=${2:-60}
jobs=${3:-2}
targets=(fuzz_inifile fuzz_signature fuzz_rulevalue fuzz_statistics fuzz_records fuzz_picture fuzz_wave)

missing=()
for p in clang libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -q
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
# The build runs generated tools; their leaks at exit are no finding.
ASAN_OPTIONS=detect_leaks=0 cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DQUINTOR_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
ASAN_OPTIONS=detect_leaks=0 cmake --build "$build" -j "$jobs" --target "${targets[@]}"

export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
export LSAN_OPTIONS=suppressions=$PWD/tools/lsan.supp
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
failed=()
for t in "${targets[@]}"; do
  work="$build/corpus/$t"
  artifacts="$build/artifacts/$t/"
  mkdir -p "$work" "$artifacts"
  echo "== $t: ${seconds}s"
  if ! "$build/fuzz/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
       -print_final_stats=1 -artifact_prefix="$artifacts" "$work" "fuzz/corpus/$t" 2>"$build/$t.log"; then
    failed+=("$t")
    tail -40 "$build/$t.log"
  else
    grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "$build/$t.log" | tr '\n' ' '; echo
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "Findings in: ${failed[*]} (inputs in $build/artifacts/)"
  exit 1
fi
echo "All fuzz targets ran clean."
