#!/usr/bin/env bash
# Builds Velmora with warnings as errors and runs every test through CTest: the Linux build, then the
# Windows build, cross-built and tested under Wine (scripts/windows/test.sh; its Qt is built once and
# cached).
#   scripts/test.sh            both halves
#   scripts/test.sh --linux    the Linux half alone (what scripts/test-in-debian.sh runs)
set -euo pipefail
cd "$(dirname "$0")/.."
case "${1:-}" in
    "") windows=1 ;;
    --linux) windows=0 ;;
    *) echo "usage: scripts/test.sh [--linux]" >&2; exit 2 ;;
esac
scripts/install-deps.sh build run test
export CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"
start=$(date +%s)
cmake --workflow --preset dev
linux=$(date +%s)
if [ "$windows" = 0 ]; then
    echo "test: Linux build and tests $((linux - start)) s"
    exit 0
fi
scripts/windows/test.sh
echo "test: Linux build and tests $((linux - start)) s; Windows toolchain, build and tests $(($(date +%s) - linux)) s"
