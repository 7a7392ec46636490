#!/usr/bin/env bash
# Runs every benchmark program in <build dir>/bench (default build/bench) and prints its figures.
set -euo pipefail
build_dir=${1:-build}
shopt -s nullglob
found=0
for program in "$build_dir"/bench/*; do
  [ -f "$program" ] && [ -x "$program" ] || continue
  found=1
  echo "== $(basename "$program")"
  "$program"
done
[ $found -eq 1 ] || { echo "no benchmarks in $build_dir/bench"; exit 1; }
