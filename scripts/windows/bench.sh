#!/usr/bin/env bash
# The start-up benchmark of the Windows program under Wine, on a virtual X display, in a Wine prefix of
# its own: velmora.exe's window against the window of the same standard controls, both built for Windows
# (build/windows). Wine's times are not Windows' own; the ratio is the figure to compare. Options go to the
# benchmark (--startup-runs N).
set -euo pipefail
cd "$(dirname "$0")/../.."
VELMORA_WINDOWS_QT=$(scripts/windows/toolchain.sh --print-prefix)
export VELMORA_WINDOWS_QT
[ -f build/windows/CMakeCache.txt ] || cmake --preset windows >/dev/null
cmake --build build/windows --parallel 2 --target velmora_bench >/dev/null

work=$(mktemp -d)
trap 'WINEPREFIX=$work/prefix wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
dll_path=$(sed -n 's/^VELMORA_WINE_DLL_PATH:INTERNAL=//p' build/windows/CMakeCache.txt)
export QT_QPA_PLATFORM=windows
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" scripts/windows/wine-run.sh "$work/prefix" "$dll_path" \
    build/windows/velmora_bench.exe --platforms windows --startup-only "$@"
