#!/usr/bin/env bash
# The whole Windows program under Wine: velmora.exe in a real window on an X display with a window
# manager, driven by xdotool, with its files in the Wine prefix's drive C.
#   wine_e2e.sh WINE_RUN PREFIX DLLPATH path/to/velmora.exe path/to/control_table.exe
#                                                               (inside xvfb-run; CTest does that)
# WINE_RUN is the build's Wine runner (scripts/windows/wine-run.sh), PREFIX the Wine prefix it runs in and
# DLLPATH where it finds the DLLs. Every step polls with generous time-outs, as the Linux test does.
set -uo pipefail

wine_run=$1 prefix=$2 dll_path=$3 velmora=$4 control_table=$5
wine=$(command -v wine64 || command -v wine)
[ -x /usr/lib/wine/wine64 ] && wine=/usr/lib/wine/wine64
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
need_x_tools openbox xdotool xprop xwininfo
begin_under_wine "$wine_run" "$prefix" "$dll_path" "$control_table"
selection="$prefix/drive_c/Program Files/Ostrel/Velmora/Selection"
exported="$prefix/drive_c/Velmora-Export.txt"

start() {
    "$wine_run" "$prefix" "$dll_path" "$velmora" >"$work/velmora.log" 2>&1 &
    pid=$!
    poll 120 find_window || { echo "no window"; cat "$work/velmora.log"; return 1; }
}
# Esc, to the focused window. Wine may lose a key sent in the moment after its window took the X focus,
# before Windows' own focus has followed; the key is then pressed again, as a user would, and the test
# says so.
escape() {
    local try
    for try in 1 2 3; do
        focus_window
        xdotool key Escape
        if poll 20 ended; then
            [ "$try" -gt 1 ] && echo "note: Esc took $try presses (line ${BASH_LINENO[0]})"
            wait "$pid" 2>/dev/null
            return 0
        fi
    done
    return 1
}

gone() { [ ! -f "$1" ]; }

# The table Esc saved in $1 must be the expected one; the next start must load and delete it, and its Esc
# save it again unchanged. $2 names the place in the messages.
saved_and_restored() {
    local file=$1 place=$2
    if cmp -s "$file" "$mill_table"; then
        pass "$place written byte for byte"
    else
        fail "$place differs: $(od -An -tx1 "$file" 2>&1 | tr -s ' \n' ' ')"
    fi
    start || exit 1
    if poll 60 gone "$file"; then pass "start loads and deletes $place"; else fail "$place still there"; fi
    escape || { fail "Esc after the restoring start did not end the program"; stop; }
    if cmp -s "$file" "$mill_table"; then
        pass "$place restored and saved again unchanged"
    else
        fail "$place not saved again unchanged"
    fi
}

# ---- The window opens in its place, with its size.
rm -f "$selection" "$exported"
start || exit 1
if poll 30 at_position "98,87"; then pass "opens at (98, 87)"; else fail "opens at $(position), not (98, 87)"; fi
[ "$(size)" = "552x368" ] && pass "client area 552 x 368" || fail "size $(size)"

# ---- A typed table with Save Data ticked is saved by Esc under the prefix's Program Files, byte for byte.
focus_window
type_mill 60
if escape; then pass "Esc ends the program"; else fail "Esc did not end the program"; stop; fi
saved_and_restored "$selection" "the Selection file"
rm -f "$selection"

# ---- The session's end (Windows' end-session messages, sent by wineboot as at a logout) saves the
# table like Esc does.
start || exit 1
focus_window
type_mill 60
WINEPREFIX=$prefix WINEDEBUG=-all timeout 60 "$wine" wineboot --end-session >/dev/null 2>&1
saved() { cmp -s "$selection" "$mill_table"; }
if poll 60 saved; then pass "the session's end saves the table"; else fail "no table saved at the session's end"; fi
stop
rm -f "$selection"

# ---- Export writes C:\Velmora-Export.txt in the ANSI code page and says so. The car type comes from a
# saved table in the ANSI code page ("é" is the one byte 0xE9 under an English Windows): Mill with the
# one car type "Café", and the spare element.
printf '\x00\x00\x00\x00\x01\x00\x01\x00\x02\x00\x00\x00\x00\x00\x00\x00''\x04\x00Mill\x00\x00\x00\x00\x00\x00''\x01\x00\x01\x00\x00\x00\x00\x00\x00\x00\x04\x00Caf\xe9''\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00' >"$selection"
start || exit 1
poll 60 gone "$selection" || fail "the saved table was not loaded"
focus_window
click_on Command1
click_on Command3
box_open() { xdotool search --onlyvisible --name 'Results Exported!' >/dev/null 2>&1; }
if poll 60 box_open; then pass "export message shown"; else fail "no export message"; fi
# Every line ends in CR LF; nothing is in UTF-8.
if head -c 32 "$exported" 2>/dev/null | cmp -s - <(printf 'Made With Ostrel Velmora v2.01\r\n') &&
   LC_ALL=C grep -q $'^Mill - Caf\xe9\r$' "$exported" && ! LC_ALL=C grep -q $'\xc3' "$exported"; then
    pass "export file written in the ANSI code page with CR LF line ends"
else
    fail "export file missing or wrong: $(od -c "$exported" 2>/dev/null | head -n 8)"
fi
xdotool key Return
stop

# ---- A standard user may not write under Program Files nor in the root of C:. With both refused for real
# (the folders made immutable, which holds even for root), the table goes where Windows redirects such
# writes of older programs, the export to Documents, and the next start loads the table from there.
user_dir="$prefix/drive_c/users/$(id -un)"
store="$user_dir/AppData/Local/VirtualStore/Program Files/Ostrel/Velmora/Selection"
documents="$user_dir/Documents"
own_folder="$prefix/drive_c/Program Files/Ostrel/Velmora"
# Wine links Documents to the Unix home; the test's export stays in the prefix.
rm -f "$documents" && mkdir -p "$documents"
rm -rf "${own_folder:?}"/* "$exported" "$store"
if command -v chattr >/dev/null && chattr +i "$own_folder" "$prefix/drive_c" 2>/dev/null; then
    thaw() { chattr -i "$own_folder" "$prefix/drive_c"; }
    at_exit thaw
    start || exit 1
    focus_window
    type_mill 60
    click_on Command3
    if poll 60 box_open; then pass "export message shown"; else fail "no export message"; fi
    xdotool key Return
    in_documents() { [ -f "$documents/Velmora-Export.txt" ]; }
    if poll 30 in_documents && [ ! -e "$exported" ]; then
        pass "export refused at C:\\ goes to Documents"
    else
        fail "export not in Documents"
    fi
    escape || { fail "Esc did not end the program"; stop; }
    saved_and_restored "$store" "the VirtualStore's Selection"
    chattr -i "$own_folder" "$prefix/drive_c"
else
    echo "SKIP: folders cannot be made immutable here; the VirtualStore and Documents are tested by the unit tests alone"
fi

summary
