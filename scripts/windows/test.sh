#!/usr/bin/env bash
# Cross-builds Velmora for 64-bit Windows with warnings as errors and runs every test under Wine: the
# toolchain first (Qt for Windows is built once per version, then taken from the cache), then the
# `windows` workflow preset (build/windows; each test run starts from a fresh Wine prefix).
set -euo pipefail
cd "$(dirname "$0")/../.."
VELMORA_WINDOWS_QT=$(scripts/windows/toolchain.sh --print-prefix)
export VELMORA_WINDOWS_QT
export CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"
cmake --workflow --preset windows
