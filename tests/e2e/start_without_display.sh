#!/usr/bin/env bash
# The real program without a display: with DISPLAY unset, or naming a display nobody serves, it
# ends at once with the start-up error on standard error instead of playing unseen on SDL's
# offscreen driver; that driver is used when SDL_VIDEODRIVER asks for it.
set -u
dist=$1
source "$(dirname "$0")/xvfb_session.sh"
start_own_net
out=$(mktemp -d)
at_exit 'rm -rf "$out"'
cd "$dist" || exit 1

# A display number with neither a server socket nor a lock file.
n=4000
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done

refused() { # name, env arguments...
  local name=$1
  shift
  timeout "$WAIT_SECONDS" env -u DISPLAY -u WAYLAND_DISPLAY "$@" SDL_AUDIODRIVER=dummy \
    "${IN_OWN_NET[@]}" ./pelkogame 2>"$out/$name.txt"
  local status=$?
  [ $status -eq 0 ] || { echo "FAIL: $name: status $status (124: it kept running)"; exit 1; }
  grep -q 'ウインドウ' "$out/$name.txt" && grep -q 'no display' "$out/$name.txt" ||
    { echo "FAIL: $name: no start-up error on standard error:"; cat "$out/$name.txt"; exit 1; }
}
refused unset
refused refused DISPLAY=:$n

# Asked for, the offscreen driver runs the game: start-up gets as far as the joysticks.
SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy env -u DISPLAY "${IN_OWN_NET[@]}" ./pelkogame \
  2>"$out/offscreen.txt" &
game=$!
at_exit 'kill $game 2>/dev/null'
started() { grep -q 'ジョイスティック' "$out/offscreen.txt"; }
wait_until started ||
  { echo "FAIL: the offscreen driver was refused:"; cat "$out/offscreen.txt"; exit 1; }
kill -0 $game 2>/dev/null || { echo "FAIL: the game on the offscreen driver ended"; exit 1; }
echo "without a display the game ends with its start-up error; SDL_VIDEODRIVER=offscreen runs it"
