#!/usr/bin/env bash
# The picture on today's screens, through the real window and a window manager, by the CPU's
# scaler (what a machine with only software rendering uses) and by the GPU's renderer. On a
# 3840 x 2160 screen the first window is 2560 x 1920; resized by the window manager to 1000 x 700
# it shows the picture 933 x 700, centred, every single-pixel detail one block of the same size.
# On a 1280 x 800 screen the size kept from that run is brought inside the screen, and full screen
# shows 1067 x 800; a start after ending in full screen comes back in full screen.
set -u
probe=$1
work=$(mktemp -d)
cd "$work" || exit 1
source "$(dirname "$0")/xvfb_session.sh"
at_exit 'rm -rf "$work"'
start_own_net

status=0
fail() { echo "FAIL ($scaler): $*"; status=1; }

# A screen of the given size with openbox on it; the last one is stopped first.
new_screen() {
  [ -n "${WM_PID:-}" ] && kill "$WM_PID" 2>/dev/null
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
  start_xvfb "$1" && start_window_manager
}

start_probe() {
  TESSARY_SCALER=$scaler "${IN_OWN_NET[@]}" "$probe" 2>>probe.log &
  pid=$!
  wait_for_window Untitled >/dev/null || { fail "no window"; cat probe.log; return 1; }
}

end_probe() {
  focus_window "$window" && xdotool key Escape
  wait_for_exit "$pid" || { fail "Esc did not end the probe"; kill "$pid"; }
  wait "$pid" 2>/dev/null
}

client_is() { window_geometry Untitled && [ "$ww" -eq "$1" ] && [ "$wh" -eq "$2" ]; }
inside_the_screen() {
  window_geometry Untitled && [ "$ww" -ge 320 ] && [ "$wx" -ge 0 ] && [ "$wy" -ge 0 ] &&
    [ $((wx + ww)) -le "$1" ] && [ $((wy + wh)) -le "$2" ]
}

is_black() { [ "$(pixel "$1" "$2")" = "0 0 0" ]; }
is_grey() { [ "$(pixel "$1" "$2")" = "128 128 128" ]; }

# The picture fills the client columns left..right-1 and rows top..bottom-1 of the window, and
# the bars around it are black.
shows_picture_at() {
  local left=$1 top=$2 right=$3 bottom=$4
  local mx=$(((left + right) / 2)) my=$(((top + bottom) / 2))
  import -window root shot.png || return 1
  is_grey $((wx + left)) $((wy + my)) && is_grey $((wx + right - 1)) $((wy + my)) &&
    is_grey $((wx + mx)) $((wy + top)) && is_grey $((wx + mx)) $((wy + bottom - 1)) &&
    { [ "$left" -eq 0 ] || is_black $((wx + left - 1)) $((wy + my)); } &&
    { [ "$right" -eq "$ww" ] || is_black $((wx + right)) $((wy + my)); } &&
    { [ "$top" -eq 0 ] || is_black $((wx + mx)) $((wy + top - 1)); } &&
    { [ "$bottom" -eq "$wh" ] || is_black $((wx + mx)) $((wy + bottom)); }
}

