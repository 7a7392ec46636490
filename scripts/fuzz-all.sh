#!/usr/bin/env bash
# Runs every fuzzer for MINUTES each, as many at once as there are cores, on the corpora kept in
# build-fuzz/corpus (seeded as scripts/fuzz-smoke.sh seeds them), and prints for each the runs,
# the corpus size and whether it found anything. A crash input lands in build-fuzz/findings.
# Usage: scripts/fuzz-all.sh MINUTES [parallel [fuzzer-name ...]]  (no names: every fuzzer)
set -euo pipefail
cd "$(dirname "$0")/.."
minutes=${1:?usage: scripts/fuzz-all.sh MINUTES [parallel [fuzzer-name ...]]}
parallel=${2:-$(nproc)}
shift $(($# < 2 ? $# : 2))
only=("$@")
source scripts/fuzz-build.sh
logs="$build/fuzz-logs"
findings="$build/findings"
mkdir -p "$logs" "$findings"

run_one() {
  local fuzzer=$1 name corpus seeds
  prepare_corpus "$fuzzer"
  "$fuzzer" -max_total_time=$((minutes * 60)) -max_len=65536 -rss_limit_mb=4096 \
    -print_final_stats=1 -artifact_prefix="$findings/$name-" \
    "$corpus" ${seeds:+"$seeds"} >"$logs/$name.log" 2>&1
  echo $? >"$logs/$name.rc"
}

names=()
for fuzzer in "$build"/fuzz/*_fuzzer; do
  [ -x "$fuzzer" ] || continue
  if [ ${#only[@]} -gt 0 ] && [[ ! " ${only[*]} " == *" $(basename "$fuzzer") "* ]]; then continue; fi
  while [ "$(jobs -rp | wc -l)" -ge "$parallel" ]; do wait -n || true; done
  names+=("$(basename "$fuzzer")")
  rm -f "$logs/${names[-1]}.rc"
  (set +e; run_one "$fuzzer") &
done
wait
status=0
for name in "${names[@]}"; do
  result=clean
  [ "$(cat "$logs/$name.rc" 2>/dev/null)" = 0 ] || { result="FOUND SOMETHING (see $logs/$name.log)"; status=1; }
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$logs/$name.log")
  size=$(find "$build/corpus/$name" -type f | wc -l)
  echo "$name: ${minutes} min, ${runs:-?} runs, corpus ${size} files, ${result}"
done
exit "$status"
