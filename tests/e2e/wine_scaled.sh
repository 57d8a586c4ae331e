#!/usr/bin/env bash
# velmora.exe under Wine on a screen of 144 dots per inch (Windows' 150 %, the default of many laptops): the
# window opens scaled as a whole, at its place scaled alike and inside the screen, and its title strip
# drags it as far as the pointer goes. X11 and the window manager see device pixels.
#   wine_scaled.sh WINE_RUN PREFIX DLLPATH path/to/velmora.exe path/to/control_table.exe
# (inside xvfb-run; CTest does that). PREFIX is a Wine prefix made with VELMORA_WINE_DPI=144.
set -uo pipefail

wine_run=$1 prefix=$2 dll_path=$3 velmora=$4 control_table=$5
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
need_x_tools openbox xdotool xprop xwininfo
begin_under_wine "$wine_run" "$prefix" "$dll_path" "$control_table"

"$wine_run" "$prefix" "$dll_path" "$velmora" >"$work/velmora.log" 2>&1 &
pid=$!
poll 120 find_window || { echo "FAIL: no window"; cat "$work/velmora.log"; exit 1; }

# A window pixel is 3/2 device pixels.
scaled() { echo $(($1 * 3 / 2)); }
geometry() {
    xwininfo -id "$win" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
                               /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}'
}
near() { [ $(($1 - $2)) -ge -1 ] && [ $(($1 - $2)) -le 1 ]; }
read -r x y w h < <(geometry)
read -r screen_w screen_h < <(xwininfo -root | awk '/Width:/ {w=$NF} /Height:/ {h=$NF} END {print w, h}')

[ "${w}x${h}" = "$(scaled 552)x$(scaled 368)" ] && pass "scaled as a whole to ${w} x ${h}" ||
    fail "size ${w} x ${h}, not 552 x 368 scaled"
if near "$x" "$(scaled 98)" && near "$y" "$(scaled 87)"; then
    pass "opens at ($x, $y), (98, 87) scaled"
else
    fail "opens at ($x, $y), not (98, 87) scaled"
fi
if [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le "$screen_w" ] && [ $((y + h)) -le "$screen_h" ]; then
    pass "lies inside the ${screen_w} x ${screen_h} screen"
else
    fail "reaches outside the ${screen_w} x ${screen_h} screen"
fi

# A drag on the title text, in steps as a hand moves it, carries the window as far as the pointer went.
read -r head_x head_y <<<"${centre[lblHead]}"
grab_x=$((x + $(scaled "$head_x"))) grab_y=$((y + $(scaled "$head_y")))
xdotool mousemove --sync "$grab_x" "$grab_y" mousedown 1
for step in 1 2 3 4 5 6; do
    xdotool mousemove --sync $((grab_x + 20 * step)) $((grab_y + 15 * step))
    sleep 0.1
done
xdotool mouseup 1
moved() { local nx ny; read -r nx ny _ < <(geometry); near $((nx - x)) 120 && near $((ny - y)) 90; }
if poll 30 moved; then
    pass "the title strip drags the window 120 x 90 pixels"
else
    read -r nx ny _ < <(geometry)
    fail "dragged 120 x 90 pixels, the window moved $((nx - x)) x $((ny - y))"
fi

stop
summary
