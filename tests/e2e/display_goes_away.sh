#!/usr/bin/env bash
# The real program loses its X server while it runs (the server ended or killed, as when it is
# restarted or a remote session drops): every time, the game ends as in a normal end, with
# status 0 and one line saying why, never with a crash. $2 runs (default 6), the server killed at
# a different moment of the start each time.
set -u
dist=$1
runs=${2:-6}
source "$(dirname "$0")/xvfb_session.sh"
start_own_net
make_game_folder "$dist"
cd "$folder" || exit 1

for run in $(seq "$runs"); do
  start_xvfb || exit 1
  SDL_AUDIODRIVER=dummy "${IN_OWN_NET[@]}" "$dist/pelkogame" 2>"$folder/run$run.txt" &
  game=$!
  at_exit "kill -9 $game 2>/dev/null"
  window_or_end() { [ -n "$(visible_window Untitled)" ] || process_ended $game; }
  wait_until window_or_end && ! process_ended $game ||
    { echo "FAIL: run $run: no window"; cat "$folder/run$run.txt"; exit 1; }
  # Not a wait for anything: the moment of the loss moves through the logo's first second, and
  # the server is ended in turn politely and by force.
  sleep "0.$(((run * 3) % 10))"
  signal=$([ $((run % 2)) -eq 0 ] && echo KILL || echo TERM)
  kill -s "$signal" "$XVFB_PID"
  wait_for_exit $game || { echo "FAIL: run $run: the game outlives its display"; exit 1; }
  wait $game
  status=$?
  [ $status -eq 0 ] && [ "$(grep -c 'The display went away; the game ends.' "$folder/run$run.txt")" -eq 1 ] ||
    { echo "FAIL: run $run (SIG$signal): status $status:"; cat "$folder/run$run.txt"; exit 1; }
  wait "$XVFB_PID" 2>/dev/null
done
echo "the display went away under the game $runs times: each time status 0 and one line"
