# The X server going away under the running demo, stopped (SIGTERM) or killed (SIGKILL), ends
# the demo promptly with exit code 5 and a line on standard error, instead of leaving it hanging.
. "$(dirname "$0")/lib.sh"

now_ms() { date +%s%3N; }

for signal in TERM KILL; do
  start_xvfb 1024x768
  start_demo
  answer_question Escape || fail "no question"
  wait_for_window '"Reflection map"' >/dev/null || fail "no window"
  sleep 1
  kill -0 "$app_pid" 2>/dev/null || fail "the demo ended before the display went away"
  kill -"$signal" "$XVFB_PID"
  gone=$(now_ms)
  wait "$XVFB_PID" 2>/dev/null || true
  XVFB_PID=
  wait_exit 5
  took=$(($(now_ms) - gone))
  [ "$exit_code" = 5 ] || fail "exit code $exit_code after SIG$signal to the X server"
  grep -q "The connection to the display was lost" "$work/stderr" ||
    fail "nothing said on standard error after SIG$signal to the X server"
  echo "SIG$signal to the X server: the demo ended with exit code $exit_code after ${took} ms"
done
echo "ok"
