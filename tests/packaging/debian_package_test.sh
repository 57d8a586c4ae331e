#!/usr/bin/env bash
# Makes the Debian package from a build folder, unpacks it into a scratch root (dpkg -x) and checks what a
# user would get: exactly the expected files, dependencies worked out from the executable, a valid desktop
# entry and metainfo, a 32 x 32 PNG icon, the licence and changelog where Debian keeps them, no error from
# lintian, and an installed program that starts and keeps running.
#   debian_package_test.sh BUILD_DIR CPACK
set -euo pipefail
build=$1
cpack=$2

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

if ! "$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log" >&2
    fail "cpack could not make the package"
fi
debs=("$scratch"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb, found: ${debs[*]}"
deb=${debs[0]}
echo "package: $(basename "$deb")"

[ "$(dpkg-deb -f "$deb" Package)" = velmora ] || fail "package name is not velmora"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# The libraries the program links, as dpkg-shlibdeps works them out: each with the least version its
# symbols need. Debian 13 renamed the Qt libraries for its 64-bit time_t (libqt6core6t64), so either name
# is right: the one of the Qt the package was built with.
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6; do
    grep -Eq "(^|, )${lib//+/\\+}(t64)? \(>= [0-9][^)]*\)" <<<"$depends" || fail "Depends does not name $lib with a version"
done
# And the platform plug-ins, without which no window opens.
grep -Eq "(^|, )qt6-qpa-plugins(,|$)" <<<"$depends" || fail "Depends does not name qt6-qpa-plugins"
[ "$(dpkg-deb -f "$deb" Recommends)" = qt6-wayland ] || fail "Recommends is not qt6-wayland"
[ "$(dpkg-deb -f "$deb" Maintainer)" = "Ostrel Software <velmora@ostrel.net>" ] || fail "Maintainer"

# lintian's errors fail the test; its warnings and notes are shown.
command -v lintian >/dev/null || fail "lintian is missing (scripts/install-deps.sh test)"
lintian --fail-on error --tag-display-limit 0 "$deb" >"$scratch/lintian.log" 2>&1 || {
    cat "$scratch/lintian.log" >&2
    fail "lintian finds errors"
}
echo "lintian: no errors"
cat "$scratch/lintian.log"

root=$scratch/root
dpkg -x "$deb" "$root"
expected="./usr/bin/velmora
./usr/share/applications/net.ostrel.Velmora.desktop
./usr/share/doc/velmora/changelog.gz
./usr/share/doc/velmora/copyright
./usr/share/icons/hicolor/32x32/apps/net.ostrel.Velmora.png
./usr/share/icons/hicolor/scalable/apps/net.ostrel.Velmora.svg
./usr/share/metainfo/net.ostrel.Velmora.metainfo.xml"
actual=$(cd "$root" && find . -type f | LC_ALL=C sort)
[ "$actual" = "$expected" ] || fail "the package holds other files than expected:
$actual"

desktop-file-validate "$root/usr/share/applications/net.ostrel.Velmora.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$root/usr/share/metainfo/net.ostrel.Velmora.metainfo.xml" || fail "metainfo"
grep -qx 'Exec=velmora' "$root/usr/share/applications/net.ostrel.Velmora.desktop" || fail "Exec is not velmora"
if readelf -d "$root/usr/bin/velmora" | grep -Eq 'RPATH|RUNPATH'; then
    fail "the installed program carries a run path; it should find the system's Qt like any other"
fi
png_type=$(file -b "$root/usr/share/icons/hicolor/32x32/apps/net.ostrel.Velmora.png")
[[ $png_type == "PNG image data, 32 x 32,"* ]] || fail "the 32x32 icon is: $png_type"
grep -q '^License: Expat$' "$root/usr/share/doc/velmora/copyright" || fail "copyright does not state the licence"
zcat "$root/usr/share/doc/velmora/changelog.gz" | head -n 1 | grep -q "^velmora ($(dpkg-deb -f "$deb" Version)) " ||
    fail "the changelog does not start with this version"

# The installed program on the offscreen platform, with a home of its own so nothing of the user's is
# read or written. It has no way to end by itself, so still running when the timeout ends it is success;
# the folder its start-up makes for the Selection file shows it got that far.
home=$scratch/home
mkdir -p "$home"
status=0
env -u DISPLAY -u WAYLAND_DISPLAY HOME="$home" XDG_DATA_HOME="$home/.local/share" \
    XDG_CONFIG_HOME="$home/.config" XDG_CACHE_HOME="$home/.cache" QT_QPA_PLATFORM=offscreen \
    timeout 5 "$root/usr/bin/velmora" >"$scratch/run.log" 2>&1 || status=$?
if [ "$status" -ne 124 ]; then
    cat "$scratch/run.log" >&2
    fail "the installed program ended by itself with status $status instead of running"
fi
made=$(find "$home" -type d -path '*Ostrel/Velmora' | head -n 1)
[ -n "$made" ] || fail "start-up did not make the Selection file's folder under the home folder"
echo "start-up made ${made#"$home"/}"
echo "the package installs and runs"
