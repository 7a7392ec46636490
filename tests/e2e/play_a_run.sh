#!/usr/bin/env bash
# The real game under Xvfb from a game folder of its own: through the logo and the title into a
# run, fire and a special attack in the field, Delete ends the run (the high score file is
# written) and the title returns, and Esc ends the program with status 0. Then a new best score
# is kept however the program ends in play: Esc, the window manager's close, and the signal a
# desktop sends at logout.
set -u
dist=$1
source "$(dirname "$0")/xvfb_session.sh"
start_xvfb || exit 1
start_own_net

make_game_folder "$dist"
cd "$folder" || exit 1

# Starts the game and waits for its window to take the focus: $game and $window.
start_game() {
  SDL_AUDIODRIVER=dummy "${IN_OWN_NET[@]}" "$dist/pelkogame" 2>"$folder/stderr.txt" &
  game=$!
  window=$(wait_for_window Untitled) || { echo "FAIL: no window appeared"; return 1; }
  focus_window "$window" || { echo "FAIL: the window did not take the focus"; return 1; }
}
at_exit 'kill $game 2>/dev/null'
start_game || exit 1

enter_play || exit 1

xdotool keydown space
for _ in 1 2 3; do
  xdotool keydown Down; sleep 0.5; xdotool keyup Down
  xdotool keydown Up; sleep 0.5; xdotool keyup Up
done
xdotool keydown z; sleep 0.3; xdotool keyup z
xdotool keyup space
in_field || { echo "FAIL: the field is gone during play"; exit 1; }

for _ in $(seq 100); do
  [ -e GameData/HighScore.dat ] && break
  xdotool keydown Delete; sleep 0.2; xdotool keyup Delete; sleep 0.1
done
[ -e GameData/HighScore.dat ] || { echo "FAIL: Delete did not end the run"; exit 1; }
for _ in $(seq 50); do in_field || break; sleep 0.2; done
in_field && { echo "FAIL: still in the field after the run ended"; exit 1; }

xdotool key Escape
wait_for_exit $game || { echo "FAIL: Esc did not end the program"; exit 1; }
wait $game
status=$?
[ $status -eq 0 ] || { echo "FAIL: exit status $status"; cat "$folder/stderr.txt"; exit 1; }
echo "played a run in the real window; Delete wrote $(stat -c %s GameData/HighScore.dat) bytes of high score"

# A stored best of -1 (its complement is four zero bytes): the first frame of play beats it with
# the score 0, whose complement is four 0xFF bytes. Each way out of play must leave those.
kept_best() { [ "$(od -An -tx1 GameData/HighScore.dat | tr -d ' ')" = ffffffff ]; }
end_in_play() {
  printf '\0\0\0\0' >GameData/HighScore.dat
  start_game || return 1
  enter_play || return 1
  "$@"
  wait_for_exit $game || { echo "FAIL: '$*' did not end the program"; return 1; }
  wait $game
  local status=$?
  [ $status -eq 0 ] ||
    { echo "FAIL: exit status $status after '$*'"; cat "$folder/stderr.txt"; return 1; }
  kept_best ||
    { echo "FAIL: the new best was lost after '$*':"; od -An -tx1 GameData/HighScore.dat; return 1; }
}
by_escape() { xdotool key Escape; }
by_signal() { kill -TERM $game; }
by_closing_the_window() { xdotool key alt+F4; } # the window manager's close, as its close box
end_in_play by_escape || exit 1
end_in_play by_signal || exit 1
start_window_manager || exit 1
end_in_play by_closing_the_window || exit 1
echo "a new best was kept after Esc, the signal to end and the window's close in play"
