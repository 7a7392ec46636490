#!/usr/bin/env bash
# The real editor under Xvfb: Enter presses the default button OK, which writes the default
# Game.ini byte for byte and ends the program; Esc ends it without writing anything.
set -u
editor=$1/PelkoGameOptionEditer
source "$(dirname "$0")/xvfb_session.sh"
start_xvfb || exit 1
work=$(mktemp -d)
at_exit 'rm -rf "$work"'

# Runs the editor in directory $1, sends key $2 once the dialog is mapped and focused; fails
# unless it exits 0.
run_with_key() {
  (cd "$1" && exec "$editor") &
  local pid=$! window
  window=$(wait_for_window PelkoGameOptionEditer) || { echo "FAIL: no dialog appeared"; kill $pid; return 1; }
  focus_window "$window" || { echo "FAIL: the dialog did not take the focus"; kill $pid; return 1; }
  xdotool key "$2"
  wait_for_exit $pid || { echo "FAIL: $2 did not end the editor"; kill $pid; return 1; }
  wait $pid
  local status=$?
  [ $status -eq 0 ] || { echo "FAIL: exit status $status after $2"; return 1; }
}

mkdir "$work/ok" "$work/esc"
run_with_key "$work/ok" Return || exit 1
expected=$(printf '[PelkoGame]\r\nFPS=60\r\nColor=24Bit\r\nShowFPS=0\r\nShowObjectFrame=0\t\t\r\nUseVRAM=1\r\nUseVSync=0\r\nFullScreen=0\r\nUseFlip=0\r\nWaveVolume=80\r\n[Pelko]\r\nMusicVolume=100\r\nScaling=0\r\nKeyUp=Up\r\nKeyDown=Down\r\nKeyLeft=Left\r\nKeyRight=Right\r\nKeyFire=Space\r\nKeyBrake=Return\r\nKeyNextSpecial=X\r\nKeySpecial=Z\r\nKeyEndRun=Delete\r\nKeyPause=P\r\n' | od -An -tx1)
actual=$(od -An -tx1 "$work/ok/Game.ini" 2>/dev/null)
[ "$expected" = "$actual" ] || { echo "FAIL: Game.ini differs:"; od -c "$work/ok/Game.ini"; exit 1; }

run_with_key "$work/esc" Escape || exit 1
[ -z "$(ls -A "$work/esc")" ] || { echo "FAIL: Esc left files:"; ls -A "$work/esc"; exit 1; }
echo "Enter wrote the default Game.ini and Esc wrote nothing; both exited 0"
