# Shared set-up of the end-to-end scenarios: a private Xvfb and the built programs.
set -euo pipefail
build=$(cd "$1" && pwd)
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
. "$root/scripts/xvfb.sh"

work=$(mktemp -d)
cleanup() {
  [ -n "${app_pid:-}" ] && kill "$app_pid" 2>/dev/null || true
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -f "$work/stderr" ] && { echo "--- program's standard error:" >&2; cat "$work/stderr" >&2; }
  exit 1
}

# Starts the demo from the build directory in the background; sets app_pid.
start_demo() {
  (cd "$build" && exec ./reflection-map) >"$work/stdout" 2>"$work/stderr" &
  app_pid=$!
}

# Waits for the program to end and sets exit_code; fails after the timeout (seconds).
wait_exit() {
  local timeout=${1:-10}
  for _ in $(seq $((timeout * 10))); do
    if ! kill -0 "$app_pid" 2>/dev/null; then
      exit_code=0
      wait "$app_pid" || exit_code=$?
      app_pid=
      return 0
    fi
    sleep 0.1
  done
  fail "the program did not end within ${timeout}s"
}

# Geometry of a window as "x y width height".
geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
    /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}'
}

focus() {
  xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
  sleep 0.2
}
