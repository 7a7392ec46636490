#!/usr/bin/env bash
# The X server ends under the running game, $2 times (default 6), at another moment of the logo
# each time and the last time in play: the game ends in order every time (status 0, one line),
# never with a crash, and keeps its new best (the first frame of play beats a stored -1 with 0).
set -u
dist=$1
runs=${2:-6}
source "$(dirname "$0")/xvfb_session.sh"
start_own_net
make_game_folder "$dist"
cd "$folder" || exit 1
printf '\0\0\0\0' >GameData/HighScore.dat
for run in $(seq "$runs"); do
  start_xvfb || exit 1
  SDL_AUDIODRIVER=dummy "${IN_OWN_NET[@]}" "$dist/pelkogame" 2>err.txt &
  game=$!
  at_exit "kill -9 $game 2>/dev/null"
  window=$(wait_for_window Untitled) || { echo "FAIL: run $run: no window"; exit 1; }
  [ "$run" -lt "$runs" ] && sleep "0.$((run * 3 % 10))" || { focus_window "$window" && enter_play; }
  kill -s "$([ $((run % 2)) -eq 0 ] && echo KILL || echo TERM)" "$XVFB_PID"
  wait_for_exit $game && wait $game && [ "$(grep -c 'The display went away' err.txt)" -eq 1 ] ||
    { echo "FAIL: run $run: status $?:"; cat err.txt; exit 1; }
done
[ "$(od -An -tx1 GameData/HighScore.dat | tr -d ' ')" = ffffffff ] || { echo "FAIL: best lost"; exit 1; }
echo "the display went away under the game $runs times: a normal end each time, the best kept"
