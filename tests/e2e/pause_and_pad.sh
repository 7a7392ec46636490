#!/usr/bin/env bash
# The real game under Xvfb, paused and left with the keyboard and with a pad alone. P pauses a
# run and P again goes on; paused, the picture stays as it was under the sign however long keys
# are held, and P goes on with the ship where it stopped. Then one of SDL's virtual Xbox 360 pads
# (from the script named by TESSARY_TEST_PAD_SCRIPT, read by the library $2 preloaded into the
# shipped game): one tap of south starts a run, Start pauses it, Back ends it, and Back on the
# title quits.
set -u
dist=$1
preload=$2
[ -f "$preload" ] || { echo "FAIL: no pad script preload at $preload"; exit 1; }
source "$(dirname "$0")/xvfb_session.sh"
start_xvfb || exit 1
start_own_net
make_game_folder "$dist"
# A first stage without enemies: nothing moves the ship but the keys.
rm "$folder/GameData/Stage1.dat"
printf '&\n' >"$folder/GameData/Stage1.dat"
cd "$folder" || exit 1
: >pads.txt
pad() { echo "$*" >>pads.txt; }
tap_pad() { pad button 0 "$1" 1; pad button 0 "$1" 0; }
SOUTH=0 BACK=6 START=7

SDL_AUDIODRIVER=dummy "${IN_OWN_NET[@]}" TESSARY_TEST_PAD_SCRIPT="$folder/pads.txt" \
  LD_PRELOAD="$preload" "$dist/pelkogame" 2>"$folder/stderr.txt" &
game=$!
at_exit 'kill $game 2>/dev/null'
fail() {
  echo "FAIL: $*"
  [ -n "${E2E_KEEP:-}" ] && cp "$folder"/*.png "$folder/stderr.txt" "$E2E_KEEP/" 2>/dev/null
  exit 1
}
window=$(wait_for_window Untitled) || fail "no window appeared"
focus_window "$window" || fail "the window did not take the focus"

shot() { import -window "$window" "$folder/$1.png" 2>/dev/null; }
mean_of() { convert "$1" -crop "$2" +repage -fill black +opaque "$3" -fill white -opaque "$3" \
  -format '%[fx:mean]' info: 2>/dev/null || echo 0; }
above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }
in_field() { shot field && above "$(mean_of field.png 640x480+0+0 '#007FFF')" 0.5; }
# The title's "1 Player" in white under its dark sky.
title_up() { shot title && above "$(mean_of title.png 60x18+10+10 white)" 0.05 &&
  ! above "$(mean_of title.png 640x8+0+0 white)" 0.3; }
# The sign: a black band across the middle with the white heading in it.
sign_up() { shot "$1" && above "$(mean_of "$1.png" 100x100+0+190 black)" 0.99 &&
  above "$(mean_of "$1.png" 160x56+240+190 white)" 0.1; }
# The ship's top-left corner, by the blue of its body.
ship_at() { shot ship && convert ship.png -crop 640x416+0+64 +repage -fill black \
  +opaque '#344B97' -fill white -opaque '#344B97' -format '%@' info: 2>/dev/null |
  sed -n 's/^[0-9]*x[0-9]*+\([0-9]*\)+\([0-9]*\)$/\1 \2/p'; }
wait_until_short() { WAIT_SECONDS=1 wait_until "$@"; }
near() { awk -v a="$1" -v b="$2" 'BEGIN { split(a, p); split(b, q); dx = p[1] - q[1];
  dy = p[2] - q[2]; exit !(a != "" && b != "" && dx * dx + dy * dy <= 16) }'; }

xdotool keydown space
wait_until title_up || fail "Space held did not skip the logo"
xdotool keyup space
# A press in the frame right after a release reads as held, so Space is pressed until it starts.
for _ in $(seq 20); do
  xdotool key space
  wait_until_short in_field && break
done
in_field || fail "Space did not start a run"
xdotool keydown Down && sleep 0.5 && xdotool keyup Down
# P and P again, with no other key between, pause and go on.
xdotool key p
wait_until sign_up paused || fail "P did not pause"
xdotool key p
wait_until in_field || fail "P again did not go on"
sleep 0.3
before=$(ship_at)
xdotool key p
wait_until sign_up paused || fail "P did not pause again"
# Held keys move nothing while paused, and the picture stays exactly as it was.
xdotool keydown Up && sleep 2 && xdotool keyup Up
sign_up paused-later || fail "the sign went away"
[ "$(compare -metric AE paused.png paused-later.png null: 2>&1)" = 0 ] ||
  fail "the picture changed while paused"
xdotool key p
wait_until in_field || fail "P did not go on after the held key"
after=$(ship_at)
near "$before" "$after" || fail "the ship moved from $before to $after over the pause"
xdotool key Delete
wait_until title_up || fail "Delete did not end the run"

pad attach xbox360
wait_until grep -q '^1個のジョイスティックが使用可能です' stderr.txt || fail "no pad"
tap_pad $SOUTH
wait_until in_field || fail "one tap of the pad's south button did not start a run"
tap_pad $START
wait_until sign_up pad-paused || fail "the pad's Start did not pause"
tap_pad $BACK
wait_until title_up || fail "the pad's Back did not end the paused run"
# As with Space above, a press in the frame right after the release reads as held.
for _ in $(seq 20); do
  tap_pad $BACK
  WAIT_SECONDS=1 wait_for_exit $game && break
done
process_ended $game || fail "the pad's Back did not quit from the title"
wait $game
status=$?
[ $status -eq 0 ] || { cat stderr.txt; fail "exit status $status"; }
[ -n "${E2E_KEEP:-}" ] && cp "$folder"/*.png "$folder/stderr.txt" "$E2E_KEEP/"
echo "P paused and went on with the ship at $after (was $before); the pad started, paused and" \
  "ended a run and quit from the title"
