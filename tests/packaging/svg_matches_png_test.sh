#!/usr/bin/env bash
# The scalable icon must be the same design as the 32 x 32 one: drawn at 32 x 32 by librsvg (what the
# desktops use), it must match the PNG pixel for pixel.
#   svg_matches_png_test.sh SVG PNG
set -euo pipefail
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
rsvg-convert -w 32 -h 32 "$1" -o "$scratch/svg.png"
# compare writes the count of differing pixels to stderr and fails when they differ. ImageMagick 6 writes
# the count alone, 7 (Debian testing) the count and then its share in brackets: "0 (0)".
differing=$(compare -metric AE "$scratch/svg.png" "$2" null: 2>&1) || true
echo "pixels that differ: $differing"
[ "${differing%% *}" = 0 ]
