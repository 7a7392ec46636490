#!/usr/bin/env bash
# The real program under Xvfb: a second instance started while the first runs exits 0 at once
# and says why in one line, and Esc ends the first with status 0. Another user cannot stop the
# game by taking what they can of the lock first. A game killed while its error box is up (SDL
# shows it from a forked child that lives on) leaves no lock behind: the next start runs.
set -u
dist=$1
source "$(dirname "$0")/xvfb_session.sh"
start_xvfb || exit 1
start_own_net

# A game folder of its own without the first stage's file, so a run stops at "StageData Error!".
make_game_folder "$dist"
rm "$folder/GameData/Stage1.dat"
cd "$folder" || exit 1

# Starts the game in the background (its pid in $game) and waits for its window; fails when the
# program ends first.
start_game() {
  SDL_AUDIODRIVER=dummy "${IN_OWN_NET[@]}" "$dist/pelkogame" 2>"$folder/$1.txt" &
  game=$!
  at_exit "kill $game 2>/dev/null"
  window_or_end() { [ -n "$(visible_window Untitled)" ] || process_ended $game; }
  wait_until window_or_end && window=$(visible_window Untitled)
  [ -n "${window:-}" ] && ! process_ended $game
}

# User nobody holds the abstract socket name the lock once was (an older build's game may hold it
# already) and, for a game without a runtime folder, a lock file in a folder it made first in
# TMPDIR. Neither stops the game.
if [ "$(id -u)" -eq 0 ]; then
  as_nobody=(setpriv --reuid=65534 --regid=65534 --clear-groups) # $! stays the program's pid
  tmp=$(mktemp -d) && chmod 1777 "$tmp" && at_exit "rm -rf '$tmp'" # open to all, as /tmp is
  "${as_nobody[@]}" mkdir -m 0777 "$tmp/class-tessary-0"
  "${as_nobody[@]}" flock -F "$tmp/class-tessary-0/class-tessary.lock" sleep 3600 >/dev/null &
  at_exit "kill $! 2>/dev/null"
  "${as_nobody[@]}" perl -MSocket -e 'socket(S, AF_UNIX, SOCK_STREAM, 0); $| = 1;
    bind(S, pack_sockaddr_un("\0Class Tessary:0")); print "held\n"; sleep' >held &
  at_exit "kill $! 2>/dev/null"
  wait_until grep -q held held && wait_until eval '! flock -n "$tmp"/*/*.lock true'
  own=("${IN_OWN_NET[@]}") && IN_OWN_NET=(env -u XDG_RUNTIME_DIR TMPDIR="$tmp")
  start_game squatted || { echo "FAIL: nobody stops the game"; cat squatted.txt; exit 1; }
  IN_OWN_NET=("${own[@]}") && kill $game && wait $game 2>/dev/null
  no_window() { [ -z "$(visible_window Untitled)" ]; }
  wait_until no_window
fi

start_game first || { echo "FAIL: no window appeared"; cat "$folder/first.txt"; exit 1; }
first=$game

# A second instance that did not end by itself would run its frame loop until killed.
start=$(date +%s%N)
timeout "$WAIT_SECONDS" "${IN_OWN_NET[@]}" "$dist/pelkogame" 2>"$folder/second.txt"
second_status=$?
second_ms=$(( ($(date +%s%N) - start) / 1000000 ))
if [ $second_status -ne 0 ]; then
  echo "FAIL: second instance status $second_status after ${second_ms} ms"
  exit 1
fi
if ! grep -q 'already running' "$folder/second.txt" || [ "$(wc -l <"$folder/second.txt")" -ne 1 ]; then
  echo "FAIL: the second instance did not say why in one line:"
  cat "$folder/second.txt"
  exit 1
fi
kill -0 $first 2>/dev/null || { echo "FAIL: first instance died"; exit 1; }

focus_window "$window" || { echo "FAIL: the game's window did not take the focus"; exit 1; }
xdotool key Escape
wait_for_exit $first || { echo "FAIL: Esc did not end the program"; exit 1; }
wait $first
first_status=$?
[ $first_status -eq 0 ] || { echo "FAIL: exit status $first_status after Esc"; exit 1; }
echo "second instance exited 0 in ${second_ms} ms; Esc ended the game with status 0"

# Through the logo and the title into a run, held until the game has seen the key.
start_game boxed || { echo "FAIL: the game did not start again after Esc"; exit 1; }
boxed=$game
focus_window "$window" || { echo "FAIL: the game's window did not take the focus"; exit 1; }
# xdotool does not match the name SDL gives its box (a WM_NAME of type UTF-8); xwininfo lists it.
error_box() { xwininfo -root -tree 2>/dev/null | awk '/"StageData Error!"/ { print $1 }'; }
for _ in $(seq 120); do
  box=$(error_box)
  [ -n "$box" ] && break
  xdotool keydown space; sleep 0.3; xdotool keyup space; sleep 0.3
done
[ -n "$box" ] || { echo "FAIL: no StageData Error! box"; exit 1; }
# SDL's X11 box runs in a child of the game; it must outlive the game for this to test anything.
box_process=$(cat /proc/$boxed/task/*/children 2>/dev/null | awk '{print $1}')
[ -n "$box_process" ] || { echo "FAIL: the error box has no process of its own"; exit 1; }
at_exit 'kill $box_process 2>/dev/null'
kill -9 $boxed
wait_for_exit $boxed || { echo "FAIL: the killed game lives on"; exit 1; }
kill -0 "$box_process" 2>/dev/null || { echo "FAIL: the error box ended with the game"; exit 1; }
start_game after || { echo "FAIL: a game killed during its error box blocks the next start:"
                      cat "$folder/after.txt"; exit 1; }
echo "a game killed during its error box leaves no lock behind"

# The box's child has the game's objects but not its threads: when its display goes, it must end
# at once rather than run the game's shutdown and wait on a lock no thread will free.
kill "$XVFB_PID"
wait_for_exit "$box_process" || { echo "FAIL: the error box's process outlives its display"; exit 1; }
echo "the error box's process ends with its display"
