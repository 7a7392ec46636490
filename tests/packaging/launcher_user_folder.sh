#!/usr/bin/env bash
# The launchers on an installed copy whose programs are replaced by probes that report where
# they were started: the per-user folder is laid out, a newer install updates its links, and the
# player's own settings and score are never touched, and a read-only folder still starts the game.
set -u
build=$1
root=$(mktemp -d)
trap 'chmod -R u+w "$root" 2>/dev/null; rm -rf "$root"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

DESTDIR="$root/dest" cmake --install "$build" --prefix /opt/pelko >/dev/null || fail "install"
p="$root/dest/opt/pelko"
for program in pelkogame PelkoGameOptionEditer; do
  printf '#!/bin/sh\npwd > "%s/%s.cwd"\n' "$root" "$program" >"$p/lib/pelko/$program"
  chmod +x "$p/lib/pelko/$program"
done
export HOME="$root/home"
unset XDG_DATA_HOME
mkdir -p "$HOME"
user="$HOME/.local/share/pelko"

"$p/games/pelko" || fail "pelko failed"
[ "$(cat "$root/pelkogame.cwd")" = "$user" ] || fail "the game ran in $(cat "$root/pelkogame.cwd")"
for f in GameData/Fullcolor/GPelko.bmp GameData/256/Boss.bmp GameData/Shot.wav \
         GameData/LOGO.mid ForBeginner.BMP; do
  [ -L "$user/$f" ] || [ -L "$(dirname "$user/$f")" ] || fail "$f is not linked"
  [ -f "$user/$f" ] || fail "$f does not lead to the installed file"
done
[ -d "$user/GameData" ] && [ ! -L "$user/GameData" ] || fail "GameData must be the player's own"

# The player's own files, then a newer version that adds one file and drops another.
printf '[PelkoGame]\r\nFPS=60' >"$user/GameData/Game.ini"
printf '\xef\xd8\xff\xff' >"$user/GameData/HighScore.dat"
before=$(cat "$user/GameData/Game.ini" "$user/GameData/HighScore.dat" | md5sum)
printf '& \n' >"$p/share/pelko/GameData/Extra.dat"
rm "$p/share/pelko/GameData/Shot.wav"
"$p/games/pelko-settings" || fail "pelko-settings failed"
[ "$(cat "$root/PelkoGameOptionEditer.cwd")" = "$user/GameData" ] ||
  fail "the editor ran in $(cat "$root/PelkoGameOptionEditer.cwd")"
[ -L "$user/GameData/Extra.dat" ] || fail "a new installed file is not linked"
[ ! -e "$user/GameData/Shot.wav" ] && [ ! -L "$user/GameData/Shot.wav" ] ||
  fail "the link to a removed file is left behind"
after=$(cat "$user/GameData/Game.ini" "$user/GameData/HighScore.dat" | md5sum)
[ "$before" = "$after" ] || fail "the player's own files changed"
[ ! -L "$user/GameData/Game.ini" ] || fail "Game.ini became a link"

# The installed copy moves (a newer package elsewhere): every link follows it.
mv "$root/dest/opt/pelko" "$root/dest/opt/pelko2"
"$root/dest/opt/pelko2/games/pelko" || fail "pelko from the moved install failed"
target=$(readlink "$user/GameData/BGM1.mid")
[ "$target" = "$root/dest/opt/pelko2/share/pelko/GameData/BGM1.mid" ] || fail "link not updated: $target"

# XDG_DATA_HOME decides where the folder lives; a relative value is ignored.
XDG_DATA_HOME="$root/xdg" "$root/dest/opt/pelko2/games/pelko" || fail "pelko with XDG_DATA_HOME"
[ "$(cat "$root/pelkogame.cwd")" = "$root/xdg/pelko" ] || fail "XDG_DATA_HOME was not used"
XDG_DATA_HOME=relative "$root/dest/opt/pelko2/games/pelko" || fail "pelko with a relative XDG_DATA_HOME"
[ "$(cat "$root/pelkogame.cwd")" = "$user" ] || fail "a relative XDG_DATA_HOME was used"

# A player whose folder is read-only (chmod -R a-w) still starts the game: with every link in
# place a start writes nothing. Run as an unprivileged user, since root passes every permission
# check.
as_player() { # home, command...
  local home=$1
  shift
  if [ "$(id -u)" -eq 0 ]; then
    HOME=$home setpriv --reuid=65534 --regid=65534 --clear-groups -- "$@"
  else
    HOME=$home "$@"
  fi
}
player_home="$root/player"
mkdir -p "$player_home"
chmod 1777 "$root" # the probe writes where it was started; sticky, so nobody else's goes
[ "$(id -u)" -ne 0 ] || chown 65534:65534 "$player_home"
rm -f "$root/pelkogame.cwd"
as_player "$player_home" "$root/dest/opt/pelko2/games/pelko" || fail "pelko as a player"
chmod -R a-w "$player_home/.local/share/pelko"
rm -f "$root/pelkogame.cwd"
as_player "$player_home" "$root/dest/opt/pelko2/games/pelko" 2>"$root/read-only.err" ||
  fail "pelko in a read-only folder: $(cat "$root/read-only.err")"
[ "$(cat "$root/pelkogame.cwd")" = "$player_home/.local/share/pelko" ] ||
  fail "the game ran in $(cat "$root/pelkogame.cwd") from a read-only folder"
[ ! -s "$root/read-only.err" ] || fail "a read-only folder gave: $(cat "$root/read-only.err")"
echo "the launchers lay out the player's folder, follow a newer install and keep the player's files"
