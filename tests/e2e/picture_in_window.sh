#!/usr/bin/env bash
# The real window under Xvfb at every desktop depth: a picture loaded from a BMP and drawn at
# (200, 150) is on the screen there, keyed pixels show the background, and Alt+Enter switches to
# full screen (the picture scaled by a whole factor, centred) and back.
set -u
probe=$1
work=$(mktemp -d)
cd "$work" || exit 1
source "$(dirname "$0")/xvfb_session.sh"
at_exit 'rm -rf "$work"'
start_xvfb || exit 1
# Full screen is a request to the window manager, as on every desktop.
start_window_manager || exit 1
start_own_net

# Fails unless the pixel at (x, y) is within 8 of the colour in each channel; says why unless
# QUIET is set.
QUIET=""
expect() {
  local x=$1 y=$2 what=$6 got channel
  got=$(pixel "$x" "$y")
  if ! [[ $got =~ ^([0-9]+)\ ([0-9]+)\ ([0-9]+)$ ]]; then
    [ -n "$QUIET" ] || echo "FAIL: depth $depth, $what at $x,$y: cannot read the pixel ($got)"
    return 1
  fi
  for channel in 1 2 3; do
    local want=${@:$((channel + 2)):1} have=${BASH_REMATCH[$channel]}
    if [ $(( have > want ? have - want : want - have )) -gt 8 ]; then
      [ -n "$QUIET" ] || echo "FAIL: depth $depth, $what at $x,$y is ($got), expected ($3 $4 $5)"
      return 1
    fi
  done
}

# The client area of the probe's window on the screen: sets window, wx, wy, ww, wh.
geometry() { window_geometry Untitled; }

# Checks the probe picture drawn at (200, 150) scaled by s from the screen point (ox, oy).
check_picture() {
  local ox=$1 oy=$2 s=$3 where=$4
  expect $((ox + (200 + 10) * s)) $((oy + (150 + 10) * s)) 255 0 0 "red block ($where)" &&
  expect $((ox + (200 + 50) * s)) $((oy + (150 + 10) * s)) 0 255 0 "green block ($where)" &&
  expect $((ox + (200 + 50) * s)) $((oy + (150 + 40) * s)) 0 0 255 "blue block ($where)" &&
  expect $((ox + (200 + 1) * s)) $((oy + (150 + 1) * s)) 128 128 128 "keyed frame ($where)" &&
  expect $((ox + (200 + 32) * s)) $((oy + (150 + 24) * s)) 128 128 128 "keyed hole ($where)" &&
  expect $((ox + (200 + 64) * s)) $((oy + (150 + 10) * s)) 128 128 128 "right of the picture ($where)"
}

# The screen as the probe shows it windowed, or in full screen: the window at its size and the
# picture drawn where expected.
shows_windowed() {
  geometry && [ "$ww" -eq 640 ] && [ "$wh" -eq 480 ] && import -window root shot.png &&
    check_picture "$wx" "$wy" 1 "$1"
}
# 1280 x 1024 holds the picture twice over; 32-pixel black bars above and below.
shows_full_screen() {
  geometry && [ "$ww" -eq 1280 ] && [ "$wh" -eq 1024 ] && import -window root shot.png &&
    check_picture "$wx" $((wy + 32)) 2 "full screen" && expect $((wx + 640)) $((wy + 10)) 0 0 0 "top bar"
}

# Waits until the screen shows state $1 ("shows_windowed what" or "shows_full_screen"); when it
# never does, checks once more aloud to say what is wrong.
wait_until_shown() {
  QUIET=1 wait_until "$@" && return 0
  "$@" && return 0
  echo "FAIL: depth $depth: the window is ${ww}x${wh} at $wx,$wy"
  return 1
}

# Sends a key to the probe's window once it has the focus.
press() {
  focus_window "$window" || { echo "FAIL: depth $depth: the window did not take the focus"; return 1; }
  xdotool key "$1"
}

status=0
for depth in 8 16 24 32; do
  TESSARY_DESKTOP_DEPTH=$depth "${IN_OWN_NET[@]}" "$probe" 2>probe.log &
  pid=$!
  if ! window=$(wait_for_window Untitled); then
    echo "FAIL: depth $depth: no window"; cat probe.log; kill $pid 2>/dev/null; status=1; continue
  fi
  wait_until_shown shows_windowed windowed || status=1

  press alt+Return && wait_until_shown shows_full_screen || status=1
  press alt+Return && wait_until_shown shows_windowed "windowed again" || status=1

  press Escape
  if ! wait_for_exit $pid; then echo "FAIL: depth $depth: Esc did not end the probe"; kill $pid; status=1; fi
  wait $pid 2>/dev/null
  grep -q "probe: no picture" probe.log && { echo "FAIL: depth $depth: the picture did not load"; status=1; }
  [ $status -eq 0 ] && echo "depth $depth: picture shown where drawn, full screen and back"
done
exit $status
