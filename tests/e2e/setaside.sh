#!/usr/bin/env bash
# The whole program started with something other than a saved table where the Selection file belongs: a
# pipe without a writer and a link to /dev/zero. Each start must come up at once, say what it set aside,
# keep it, and still save the table at exit.
#   setaside.sh path/to/velmora path/to/control_table      (run inside xvfb-run; CTest does that)
set -uo pipefail

velmora=$1 control_table=$2
export QT_QPA_PLATFORM=xcb
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
need_x_tools openbox xdotool xprop
use_own_home
load_places "$control_table"
folder="$XDG_DATA_HOME/Program Files/Ostrel/Velmora"
selection="$folder/Selection"
aside="$selection.unreadable"
mkdir -p "$folder"

start_window_manager

box=""
find_box() { box=$(xdotool search --onlyvisible --name '^Saved Data Not Loaded$' 2>/dev/null | head -n1); [ -n "$box" ]; }
# The resident memory of the program, in kB.
rss() { awk '/^VmRSS/ {print $2}' "/proc/$pid/status" 2>/dev/null || echo 0; }

# start_refusing WHAT: starts the program over what stands at the Selection file's path; the program must
# show its one message at once, keep the thing as Selection.unreadable and, once the message is closed,
# show its window.
start_refusing() {
    "$velmora" >"$work/velmora.log" 2>&1 &
    pid=$!
    if poll 60 find_box; then pass "$1: the start says what it set aside"; else fail "$1: no message"; cat "$work/velmora.log"; return 1; fi
    [ "$(rss)" -lt 300000 ] && pass "$1: $(rss) kB resident" || fail "$1: $(rss) kB resident"
    [ -e "$selection" ] || [ -L "$selection" ] && fail "$1: still at the Selection file's path" || pass "$1: moved away"
    timeout 10 xdotool windowactivate --sync "$box" >/dev/null 2>&1
    poll 30 active "$box" || fail "$1: the message did not take the focus"
    xdotool key Return
    if poll 60 find_window; then pass "$1: the window opens"; else fail "$1: no window after the message"; return 1; fi
}

# Types the Mill table, ticks Save Data and leaves with Esc: the table must be saved.
save_and_leave() {
    focus_window
    type_mill 40
    xdotool key Escape
    if wait_end; then pass "$1: Esc ends the program"; else fail "$1: still running after Esc"; stop; fi
    if cmp -s "$selection" "$mill_table"; then
        pass "$1: the new table is saved"
    else
        fail "$1: the Mill table was not saved"
    fi
    rm -f "$selection"
}

# ---- A pipe without a writer: a plain open would wait for ever.
mkfifo "$selection"
if start_refusing "a pipe"; then
    [ -p "$aside" ] && pass "a pipe: kept as Selection.unreadable" || fail "a pipe: not kept"
    save_and_leave "a pipe"
fi
kill "$pid" 2>/dev/null

# ---- A link to /dev/zero: a read would never end.
ln -s /dev/zero "$selection"
if start_refusing "a link to /dev/zero"; then
    [ "$(readlink "$aside")" = /dev/zero ] && pass "a link to /dev/zero: kept as it was" || fail "a link to /dev/zero: not kept"
    save_and_leave "a link to /dev/zero"
fi
kill "$pid" 2>/dev/null

summary
