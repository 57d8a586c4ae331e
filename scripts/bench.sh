#!/usr/bin/env bash
# Builds Velmora optimised (build/release) and prints the benchmark table: start-up to the first painted
# frame, its count of instructions (callgrind) and peak memory against a window of the same standard
# controls (and a bare window of the same size), on a virtual X display (xcb) and on the offscreen platform;
# the commands with up to 100,000 entries in the results list; saving and loading a full industry table.
# Options go to the benchmark: --runs N, --startup-runs N, --platforms LIST. scripts/windows/bench.sh
# times the start-up of the Windows program under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh build run test bench

cmake --preset release >/dev/null
cmake --build --preset release -j2 --target velmora_bench >/dev/null

export QT_QPA_PLATFORM=xcb
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    build/release/bench/velmora_bench --platforms xcb,offscreen --instructions "$@"
