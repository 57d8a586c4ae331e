#!/usr/bin/env bash
# Builds the whole test suite a second time with AddressSanitizer and UndefinedBehaviorSanitizer, in its
# own folder (build/sanitize), and runs it. Any finding stops the test that made it, so CTest fails.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh build run test

build=build/sanitize
flags="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DVELMORA_WERROR=ON \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" -DCMAKE_SHARED_LINKER_FLAGS="$flags"
cmake --build "$build" -j2

# Leaks inside system libraries that Qt loads (the D-Bus connection of the X11 platform, fontconfig's
# caches) are theirs, not ours; every other leak fails the test that shows it.
cat >"$build/lsan.supp" <<'SUPP'
leak:libdbus-1.so
leak:libfontconfig.so
SUPP
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
export LSAN_OPTIONS="suppressions=$(pwd)/$build/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure --no-tests=error --timeout 600
