#!/usr/bin/env bash
# The real program loses its X server while it runs (the server ended or killed, as when it is
# restarted or a remote session drops): every time, the game ends as in a normal end, with
# status 0 and one line saying why, never with a crash. $2 runs (default 6), the server killed at
# a different moment of the start each time; then once in play, where a new best score is kept.
set -u
dist=$1
runs=${2:-6}
source "$(dirname "$0")/xvfb_session.sh"
start_own_net
make_game_folder "$dist"
cd "$folder" || exit 1

# Starts the game on a server of its own and waits for its window: $game, $window.
start_game() {
  start_xvfb || return 1
  SDL_AUDIODRIVER=dummy "${IN_OWN_NET[@]}" "$dist/pelkogame" 2>"$folder/run$run.txt" &
  game=$!
  at_exit "kill -9 $game 2>/dev/null"
  window_or_end() { [ -n "$(visible_window Untitled)" ] || process_ended $game; }
  wait_until window_or_end && ! process_ended $game && window=$(visible_window Untitled) ||
    { echo "FAIL: run $run: no window"; cat "$folder/run$run.txt"; return 1; }
}

# Ends the server with signal $1 and checks that the game ended in order.
lose_display() {
  kill -s "$1" "$XVFB_PID"
  wait_for_exit $game || { echo "FAIL: run $run: the game outlives its display"; return 1; }
  wait $game
  local status=$? said
  said=$(grep -c 'The display went away; the game ends.' "$folder/run$run.txt")
  [ $status -eq 0 ] && [ "$said" -eq 1 ] ||
    { echo "FAIL: run $run (SIG$1): status $status:"; cat "$folder/run$run.txt"; return 1; }
  wait "$XVFB_PID" 2>/dev/null # its status is the signal's
  return 0
}

for run in $(seq "$runs"); do
  start_game || exit 1
  # Not a wait for anything: the moment of the loss moves through the logo's first second, and
  # the server is ended in turn politely and by force.
  sleep "0.$(((run * 3) % 10))"
  lose_display "$([ $((run % 2)) -eq 0 ] && echo KILL || echo TERM)" || exit 1
done

# A stored best of -1 (its complement is four zero bytes): the first frame of play beats it with
# the score 0, whose complement is four 0xFF bytes, and the end must keep it.
run=play
printf '\0\0\0\0' >GameData/HighScore.dat
start_game || exit 1
focus_window "$window" || { echo "FAIL: the game's window did not take the focus"; exit 1; }
enter_play || exit 1
lose_display KILL || exit 1
[ "$(od -An -tx1 GameData/HighScore.dat | tr -d ' ')" = ffffffff ] ||
  { echo "FAIL: the new best was lost:"; od -An -tx1 GameData/HighScore.dat; exit 1; }
echo "the display went away under the game $((runs + 1)) times: each time status 0 and one" \
  "line, and in play the new best score was kept"
