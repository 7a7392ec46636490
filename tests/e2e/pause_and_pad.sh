#!/usr/bin/env bash
# The real game under Xvfb, paused and left with the keyboard and with a pad alone. P pauses a
# run and P again goes on; paused, the picture stays as it was under the sign however long keys
# are held, and P goes on with the ship where it stopped. Then one of SDL's virtual Xbox 360 pads
# (from the script named by TESSARY_TEST_PAD_SCRIPT, read by the library $2 preloaded into the
# shipped game): one tap of south starts a run, Start pauses it, Back ends it, and Back on the
# title quits.
set -u
source "$(dirname "$0")/xvfb_session.sh"
start_game_with_pads "$1" "$2"

# The sign: a black band across the middle with the white heading in it.
sign_up() { shot "$1" && above "$(mean_of "$1.png" 100x100+0+190 black)" 0.99 &&
  above "$(mean_of "$1.png" 160x56+240+190 white)" 0.1; }
wait_until_short() { WAIT_SECONDS=1 wait_until "$@"; }
near() { awk -v a="$1" -v b="$2" 'BEGIN { split(a, p); split(b, q); dx = p[1] - q[1];
  dy = p[2] - q[2]; exit !(a != "" && b != "" && dx * dx + dy * dy <= 16) }'; }

xdotool keydown space
wait_until title_up || fail "Space held did not skip the logo"
xdotool keyup space
# A press in the frame right after a release reads as held, so Space is pressed until it starts.
for _ in $(seq 20); do
  xdotool key space
  wait_until_short field_up && break
done
field_up || fail "Space did not start a run"
xdotool keydown Down && sleep 0.5 && xdotool keyup Down
# P and P again, with no other key between, pause and go on.
xdotool key p
wait_until sign_up paused || fail "P did not pause"
xdotool key p
wait_until field_up || fail "P again did not go on"
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
wait_until field_up || fail "P did not go on after the held key"
after=$(ship_at)
near "$before" "$after" || fail "the ship moved from $before to $after over the pause"
xdotool key Delete
wait_until title_up || fail "Delete did not end the run"

pad attach xbox360
wait_until grep -q '^1個のジョイスティックが使用可能です' stderr.txt || fail "no pad"
tap_pad $SOUTH
wait_until field_up || fail "one tap of the pad's south button did not start a run"
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
expect_clean_exit
echo "P paused and went on with the ship at $after (was $before); the pad started, paused and" \
  "ended a run and quit from the title"
