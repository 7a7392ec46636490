#!/usr/bin/env bash
# Records every golden replay afresh into tests/replays/ with <build dir>/tests/replay_driver
# (default build). Run it after changing the game's behaviour on purpose, look at the diff, and
# commit the renewed files with the change, saying why they changed.
set -euo pipefail
build_dir=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
cmake --build "$build_dir" --target replay_driver
driver="$build_dir/tests/replay_driver"
mkdir -p "$root/tests/replays"
for name in $("$driver" list | awk '{print $1}'); do
  "$driver" record "$name" "$root/tests/replays/$name.golden"
done
