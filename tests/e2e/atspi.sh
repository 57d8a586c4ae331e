#!/usr/bin/env bash
# What a screen reader hears: the real velmora on an X display, with a D-Bus session and the AT-SPI bus,
# read through the AT-SPI client library Orca uses (atspi.py), then closed by pressing "X" through its
# action interface.
#   atspi.sh path/to/velmora path/to/control_table     (run inside xvfb-run; CTest does that)
# Skipped (77) only when the accessibility stack cannot be started here: no D-Bus, no AT-SPI bus, no
# Python bindings. Once it runs, every shortfall is a failure.
set -uo pipefail

velmora=$1
expected_tool=$2
here=$(cd "$(dirname "$0")" && pwd)
launcher=/usr/libexec/at-spi-bus-launcher
python=/usr/bin/python3 # the Python the Debian bindings are built for

skip() { echo "SKIP: $*"; exit 77; }
[ -n "${DISPLAY:-}" ] || skip "no X display (run under xvfb-run)"
command -v dbus-run-session >/dev/null || skip "dbus-run-session is missing (dbus)"
command -v dbus-send >/dev/null || skip "dbus-send is missing (dbus)"
[ -x "$launcher" ] || skip "$launcher is missing (at-spi2-core)"
"$python" -c 'import pyatspi' 2>/dev/null || skip "the pyatspi bindings are missing (python3-pyatspi)"

# Everything below runs on a private session bus that ends with the script.
if [ -z "${VELMORA_ATSPI_SESSION:-}" ]; then
    exec env VELMORA_ATSPI_SESSION=1 dbus-run-session -- bash "$0" "$@"
fi

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
use_own_home

"$launcher" --launch-immediately >"$work/launcher.log" 2>&1 &
a11y_bus() {
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
        >"$work/address" 2>/dev/null && grep -q 'unix:' "$work/address"
}
if ! poll 30 a11y_bus; then
    cat "$work/launcher.log"
    skip "the AT-SPI bus did not start"
fi

"$expected_tool" >"$work/expected.json" || { echo "FAIL: control_table"; exit 1; }

export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
"$velmora" >"$work/velmora.log" 2>&1 &
pid=$!

"$python" "$here/atspi.py" "$pid" "$work/expected.json"
status=$?
if [ "$status" -eq 2 ]; then
    cat "$work/velmora.log"
    echo "FAIL: the program never appeared on the accessibility bus"
    exit 1
fi

ended() { ! kill -0 "$pid" 2>/dev/null; }
if [ "$status" -eq 0 ]; then
    if poll 30 ended; then
        wait "$pid"
        code=$?
        [ "$code" -eq 0 ] && echo "PASS: pressing X through AT-SPI ended the program" ||
            { echo "FAIL: the program ended with status $code"; status=1; }
    else
        echo "FAIL: the program still runs after X was pressed through AT-SPI"
        status=1
    fi
fi
if [ -s "$work/velmora.log" ]; then
    echo "the program said:"
    cat "$work/velmora.log"
fi
exit "$status"
