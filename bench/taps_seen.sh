#!/usr/bin/env bash
# Taps seen out of taps made: short key taps, each one XTEST key-down and key-up this many
# milliseconds apart, on the real game under a private Xvfb. On the title (30 frames a second) F4
# toggles hard mode, so a tap is seen when the "Hard Mode" line comes or goes; on the logo (150 ms
# frames) Space skips to the title, so a tap is seen when the title is up before the logo would
# have ended by itself (one start of the game per logo tap). A tap shorter than a frame is lost
# when the game only looks at the keys it holds down as each frame reads them.
#
#   bench/taps_seen.sh DIST [TAPS [MS...]]     e.g. bench/taps_seen.sh build/dist 20 2 5 10 20 40
set -u
dist=$(cd "${1:?usage: taps_seen.sh DIST [TAPS [MS...]]}" && pwd)
taps=${2:-20}
shift $(($# < 2 ? $# : 2))
durations=("$@")
[ ${#durations[@]} -gt 0 ] || durations=(2 5 10 20 40)
source "$(dirname "$0")/../tests/e2e/xvfb_session.sh"
start_xvfb || exit 1
start_own_net
make_game_folder "$dist"
cd "$folder" || exit 1

start_game() {
  SDL_AUDIODRIVER=dummy "${IN_OWN_NET[@]}" "$dist/pelkogame" 2>>stderr.txt &
  game=$!
  window=$(wait_for_window Untitled) && focus_window "$window"
}
stop_game() {
  xdotool key Escape
  wait_for_exit "$game" || kill "$game"
  wait "$game" 2>/dev/null
}
tap() {
  xdotool keydown --delay 0 "$1" sleep "$(awk -v ms="$2" 'BEGIN { print ms / 1000 }')" keyup --delay 0 "$1"
}
shot() { import -window "$window" shot.png 2>/dev/null; }
# The share of white in a crop of the last shot.
white_in() { convert shot.png -crop "$1" +repage -fill black +opaque white -format '%[fx:mean]' info:; }
hard_mode_shown() { shot && above "$(white_in 80x18+400+10)" 0.05; }
logo_up() { shot && above "$(white_in 640x100+0+0)" 0.5; }
title_up() { shot && above "$(white_in 60x18+10+10)" 0.05 && ! above "$(white_in 640x8+0+0)" 0.3; }

title_taps() {
  local ms=$1 seen=0 before now
  start_game || return 1
  # Space held across the logo skips it; held on, it does not start a run from the title.
  xdotool keydown space
  wait_until title_up || { xdotool keyup space; stop_game; return 1; }
  xdotool keyup space
  hard_mode_shown && before=1 || before=0
  for _ in $(seq "$taps"); do
    tap F4 "$ms"
    sleep 0.3
    hard_mode_shown && now=1 || now=0
    [ "$now" != "$before" ] && seen=$((seen + 1))
    before=$now
  done
  stop_game
  echo "$seen"
}

logo_taps() {
  local ms=$1 seen=0
  for _ in $(seq "$taps"); do
    start_game || return 1
    wait_until logo_up || { stop_game; return 1; }
    sleep "0.$((RANDOM % 5 + 2))"
    tap space "$ms"
    sleep 0.6
    title_up && seen=$((seen + 1))
    stop_game
  done
  echo "$seen"
}

printf '%-8s %-22s %-22s\n' "tap ms" "title F4 (30 fps)" "logo Space (150 ms)"
for ms in "${durations[@]}"; do
  t=$(title_taps "$ms") || t="?"
  l=$(logo_taps "$ms") || l="?"
  printf '%-8s %-22s %-22s\n' "$ms" "$t / $taps" "$l / $taps"
done
