# Without any display the demo says that it cannot create its window and ends with 0.
. "$(dirname "$0")/lib.sh"
code=0
(cd "$build" && env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER ./reflection-map) \
  >"$work/stdout" 2>"$work/stderr" || code=$?
[ "$code" = 0 ] || fail "exit code $code"
grep -q "Impossibile creare la finestra per la rispettiva applicazione!" "$work/stderr" ||
  fail "no message on standard error"
echo "ok"
