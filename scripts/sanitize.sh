#!/usr/bin/env bash
# Builds the whole test suite a second time with AddressSanitizer and UndefinedBehaviorSanitizer, in its
# own folder (build/sanitize, the `sanitize` preset), and runs it. Any finding stops the test that made it,
# so CTest fails. Leaks inside system libraries are suppressed by tests/lsan.supp.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh build run test
export CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"
cmake --workflow --preset sanitize
