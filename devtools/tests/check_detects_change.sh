#!/usr/bin/env bash
# A golden file with one score changed must fail the check at that line's tick and name the score.
set -euo pipefail
driver=$1 golden=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The 20th recorded sample gets another score.
awk 'BEGIN{n=0} /^#/ {print; next} {n++; if (n==20) sub(/score=[0-9-]+/, "score=123456789"); print}' \
  "$golden" >"$work/changed.golden"
tick=$(grep -v '^#' "$work/changed.golden" | sed -n 20p | sed 's/^tick=\([0-9]*\);.*/\1/')
if "$driver" check stage1-30 "$work/changed.golden" >"$work/out" 2>&1; then
  echo "the check passed a changed recording"; exit 1
fi
cat "$work/out"
grep -q "at tick $tick " "$work/out" || { echo "not stopped at tick $tick"; exit 1; }
grep -q "score: recorded 123456789" "$work/out" || { echo "the score is not named"; exit 1; }
if grep -q "digest: recorded" "$work/out"; then echo "the digest was not changed"; exit 1; fi
echo "caught at tick $tick"
