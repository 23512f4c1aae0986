# The window manager's close request and Alt+F4 both end the demo with exit code 0.
. "$(dirname "$0")/lib.sh"
start_xvfb 1024x768

start_demo
answer_question Escape || fail "no question"
w=$(wait_for_window '"Reflection map"') || fail "no window"
sleep 0.5
"$build/send-close-request" "$w" || fail "could not send the close request"
wait_exit 10
[ "$exit_code" = 0 ] || fail "exit code $exit_code after the close request"
wait_for_window_gone '"Reflection map"' 5 || fail "window still there after the close request"

start_demo
answer_question Escape || fail "no question"
w=$(wait_for_window '"Reflection map"') || fail "no window"
sleep 0.5
focus "$w"
xdotool key alt+F4
wait_exit 10
[ "$exit_code" = 0 ] || fail "exit code $exit_code after Alt+F4"
echo "ok"
