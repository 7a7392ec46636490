#!/usr/bin/env bash
# Mutation check of the game's tests (a developer's tool, not part of `make test`): each one-line
# mutant of scripts/mutants.txt is applied in turn to a scratch copy of the tree, which is rebuilt
# (with ccache where it is installed, into its own build folder) and run against the game's test programs and then the
# golden replays, stopping at the first failure. A mutant that nothing catches is a rule that no
# test guards. Prints each mutant's fate, then the survivors.
#
#   scripts/mutation-check.sh [-k] [-j JOBS] [-m MUTANTS] [SCRATCH] [NUMBER...]
#
# SCRATCH is the scratch folder (default /tmp/pelko-mutation); NUMBERs pick mutants by their
# place in the list (all by default). -k keeps the scratch folder for the next run, whose build
# then starts warm. The exit status is the number of survivors (at most 100).
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
mutants="$root/scripts/mutants.txt"
jobs=2
keep=0
while getopts "kj:m:" opt; do
  case $opt in
    k) keep=1 ;;
    j) jobs=$OPTARG ;;
    m) mutants=$OPTARG ;;
    *) exit 2 ;;
  esac
done
shift $((OPTIND - 1))
scratch=${1:-/tmp/pelko-mutation}
shift $(($# > 0 ? 1 : 0))
picked=("$@")

# The test programs, by their place in the build folder.
test_programs=(tests/enemy_tests tests/boss_tests tests/game_run_tests tests/game_core_tests
               tests/enemy_in_play_tests tests/boss_fight_tests tests/game_run_screen_tests
               devtools/replay_tests)

# The mutants: blocks of "@ file", "- the text as it stands" (it must occur exactly once in the
# file; <NL> stands for a line break), "+ what replaces it", "= what the change breaks"; lines
# starting with # are comments.
parse() {
  python3 - "$mutants" <<'EOF'
import sys
blocks, cur = [], {}
for raw in open(sys.argv[1], encoding="utf-8"):
    line = raw.rstrip("\n")
    if not line.strip() or line.startswith("#"):
        continue
    tag, text = line[:1], line[2:]
    if tag == "@":
        cur = {"file": text}
        blocks.append(cur)
    elif tag in "-+=":
        cur[tag] = text
for b in blocks:
    # Fields apart by the unit separator: a tab would let an empty replacement vanish.
    print("\x1f".join([b["file"], b["-"], b["+"], b["="]]))
EOF
}

# Replaces the one occurrence of $2 in file $1 by $3; fails when it is not there exactly once.
apply_mutant() {
  python3 - "$1" "$2" "$3" <<'EOF'
import sys
path, old, new = (a.replace("<NL>", "\n") for a in sys.argv[1:4])
text = open(path, encoding="utf-8").read()
if text.count(old) != 1:
    sys.exit(f"found {text.count(old)} times")
open(path, "w", encoding="utf-8").write(text.replace(old, new))
EOF
}

echo "scratch copy in $scratch"
rm -rf "$scratch/incoming"
mkdir -p "$scratch/src" "$scratch/incoming"
# The tree as it stands in the worktree, committed or not (the build folders stay out). Only the
# files whose bytes differ are copied over, as new files, so that a kept build rebuilds them and
# nothing else (a mutated file was restored with a new time, so its object is rebuilt too).
(cd "$root" && git ls-files -z --cached --others --exclude-standard |
  tar --null -T - -cf -) | tar -xf - -C "$scratch/incoming"
python3 - "$scratch/incoming" "$scratch/src" <<'EOF'
import filecmp, os, shutil, sys
incoming, src = sys.argv[1:3]
wanted = set()
for folder, _, files in os.walk(incoming):
    for name in files:
        rel = os.path.relpath(os.path.join(folder, name), incoming)
        wanted.add(rel)
        new, old = os.path.join(incoming, rel), os.path.join(src, rel)
        if os.path.isfile(old) and not os.path.islink(new) and filecmp.cmp(new, old, False):
            continue
        os.makedirs(os.path.dirname(old), exist_ok=True)
        if os.path.lexists(old):
            os.remove(old)
        os.rename(new, old)  # a file of its own, newer than any object built before
        os.utime(old, follow_symlinks=False)
for folder, _, files in os.walk(src):
    for name in files:
        rel = os.path.relpath(os.path.join(folder, name), src)
        if rel not in wanted:
            os.remove(os.path.join(src, rel))
EOF
rm -rf "$scratch/incoming"
# ccache where it is installed (it is a developer's choice, not one of the build's packages);
# without it each mutant rebuilds only what the mutant's file touches.
if command -v ccache >/dev/null; then
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache CMAKE_C_COMPILER_LAUNCHER=ccache
fi
build="$scratch/build"
cmake -S "$scratch/src" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$scratch/configure.log" ||
  { echo "configure failed: $scratch/configure.log"; exit 100; }

build_tests() {
  cmake --build "$build" -j "$jobs" --target "${test_programs[@]##*/}" replay_driver \
    >"$scratch/build.log" 2>&1
}

# Runs the test programs, then the golden replays; prints what caught the mutant, or nothing.
catcher() {
  local program name
  for program in "${test_programs[@]}"; do
    if ! (cd "$build/${program%/*}" && "./${program##*/}" --gtest_brief=1 >"$scratch/run.log" 2>&1); then
      echo "${program##*/}: $(grep -m1 -o '\[  FAILED  \] [A-Za-z0-9_/.]*' "$scratch/run.log" |
        sed 's/\[  FAILED  \] //')"
      return
    fi
  done
  for golden in "$scratch"/src/tests/replays/*.golden; do
    name=$(basename "$golden" .golden)
    if ! "$build/devtools/replay_driver" check "$name" "$golden" >"$scratch/run.log" 2>/dev/null; then
      # The tick where it parts from its recording, and the first field that differs there.
      echo "replay $name $(grep -m1 -o 'at tick [0-9]*' "$scratch/run.log"):" \
        "$(sed -n 2p "$scratch/run.log" | sed 's/^ *//' | cut -c1-60)"
      return
    fi
  done
}

echo "building the unchanged tree"
build_tests || { echo "the unchanged tree does not build: $scratch/build.log"; exit 100; }
if [ -n "$(catcher)" ]; then
  echo "the unchanged tree fails: $(catcher)"
  exit 100
fi

tried=0 caught=0 survived=0 stale=0
survivors=()
number=0
start=$SECONDS
while IFS=$'\x1f' read -r file old new what; do
  number=$((number + 1))
  if [ ${#picked[@]} -gt 0 ] && [[ ! " ${picked[*]} " =~ " $number " ]]; then continue; fi
  target="$scratch/src/$file"
  cp "$target" "$scratch/original"
  if ! why=$(apply_mutant "$target" "$old" "$new" 2>&1); then
    echo "#$number stale ($file: $why): $what"
    stale=$((stale + 1))
    continue
  fi
  tried=$((tried + 1))
  t0=$SECONDS
  if ! build_tests; then
    result="does not build"
    caught=$((caught + 1))
  else
    result=$(catcher)
    if [ -n "$result" ]; then
      caught=$((caught + 1))
    else
      result="SURVIVED"
      survived=$((survived + 1))
      survivors+=("#$number $file: $what")
    fi
  fi
  echo "#$number $what -> $result ($((SECONDS - t0)) s)"
  cp -p "$scratch/original" "$target"
  touch "$target"
done < <(parse)

echo
echo "mutants tried $tried, caught $caught, survived $survived, stale $stale" \
  "($((SECONDS - start)) s)"
for s in "${survivors[@]}"; do echo "survivor: $s"; done
[ "$keep" = 1 ] || rm -rf "$scratch"
exit $((survived > 100 ? 100 : survived))
