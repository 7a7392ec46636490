#!/usr/bin/env bash
# The sound through the real platform: the listening program records into SDL's disk audio
# driver, once with effects and music and once with music alone, and each recording must be
# neither silent nor clipped, and still sound in its last second: the tune is shorter than the run
# and loops, so a loop that fell silent would leave the end of the recording quiet.
set -u
listen=$1
work=$(mktemp -d)
source "$(dirname "$0")/xvfb_session.sh"
at_exit 'rm -rf "$work"'
start_xvfb || exit 1
start_own_net

# Prints RMS amplitude, peak and length in seconds of the raw recording after the sox effects given.
stats() { # raw file, sox effects...
  local raw=$1
  shift
  sox -t f32 -r 44100 -c 2 "$raw" -n "$@" stat 2>&1 |
    awk '/RMS     amplitude/ {rms=$3} /Maximum amplitude/ {max=$3} /Minimum amplitude/ {min=$3}
         /Length \(seconds\)/ {len=$3}
         END {if (-min > max) max = -min; print rms, max, len}'
}

# The recording runs on while the program shuts down, and on a busy machine that takes long; the
# program says how far the recording had got when it began to close, and only what came before
# counts. Digital silence before the first sound (start-up) is left out too.
measure() { # mode -> "rms max seconds last-second-rms"
  local raw="$work/$1.raw"
  SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$raw" timeout 120 "${IN_OWN_NET[@]}" "$listen" "$1" "$work/$1" \
    >"$work/$1.out" 2>"$work/$1.log" || { echo "FAIL: $1 run ended badly"; cat "$work/$1.log"; exit 1; }
  if grep -q "no output device" "$work/$1.log"; then
    echo "FAIL: the disk driver did not open"; cat "$work/$1.log"; exit 1
  fi
  local bytes end
  bytes=$(sed -n 's/^recorded \([0-9]*\) bytes when closing$/\1/p' "$work/$1.out")
  [ -n "$bytes" ] || { echo "FAIL: $1 did not say where its recording ended"; exit 1; }
  end=$(awk -v b="$bytes" 'BEGIN {printf "%.6f", b / 8 / 44100}')
  awk -v e="$end" 'BEGIN {exit !(e > 2)}' || { echo "FAIL: $1 recorded only $end s"; exit 1; }
  local last
  read -r last _ < <(stats "$raw" trim "$(awk -v e="$end" 'BEGIN {printf "%.6f", e - 1}')" 1)
  echo "$(stats "$raw" trim 0 "$end" silence 1 1s 0%) $last"
}

status=0
for mode in both music; do
  read -r rms max seconds last < <(measure $mode)
  echo "$mode: ${seconds} s of sound, RMS amplitude $rms, peak $max, RMS of the last second $last"
  awk -v r="$rms" 'BEGIN {exit !(r > 0.005)}' || { echo "FAIL: $mode is silent"; status=1; }
  awk -v r="$last" 'BEGIN {exit !(r > 0.005)}' || { echo "FAIL: $mode falls silent at the end"; status=1; }
  awk -v m="$max" 'BEGIN {exit !(m < 0.999)}' || { echo "FAIL: $mode is clipped"; status=1; }
done
exit $status
