#!/usr/bin/env bash
# Another user of the machine cannot keep the game from starting: not by taking the abstract
# socket name the single-instance lock once was, nor by making the lock's folder and file first
# and holding the lock on them. The same user's second start is still refused when there is no
# runtime folder and the lock lives in the temporary folder.
set -u
dist=$1
holder=$2
source "$(dirname "$0")/xvfb_session.sh"
[ "$(id -u)" -eq 0 ] || { echo "SKIP: acting as user nobody needs root"; exit 77; }
# A command prefix, not a function: a program started in the background through it keeps the pid
# that $! names, and is killed at the end.
as_nobody=(setpriv --reuid=65534 --regid=65534 --clear-groups)
start_xvfb || exit 1
make_game_folder "$dist"
cd "$folder" || exit 1
uid=$(id -u)

# Starts the game with the given environment (its pid in $game, its standard error in $1.txt)
# and waits until it shows its window or ends; false when it ended.
start_game() {
  local name=$1
  shift
  env "$@" SDL_AUDIODRIVER=dummy "$dist/pelkogame" 2>"$folder/$name.txt" &
  game=$!
  at_exit "kill $game 2>/dev/null"
  window_or_end() { [ -n "$(visible_window Untitled)" ] || process_ended $game; }
  wait_until window_or_end && ! process_ended $game
}
window_gone() { [ -z "$(visible_window Untitled)" ]; }
stop_game() { kill "$game"; wait "$game" 2>/dev/null; wait_until window_gone; }
# A new temporary folder in $tmp that everyone may write in, as /tmp is.
new_shared_tmp() { tmp=$(mktemp -d); chmod 1777 "$tmp"; at_exit "rm -rf '$tmp'"; }
# Waits until someone holds the lock on file $1 (root may open any file to try it).
lock_held() { ! flock -n "$1" true; }

# 1. The old name, taken by nobody before the game starts (or held already by an older game).
"${as_nobody[@]}" "$holder" "Class Tessary:$uid" >"$folder/holder.txt" 2>&1 &
at_exit "kill $! 2>/dev/null"
wait_until grep -q -e holding -e 'in use' "$folder/holder.txt" ||
  { echo "FAIL: nobody could not take the name:"; cat "$folder/holder.txt"; exit 1; }
start_own_runtime_dir
start_game old_name XDG_RUNTIME_DIR="$OWN_RUNTIME_DIR" ||
  { echo "FAIL: nobody holding the old name stops the game:"; cat "$folder/old_name.txt"; exit 1; }
stop_game

# 2. Without a runtime folder: nobody makes the folder the lock would go in, with the lock file in
# it, and holds the lock; then the same as a link to a folder of nobody's.
for kind in folder link; do
  new_shared_tmp
  if [ $kind = folder ]; then
    "${as_nobody[@]}" mkdir -m 0777 "$tmp/class-tessary-$uid"
    lockfile=$tmp/class-tessary-$uid/class-tessary.lock
  else
    "${as_nobody[@]}" mkdir -m 0777 "$tmp/nobodys"
    "${as_nobody[@]}" ln -s "$tmp/nobodys" "$tmp/class-tessary-$uid"
    lockfile=$tmp/nobodys/class-tessary.lock
  fi
  # Without a fork, so that the process killed at the end is the one holding the lock.
  "${as_nobody[@]}" flock --no-fork "$lockfile" sleep 3600 >/dev/null 2>&1 &
  at_exit "kill $! 2>/dev/null"
  wait_until lock_held "$lockfile" || { echo "FAIL: nobody could not hold $lockfile"; exit 1; }
  start_game squat_$kind -u XDG_RUNTIME_DIR TMPDIR="$tmp" ||
    { echo "FAIL: a $kind of nobody's stops the game:"; cat "$folder/squat_$kind.txt"; exit 1; }
  grep -q "not taken" "$folder/squat_$kind.txt" ||
    { echo "FAIL: the game did not say it runs without the lock"; exit 1; }
  stop_game
done

# 3. Without a runtime folder the lock is a file in a folder of the user's own in TMPDIR.
new_shared_tmp
start_game first -u XDG_RUNTIME_DIR TMPDIR="$tmp" ||
  { echo "FAIL: the game did not start:"; cat "$folder/first.txt"; exit 1; }
[ "$(stat -c '%a %u' "$tmp/class-tessary-$uid")" = "700 $uid" ] ||
  { echo "FAIL: the lock's folder is not the user's alone"; exit 1; }
timeout "$WAIT_SECONDS" env -u XDG_RUNTIME_DIR TMPDIR="$tmp" "$dist/pelkogame" 2>"$folder/second.txt"
status=$?
[ $status -eq 0 ] && grep -q 'already running' "$folder/second.txt" ||
  { echo "FAIL: second start: status $status:"; cat "$folder/second.txt"; exit 1; }
stop_game
echo "nobody's old name, lock folder or link cannot stop the game; a second start is refused"
