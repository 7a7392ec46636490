#!/usr/bin/env bash
# The real program under Xvfb: a second instance started while the first runs exits 0 at once,
# and Esc ends the first with status 0.
set -u
dist=$1
cd "$dist" || exit 1
source "$(dirname "$0")/xvfb_session.sh"
start_xvfb || exit 1
start_own_net

"${IN_OWN_NET[@]}" ./pelkogame &
first=$!
at_exit 'kill $first 2>/dev/null'
window=$(wait_for_window Untitled) || { echo "FAIL: no window appeared"; exit 1; }

# A second instance that did not end by itself would run its frame loop until killed.
start=$(date +%s%N)
timeout "$WAIT_SECONDS" "${IN_OWN_NET[@]}" ./pelkogame
second_status=$?
second_ms=$(( ($(date +%s%N) - start) / 1000000 ))
if [ $second_status -ne 0 ]; then
  echo "FAIL: second instance status $second_status after ${second_ms} ms"
  exit 1
fi
kill -0 $first 2>/dev/null || { echo "FAIL: first instance died"; exit 1; }

focus_window "$window" || { echo "FAIL: the game's window did not take the focus"; exit 1; }
xdotool key Escape
wait_for_exit $first || { echo "FAIL: Esc did not end the program"; exit 1; }
wait $first
first_status=$?
[ $first_status -eq 0 ] || { echo "FAIL: exit status $first_status after Esc"; exit 1; }
echo "second instance exited 0 in ${second_ms} ms; Esc ended the game with status 0"
