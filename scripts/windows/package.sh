#!/usr/bin/env bash
# The Windows packages, left in build/windows: the portable ZIP and the NSIS installer, each holding
# velmora.exe with every DLL and plug-in it needs. Builds first where scripts/windows/test.sh has not.
set -euo pipefail
cd "$(dirname "$0")/../.."
start=$(date +%s)
VELMORA_WINDOWS_QT=$(scripts/windows/toolchain.sh --print-prefix)
export VELMORA_WINDOWS_QT
[ -f build/windows/CMakeCache.txt ] || cmake --preset windows >/dev/null
cmake --build build/windows --parallel "$(nproc)" >/dev/null
(cd build/windows && cpack -G "ZIP;NSIS" >/dev/null)
for package in build/windows/velmora-*-windows-x64.zip build/windows/velmora-*-windows-x64.exe; do
    echo "windows: $(basename "$package"): $(stat -c %s "$package") bytes"
done
echo "windows: packages made in $(($(date +%s) - start)) s"