# Every white pixel of the probe's band (rows 400 and 423, columns 40 + 23 i) on the screen
# scaled by num/den from the picture's corner (ox, oy): the lit screen pixels around it are one
# block at most 3 wide and high with no empty row or column inside, and the blocks carry the
# same light within 30 % of their mean, which is a scaled pixel's area within 15 %. (A scale that
# is no whole number gives a pixel part of a screen pixel more on some sides than others; sharp
# scaling spreads that over a blended edge, nearest-neighbour gives one, two or four pixels.)
details_are_even_blocks() {
  local ox=$1 oy=$2 num=$3 den=$4
  local bx=$((ox + 32 * num / den)) by=$((oy + 392 * num / den))
  convert shot.png -crop "$((576 * num / den + 2))x$((48 * num / den + 2))+${bx}+${by}" +repage \
    -colorspace gray -depth 8 txt:- | awk -v bx="$bx" -v by="$by" -v ox="$ox" -v oy="$oy" -v s="$num/$den" '
    BEGIN { split(s, f, "/"); s = f[1] / f[2] }
    NR > 1 { split($1, p, "[,:]"); split($2, v, "[(),]"); lum[p[1] + bx, p[2] + by] = v[2] / 255 }
    function block(x0, y0,   x, y) {
      mass = 0; delete rows; delete cols; minx = miny = 1e9; maxx = maxy = -1
      for (x = x0 - 4; x <= x0 + 4; x++) for (y = y0 - 4; y <= y0 + 4; y++) {
        if (lum[x, y] <= 0.03) continue
        mass += lum[x, y]; cols[x] = rows[y] = 1
        if (x < minx) minx = x; if (x > maxx) maxx = x; if (y < miny) miny = y; if (y > maxy) maxy = y
      }
      return maxx - minx < 3 && maxy - miny < 3 && length(cols) == maxx - minx + 1 && length(rows) == maxy - miny + 1
    }
    END {
      bad = 0; n = 0; total = 0
      for (i = 0; i < 48; i++) {
        px = 40 + 23 * (i % 24); py = i < 24 ? 400 : 423
        if (!block(int(ox + (px + 0.5) * s), int(oy + (py + 0.5) * s))) { print "detail at " px "," py " is not one small block"; bad = 1 }
        m[n++] = mass; total += mass
      }
      mean = total / n
      if (mean < 0.85 * s * s || mean > 1.15 * s * s) { printf "details hold %.2f pixels of light, not %.2f\n", mean, s * s; bad = 1 }
      for (i = 0; i < n; i++)
        if (m[i] < 0.7 * mean || m[i] > 1.3 * mean) { printf "detail %d holds %.2f pixels of light, the mean %.2f\n", i, m[i], mean; bad = 1 }
      exit bad
    }'
}

for scaler in cpu gpu; do
  rm -f "$XDG_STATE_HOME/pelko/window.ini"

  # The first start on a 4K screen: the largest whole multiple that fits with the frame.
  new_screen 3840x2160 || exit 1
  start_probe || continue
  wait_until client_is 2560 1920 || fail "the first window on 3840 x 2160 is ${ww}x${wh}"
  wait_until shows_picture_at 0 0 2560 1920 || fail "the 4x picture does not fill the window"
  # Resized by the window manager: the picture 933 x 700, centred; sharp, even details.
  xdotool windowsize "$window" 1000 700
  wait_until client_is 1000 700 || fail "the window manager's size is ${ww}x${wh}, not 1000x700"
  if wait_until shows_picture_at 33 0 966 700; then
    details_are_even_blocks $((wx + 33)) "$wy" 700 480 || fail "single pixels are not even blocks at 1000x700"
  else
    fail "the picture is not 933 x 700 at 33,0 in the 1000 x 700 window"
  fi
  xdotool windowsize "$window" 2400 1800
  wait_until client_is 2400 1800 || fail "the window did not take 2400 x 1800"
  end_probe

  # A 1280 x 800 screen: the kept 2400 x 1800 comes inside it; full screen fills its height.
  new_screen 1280x800 || exit 1
  start_probe || continue
  wait_until inside_the_screen 1280 800 ||
    fail "the kept size did not come inside 1280 x 800: ${ww}x${wh} at $wx,$wy"
  focus_window "$window" && xdotool key alt+Return
  wait_until client_is 1280 800 || fail "full screen is ${ww}x${wh}"
  wait_until shows_picture_at 106 0 1173 800 || fail "full screen does not show 1067 x 800 at 106,0"
  end_probe

  # Ended in full screen: the next start is full screen, and leaves it for the kept window.
  start_probe || continue
  wait_until client_is 1280 800 || fail "the start after full screen is ${ww}x${wh}"
  focus_window "$window" && xdotool key alt+Return
  wait_until eval 'window_geometry Untitled && [ "$ww" -lt 1280 ] && [ "$ww" -ge 320 ]' ||
    fail "leaving full screen gives ${ww}x${wh}"
  end_probe
  [ $status -eq 0 ] && echo "$scaler: 2560x1920 first, 933x700 sharp in 1000x700, kept size inside 1280x800, full screen 1067x800, full screen kept"
done
exit $status
