# What the whole-program tests share; each sources it. Results are counted in `failures`, and every wait
# polls with a time-out, so a loaded machine makes a test slower, never flaky.

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "PASS: $*"; }

# poll SECONDS COMMAND...: true once COMMAND succeeds, false when time runs out.
poll() {
    local limit=$(($1 * 10))
    shift
    for ((i = 0; i < limit; i++)); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# Starts openbox on the display and waits until it manages windows; ends the test when it cannot.
start_window_manager() {
    openbox --sm-disable >/dev/null 2>&1 &
    wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
    poll 30 wm_ready || { echo "openbox did not start"; exit 1; }
}

# Sets win to Velmora's main window once it is shown.
find_window() { win=$(xdotool search --onlyvisible --name '^Ostrel Velmora v2\.1$' 2>/dev/null | head -n1); [ -n "$win" ]; }

# A home of the test's own under $work, with the folders the program and the desktop look in, so that a
# test never touches the user's saved table or export.
use_own_home() {
    export HOME=$work/home XDG_DATA_HOME=$work/home/.local/share XDG_CONFIG_HOME=$work/home/.config
    export XDG_RUNTIME_DIR=$work/runtime
    mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
}
