# What the whole-program tests share. Sourcing it makes the test's temporary folder, $work, which goes when the script ends, together with
# everything the script started in the background. Results are counted in `failures`, and every wait polls
# with a time-out, so a loaded machine makes a test slower, never flaky.
# shellcheck shell=bash

e2e_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# The table every saving test types (Mill, with hopper and boxcar; Random Order off, no runs), as the
# Selection file must hold it, byte for byte.
# shellcheck disable=SC2034 # for the scripts that source this one
mill_table=$e2e_dir/mill.selection

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "PASS: $*"; }
# Prints the count and gives the script's status: true when nothing failed.
summary() { echo "$failures failure(s)"; [ "$failures" -eq 0 ]; }

work=$(mktemp -d)
exit_steps=()
# at_exit FUNCTION: calls FUNCTION when the script ends, before the temporary folder goes.
at_exit() { exit_steps+=("$1"); }
finish() {
    local step
    # shellcheck disable=SC2046 # one process id a word
    kill $(jobs -p) 2>/dev/null
    for step in "${exit_steps[@]}"; do "$step"; done
    rm -rf "$work"
}
trap finish EXIT

# poll SECONDS COMMAND...: true once COMMAND succeeds, false when time runs out.
poll() {
    local limit=$(($1 * 10)) i
    shift
    for ((i = 0; i < limit; i++)); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# A home of the test's own inside $work, with the folders the program and the desktop look in, so that a
# test never touches the user's saved table or export.
use_own_home() {
    export HOME=$work/home XDG_DATA_HOME=$work/home/.local/share XDG_CONFIG_HOME=$work/home/.config
    export XDG_RUNTIME_DIR=$work/runtime
    mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
}

# ---- A real window on an X display, driven by xdotool: the Linux program and the Windows one under Wine.

# need_x_tools TOOL...: skips the test (CTest's code 77) without an X display or one of the tools.
need_x_tools() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
    done
    [ -n "${DISPLAY:-}" ] || { echo "SKIP: no X display (run under xvfb-run)"; exit 77; }
}

# Starts openbox on the display and waits until it manages windows; ends the test when it cannot.
start_window_manager() {
    openbox --sm-disable >/dev/null 2>&1 &
    wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
    poll 30 wm_ready || { echo "openbox did not start"; exit 1; }
}

# load_places COMMAND...: reads the controls' centres (window pixels) from the program's control table,
# which COMMAND prints (control_table --centres, run as the build runs its programs).
declare -A centre=()
load_places() {
    local name x y
    while read -r name x y; do
        centre[$name]="$x $y"
    done < <("$@" --centres | tr -d '\r')
    [ -n "${centre[lblHead]:-}" ] || { echo "no control table from $*"; exit 1; }
}

# begin_under_wine WINE_RUN PREFIX DLLPATH CONTROL_TABLE: the Windows program's test, run as the build runs
# its programs. The prefix's Wine server may have been started by a test without a display; this one needs
# it, and it ends with the test.
begin_under_wine() {
    wine_prefix=$2
    stop_wine
    at_exit stop_wine
    unset QT_QPA_PLATFORM
    load_places "$@"
    start_window_manager
}
stop_wine() { WINEPREFIX=$wine_prefix wineserver -k 2>/dev/null; }

# The program's process ($pid) and its main window ($win), once find_window has found it.
pid=""
win=""
find_window() { win=$(xdotool search --onlyvisible --name '^Ostrel Velmora v2\.1$' 2>/dev/null | head -n1); [ -n "$win" ]; }
running() { kill -0 "$pid" 2>/dev/null; }
ended() { ! running; }
wait_end() { poll 60 ended && wait "$pid" 2>/dev/null; }
stop() { running && kill "$pid" && wait "$pid" 2>/dev/null; return 0; }

position() { xwininfo -id "$win" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} END {print x "," y}'; }
size() { xwininfo -id "$win" | awk '/Width:/ {w=$NF} /Height:/ {h=$NF} END {print w "x" h}'; }
at_position() { [ "$(position)" = "$1" ]; }
# point X Y: a point of the window, in its own pixels, on the screen.
point() { local p; p=$(position); echo "$((${p%,*} + $1)) $((${p#*,} + $2))"; }
# point_of CONTROL: the centre of the named control on the screen.
point_of() {
    local c=${centre[$1]:?"no control $1 in the table"}
    point "${c% *}" "${c#* }"
}
# shellcheck disable=SC2046 # the point is two words
click_on() { xdotool mousemove --sync $(point_of "$1") click 1; }
active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "${1:-$win}" ]; }
focus_window() {
    timeout 10 xdotool windowactivate --sync "$win" >/dev/null 2>&1 ||
        { command -v wmctrl >/dev/null && wmctrl -i -a "$win"; }
    poll 30 active || fail "the window did not take the focus"
}

# type_mill DELAY: types the Mill table into the first grid row and ticks Save Data, DELAY milliseconds
# between keys.
type_mill() {
    click_on 'txtInd(0)'
    xdotool type --delay "$1" "Mill"
    xdotool key Tab
    xdotool type --delay "$1" "hopper,boxcar"
    click_on checkData
}
