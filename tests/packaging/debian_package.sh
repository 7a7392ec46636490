#!/usr/bin/env bash
# Packs the build with CPack's DEB generator and checks the package: its layout under /usr, the
# run-time dependencies it declares, and Debian's own checker, lintian: no error, and no warning
# but those the README explains to packagers.
set -u
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

(cd "$out" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >cpack.log 2>&1) ||
  { cat "$out/cpack.log"; fail "cpack"; }
deb=$(ls "$out"/*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || fail "no package was made"

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/games/pelko ./usr/games/pelko-settings ./usr/lib/pelko/pelkogame \
         ./usr/lib/pelko/PelkoGameOptionEditer ./usr/lib/pelko/user-folder.sh \
         ./usr/share/pelko/ForBeginner.BMP ./usr/share/pelko/GameData/Fullcolor/Boss.bmp \
         ./usr/share/pelko/GameData/Stage1.dat ./usr/share/applications/org.pelko.Pelko.desktop \
         ./usr/share/applications/org.pelko.PelkoSettings.desktop \
         ./usr/share/metainfo/org.pelko.Pelko.metainfo.xml \
         ./usr/share/icons/hicolor/48x48/apps/pelko.png ./usr/share/man/man6/pelko.6.gz \
         ./usr/share/doc/pelko/copyright ./usr/share/doc/pelko/changelog.gz; do
  grep -qxF "$f" <<<"$contents" || fail "$f is not in the package"
done
if grep -E '/(Game\.ini|HighScore\.dat)$' <<<"$contents"; then fail "player files packed"; fi
if grep -vE '^\./usr(/|$)' <<<"$contents"; then fail "files outside /usr"; fi

depends=$(dpkg-deb -f "$deb" Depends)
for need in libsdl2 libfluidsynth timgm6mb-soundfont libfreetype libfontconfig \
            fonts-ipafont-gothic fonts-liberation fonts-dejavu-core libqt6widgets6 qt6-qpa-plugins; do
  grep -q "$need" <<<"$depends" || fail "Depends lacks $need: $depends"
done
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "section is not games"
for program in pelkogame PelkoGameOptionEditer; do
  dpkg-deb --fsys-tarfile "$deb" | tar -xO "./usr/lib/pelko/$program" >"$out/$program"
  if readelf -S "$out/$program" | grep -q '\.symtab'; then fail "$program is not stripped"; fi
done
# No test hook in the game a player installs.
strings "$out/pelkogame" | grep -E 'TESSARY_TEST_|test pads' && fail "the packed game has test code"

lintian --tag-display-limit 0 "$deb" >"$out/lintian.log" 2>&1
if grep -E '^[EW]: ' "$out/lintian.log"; then fail "lintian found errors or warnings"; fi
echo "$(basename "$deb"): $(wc -l <<<"$contents") entries under /usr; lintian: no errors or" \
  "warnings; Depends: $depends"
