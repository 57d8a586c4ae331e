#!/usr/bin/env bash
# Makes docs/screenshot.png: Velmora under Xvfb with a window manager, a few industries typed in and a
# few runs drawn, captured with a margin around the window.
#   scripts/screenshot.sh            the Linux program, into docs/screenshot.png
#   scripts/screenshot.sh --windows  the Windows program under Wine, into docs/screenshot-windows.png
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)

case "${1:-}" in
    --inside) platform=$2 ;;
    --windows)
        scripts/install-deps.sh test # Xvfb, openbox, xdotool and ImageMagick, as for the Linux picture
        VELMORA_WINDOWS_QT=$(scripts/windows/toolchain.sh --print-prefix)
        export VELMORA_WINDOWS_QT
        cmake --preset windows >/dev/null
        cmake --build build/windows -j2 --target velmora
        exec xvfb-run -a -s "-screen 0 800x600x24" "$0" --inside windows ;;
    "")
        scripts/install-deps.sh build run test
        cmake --preset release >/dev/null
        cmake --build --preset release -j2 --target velmora
        exec xvfb-run -a -s "-screen 0 800x600x24" "$0" --inside linux ;;
    *) echo "usage: $0 [--windows]" >&2; exit 2 ;;
esac

if [ "$platform" = linux ]; then export QT_QPA_PLATFORM=xcb; else unset QT_QPA_PLATFORM; fi
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
export HOME=$work XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

openbox --sm-disable >/dev/null 2>&1 &
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done

if [ "$platform" = windows ]; then
    # A Wine prefix of its own, made afresh; its Wine server ends with the picture.
    trap 'kill $(jobs -p) 2>/dev/null; WINEPREFIX=$work/prefix wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
    dll_path=$(sed -n 's/^VELMORA_WINE_DLL_PATH:INTERNAL=//p' build/windows/CMakeCache.txt)
    scripts/windows/wine-run.sh "$work/prefix" "$dll_path" build/windows/velmora.exe &
    picture=$repo/docs/screenshot-windows.png
else
    build/release/app/velmora &
    picture=$repo/docs/screenshot.png
fi
win=""
for _ in $(seq 600); do
    win=$(xdotool search --onlyvisible --name '^Ostrel Velmora v2\.1$' 2>/dev/null | head -n1) && [ -n "$win" ] && break
    sleep 0.1
done
[ -n "$win" ] || { echo "Velmora did not open" >&2; exit 1; }
sleep 0.5
xdotool windowactivate --sync "$win" >/dev/null 2>&1 || true
sleep 0.5

# Window pixels to screen pixels: the window opens at (98, 87).
click() { xdotool mousemove $((98 + $1)) $((87 + $2)) click 1; sleep 0.2; }
type() { xdotool type --delay 15 "$1"; }

click 84 153 # txtInd(0)
click 84 153
type "Mill"; xdotool key Tab; type "hopper,boxcar,gondola"; xdotool key Tab
type "Grain Elevator"; xdotool key Tab; type "covered hopper,boxcar"; xdotool key Tab
type "Team Track"; xdotool key Tab; type "flatcar,boxcar,gondola"; xdotool key Tab
type "Oil Dealer"; xdotool key Tab; type "tank car"; xdotool key Tab
type "Freight House"; xdotool key Tab; type "boxcar,reefer"
click 132 85 # txtOld
type "boxcar,reefer,hopper,tank car,flatcar,gondola"
click 318 232 # Random Order
click 518 328 # Save Data
click 332 176 # Go! of the industry section
click 276 72  # Go! of the car-type section
click 332 176
xdotool mousemove 700 560
sleep 0.5

mkdir -p docs
import -window "$win" "$work/window.png"
convert "$work/window.png" -bordercolor '#5b6f82' -border 20 "$picture"
echo "wrote ${picture#"$repo"/}"
