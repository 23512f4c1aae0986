# Helpers for running the programs on a private virtual display; sourced by the scripts.

# Starts Xvfb with the given screen size (and any further server options) on a free display;
# sets DISPLAY and XVFB_PID.
# NOTE: an X server resets itself when its last client leaves and refuses every connection
# while it does; between one tool and the next there may be no client at all, hence -noreset.
start_xvfb() {
  local size=${1:-1280x1024}
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset "${@:2}" 3>"$fifo" \
    >/dev/null 2>&1 &
  XVFB_PID=$!
  local display
  read -r -t 20 display <"$fifo" || { echo "Xvfb did not start" >&2; rm -f "$fifo"; return 1; }
  rm -f "$fifo"
  export DISPLAY=":$display"
}

stop_xvfb() {
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  XVFB_PID=
}

# The first top-level window whose name matches, within a timeout (seconds); prints its id.
wait_for_window() {
  local pattern=$1 timeout=${2:-20} id
  for _ in $(seq $((timeout * 10))); do
    id=$(xwininfo -root -children 2>/dev/null | grep -E "$pattern" | head -1 | awk '{print $1}')
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Waits until no top-level window matches the pattern.
wait_for_window_gone() {
  local pattern=$1 timeout=${2:-20}
  for _ in $(seq $((timeout * 10))); do
    xwininfo -root -children 2>/dev/null | grep -qE "$pattern" || return 0
    sleep 0.1
  done
  return 1
}

# Answers the demo's start-up question with a key (Return: Yes, Escape: No).
answer_question() {
  local key=$1 box
  box=$(wait_for_window '"Video!"') || { echo "no start-up question appeared" >&2; return 1; }
  # The key goes to the focused box as real input; a busy machine may need a second try.
  for _ in 1 2 3; do
    xdotool windowfocus --sync "$box" 2>/dev/null || xdotool windowfocus "$box" 2>/dev/null || true
    sleep 0.2
    xdotool key "$key"
    wait_for_window_gone '"Video!"' 5 && return 0
  done
  echo "the start-up question did not take the answer" >&2
  return 1
}
