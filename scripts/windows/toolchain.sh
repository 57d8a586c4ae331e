#!/usr/bin/env bash
# Makes the Windows toolchain from Debian's own packages: the mingw-w64 cross compiler, Wine, NSIS, and a
# shared Qt for x86_64-w64-mingw32 built from Debian's qt6-base source of the same version as the host's
# Qt tools (moc, rcc and uic run on the build machine through QT_HOST_PATH, so the versions must match).
# The Qt build is cached under the user's cache folder, named by its version and configuration, so a
# changed configuration builds beside the old one; a second run takes seconds.
#   scripts/windows/toolchain.sh                 make sure everything is there
#   scripts/windows/toolchain.sh --print-prefix  the same, then print the Qt prefix on stdout only
set -euo pipefail
cd "$(dirname "$0")/../.."
repo=$PWD

print_prefix=0
case "${1:-}" in
    --print-prefix) print_prefix=1 ;;
    "") ;;
    *) echo "usage: $0 [--print-prefix]" >&2; exit 2 ;;
esac
say() { echo "toolchain: $*" >&2; }

scripts/install-deps.sh build windows >&2

sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)

# The host tools' version without the Debian revision: 6.4.2+dfsg-10 gives 6.4.2.
host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
host_source_version=${host_version%+b[0-9]*}   # a binary-only rebuild keeps its source's version
qt_version=${host_version%%[+-]*}
cache=${XDG_CACHE_HOME:-$HOME/.cache}/velmora

# Only what Velmora links (Core, Gui, Widgets, Test, Print Support) and the plug-ins it loads, and within
# them nothing it never calls: Qt's own switches for what a program does not use, which make the DLLs
# smaller and the build shorter and cost nothing at run time (OpenGL, the graphics view and its print
# preview, widgets and dialogs Velmora has none of, the Markdown and ODF writers, the built-in MIME
# database). What Velmora does call is asked for by name, so that configure stops when a switch takes it
# away (the print dialog needs the date editor, for one). DirectWrite is built, as in Qt's own Windows
# builds: Qt Gui has its DirectWrite font engine only together with Direct2D (and qwindows.dll fails to
# link without it), and window/fonts.cpp says when Velmora's text is drawn through it; the Direct2D
# platform plug-in (Direct2D 1.1), a second copy of the Windows platform that Velmora never loads, is left
# out. Debian's tarball drops the wintab header (no tablet events); androiddeployqt comes from Debian's
# cross patch and has no use here; Debian has no ICU for mingw, so text conversion uses the Windows code
# pages themselves.
qt_features=(
    -DFEATURE_icu=OFF
    -DFEATURE_tabletevent=OFF
    -DFEATURE_direct2d=ON -DFEATURE_direct2d1_1=OFF -DFEATURE_directwrite=ON
    -DFEATURE_androiddeployqt=OFF
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF
    -DFEATURE_concurrent=OFF -DFEATURE_vulkan=OFF -DINPUT_opengl=no
    -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_zstd=OFF
    -DFEATURE_mimetype_database=OFF
    -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF -DFEATURE_textodfwriter=OFF
)
# From Qt 6.7 the Windows style plug-in draws the Windows 11 style's shadows with a graphics effect, which
# is part of the graphics view.
dpkg --compare-versions "$qt_version" ge 6.7 || qt_features+=(-DFEATURE_graphicsview=OFF)
qt_features+=(
    -DFEATURE_printpreviewwidget=OFF -DFEATURE_printpreviewdialog=OFF
    -DFEATURE_mdiarea=OFF -DFEATURE_dial=OFF
    -DFEATURE_lcdnumber=OFF -DFEATURE_splashscreen=OFF -DFEATURE_undoview=OFF -DFEATURE_wizard=OFF
    -DFEATURE_fontcombobox=OFF -DFEATURE_fontdialog=OFF -DFEATURE_colordialog=OFF
    -DFEATURE_keysequenceedit=OFF
    -DFEATURE_itemmodeltester=OFF
    -DFEATURE_testlib=ON -DFEATURE_printsupport=ON -DFEATURE_printdialog=ON -DFEATURE_ico=ON
)
configuration=$(printf '%s\n' "${qt_features[@]}" | sha256sum | cut -c1-8)
prefix=$cache/qt-$qt_version-mingw-w64-$configuration

finish() {
    exec 9>&- # a run waiting for the lock need not wait for the clean-up of the build folder
    [ "$print_prefix" -eq 1 ] && echo "$prefix"
    exit 0
}
[ -f "$prefix/.velmora-complete" ] && finish

