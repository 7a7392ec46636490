#!/usr/bin/env bash
# The sound through the real platform: the listening program records into SDL's disk audio
# driver, once with effects and music and once with music alone, and each recording must be
# neither silent nor clipped.
set -u
listen=$1
# The single-instance lock lives in the network namespace: run in one of our own when the system
# allows it, so a game being played on this machine does not stop the recording.
if [ -z "${PELKO_ISOLATED:-}" ] && unshare -n true 2>/dev/null; then
  PELKO_ISOLATED=1 exec unshare -n "$0" "$@"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/xvfb_session.sh"
start_xvfb || exit 1

measure() { # mode -> "rms max"
  local raw="$work/$1.raw"
  SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$raw" timeout 60 "$listen" "$1" "$work/$1" \
    2>"$work/$1.log" || { echo "FAIL: $1 run ended badly"; cat "$work/$1.log"; exit 1; }
  if grep -q "no output device" "$work/$1.log"; then
    echo "FAIL: the disk driver did not open"; cat "$work/$1.log"; exit 1
  fi
  sox -t f32 -r 44100 -c 2 "$raw" -n stat 2>&1 |
    awk '/RMS     amplitude/ {rms=$3} /Maximum amplitude/ {max=$3} /Minimum amplitude/ {min=$3}
         END {if (-min > max) max = -min; print rms, max}'
}

status=0
for mode in both music; do
  read -r rms max < <(measure $mode)
  echo "$mode: RMS amplitude $rms, peak $max"
  awk -v r="$rms" 'BEGIN {exit !(r > 0.005)}' || { echo "FAIL: $mode is silent"; status=1; }
  awk -v m="$max" 'BEGIN {exit !(m < 0.999)}' || { echo "FAIL: $mode is clipped"; status=1; }
done
exit $status
