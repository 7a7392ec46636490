# Sourced by the end-to-end tests: a private Xvfb display for this test, stopped on exit.
# Xvfb picks a free display number itself (-displayfd), so tests running side by side never race
# for the same one.
start_xvfb() {
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  local n
  if ! read -r -t 20 n <"$fifo"; then
    rm -f "$fifo"
    echo "could not start Xvfb"
    return 1
  fi
  rm -f "$fifo"
  export DISPLAY=:$n
  trap 'kill $XVFB_PID 2>/dev/null' EXIT
  for _ in $(seq 50); do
    xdotool getmouselocation >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "Xvfb :$n does not answer"
  return 1
}

# Waits until a window with exactly this title exists.
wait_for_window() {
  for _ in $(seq 100); do
    xdotool search --name "^$1\$" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}
