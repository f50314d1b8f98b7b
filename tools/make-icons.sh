#!/usr/bin/env bash
# Renders the program's icon at the hicolor theme's sizes from its SVG.
# Run by hand after changing the SVG (needs rsvg-convert, Debian's
# librsvg2-bin); the PNGs are committed.
set -euo pipefail
cd "$(dirname "$0")/../resources/desktop/icons"
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" org.kelvo.Kelvo.svg -o "org.kelvo.Kelvo-$size.png"
done
