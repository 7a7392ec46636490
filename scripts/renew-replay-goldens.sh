#!/usr/bin/env bash
# Records the golden replays afresh into tests/replays/ with <build dir>/devtools/replay_driver
# (default build): the named ones, or else every one that has a golden file already (the driver
# lists more replays than CTest checks; the person-like pilot's runs have none). Run it after
# changing the game's behaviour on purpose, look at the diff, and commit the renewed files with
# the change, saying why they changed.
#
#   renew-replay-goldens.sh [BUILD_DIR [NAME...]]
set -euo pipefail
build_dir=${1:-build}
shift || true
root=$(cd "$(dirname "$0")/.." && pwd)
cmake --build "$build_dir" --target replay_driver
driver="$build_dir/devtools/replay_driver"
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for golden in "$root"/tests/replays/*.golden; do
    names+=("$(basename "$golden" .golden)")
  done
fi
# Independent runs: two at a time on the two cores.
printf '%s\n' "${names[@]}" |
  xargs -P 2 -I{} "$driver" record {} "$root/tests/replays/{}.golden"