mkdir -p "$cache"
# Two runs at once would build twice and race for the same folder: the second waits for the first.
exec 9>"$prefix.lock"
if ! flock -n 9; then
    say "another run is building Qt $qt_version; waiting for it"
    flock 9
fi
[ -f "$prefix/.velmora-complete" ] && finish

# Source packages need a deb-src entry. It goes in a file of its own, for the same suites the system
# already uses; the existing lists are left as they are.
if ! apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Package: qt6-base'; then
    added=0
    # deb822 stanzas of Debian archives, with their type changed to deb-src.
    stanzas=$(for f in /etc/apt/sources.list.d/*.sources; do
                  [ -f "$f" ] || continue
                  awk 'BEGIN { RS = ""; ORS = "\n\n" }
                       /(^|\n)Types:[^\n]*deb/ && /(^|\n)URIs:[^\n]*debian/ {
                           sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$f"
              done)
    if [ -n "$stanzas" ]; then
        say "adding Debian's source entries in /etc/apt/sources.list.d/velmora-deb-src.sources"
        printf '%s\n' "$stanzas" | "${sudo[@]}" tee /etc/apt/sources.list.d/velmora-deb-src.sources >/dev/null
        added=1
    fi
    # One-line entries of the older format.
    lines=$(sed -n 's/^[[:space:]]*deb[[:space:]]\(.*debian.*\)/deb-src \1/p' /etc/apt/sources.list 2>/dev/null || true)
    if [ -n "$lines" ]; then
        say "adding Debian's source entries in /etc/apt/sources.list.d/velmora-deb-src.list"
        printf '%s\n' "$lines" | "${sudo[@]}" tee /etc/apt/sources.list.d/velmora-deb-src.list >/dev/null
        added=1
    fi
    if [ "$added" -eq 0 ]; then
        say "no Debian archive found in the apt sources to take a deb-src entry from"
        exit 1
    fi
    "${sudo[@]}" apt-get update -qq
fi

log=$prefix.log
: >"$log"
work=$(mktemp -d "${TMPDIR:-/tmp}/velmora-qt.XXXXXX")
trap 'rm -rf "$work"' EXIT
say "fetching Debian's qt6-base source $host_source_version into $work"
if ! (cd "$work" && apt-get source -qq "qt6-base=$host_source_version" >&2); then
    available=$(apt-cache showsrc qt6-base | awk '/^Version:/ { print $2 }' | sort -u | tr '\n' ' ')
    say "Debian's qt6-base source $host_source_version, the version of the installed qt6-base-dev-tools,"
    say "cannot be fetched (available: ${available:-none}). Upgrade qt6-base-dev-tools to one of those"
    say "versions (apt-get install qt6-base-dev-tools) and run this again: the host tools and the Windows"
    say "Qt must be the same version."
    exit 1
fi
source_dir=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
source_version=$(cd "$source_dir" && dpkg-parsechangelog -S Version)
if [ "$source_version" != "$host_source_version" ]; then
    say "qt6-base source is $source_version but the installed qt6-base-dev-tools is $host_version;"
    say "the Windows Qt must be built from the same version as the host tools."
    exit 1
fi

say "configuring Qt $qt_version for x86_64-w64-mingw32 (log: $log)"
mkdir -p "$work/build"
cmake -S "$source_dir" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DBUILD_SHARED_LIBS=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    "${qt_features[@]}" \
    >>"$log" 2>&1 || { tail -n 60 "$log" >&2; exit 1; }

say "building Qt $qt_version (about half an hour on 2 cores)"
start=$(date +%s)
cmake --build "$work/build" --parallel "${VELMORA_JOBS:-2}" >>"$log" 2>&1 ||
    { grep -A 20 -m 3 -E '^FAILED' "$log" >&2 || tail -n 60 "$log" >&2; exit 1; }
say "built in $(( $(date +%s) - start )) s"

# Installed into a staging folder beside the cache, then renamed into place in one step, so that an
# interrupted run never leaves a half-filled prefix that looks complete.
DESTDIR="$work/stage" cmake --install "$work/build" >>"$log" 2>&1 || { tail -n 40 "$log" >&2; exit 1; }
touch "$work/stage$prefix/.velmora-complete"
staged=$(mktemp -d "$cache/.qt-$qt_version-mingw-w64.XXXXXX")
mv "$work/stage$prefix" "$staged/qt"
rm -rf "$prefix"
mv -T "$staged/qt" "$prefix"
rmdir "$staged"
say "Qt $qt_version for Windows is in $prefix"
finish
