#!/usr/bin/env bash
# The Debian package on the system it lands on: installed with apt as a user would, the program it installs
# must start and open its window. Run as root in a fresh Debian root (scripts/test-in-debian.sh --package).
#   installed_package_test.sh ./velmora_VERSION_ARCH.deb
set -euo pipefail
deb=$1
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
# apt must find every dependency the package names under this release's names (Debian 13's t64 libraries
# provide the names of Debian 12's).
apt-get install -y -qq "$deb" >/dev/null
echo "PASS: apt installed $(dpkg-query -W -f='${Package} ${Version}' velmora)"
command -v velmora >/dev/null || { echo "FAIL: no velmora on PATH"; exit 1; }

# Only then the tools that watch the window, so they cannot have brought in what the package lacks.
apt-get install -y -qq xvfb xauth xdotool >/dev/null
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
cat >"$home/watch.sh" <<'WATCH'
velmora >"$HOME/velmora.log" 2>&1 &
for ((i = 0; i < 600; i++)); do
    if xdotool search --onlyvisible --name '^Ostrel Velmora v2\.1$' >/dev/null 2>&1; then
        kill %1
        exit 0
    fi
    kill -0 %1 2>/dev/null || break
    sleep 0.1
done
cat "$HOME/velmora.log"
exit 1
WATCH
if HOME=$home XDG_DATA_HOME=$home/.local/share QT_QPA_PLATFORM=xcb xvfb-run -a bash "$home/watch.sh"; then
    echo "PASS: the installed velmora opens its window"
else
    echo "FAIL: the installed velmora opened no window"
    exit 1
fi
