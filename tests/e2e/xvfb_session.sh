# Sourced by the end-to-end tests: a private Xvfb display for this test, stopped on exit, and
# waits for what a test needs (a window mapped, a window focused, a program ended) instead of
# fixed sleeps, so that the tests hold on a busy machine.

# Commands to run when the test ends, whichever way it ends.
EXIT_TASKS=()
at_exit() { EXIT_TASKS+=("$1"); }
run_exit_tasks() { local t; for t in "${EXIT_TASKS[@]}"; do eval "$t"; done; }
trap run_exit_tasks EXIT

# The game keeps its window's size between runs under XDG_STATE_HOME: each test starts without
# one, and leaves none in the home folder.
XDG_STATE_HOME=$(mktemp -d)
export XDG_STATE_HOME
at_exit 'rm -rf "$XDG_STATE_HOME"'

# A game folder of the test's own in $folder, removed at the end: its GameData links to every
# file of the game folder $1 (a test may replace or remove a link), and ForBeginner.BMP beside it.
make_game_folder() {
  folder=$(mktemp -d)
  at_exit 'rm -rf "$folder"'
  mkdir -p "$folder/GameData"
  for f in "$1"/GameData/*; do ln -s "$f" "$folder/GameData/"; done
  ln -s "$1/ForBeginner.BMP" "$folder/"
}

# How long any one wait may take. Generous: the machine may be loaded far beyond its cores.
WAIT_SECONDS=${E2E_WAIT_SECONDS:-60}

# Runs the command until it succeeds, at most WAIT_SECONDS; false when it never did.
wait_until() {
  local deadline=$((SECONDS + WAIT_SECONDS))
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.1
  done
}

# Xvfb picks a free display number itself (-displayfd), so tests running side by side never race
# for the same one. -noreset: without it the server resets whenever its last client disconnects
# (the readiness probe below is such a client), and a program connecting during the reset is
# refused. The screen is 1280 x 1024 unless $1 names another size (WIDTHxHEIGHT).
start_xvfb() {
  local fifo size=${1:-1280x1024}
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -noreset -screen 0 "${size}x24" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  local n
  if ! read -r -t "$WAIT_SECONDS" n <"$fifo"; then
    rm -f "$fifo"
    echo "could not start Xvfb"
    return 1
  fi
  rm -f "$fifo"
  export DISPLAY=:$n
  at_exit 'kill $XVFB_PID 2>/dev/null'
  wait_until xdotool getmouselocation >/dev/null 2>&1 || { echo "Xvfb :$n does not answer"; return 1; }
}

# A window manager that is up: it has announced itself on the root window.
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# Starts openbox and waits until it manages the screen.
start_window_manager() {
  openbox --sm-disable >/dev/null 2>&1 &
  WM_PID=$!
  at_exit 'kill $WM_PID 2>/dev/null'
  wait_until wm_running || { echo "the window manager did not start"; return 1; }
}

# The first mapped (viewable) window whose title is exactly $1; empty when there is none.
visible_window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1; }

# Waits until a window with exactly this title is mapped and prints its id.
wait_for_window() {
  local deadline=$((SECONDS + WAIT_SECONDS)) id
  while :; do
    id=$(visible_window "$1")
    [ -n "$id" ] && { echo "$id"; return 0; }
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.1
  done
}

# The client area on the screen of the first mapped window titled exactly $1: sets window, wx,
# wy, ww and wh (all 0 when there is none, and false). Looked up afresh each time, since a
# renderer may recreate the window.
window_geometry() {
  window="" wx=0 wy=0 ww=0 wh=0
  local info
  window=$(visible_window "$1")
  [ -n "$window" ] || return 1
  info=$(xwininfo -id "$window" 2>/dev/null) || return 1
  wx=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
  wy=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
  ww=$(sed -n 's/.*Width: *//p' <<<"$info")
  wh=$(sed -n 's/.*Height: *//p' <<<"$info")
}

# Prints "r g b" (0 to 255) of the screen pixel at (x, y) in the last screenshot, shot.png.
pixel() {
  convert shot.png -crop "1x1+$1+$2" +repage \
    -format '%[fx:int(255*r+0.5)] %[fx:int(255*g+0.5)] %[fx:int(255*b+0.5)]' info:
}

# Gives the keyboard focus to a window and waits until it has it. Without a window manager the
# focus is set directly; with one the window is activated through it.
focus_window() {
  local id=$1
  if wm_running; then
    timeout "$WAIT_SECONDS" xdotool windowactivate --sync "$id" >/dev/null 2>&1
  else
    timeout "$WAIT_SECONDS" xdotool windowfocus --sync "$id" >/dev/null 2>&1
  fi
  [ "$(xdotool getwindowfocus 2>/dev/null)" = "$id" ]
}

# The share of the screen in the play field's blue (the picture goes to $folder/screen.png).
field_share() {
  import -window root "$folder/screen.png" 2>/dev/null || { echo 0; return; }
  convert "$folder/screen.png" -fill black +opaque '#007FFF' -fill white -opaque '#007FFF' \
    -format '%[fx:mean]' info: 2>/dev/null || echo 0
}
in_field() { awk -v s="$(field_share)" 'BEGIN { exit !(s > 0.1) }'; }

