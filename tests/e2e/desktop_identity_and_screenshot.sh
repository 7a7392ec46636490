#!/usr/bin/env bash
# The real game and editor under Xvfb as a desktop sees them: each window's X11 class is its
# desktop entry's id and StartupWMClass, and carries the program's icon; and F12 in the game saves
# the frame on screen, at 32 and at 8 bits, as a PNG in the pictures folder that user-dirs.dirs
# names, pixel for pixel what the window shows, with one line saying where.
set -u
dist=$1
packaging=$2
source "$(dirname "$0")/xvfb_session.sh"
start_xvfb || exit 1
start_own_net

make_game_folder "$dist"
work=$folder
mkdir -p "$work/home" "$work/config"
# The pictures folder as a desktop in another language names it, written the way xdg-user-dirs
# writes it.
printf '# written by xdg-user-dirs-update\nXDG_PICTURES_DIR="$HOME/Bilder"\n' \
  >"$work/config/user-dirs.dirs"
shots="$work/home/Bilder/Pelko"
cd "$work" || exit 1

# The desktop entry's id and the class it expects its windows to have.
entry_class() { sed -n 's/^StartupWMClass=//p' "$packaging/$1.desktop"; }

# Fails unless the window carries the class of desktop entry $2 and an icon.
check_identity() {
  local window=$1 id=$2 class
  class=$(entry_class "$id")
  [ "$class" = "$id" ] || { echo "FAIL: $id.desktop has StartupWMClass '$class'"; return 1; }
  xprop -id "$window" WM_CLASS | grep -q "\"$id\"\$" ||
    { echo "FAIL: $id: the window's class is $(xprop -id "$window" WM_CLASS)"; return 1; }
  xprop -id "$window" _NET_WM_ICON | grep -q 'Icon (64 x 64)' ||
    { echo "FAIL: $id: no 64 x 64 icon on the window"; return 1; }
}

shot_count() { find "$shots" -name '*.png' 2>/dev/null | wc -l; }
more_shots_than() { [ "$(shot_count)" -gt "$1" ]; }

# True when two looks at the window a fifth of a second apart see the same picture (the logo's
# stripes move for a while; the title then stands still).
window_is_still() {
  import -window "$1" "$work/still-a.png" 2>/dev/null && sleep 0.2 &&
    import -window "$1" "$work/still-b.png" 2>/dev/null &&
    [ "$(compare -metric AE "$work/still-a.png" "$work/still-b.png" null: 2>&1)" = 0 ]
}

# Presses F12 on a still picture until a saved picture equals the window's own content.
check_screenshot() {
  local window=$1 depth=$2 try before newest
  for try in $(seq 10); do
    wait_until window_is_still "$window" ||
      { echo "FAIL: depth $depth: the window's picture never stood still"; return 1; }
    before=$(shot_count)
    focus_window "$window" || { echo "FAIL: depth $depth: the window did not take the focus"; return 1; }
    xdotool keydown F12; sleep 0.1; xdotool keyup F12
    wait_until more_shots_than "$before" || continue
    import -window "$window" "$work/window.png" 2>/dev/null || continue
    newest=$(ls -t "$shots"/*.png | head -1)
    [ "$(identify -format '%wx%h' "$newest")" = 640x480 ] ||
      { echo "FAIL: depth $depth: $newest is not a 640 x 480 picture"; return 1; }
    if [ "$(compare -metric AE "$newest" "$work/window.png" null: 2>&1)" = 0 ]; then
      grep -qF "Screenshot saved as $newest" "$work/stderr.txt" ||
        { echo "FAIL: depth $depth: no line names $newest"; cat "$work/stderr.txt"; return 1; }
      echo "depth $depth: F12 saved $(basename "$newest"), the window's picture pixel for pixel"
      return 0
    fi
  done
  echo "FAIL: depth $depth: no screenshot matched the window"
  return 1
}

status=0
for depth in 32 8; do
  HOME="$work/home" XDG_CONFIG_HOME="$work/config" TESSARY_DESKTOP_DEPTH=$depth \
    SDL_AUDIODRIVER=dummy "${IN_OWN_NET[@]}" env -u XDG_PICTURES_DIR "$dist/pelkogame" \
    2>"$work/stderr.txt" &
  game=$!
  if ! window=$(wait_for_window Untitled); then
    echo "FAIL: depth $depth: no window"; kill $game; status=1; continue
  fi
  check_identity "$window" org.pelko.Pelko || status=1
  check_screenshot "$window" "$depth" || status=1
  focus_window "$window" && xdotool key Escape
  wait_for_exit $game || { echo "FAIL: Esc did not end the game"; kill $game; status=1; }
  wait $game 2>/dev/null
done

"${IN_OWN_NET[@]}" "$dist/PelkoGameOptionEditer" &
editor=$!
at_exit 'kill $editor 2>/dev/null'
if window=$(wait_for_window PelkoGameOptionEditer); then
  check_identity "$window" org.pelko.PelkoSettings || status=1
else
  echo "FAIL: no editor window"; status=1
fi
[ $status -eq 0 ] && echo "the game's and the editor's windows carry their desktop entries' class and icon"
exit $status
