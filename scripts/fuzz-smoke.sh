#!/usr/bin/env bash
# Builds every fuzzer with clang (ASan, UBSan, libFuzzer) into build-fuzz and runs each for a
# short while from an empty corpus. Exits non-zero on the first crash, leak or sanitizer report.
# Usage: scripts/fuzz-smoke.sh [seconds-per-fuzzer]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-15}
source scripts/fuzz-build.sh
for fuzzer in "$build"/fuzz/*_fuzzer; do
  [ -x "$fuzzer" ] || continue
  prepare_corpus "$fuzzer"
  echo "== $name for ${seconds}s"
  "$fuzzer" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=4096 \
    "$corpus" ${seeds:+"$seeds"} 2>&1 | tail -n 3
  [ "${PIPESTATUS[0]}" -eq 0 ] || { echo "FAIL: $name"; exit 1; }
done
echo "every fuzzer ran clean"
