#!/usr/bin/env bash
# Runs every benchmark program of a build and prints its figures.
set -euo pipefail
build_dir="${1:-build}"
for bench in "$build_dir"/bench/*_bench; do
  [ -x "$bench" ] || continue
  echo "== $(basename "$bench")"
  "$bench"
done
