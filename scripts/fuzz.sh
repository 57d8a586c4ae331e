#!/usr/bin/env bash
# Builds the Selection loader's fuzz target with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# in its own build folder and fuzzes it, starting from the committed seed corpus.
#   scripts/fuzz.sh [seconds]     (default 60)
# Fails on any finding; the input that caused it is left in build/fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
[[ "$seconds" =~ ^[0-9]+$ ]] || { echo "fuzz: seconds must be a whole number" >&2; exit 2; }

scripts/install-deps.sh build fuzz

build=build/fuzz
cmake -S fuzz -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2

# New inputs go to the working corpus in the build folder; the committed seeds are only read.
mkdir -p "$build/corpus" "$build/findings"
rm -f "$build"/findings/*
"$build/selection_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$build/findings/" "$build/corpus" fuzz/corpus

if compgen -G "$build/findings/*" >/dev/null; then
    echo "fuzz: findings in $build/findings" >&2
    exit 1
fi
