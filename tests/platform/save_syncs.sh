#!/usr/bin/env bash
# A save as the system sees it: the new file is synced before it is renamed over the old one, and
# its folder is synced after the rename, so that a power cut leaves the old bytes or the new ones
# and never a name without its file.
set -u
tests=$1
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! strace -o /dev/null true 2>/dev/null; then
  echo "strace cannot trace here (no ptrace): skipped"
  exit 77
fi
cd /tmp || exit 1
# LeakSanitizer cannot run under ptrace; the sanitizer build checks for leaks in its other runs.
ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0 \
  strace -y -e trace=rename,renameat,renameat2,fsync -o "$log" \
  "$tests" --gtest_filter=FilesTest.LineFeedsAreWrittenAsCrLfAndReadBack >/dev/null ||
  { echo "FAIL: the save itself failed"; exit 1; }
awk '
  /fsync\(.*HighScore\.dat\.tmp>\) *= 0/ { if (!renamed) synced = 1 }
  /rename.*HighScore\.dat\.tmp", .*HighScore\.dat"\) *= 0/ { if (synced) renamed = 1 }
  /fsync\([0-9]+<[^>]*pelko-files-[^/>]*>\) *= 0/ { if (renamed) folder = 1 }
  END { exit !(synced && renamed && folder) }' "$log" ||
  { echo "FAIL: not synced, renamed and the folder synced, in that order:"; cat "$log"; exit 1; }
echo "the new file was synced, renamed over the old one, and its folder synced"
