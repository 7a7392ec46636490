# Sourced by the end-to-end tests: a private Xvfb display for this test, stopped on exit.

# Commands to run when the test ends, whichever way it ends.
EXIT_TASKS=()
at_exit() { EXIT_TASKS+=("$1"); }
run_exit_tasks() { local t; for t in "${EXIT_TASKS[@]}"; do eval "$t"; done; }
trap run_exit_tasks EXIT
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
  at_exit 'kill $XVFB_PID 2>/dev/null'
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

# The game's single-instance lock lives in the network namespace. Programs started through
# "${IN_OWN_NET[@]}" share one namespace of this test's own (when the system allows it), so a
# game being played on the machine does not count as a first instance. Xvfb itself stays in the
# machine's namespace; the programs reach it through its socket file.
start_own_net() {
  IN_OWN_NET=()
  unshare -n sleep 3600 2>/dev/null &
  NET_HOLDER=$!
  sleep 0.1
  if kill -0 $NET_HOLDER 2>/dev/null && nsenter -t $NET_HOLDER -n true 2>/dev/null; then
    IN_OWN_NET=(nsenter -t $NET_HOLDER -n)
  fi
  at_exit 'kill $NET_HOLDER 2>/dev/null'
}
