#!/usr/bin/env bash
# The real game under Xvfb with a pad plugged in at the title, after the start: the title names
# it, its south button starts a run, its stick steers and its button fires; a stick left at rest
# a little off centre leaves the ship where it is; pulled out in play the keyboard goes on, and
# plugged in again it steers again. The pad is one of SDL's virtual pads, attached inside the
# shipped game by the library preloaded into it ($2, tests/support/pad_script_preload.cpp) from
# the script named by TESSARY_TEST_PAD_SCRIPT.
set -u
source "$(dirname "$0")/xvfb_session.sh"
start_game_with_pads "$1" "$2"

# The count line the runtime writes, the n-th time it says this count.
said_count() { [ "$(grep -c "^$1個のジョイスティックが使用可能です" stderr.txt)" -ge "${2:-1}" ]; }
ship_y() { ship_at | awk '{ print $2 }'; }
ship_below() { local y; y=$(ship_y) && [ -n "$y" ] && [ "$y" -gt "$1" ]; }
ship_above() { local y; y=$(ship_y) && [ -n "$y" ] && [ "$y" -lt "$1" ]; }

# The title's status line, where "Using JoyStick ID1" goes (x 80 to 230, y 10 to 28).
status_crop() { convert "$1" -crop 150x18+80+10 +repage "$2"; }

wait_until said_count 0 || fail "no joystick count at start"
# The logo opens and dissolves into the title by itself.
wait_until title_up || fail "the title did not come"
status_crop title.png status-before.png

pad attach xbox360
wait_until said_count 1 || fail "the pad plugged in at the title was not counted"
named() {
  shot title-with-pad && status_crop title-with-pad.png status-after.png &&
    [ "$(convert status-after.png -fill black +opaque white -format '%[fx:mean>0.05]' info:)" = 1 ]
}
wait_until named || fail "the title does not name the pad"
cmp -s status-before.png status-after.png && fail "the status line did not change"

# South starts a run: pressed and let go until the field is up (however busy the machine, a
# press is seen by some frame).
for _ in $(seq 100); do
  field_up && break
  pad button 0 0 1; sleep 0.3; pad button 0 0 0; sleep 0.3
done
field_up || fail "the pad's south button did not start a run"

# Down to the bottom and up to the top with the stick.
pad axis 0 1 32767
wait_until ship_below 380 || fail "the stick did not steer down (ship at $(ship_at))"
pad axis 0 1 -32768
wait_until ship_above 120 || fail "the stick did not steer up (ship at $(ship_at))"

# A push back towards mid-field (until the ship is there: a loaded machine may draw few frames in
# a fixed time), then let go a little off centre, as a real stick rests:
# the ship stays where it is (its picture flaps by a pixel or two; a drifting ship moves 150
# pixels a second).
pad axis 0 1 32767
wait_until ship_below 100 || fail "the stick did not steer down again"
pad axis 0 1 900
pad axis 0 0 1200
# The ship's shots are orange (#F3862C) and fly right along its row.
shots_fired() {
  shot shots && y=$(ship_y) && [ -n "$y" ] &&
    [ "$(convert shots.png -crop 520x48+110+$((y - 8)) +repage -fill black +opaque '#F3862C' \
      -fill white -opaque '#F3862C' -format '%[fx:mean>0]' info:)" = 1 ]
}
shots_fired && fail "shots before the button was pressed"
pad button 0 0 1
wait_until shots_fired || fail "the south button did not fire"
rest_from=$(ship_at)
sleep 3
rest_to=$(ship_at)
still() { awk -v a="$1" -v b="$2" 'BEGIN { split(a, p); split(b, q); dx = p[1] - q[1];
  dy = p[2] - q[2]; exit !(NF == 0 && dx * dx <= 4 && dy * dy <= 4 && a != "" && b != "") }'; }
still "$rest_from" "$rest_to" || fail "the ship drifted from $rest_from to $rest_to at rest"
pad button 0 0 0

# Pulled out in play: the count is said again and the keyboard steers.
pad detach 0
wait_until said_count 0 2 || fail "the pad pulled out was not counted out"
# Each of the two moves below goes towards the far half of the field from where the ship is.
if [ "$(ship_y)" -lt 240 ]; then key=Down there=ship_below where=380 back=-32768 again=ship_above
else key=Up there=ship_above where=120 back=32767 again=ship_below; fi
xdotool keydown $key
wait_until $there $where || { xdotool keyup $key; fail "the keyboard did not steer after"; }
xdotool keyup $key
# Plugged in again: it steers again.
pad attach xbox360
wait_until said_count 1 2 || fail "the pad plugged in again was not counted"
pad axis 1 1 $back
wait_until $again $((500 - where)) || fail "the pad plugged in again did not steer"
shot played

xdotool key Escape
wait_for_exit $game || fail "Esc did not end the program"
expect_clean_exit
echo "a pad plugged in at the title started, steered and fired a run; at rest +1200/+900 the" \
  "ship stayed at $rest_to for 3 s; pulled out and plugged in again it was used again"
