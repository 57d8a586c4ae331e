#!/usr/bin/env bash
# Runs shellcheck on every shell script of the project (with .shellcheckrc), then clang-tidy with the
# checks listed in .clang-tidy on every source file (not the code that Qt's moc generates), using the
# compile commands of the dev build. Fails on any finding.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh build run fuzz

mapfile -t scripts < <(find . -path ./build -prune -o -type f \( -name '*.sh' -o -path ./.ci/run \) -print | sort)
echo "shellcheck on ${#scripts[@]} scripts"
shellcheck --external-sources "${scripts[@]}" || { echo "shellcheck: findings above" >&2; exit 1; }

build=build/dev
cmake --preset dev >/dev/null
# Building first makes the moc output that the sources include.
cmake --build --preset dev -j2 >/dev/null

tidy=$(command -v clang-tidy-14 || command -v clang-tidy)
root=$(pwd)
mapfile -t sources < <(jq -r '.[].file' "$build/compile_commands.json" |
    grep -E "^$root/(engine|files|window|app|packaging|bench|tests|fuzz)/" | grep -v '/build/' | sort -u)
[ ${#sources[@]} -gt 0 ] || { echo "tidy: no sources found" >&2; exit 1; }

echo "clang-tidy on ${#sources[@]} files"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
printf '%s\0' "${sources[@]}" |
    xargs -0 -n 4 -P 2 "$tidy" -p "$build" --quiet --extra-arg=-Wno-unknown-warning-option \
        --header-filter="^$root/(engine|files|window|app|packaging|bench|tests|fuzz)/" >"$log" 2>&1 || status=$?
# clang-tidy counts the warnings it hid in system headers; only the findings are worth showing.
grep -Ev '^[0-9]+ warnings? generated\.$' "$log" || true
if [ "$status" -ne 0 ]; then
    echo "clang-tidy: findings above" >&2
    exit 1
fi
echo "clang-tidy: no findings"
