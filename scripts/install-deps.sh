#!/usr/bin/env bash
# Installs the Debian packages a task needs, and only those that are missing.
#   scripts/install-deps.sh [--download-only] build|test|run|fuzz|bench|windows|debian-root ...
#   (fuzz: the clang tools for fuzzing, clang-tidy, clang-format and shellcheck; bench: valgrind, which
#   counts a start's instructions; windows: the cross compiler, Ninja, Wine, NSIS and what the Windows tests
#   drive and check it with; debian-root: mmdebstrap, for scripts/test-in-debian.sh)
#   --download-only fetches the missing packages into apt's cache and installs nothing, so that a later
#   install need not wait for the network.
set -euo pipefail

download_only=()
if [ "${1:-}" = --download-only ]; then
    download_only=(--download-only)
    shift
fi

packages=()
for need in "$@"; do
    case "$need" in
        build) packages+=(cmake g++ make qt6-base-dev qt6-base-dev-tools libgl-dev fonts-dejavu-core) ;;
        run) packages+=(libqt6widgets6 libqt6printsupport6 qt6-qpa-plugins) ;;
        test) packages+=(xvfb xauth openbox xdotool x11-utils wmctrl imagemagick appstream desktop-file-utils
                         dpkg-dev file librsvg2-bin lintian qt6-wayland weston dbus-x11 at-spi2-core
                         python3-pyatspi poppler-utils) ;;
        windows) packages+=(g++-mingw-w64-x86-64-posix ninja-build xz-utils wine wine64 fonts-wine nsis dpkg-dev
                            zip xvfb xauth openbox xdotool x11-utils e2fsprogs librsvg2-bin imagemagick) ;;
        fuzz) packages+=(clang libclang-rt-14-dev clang-tidy clang-format jq shellcheck) ;;
        bench) packages+=(valgrind) ;;
        debian-root) packages+=(mmdebstrap) ;;
        *) echo "install-deps: unknown set '$need'" >&2; exit 2 ;;
    esac
done

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if ! command -v apt-get >/dev/null; then
    echo "Missing packages: ${missing[*]}. Install them with your package manager and try again." >&2
    exit 1
fi
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Installing ${missing[*]} needs root or sudo." >&2; exit 1; }
    sudo=(sudo)
fi
if [ ${#download_only[@]} -eq 0 ]; then
    echo "Installing: ${missing[*]}"
else
    echo "Downloading: ${missing[*]}"
fi
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${download_only[@]}" "${missing[@]}" >/dev/null
