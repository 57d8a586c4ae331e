#!/usr/bin/env bash
# Formats the project's C++ sources with .clang-format; with --check, only reports files that differ.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh fuzz
format=$(command -v clang-format-14 || command -v clang-format)
mapfile -t sources < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--check" ]; then
    "$format" --dry-run -Werror "${sources[@]}"
    echo "clang-format: all ${#sources[@]} files formatted"
else
    "$format" -i "${sources[@]}"
fi
