#!/usr/bin/env bash
# Builds Velmora (release preset) and starts it on the user's display.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Velmora needs a graphical desktop, but neither DISPLAY nor WAYLAND_DISPLAY is set." >&2
    echo "Run scripts/run.sh from a terminal inside your desktop session (or over ssh -X)." >&2
    exit 1
fi

scripts/install-deps.sh build run
cmake --preset release >/dev/null
cmake --build --preset release -j2 --target velmora
exec build/release/app/velmora "$@"
