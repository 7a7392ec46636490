#!/usr/bin/env bash
# Runs every benchmark program in <build dir>/bench (default build/bench) and prints its figures.
# Without a display, they run on a 3840 x 2160 Xvfb of their own (xvfb-run), so that the present
# benchmarks have windows up to 2560 x 1920 to show into.
set -euo pipefail
build_dir=${1:-build}
shopt -s nullglob
on_display=()
if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
  on_display=(xvfb-run -a -s "-screen 0 3840x2160x24 -nolisten tcp")
fi
found=0
for program in "$build_dir"/bench/*; do
  [ -f "$program" ] && [ -x "$program" ] || continue
  found=1
  echo "== $(basename "$program")"
  "${on_display[@]}" "$program"
done
[ $found -eq 1 ] || { echo "no benchmarks in $build_dir/bench"; exit 1; }
