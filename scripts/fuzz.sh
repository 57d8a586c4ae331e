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
# Inputs as large as the largest Selection file Velmora writes, one byte more: the loader refuses anything
# larger before reading it, so nothing beyond that needs fuzzing.
max_len=$(grep -o "MaxSelectionFileBytes == [0-9']*" files/selectionlayout.h | tr -dc '0-9')
[ -n "$max_len" ] || { echo "fuzz: MaxSelectionFileBytes not found" >&2; exit 2; }
# Memory must not grow: a leak is reported at once (detect_leaks), one allocation above 64 MB is a finding
# (the largest file loads in a few MB), and so is a process above 512 MB. The quarantine in which
# AddressSanitizer holds freed memory to catch late uses is 256 MB by default and fills over minutes,
# which looked like growth; 64 MB still catches a use long after the free.
export ASAN_OPTIONS="detect_leaks=1:quarantine_size_mb=64:malloc_context_size=10:${ASAN_OPTIONS:-}"
# The largest table Velmora writes goes through the sanitizers once, on its own: as a seed it would slow
# every mutation down to a few runs a second.
"$build/selection_fuzzer" -rss_limit_mb=512 -malloc_limit_mb=64 fuzz/large/*
"$build/selection_fuzzer" -max_total_time="$seconds" -timeout=10 -max_len=$((max_len + 1)) \
    -rss_limit_mb=512 -malloc_limit_mb=64 -detect_leaks=1 -print_final_stats=1 \
    -artifact_prefix="$build/findings/" "$build/corpus" fuzz/corpus

if compgen -G "$build/findings/*" >/dev/null; then
    echo "fuzz: findings in $build/findings" >&2
    exit 1
fi
