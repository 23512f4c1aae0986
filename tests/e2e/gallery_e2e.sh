# The gallery under a real X server: each button reports where it stands; with the pointer on
# a button's opaque middle the screen shows its hover picture there, pressed its pressed
# picture, and the release prints the command; the status bar shows text in its first part;
# the look button's command switches free look on, which centres the pointer; Escape ends the
# program with exit code 0. The screenshots stay in <build>/e2e-shots for looking at.
. "$(dirname "$0")/lib.sh"
start_xvfb 1024x768
shots="$build/e2e-shots"
mkdir -p "$shots"

# One pixel of a screenshot as "r g b".
screen_pixel() {
  convert "$1" -crop "1x1+$2+$3" +repage \
    -format '%[fx:int(255*r+0.5)] %[fx:int(255*g+0.5)] %[fx:int(255*b+0.5)]' info:
}
# One pixel of a bottom-up 24-bit BMP file, (x, y) from its top-left corner, as "r g b".
bmp_pixel() {
  local file=$1 x=$2 y=$3 offset width height stride
  offset=$(od -An -tu4 -j10 -N4 "$file" | tr -d ' ')
  width=$(od -An -tu4 -j18 -N4 "$file" | tr -d ' ')
  height=$(od -An -tu4 -j22 -N4 "$file" | tr -d ' ')
  stride=$(((width * 3 + 3) / 4 * 4))
  od -An -tu1 -j$((offset + (height - 1 - y) * stride + 3 * x)) -N3 "$file" | awk '{print $3, $2, $1}'
}
# Whether two "r g b" colours are within 2 of each other in every channel.
same_colour() {
  local -a a b
  read -r -a a <<<"$1"
  read -r -a b <<<"$2"
  for i in 0 1 2; do
    local d=$((a[i] - b[i]))
    [ "${d#-}" -le 2 ] || return 1
  done
}
# "x y width height" of a button from the line the gallery printed for it.
button_place() {
  awk -v id="$1" '$1 == "button" && $2 == id { split($4, p, ","); split($6, s, "x");
    print p[1], p[2], s[1], s[2] }' "$work/stdout"
}
wait_for_line() {
  for _ in $(seq 50); do
    grep -qx "$1" "$work/stdout" && return 0
    sleep 0.1
  done
  return 1
}
shot() {
  import -window "$w" "$shots/$1.png"
  echo "$shots/$1.png"
}

(cd "$build" && exec ./gallery) >"$work/stdout" 2>"$work/stderr" &
app_pid=$!
w=$(wait_for_window '"Orvex gallery') || fail "no window"
for _ in $(seq 100); do
  [ "$(grep -c '^button ' "$work/stdout")" -ge 2 ] && break
  sleep 0.1
done
read -r look_x look_y look_w look_h <<<"$(button_place 101)"
read -r spin_x spin_y spin_w spin_h <<<"$(button_place 102)"
[ -n "${look_h:-}" ] && [ -n "${spin_h:-}" ] || fail "no button lines: $(cat "$work/stdout")"
[ "$look_x,$look_y ${look_w}x$look_h" = "16,16 64x64" ] || fail "look button at $look_x,$look_y ${look_w}x$look_h"
[ "$spin_x,$spin_y ${spin_w}x$spin_h" = "92,12 72x72" ] || fail "spin button at $spin_x,$spin_y ${spin_w}x$spin_h"
read -r win_x win_y win_w win_h <<<"$(geometry "$w")"
sleep 1
focus "$w"

# -- The spin button's middle through its three pictures, and the click.
cx=$((spin_w / 2))
cy=$((spin_h / 2))
at_x=$((spin_x + cx))
at_y=$((spin_y + cy))
check_picture() {
  local picture=$1 file=$2 shown expected
  shown=$(screen_pixel "$file" "$at_x" "$at_y")
  expected=$(bmp_pixel "$build/SPIN$picture.BMP" "$cx" "$cy")
  same_colour "$shown" "$expected" || fail "$3: the screen shows $shown at ($at_x, $at_y), SPIN$picture.BMP has $expected"
}
xdotool mousemove $((win_x + 400)) $((win_y + 300))
sleep 0.5
check_picture N "$(shot gallery-normal)" "before the pointer comes"
xdotool mousemove $((win_x + at_x)) $((win_y + at_y))
sleep 0.5
check_picture H "$(shot gallery-hover)" "pointer on the button"
xdotool mousedown 1
sleep 0.5
check_picture P "$(shot gallery-pressed)" "left button down on the button"
xdotool mouseup 1
wait_for_line "command 102" || fail "no 'command 102' after the release: $(cat "$work/stdout")"
sleep 0.5
check_picture N "$(shot gallery-released)" "after the click"

# -- The status bar: the face colour along the bottom, and text in its first part.
bottom="$shots/gallery-released.png"
convert "$bottom" -crop "290x40+2+$((win_h - 40))" +repage txt:- |
  awk -F'[()]' 'NR > 1 { split($2, c, ","); n++;
      if (c[1] + 0 == 240 && c[2] + 0 == 240 && c[3] + 0 == 240) face++;
      else if (c[1] + c[2] + c[3] < 300) ink++ }
    END { print n, face + 0, ink + 0 }' >"$work/bar"
read -r pixels face ink <"$work/bar"
[ "$face" -gt $((pixels / 3)) ] || fail "no status bar face colour along the bottom ($face of $pixels)"
[ "$ink" -gt 40 ] || fail "no text in the status bar's first part ($ink dark pixels)"

# -- The look button switches free look on, which puts the pointer in the window's middle.
xdotool mousemove $((win_x + look_x + look_w / 2)) $((win_y + look_y + look_h / 2))
sleep 0.3
xdotool mousedown 1
sleep 0.2
xdotool mouseup 1
wait_for_line "command 101" || fail "no 'command 101' from the look button: $(cat "$work/stdout")"
sleep 0.5
eval "$(xdotool getmouselocation --shell)"
[ "$X,$Y" = "$((win_x + 400)),$((win_y + 300))" ] || fail "free look did not centre the pointer ($X,$Y)"
shot gallery-free-look >/dev/null

focus "$w"
xdotool key Escape
wait_exit 10
[ "$exit_code" = 0 ] || fail "exit code $exit_code after Escape"
[ "$(grep -c '^command ' "$work/stdout")" = 2 ] || fail "unexpected commands: $(cat "$work/stdout")"
echo "ok"
