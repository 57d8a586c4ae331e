#!/usr/bin/env bash
# Velmora as a native Wayland client: the real velmora under a headless weston, with Qt's Wayland platform.
#   wayland.sh path/to/velmora path/to/control_table
# It checks that the program names its window with its caption and the desktop entry's application id,
# maps it at its size, shows it (a screenshot through weston's screenshooter holds the grey title band),
# prints no warning, and ends through its own close path: "X" pressed through AT-SPI, so the program
# runs ShutDown and quits by itself. Skipped (77) only when weston cannot start here.
set -uo pipefail

velmora=$1
expected_tool=$2
here=$(cd "$(dirname "$0")" && pwd)

skip() { echo "SKIP: $*"; exit 77; }
command -v weston >/dev/null || skip "weston is missing"
command -v dbus-run-session >/dev/null || skip "dbus-run-session is missing (dbus)"

# A private session bus for the accessibility bus that carries the press of "X".
if [ -z "${VELMORA_WAYLAND_SESSION:-}" ]; then
    exec env VELMORA_WAYLAND_SESSION=1 dbus-run-session -- bash "$0" "$@"
fi

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
use_own_home
unset DISPLAY

# The pixman renderer, so the screenshot holds what was drawn; --debug lets the screenshooter in.
socket="velmora-test"
weston --backend=headless-backend.so --socket="$socket" --use-pixman --debug --idle-time=0 \
    --width=1024 --height=768 >"$work/weston.log" 2>&1 &
compositor_up() { [ -S "$XDG_RUNTIME_DIR/$socket" ]; }
if ! poll 30 compositor_up; then
    cat "$work/weston.log"
    skip "weston did not start"
fi
export WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland

# The AT-SPI bus, for the press of "X"; without it the program can only be ended from outside.
launcher=/usr/libexec/at-spi-bus-launcher
atspi=0
if [ -x "$launcher" ] && /usr/bin/python3 -c 'import pyatspi' 2>/dev/null; then
    "$launcher" --launch-immediately >"$work/launcher.log" 2>&1 &
    a11y_bus() {
        dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress 2>/dev/null |
            grep -q 'unix:'
    }
    poll 30 a11y_bus && atspi=1
fi

# WAYLAND_DEBUG makes the client print every request it sends ("->") and every event it receives, each
# line starting with a time stamp in brackets; anything else on its output is the program's own. libwayland
# 1.23 (Debian 13) puts the event queue's name in braces after the time stamp and writes an object as
# xdg_toplevel#15 where older releases wrote xdg_toplevel@15, and Debian testing's stamps are the time of
# day ([15:52:00.389852]); the patterns take each.
# Under the leak check, Mesa's EGL driver, which Qt's Wayland plug-in sets up, is unloaded before the
# report; only the slow unwinder follows its leaks back to libEGL_mesa, where the suppressions find them.
if [ -n "${LSAN_OPTIONS:-}" ]; then
    export LSAN_OPTIONS="$LSAN_OPTIONS:fast_unwind_on_malloc=0"
fi
# The AT-SPI bus only carries the press of "X" here, and Qt 6.11's bridge warns when Debian testing's newer
# AT-SPI client asks for a method it does not have (GetApplicationBusAddress); the press works all the same
# and the AT-SPI test reads the tree there, so its warnings are left out of this test's "no warning".
QT_LOGGING_RULES=qt.accessibility.atspi.warning=false QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 WAYLAND_DEBUG=client \
    "$velmora" >"$work/velmora.log" 2>&1 &
pid=$!

protocol() { grep -E "^\[[ 0-9:.]+\] +(\{[^}]*\} +)?$1" "$work/velmora.log"; }
# Mapped: the first configure acknowledged, then a buffer attached to the surface and committed.
mapped() { grep -A1000000 'ack_configure' "$work/velmora.log" | grep -qE 'wl_surface[@#][0-9]+\.attach\(wl_buffer[@#]'; }
if poll 60 mapped; then pass "the window is mapped"; else fail "the window was not mapped"; fi
protocol '-> xdg_toplevel[@#][0-9]+\.set_app_id\("net\.ostrel\.Velmora"\)' >/dev/null &&
    pass "application id net.ostrel.Velmora, as the desktop entry is named" ||
    fail "no application id net.ostrel.Velmora"
protocol '-> xdg_toplevel[@#][0-9]+\.set_title\("Ostrel Velmora v2\.1"\)' >/dev/null &&
    pass "title Ostrel Velmora v2.1" || fail "no title Ostrel Velmora v2.1"
protocol '-> xdg_surface[@#][0-9]+\.set_window_geometry\(0, 0, 552, 368\)' >/dev/null &&
    pass "window 552 x 368" || fail "window geometry: $(protocol 'set_window_geometry' | tail -n 1)"

# The screenshot: some row holds the title strip's grey band, 537 pixels of RGB(128, 128, 128) side by
# side. A row's share of grey pixels, times the width, counts them.
if command -v weston-screenshooter >/dev/null && command -v convert >/dev/null; then
    shot() {
        (cd "$work" && weston-screenshooter >/dev/null 2>&1)
        ls "$work"/wayland-screenshot-*.png >/dev/null 2>&1
    }
    band_shown() {
        shot || return 1
        local shots png widest
        shots=("$work"/wayland-screenshot-*.png)
        png=${shots[-1]}
        widest=$(convert "$png" -fill black +opaque '#808080' -fill white -opaque '#808080' \
            -colorspace gray -scale "1x$(identify -format %h "$png")!" -depth 16 txt:- |
            awk -v w="$(identify -format %w "$png")" 'NR > 1 { gsub(/[()]/, "", $2); split($2, v, ","); n = v[1] / 65535 * w; if (n > max) max = n } END { printf "%d", max + 0.5 }')
        rm -f "$png"
        [ "$widest" -ge 537 ]
    }
    if poll 30 band_shown; then pass "the screenshot shows the title band"; else fail "no title band in the screenshot"; fi
else
    echo "note: no weston-screenshooter or ImageMagick, the screenshot is left out"
fi

ended() { ! kill -0 "$pid" 2>/dev/null; }
if [ "$atspi" = 1 ]; then
    "$expected_tool" >"$work/expected.json" || fail "control_table"
    if /usr/bin/python3 "$here/atspi.py" --press-only "$pid" "$work/expected.json"; then
        if poll 30 ended; then
            wait "$pid"
            code=$?
            [ "$code" -eq 0 ] && pass "X ends the program (status 0)" || fail "the program ended with status $code"
        else
            fail "the program still runs after X was pressed"
        fi
    else
        fail "X could not be pressed through AT-SPI"
    fi
else
    echo "note: no AT-SPI bus here, so the program is ended from outside"
fi
if ! ended; then
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
fi

# Qt's warnings (qt.qpa.wayland: ...) and anything else the program printed.
said=$(grep -vE '^\[[ 0-9:.]+\] ' "$work/velmora.log")
[ -z "$said" ] && pass "no warning" || fail "the program printed:
$said"
summary
