#!/usr/bin/env bash
# CI's Windows run: the cross build and every test under Wine (scripts/windows/test.sh), then the ZIP and
# the installer, left in build/windows.
set -euo pipefail
cd "$(dirname "$0")/../.."
start=$(date +%s)
scripts/windows/test.sh
tested=$(date +%s)
(cd build/windows && cpack -G ZIP)
for package in build/windows/velmora-*-windows-x64.*; do
    echo "windows: $(basename "$package"): $(stat -c %s "$package") bytes"
done
echo "windows: toolchain, build and tests $((tested - start)) s; packages $(($(date +%s) - tested)) s"
