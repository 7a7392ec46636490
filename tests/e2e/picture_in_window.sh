#!/usr/bin/env bash
# The real window under Xvfb at every desktop depth: a picture loaded from a BMP and drawn at
# (200, 150) is on the screen there, keyed pixels show the background, and Alt+Enter switches to
# full screen (the picture scaled by a whole factor, centred) and back.
set -u
probe=$1
work=$(mktemp -d)
cd "$work" || exit 1
source "$(dirname "$0")/xvfb_session.sh"
start_xvfb || exit 1
# Full screen is a request to the window manager, as on every desktop.
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
at_exit 'kill $wm 2>/dev/null; rm -rf "$work"'
sleep 0.5
start_own_net

# Prints "r g b" of the screen pixel at (x, y) in the last screenshot.
pixel() {
  convert shot.png -crop "1x1+$1+$2" +repage \
    -format '%[fx:int(255*r+0.5)] %[fx:int(255*g+0.5)] %[fx:int(255*b+0.5)]' info:
}

# Fails unless the pixel at (x, y) is within 8 of the colour in each channel.
expect() {
  local x=$1 y=$2 what=$6 got channel
  got=$(pixel "$x" "$y")
  if ! [[ $got =~ ^([0-9]+)\ ([0-9]+)\ ([0-9]+)$ ]]; then
    echo "FAIL: depth $depth, $what at $x,$y: cannot read the pixel ($got)"
    return 1
  fi
  for channel in 1 2 3; do
    local want=${@:$((channel + 2)):1} have=${BASH_REMATCH[$channel]}
    if [ $(( have > want ? have - want : want - have )) -gt 8 ]; then
      echo "FAIL: depth $depth, $what at $x,$y is ($got), expected ($3 $4 $5)"
      return 1
    fi
  done
}

# The client area of the probe's window on the screen: sets wx, wy, ww, wh. The window is looked
# up afresh each time, since the renderer may recreate it.
geometry() {
  wx=0 wy=0 ww=0 wh=0
  local id info
  id=$(xdotool search --onlyvisible --name '^Untitled$' 2>/dev/null | head -1)
  [ -n "$id" ] || return 1
  window=$id
  info=$(xwininfo -id "$id" 2>/dev/null) || return 1
  wx=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
  wy=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
  ww=$(sed -n 's/.*Width: *//p' <<<"$info")
  wh=$(sed -n 's/.*Height: *//p' <<<"$info")
}

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

status=0
for depth in 8 16 24 32; do
  TESSARY_DESKTOP_DEPTH=$depth "${IN_OWN_NET[@]}" "$probe" 2>probe.log &
  pid=$!
  window=""
  for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name '^Untitled$' 2>/dev/null | head -1)
    [ -n "$window" ] && break
    sleep 0.1
  done
  if [ -z "$window" ]; then
    echo "FAIL: depth $depth: no window"; cat probe.log; kill $pid 2>/dev/null; status=1; continue
  fi
  sleep 1
  geometry
  import -window root shot.png
  if [ "$ww" -ne 640 ] || [ "$wh" -ne 480 ]; then
    echo "FAIL: depth $depth: window is ${ww}x${wh}, not 640x480"; status=1
  fi
  check_picture "$wx" "$wy" 1 windowed || status=1

  xdotool windowactivate --sync "$window" 2>/dev/null
  xdotool key alt+Return
  sleep 0.7
  geometry
  import -window root shot.png
  if [ "$ww" -ne 1280 ] || [ "$wh" -ne 1024 ]; then
    echo "FAIL: depth $depth: Alt+Enter gave a ${ww}x${wh} window, not the full 1280x1024 screen"
    status=1
  else
    # 1280 x 1024 holds the picture twice over; 32-pixel black bars above and below.
    check_picture "$wx" $((wy + 32)) 2 "full screen" || status=1
    expect $((wx + 640)) $((wy + 10)) 0 0 0 "top bar" || status=1
  fi

  xdotool key alt+Return
  sleep 0.7
  geometry
  import -window root shot.png
  if [ "$ww" -ne 640 ] || [ "$wh" -ne 480 ]; then
    echo "FAIL: depth $depth: back from full screen the window is ${ww}x${wh}"; status=1
  else
    check_picture "$wx" "$wy" 1 "windowed again" || status=1
  fi

  xdotool key Escape
  for _ in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
  if kill -0 $pid 2>/dev/null; then echo "FAIL: depth $depth: Esc did not end the probe"; kill $pid; status=1; fi
  wait $pid 2>/dev/null
  grep -q "probe: no picture" probe.log && { echo "FAIL: depth $depth: the picture did not load"; status=1; }
  [ $status -eq 0 ] && echo "depth $depth: picture shown where drawn, full screen and back"
done
exit $status
