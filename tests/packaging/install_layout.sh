#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and checks the layout a packager expects, the menu
# entries, the AppStream metadata, the icons and the man pages.
set -u
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

DESTDIR="$root" cmake --install "$build" --prefix /usr/local >/dev/null || fail "cmake --install"
p="$root/usr/local"

for f in games/pelko games/pelko-settings lib/pelko/pelkogame lib/pelko/PelkoGameOptionEditer; do
  [ -x "$p/$f" ] || fail "$f is not installed as a program"
done
# The settings editor asks for none of the game's video, sound, fonts or pictures, installed or in
# the build's game folder. Qt's own libraries bring FreeType, fontconfig and libpng in after it,
# so those are looked for among what the program itself needs.
for editor in "$p/lib/pelko/PelkoGameOptionEditer" "$build/dist/PelkoGameOptionEditer"; do
  needs=$(readelf -d "$editor" | sed -n 's/.*(NEEDED).*\[\(.*\)\]$/\1/p')
  [ -n "$needs" ] || fail "readelf found no libraries in $editor"
  grep -Ei 'sdl|fluidsynth|freetype|fontconfig|asound|png' <<<"$needs" &&
    fail "$editor needs a library of the game's platform"
  ldd "$editor" | grep -Ei 'sdl|fluidsynth|asound' && fail "$editor loads the game's platform"
done
# The game carries no test hook: the end-to-end tests bring their virtual pads in from outside.
for game in "$p/lib/pelko/pelkogame" "$build/dist/pelkogame"; do
  strings "$game" | grep -E 'TESSARY_TEST_|test pads' && fail "$game carries test code"
done
for f in lib/pelko/user-folder.sh share/pelko/ForBeginner.BMP \
         share/pelko/GameData/Fullcolor/GPelko.bmp share/pelko/GameData/256/GPelko.bmp \
         share/pelko/GameData/Shot.wav share/pelko/GameData/BGM1.mid \
         share/pelko/GameData/Stage1.dat share/pelko/GameData/Stage5.dat \
         share/man/man6/pelko.6.gz share/man/man6/pelko-settings.6.gz \
         share/metainfo/org.pelko.Pelko.metainfo.xml share/pelko/screenshots/title.png; do
  [ -f "$p/$f" ] || fail "$f is missing"
done
for f in Game.ini HighScore.dat; do
  [ ! -e "$p/share/pelko/GameData/$f" ] || fail "the player's own $f is installed"
done

desktop-file-validate "$p"/share/applications/*.desktop || fail "desktop-file-validate"
[ "$(ls "$p"/share/applications/*.desktop | wc -l)" -eq 2 ] || fail "expected two menu entries"
appstreamcli validate --no-net "$p/share/metainfo/org.pelko.Pelko.metainfo.xml" ||
  fail "appstreamcli validate"

for size in 16 24 32 48 64 128 256; do
  for name in pelko pelko-settings; do
    icon="$p/share/icons/hicolor/${size}x${size}/apps/$name.png"
    [ -f "$icon" ] || fail "icon $icon is missing"
    got=$(identify -format '%wx%h' "$icon" 2>/dev/null) || fail "$icon is not a picture"
    [ "$got" = "${size}x${size}" ] || fail "$icon is $got"
  done
done
grep -q '^Icon=pelko$' "$p/share/applications/org.pelko.Pelko.desktop" || fail "game entry icon"
grep -q '^Exec=pelko-settings$' "$p/share/applications/org.pelko.PelkoSettings.desktop" ||
  fail "settings entry command"

for page in pelko pelko-settings; do
  out=$(MANWIDTH=80 man -l "$p/share/man/man6/$page.6.gz" 2>&1) || fail "man $page: $out"
  grep -q "FILES" <<<"$out" || fail "man $page has no FILES section"
done
echo "install layout, menu entries, metadata, icons and man pages are in place and validate;" \
  "the editor needs none of the game's platform libraries, and the game carries no test hook"
