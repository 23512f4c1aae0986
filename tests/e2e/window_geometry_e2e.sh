# Both answers to the start-up question: No gives an 800 x 600 window, Yes one covering the
# screen at (0, 0). Escape ends either with exit code 0.
. "$(dirname "$0")/lib.sh"
start_xvfb 1280x1024

check() {
  local answer=$1 expected=$2
  start_demo
  answer_question "$answer" || fail "$answer: no question"
  local w
  w=$(wait_for_window '"Reflection map"') || fail "$answer: no window"
  sleep 0.5
  local g
  g=$(geometry "$w")
  [ "$g" = "$expected" ] || fail "$answer: geometry '$g', expected '$expected'"
  focus "$w"
  xdotool key Escape
  wait_exit 10
  [ "$exit_code" = 0 ] || fail "$answer: exit code $exit_code after Escape"
}

check Escape "0 0 800 600"
check Return "0 0 1280 1024"
echo "ok"
