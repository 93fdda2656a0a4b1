#!/usr/bin/env bash
# Renders the program's icon resources/icons/kavio.svg to the PNG sizes of the hicolor theme.
# The PNGs are committed; run this after changing the SVG.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" "$here/resources/icons/kavio.svg" -o "$here/resources/icons/kavio-$size.png"
done
