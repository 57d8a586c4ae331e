#!/usr/bin/env bash
# The Windows installer under Wine: made by CPack's NSIS generator, installed silently, the installed
# program started (with no help from the build's DLL paths, so a DLL the installer lacks shows), then
# uninstalled silently, leaving nothing behind.
#   windows_installer_test.sh WINE_RUN PREFIX DLLPATH BUILD_DIR CPACK
# (WINE_RUN PREFIX DLLPATH: how the build runs its Windows programs)
set -uo pipefail
[ -n "${DISPLAY:-}" ] || { echo "SKIP: no X display (run under xvfb-run)"; exit 77; }
command -v xdotool >/dev/null || { echo "SKIP: xdotool is missing"; exit 77; }
wine_run=$1 prefix=$2 dll_path=$3 build=$4 cpack=$5

work=$(mktemp -d)
trap 'WINEPREFIX=$prefix wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
"$cpack" --config "$build/CPackConfig.cmake" -G NSIS -B "$work" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; exit 1; }
installer=$(find "$work" -maxdepth 1 -name 'velmora-*-windows-x64.exe' | head -n 1)
[ -n "$installer" ] || { echo "FAIL: no installer made"; exit 1; }
echo "installer: $(basename "$installer"), $(stat -c %s "$installer") bytes"

source "$(dirname "${BASH_SOURCE[0]}")/../e2e/common.sh"

target=$prefix/drive_c/VelmoraTest
menu="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Ostrel Velmora"
rm -rf "$target"
cp "$installer" "$prefix/drive_c/velmora-setup.exe"
"$wine_run" "$prefix" "$dll_path" 'C:\velmora-setup.exe' /S '/D=C:\VelmoraTest'
rm -f "$prefix/drive_c/velmora-setup.exe"
[ -f "$target/bin/velmora.exe" ] && pass "installed" || fail "no bin/velmora.exe after the install"
[ -f "$target/bin/platforms/qwindows.dll" ] && pass "platform plug-in installed" || fail "no qwindows.dll"
ls "$menu"/*.lnk >/dev/null 2>&1 && pass "Start-menu entry" || fail "no Start-menu entry in $menu"

# The installed program alone, as the Start-menu entry starts it: no WINEPATH, no plug-in path, the
# Windows platform plug-in on the X display. A missing DLL or plug-in ends it at once instead of opening its
# window.
(
    export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= WINEQT_FORCE_STDERR_LOGGING=1
    unset WINEPATH
    exec wine 'C:\VelmoraTest\bin\velmora.exe'
) >"$work/run.log" 2>&1 &
pid=$!
window_open() { xdotool search --onlyvisible --name '^Ostrel Velmora v2\.1$' >/dev/null 2>&1; }
if poll 90 window_open; then
    pass "installed program opens its window"
else
    fail "installed program did not open its window: $(cat "$work/run.log")"
fi
WINEPREFIX=$prefix wineserver -k 2>/dev/null
wait "$pid" 2>/dev/null

"$wine_run" "$prefix" "$dll_path" 'C:\VelmoraTest\Uninstall.exe' /S
gone() { [ ! -e "$target" ] && [ ! -e "$menu" ]; }
# The uninstaller copies itself away and finishes in the background.
if poll 120 gone; then pass "uninstalled, nothing left"; else fail "left behind: $(find "$target" "$menu" 2>/dev/null | head)"; fi

echo "$failures failure(s)"
[ "$failures" -eq 0 ]