# From the logo through the title into a run of the focused game: keys are held until the game
# has seen them, however busy the machine is.
enter_play() {
  for _ in $(seq 120); do
    in_field && break
    xdotool keydown space; sleep 0.3; xdotool keyup space; sleep 0.3
  done
  in_field || { echo "FAIL: the run did not start"; return 1; }
}

process_ended() { ! kill -0 "$1" 2>/dev/null; }

# Waits until process $1 has ended; false when it still runs.
wait_for_exit() { wait_until process_ended "$1"; }

# The game's single-instance lock is a file in $XDG_RUNTIME_DIR: programs started through
# "${IN_OWN_NET[@]}" share one of this test's own (named from when the lock lived in the network
# namespace), so no other game on the machine counts as a first instance.
start_own_net() {
  own_runtime_dir=$(mktemp -d) # 0700, as a session's runtime folder is
  at_exit 'rm -rf "$own_runtime_dir"'
  IN_OWN_NET=(env XDG_RUNTIME_DIR="$own_runtime_dir")
}

# What a test of the game's window says when it fails; with E2E_KEEP set, its pictures and the
# game's debug output are kept there.
fail() {
  echo "FAIL: $*"
  [ -n "${E2E_KEEP:-}" ] &&
    cp "${folder:-.}"/*.png "${folder:-.}/stderr.txt" "$E2E_KEEP/" 2>/dev/null
  exit 1
}

# The shipped game $1 under a display of its own, in a game folder of its own whose first stage is
# empty (nothing but the test moves the ship), with SDL's virtual pads driven from the script
# $folder/pads.txt by the library $2 preloaded into it (`pad WORDS` adds a line; `tap_pad B`
# presses and lets go of button B of pad 0). Sets folder (the current directory), game and window,
# and waits until the window has the focus.
start_game_with_pads() {
  local dist=$1 preload=$2
  [ -f "$preload" ] || { echo "FAIL: no pad script preload at $preload"; exit 1; }
  start_xvfb || exit 1
  start_own_net
  make_game_folder "$dist"
  rm "$folder/GameData/Stage1.dat"
  printf '&\n' >"$folder/GameData/Stage1.dat"
  cd "$folder" || exit 1
  : >pads.txt
  SDL_AUDIODRIVER=dummy "${IN_OWN_NET[@]}" TESSARY_TEST_PAD_SCRIPT="$folder/pads.txt" \
    LD_PRELOAD="$preload" "$dist/pelkogame" 2>"$folder/stderr.txt" &
  game=$!
  at_exit 'kill $game 2>/dev/null'
  window=$(wait_for_window Untitled) || fail "no window appeared"
  focus_window "$window" || fail "the window did not take the focus"
}
pad() { echo "$*" >>"$folder/pads.txt"; }

# Once the game has ended: it must have ended with status 0 (else its debug output is shown);
# with E2E_KEEP set, its pictures and debug output are kept there.
expect_clean_exit() {
  wait "$game"
  local status=$?
  [ $status -eq 0 ] || { cat "$folder/stderr.txt"; fail "exit status $status"; }
  [ -z "${E2E_KEEP:-}" ] || cp "$folder"/*.png "$folder/stderr.txt" "$E2E_KEEP/"
}
tap_pad() { pad button 0 "$1" 1; pad button 0 "$1" 0; }
SOUTH=0 BACK=6 START=7

# The game's window into $folder/$1.png.
shot() { import -window "$window" "$folder/$1.png" 2>/dev/null; }
# The share of the crop $2 (WxH+X+Y) of picture $1 in the colour $3.
mean_of() {
  convert "$1" -crop "$2" +repage -fill black +opaque "$3" -fill white -opaque "$3" \
    -format '%[fx:mean]' info: 2>/dev/null || echo 0
}
above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }
# The window shows the play field: mostly its blue.
field_up() { shot field && above "$(mean_of field.png 640x480+0+0 '#007FFF')" 0.5; }
# The title is up when its status line is drawn in white ("1 Player" at x 10) under the night sky
# (the logo's blinds are white stripes right across).
title_up() {
  shot title && above "$(mean_of title.png 60x18+10+10 white)" 0.05 &&
    ! above "$(mean_of title.png 640x8+0+0 white)" 0.3
}
# The ship's top-left corner in the window as "x y": the box of its body's blue (#344B97, a colour
# of the ship's picture alone) in the field, below the status band; nothing when it is not there.
ship_at() {
  shot ship || return 1
  convert ship.png -crop 640x416+0+64 +repage -fill black +opaque '#344B97' \
    -fill white -opaque '#344B97' -format '%@' info: 2>/dev/null |
    sed -n 's/^[0-9]*x[0-9]*+\([0-9]*\)+\([0-9]*\)$/\1 \2/p' | awk '$2 < 416 { print $1, $2 + 64 }'
}
