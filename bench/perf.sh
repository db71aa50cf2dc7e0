#!/usr/bin/env bash
# The figures of README's "Performance" section, in one command: builds the
# bench preset (optimised, into build-bench/), runs the logic and window
# benchmarks and the start-up comparison of Vurp with the floor program, and
# prints two tables. Every run's numbers stay in build-bench/perf/.
#
# usage: bench/perf.sh [RUNS]    RUNS start-ups of each program per scale (20)
#        VURP_BENCH_DIR=DIR bench/perf.sh    the bench preset built into DIR
#
# Take the figures on a quiet machine: anything else running shows up in
# them, in the start-up times most of all.
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-20}"

packages=(libbenchmark-dev xvfb python3-xlib)
tools/install-packages.sh "${packages[@]}"

jobs="$(nproc 2>/dev/null || echo 2)"
build="${VURP_BENCH_DIR:-build-bench}"
cmake --preset bench -B "$build" >/dev/null
cmake --build "$build" --target benchmarks -j "$jobs"

out="$build/perf"
mkdir -p "$out"
"$build/bench/vurp_logic_bench" --benchmark_repetitions=10 \
    --benchmark_out="$out/logic.json" --benchmark_out_format=json
QT_QPA_PLATFORM=offscreen "$build/bench/vurp_window_bench" --clicks=1000 \
    --benchmark_out="$out/window.json" --benchmark_out_format=json
echo
/usr/bin/python3 bench/summary.py "$out/logic.json" "$out/window.json"
echo
# Vurp finds Pict/ under the working directory: the harness starts both
# programs from the repository root.
/usr/bin/python3 bench/startup.py --runs "$runs" --vurp "$build/ui/vurp" \
    --floor "$build/bench/vurp_floor" --json "$out/startup.json"
