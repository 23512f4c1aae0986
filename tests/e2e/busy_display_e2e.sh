# An X server that refuses new clients for half a second (every client slot taken) delays the
# start but does not stop it: the demo's start-up question and then its window appear, and so
# does the gallery's window; both end with exit code 0.
. "$(dirname "$0")/lib.sh"
start_xvfb 1024x768 -maxclients 64

# Starts a program (its command after the function's name) while the server is busy; sets
# app_pid. The server takes clients again half a second later.
start_while_busy() {
  rm -f "$work/release" "$work/filled"
  python3 "$root/tests/e2e/occupy_client_slots.py" "${DISPLAY#:}" "$work/release" \
    >"$work/filled" &
  local filler=$!
  for _ in $(seq 100); do
    grep -q '^full' "$work/filled" && break
    sleep 0.05
  done
  grep -q '^full' "$work/filled" || fail "could not take the client slots"
  (cd "$build" && exec "$@") >"$work/stdout" 2>"$work/stderr" &
  app_pid=$!
  sleep 0.5
  touch "$work/release"
  wait "$filler"
}

start_while_busy ./reflection-map
answer_question Escape || fail "the demo's question did not appear"
w=$(wait_for_window '"Reflection map"') || fail "the demo's window did not appear"
focus "$w"
xdotool key Escape
wait_exit 10
[ "$exit_code" = 0 ] || fail "the demo ended with $exit_code"

start_while_busy ./gallery
w=$(wait_for_window '"Orvex gallery') || fail "the gallery's window did not appear"
focus "$w"
xdotool key Escape
wait_exit 10
[ "$exit_code" = 0 ] || fail "the gallery ended with $exit_code"
echo "ok"
