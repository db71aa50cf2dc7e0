#!/usr/bin/env bash
# Renders the icon's PNG sizes from org.example.Vurp.svg into NxN/ beside this
# script. The PNGs are committed: run this by hand after changing the SVG.
# Needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail

cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "${size}x${size}"
    rsvg-convert --width "$size" --height "$size" --format png \
        --output "${size}x${size}/org.example.Vurp.png" org.example.Vurp.svg
done
