#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, in the build's own Wine prefix; CTest and the build use
# it as the cross-compiling emulator, which cmake/mingw-w64-x86_64.cmake sets up.
#   wine-run.sh PREFIX DLLPATH --init              make PREFIX afresh (each test run starts from one), its
#                                                  screen at VELMORA_WINE_DPI dots per inch if set
#   wine-run.sh PREFIX DLLPATH program.exe [args]  run the program there (the prefix is made if missing)
# DLLPATH is the Qt for Windows, then the folders of the compiler's own DLLs, joined by ':'. Wine hands a
# Windows program no QT_* variable of ours, but passes WINEQT_* on as QT_*; the DLLs are found through
# WINEPATH, the plug-ins through the Qt prefix.
set -euo pipefail
[ $# -ge 3 ] || { echo "usage: $0 PREFIX DLLPATH --init | program [args]" >&2; exit 2; }
prefix=$1 dll_path=$2
shift 2
IFS=: read -r -a dll_dirs <<<"$dll_path"
qt=${dll_dirs[0]}

export WINEPREFIX=$prefix
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko prompts: Velmora needs neither .NET nor HTML.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
wine=$(command -v wine64 || command -v wine)
[ -x /usr/lib/wine/wine64 ] && wine=/usr/lib/wine/wine64

make_prefix() {
    rm -rf "$prefix"
    mkdir -p "$(dirname "$prefix")"
    "$wine" wineboot --init >/dev/null 2>&1
    wineserver -w 2>/dev/null || "${wine%/*}/wineserver" -w
    # Debian's Wine does not put its own fonts into a new prefix; without them "MS Sans Serif" and Tahoma
    # would come out in a serif face.
    cp /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/"
    # Windows lists Tahoma among its installed fonts, which is where DirectWrite looks (Qt's font
    # database from 6.8); Wine leaves its own fonts out of that list.
    local fonts='HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts'
    "$wine" reg add "$fonts" /v 'Tahoma (TrueType)' /t REG_SZ /d tahoma.ttf /f >/dev/null 2>&1
    "$wine" reg add "$fonts" /v 'Tahoma Bold (TrueType)' /t REG_SZ /d tahomabd.ttf /f >/dev/null 2>&1
    # A screen of VELMORA_WINE_DPI dots per inch (96 when unset; 144 is Windows' 150 %).
    if [ -n "${VELMORA_WINE_DPI:-}" ]; then
        "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$VELMORA_WINE_DPI" /f \
            >/dev/null 2>&1
    fi
    wineserver -w 2>/dev/null || "${wine%/*}/wineserver" -w
    touch "$prefix/.velmora-ready"
}

mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
if [ "$1" = "--init" ]; then
    flock 9
    make_prefix
    exit 0
fi
flock 9
[ -f "$prefix/.velmora-ready" ] || make_prefix
flock -u 9
exec 9>&-

# The Windows platform plug-in draws on an X display through Wine; without one, a virtual display is made
# for this program alone.
if [ "${QT_QPA_PLATFORM:-}" = windows ] && [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$prefix" "$dll_path" "$@"
fi

# QtTest writes to the debugger's channel on Windows unless told to use stderr.
export QT_FORCE_STDERR_LOGGING=1
while IFS='=' read -r name _; do
    case "$name" in
        QT_*) export "WINE$name=${!name}" ;;
    esac
done < <(env)
# Qt's DLLs first, then the compiler's.
windows_path() { local p; p=$(cd "$1" 2>/dev/null && pwd -P || echo "$1"); echo "Z:${p//\//\\}"; }
path=$(windows_path "$qt/bin")
for dir in "${dll_dirs[@]:1}"; do
    path+=";$(windows_path "$dir")"
done
WINEPATH="$path${WINEPATH:+;$WINEPATH}"
WINEQT_PLUGIN_PATH=$(windows_path "$qt/plugins")
export WINEPATH WINEQT_PLUGIN_PATH
exec "$wine" "$@"
