#!/usr/bin/env bash
# Runs Velmora's Linux tests in a clean Debian root of the given suite, as a new user of that release
# would: the root is made with mmdebstrap from Debian's archive, the committed HEAD is cloned into it and
# `scripts/test.sh --linux` runs there, installing what it needs through scripts/install-deps.sh.
#
#   scripts/test-in-debian.sh [--shell] SUITE [COMMAND...]
#   scripts/test-in-debian.sh --package FILE.deb SUITE
#
#   SUITE              a Debian suite: bookworm (12), trixie (13), forky or testing, sid
#   COMMAND...         runs COMMAND in the clone instead of the tests, e.g. `scripts/windows/test.sh`
#   --shell            an interactive shell in the clone instead (after COMMAND, when one is given)
#   --package FILE     installs FILE with `apt install ./FILE` and checks that the installed program starts
#                      and opens its window (tests/packaging/installed_package_test.sh), instead of the tests
#
# The pristine root is cached as a tarball in ${XDG_CACHE_HOME:-~/.cache}/velmora/debian/SUITE.tar and
# made again when it is older than a week; every run unpacks a fresh copy, so every run shows that the
# README's command installs all it needs. Downloaded packages are kept per suite beside it. Needs root
# (mounts and chroot), through sudo when not run as root.
set -euo pipefail

usage() {
    sed -n '6,13p' "$0" | sed 's/^# \{0,1\}//' >&2
    exit 2
}

arguments=("$@")
shell=0
package=""
while [ $# -gt 0 ]; do
    case "$1" in
        --shell) shell=1; shift ;;
        --package) [ $# -ge 2 ] || usage; package=$(realpath "$2"); shift 2 ;;
        -h | --help) usage ;;
        -*) usage ;;
        *) break ;;
    esac
done
[ $# -ge 1 ] || usage
suite=$1
shift
[ -z "$package" ] || [ -f "$package" ] || { echo "test-in-debian: no package $package" >&2; exit 2; }

repo=$(cd "$(dirname "$0")/.." && pwd)
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "test-in-debian: needs root (mounts and chroot) or sudo" >&2; exit 1; }
    # The cache stays in the user's own cache folder, not root's.
    exec sudo env XDG_CACHE_HOME="${XDG_CACHE_HOME:-$HOME/.cache}" "$0" "${arguments[@]}"
fi
"$repo/scripts/install-deps.sh" debian-root

cache=${XDG_CACHE_HOME:-$HOME/.cache}/velmora/debian
tarball=$cache/$suite.tar
debs=$cache/$suite-debs
mkdir -p "$cache" "$debs"

started=$(date +%s)
# One run at a time makes a suite's root; the others wait for it.
exec 9>"$cache/$suite.lock"
flock 9
if [ ! -f "$tarball" ] || [ -n "$(find "$tarball" -mtime +6)" ]; then
    echo "test-in-debian: making a $suite root with mmdebstrap"
    # The testing suite's Release file can be past its valid-until date on a mirror that lags; the root
    # only ever runs tests, so an old one is taken as it is.
    mmdebstrap --variant=apt --format=tar --aptopt='Acquire::Check-Valid-Until "false"' \
        "$suite" "$tarball.new" >"$cache/$suite.log" 2>&1 ||
        { cat "$cache/$suite.log" >&2; rm -f "$tarball.new"; echo "test-in-debian: mmdebstrap failed" >&2; exit 1; }
    mv "$tarball.new" "$tarball"
fi
flock -u 9

root=$(mktemp -d "${TMPDIR:-/tmp}/velmora-$suite.XXXXXX")
mounts=()
# Unmounts everything under the root, ends what still runs inside it, and deletes it, however the
# script ends. A mount that will not go keeps the root (and says so) rather than deleting through it.
cleanup() {
    local process i
    for process in /proc/[0-9]*; do
        [ "$(readlink "$process/root" 2>/dev/null)" = "$root" ] && kill -KILL "${process#/proc/}" 2>/dev/null
    done
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
        umount "${mounts[i]}" 2>/dev/null || umount --lazy "${mounts[i]}" 2>/dev/null || true
    done
    if findmnt -rn -o TARGET | grep -q "^$root/"; then
        echo "test-in-debian: $root still has mounts; left in place" >&2
    else
        rm -rf --one-file-system "$root"
    fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

tar -C "$root" -xpf "$tarball"
# mount_in TARGET MOUNT-ARGS...: mounts inside the root, remembering it for the clean-up.
mount_in() {
    local target=$root$1
    shift
    mkdir -p "$target"
    mount "$@" "$target"
    mounts+=("$target")
}
mount_in /proc -t proc proc
mount_in /sys -t sysfs sysfs
mount_in /dev --bind /dev
mount_in /dev/pts --bind /dev/pts
mount_in /dev/shm -t tmpfs -o mode=1777 shm
# The packages earlier runs downloaded, linked in rather than shared, so that runs side by side do not
# contend for apt's lock on one folder; what this run downloads is linked back afterwards.
find "$debs" -maxdepth 1 -name '*.deb' -exec cp -l -t "$root/var/cache/apt/archives/" {} + 2>/dev/null ||
    find "$debs" -maxdepth 1 -name '*.deb' -exec cp -t "$root/var/cache/apt/archives/" {} +
cp /etc/resolv.conf "$root/etc/resolv.conf"

git -c safe.directory='*' clone --quiet --no-checkout "$repo" "$root/velmora"
git -c safe.directory='*' -C "$root/velmora" checkout --quiet --detach "$(git -c safe.directory='*' -C "$repo" rev-parse HEAD)"
if [ -n "$package" ]; then
    cp "$package" "$root/velmora/"
    set -- tests/packaging/installed_package_test.sh "./$(basename "$package")"
elif [ $# -eq 0 ] && [ "$shell" = 0 ]; then
    set -- scripts/test.sh --linux
fi

in_root() {
    chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        LANG=C.UTF-8 TERM="${TERM:-dumb}" CI="${CI:-}" bash -c 'cd /velmora && "$@"' bash "$@"
}
status=0
if [ $# -gt 0 ]; then
    echo "test-in-debian: $suite ($(cat "$root/etc/debian_version")), $*"
    # In the background, so that a signal to this script runs the clean-up at once rather than after it.
    in_root "$@" </dev/null &
    wait $! || status=$?
fi
if [ "$shell" = 1 ]; then
    in_root bash -i || true
fi
find "$root/var/cache/apt/archives" -maxdepth 1 -name '*.deb' -exec cp -ln -t "$debs/" {} + 2>/dev/null || true
echo "test-in-debian: $suite done in $(($(date +%s) - started)) s, status $status"
exit "$status"
