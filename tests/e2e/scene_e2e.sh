# The running demo's picture: sky above, floor below, the orbiting sphere moves between two
# screenshots, a left drag turns the view and the reflection with it, and the demo runs
# untextured (and still ends cleanly) where its three pictures are missing.
. "$(dirname "$0")/lib.sh"
start_xvfb 1280x1024

# Mean colour of a region as "r g b" (0..255).
mean_rgb() {
  convert "$1" -crop "$2" +repage -resize 1x1\! \
    -format '%[fx:int(255*r+0.5)] %[fx:int(255*g+0.5)] %[fx:int(255*b+0.5)]' info:
}
# Number of pixels that differ between two pictures, inside a region.
differing() {
  convert "$1" -crop "$3" +repage "$work/first.png"
  convert "$2" -crop "$3" +repage "$work/second.png"
  compare -metric AE -fuzz 5% "$work/first.png" "$work/second.png" null: 2>&1 | cut -d' ' -f1 || true
}

run_and_capture() {
  local dir=$1
  (cd "$dir" && exec "$build/reflection-map") >"$work/stdout" 2>"$work/stderr" &
  app_pid=$!
  answer_question Escape || fail "no question"
  w=$(wait_for_window '"Reflection map"') || fail "no window"
  # The first frame comes once the pictures are loaded and the lists built; a loaded machine
  # may take a while.
  for _ in $(seq 60); do
    import -window "$w" "$work/first-frame.png" 2>/dev/null &&
      [ "$(mean_rgb "$work/first-frame.png" 800x60+0+0)" != "0 0 0" ] && break
    sleep 0.5
  done
  sleep 1
}

# -- Textured, from the build directory.
run_and_capture "$build"
import -window "$w" "$work/a.png"
sleep 0.5
import -window "$w" "$work/b.png"
read -r r g b <<<"$(mean_rgb "$work/a.png" 800x60+0+0)"
[ "$b" -gt "$r" ] && [ "$b" -gt 120 ] || fail "no sky at the top ($r $g $b)"
read -r r g b <<<"$(mean_rgb "$work/a.png" 200x40+300+440)"
[ "$r" -gt "$b" ] || fail "no floor at the bottom ($r $g $b)"
moved=$(differing "$work/a.png" "$work/b.png" 800x600+0+0)
[ "$moved" -gt 200 ] || fail "nothing moved between two screenshots ($moved pixels)"

# A left drag to the right turns the view; the solid's reflection turns with it.
focus "$w"
xdotool mousemove --window "$w" 400 300 mousedown 1
for x in 420 440 460 480 500 520 540; do xdotool mousemove --window "$w" "$x" 300; sleep 0.05; done
xdotool mouseup 1
sleep 0.5
import -window "$w" "$work/c.png"
turned=$(differing "$work/b.png" "$work/c.png" 200x200+300+150)
[ "$turned" -gt 10000 ] || fail "the drag did not turn the view ($turned pixels)"
focus "$w"
xdotool key Escape
wait_exit 10
[ "$exit_code" = 0 ] || fail "exit code $exit_code"

# -- Without the pictures: untextured, no crash.
mkdir "$work/empty"
run_and_capture "$work/empty"
import -window "$w" "$work/d.png"
read -r r g b <<<"$(mean_rgb "$work/d.png" 800x60+0+0)"
[ "$r" -gt 200 ] && [ "$g" -gt 200 ] && [ "$b" -gt 200 ] || fail "untextured sky box is not white ($r $g $b)"
focus "$w"
xdotool key Escape
wait_exit 10
[ "$exit_code" = 0 ] || fail "exit code $exit_code without the pictures"
echo "ok"
