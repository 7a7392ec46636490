#!/usr/bin/env bash
# Draws the contact sheets of every picture with the runtime's own loaders and blitters, in full
# colour and in 256 colours, into build/contact-sheets (BMP, and PNG when ImageMagick is there).
# Usage: scripts/contact-sheets.sh [build dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out="$build/contact-sheets"
cmake --build "$build" --target contact_sheet game_assets -j "$(nproc)" >/dev/null
"$build/tools/contact_sheet" "$build/dist" "$out"
if command -v convert >/dev/null; then
  for bmp in "$out"/*.bmp; do convert "$bmp" "${bmp%.bmp}.png"; done
fi
echo "contact sheets in $out"
