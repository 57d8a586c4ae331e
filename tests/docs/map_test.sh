#!/usr/bin/env bash
# Fails when docs/HACKING.md names a file or folder of the project that is not there, so the map cannot drift
# from the code unseen: a path (`files/places.cpp`, `tests/support/`) must exist as written, a bare file name
# (`seams.h`) somewhere in the sources.
#   map_test.sh SOURCE_DIR
set -euo pipefail
cd "$1"

# shellcheck disable=SC2016 # the backquotes are the map's, not the shell's
names=$(grep -oE '`[A-Za-z0-9_./-]+`' docs/HACKING.md | tr -d '`' | sort -u)
missing=0
while read -r name; do
    if [[ $name =~ ^(app|bench|cmake|docs|engine|files|fuzz|packaging|scripts|tests|window)/ ]]; then
        [ -e "$name" ] && continue
    elif [[ $name =~ ^[A-Za-z0-9_-]+\.(h|cpp|sh|py|cmake|txt)$ ]]; then
        [ -n "$(find . -path ./build -prune -o -name "$name" -print -quit)" ] && continue
    else
        continue
    fi
    echo "docs/HACKING.md names $name, which is not there"
    missing=$((missing + 1))
done <<<"$names"
[ "$missing" -eq 0 ] && echo "every file the map names is there"
[ "$missing" -eq 0 ]
