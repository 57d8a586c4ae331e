#!/usr/bin/env bash
# Builds Velmora with warnings as errors and runs every test through CTest: the Linux build, then the
# Windows build, cross-built and tested under Wine (scripts/windows/test.sh; its Qt is built once and
# cached).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh build run test
export CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"
start=$(date +%s)
cmake --workflow --preset dev
linux=$(date +%s)
scripts/windows/test.sh
echo "test: Linux build and tests $((linux - start)) s; Windows toolchain, build and tests $(($(date +%s) - linux)) s"
