#!/usr/bin/env bash
# Installs the Debian packages the game, the editor, the tests and the benchmarks need.
# Does nothing when every package is already there; uses apt-get as root, else sudo.
set -euo pipefail

packages=(
  build-essential cmake pkg-config libx11-dev
  libsdl2-dev libasound2-dev
  libfluidsynth-dev timgm6mb-soundfont fluidsynth
  libfreetype-dev libfontconfig-dev
  libpng-dev
  fonts-ipafont-gothic fonts-liberation fonts-dejavu-core
  qt6-base-dev qt6-l10n-tools
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth xdotool x11-utils imagemagick sox openbox strace
  desktop-file-utils appstream man-db dpkg-dev lintian
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  sudo=()
else
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
