# Sourced by the end-to-end tests: a private Xvfb display for this test, stopped on exit.
start_xvfb() {
  for n in $(seq 90 140); do
    [ -e /tmp/.X$n-lock ] && continue
    Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 50); do
      if DISPLAY=:$n xdpyinfo >/dev/null 2>&1 || DISPLAY=:$n xdotool getmouselocation >/dev/null 2>&1; then
        export DISPLAY=:$n
        trap 'kill $XVFB_PID 2>/dev/null' EXIT
        return 0
      fi
      kill -0 $XVFB_PID 2>/dev/null || break
      sleep 0.1
    done
  done
  echo "could not start Xvfb"
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
