# Runs gl tests that need a window system (the offscreen driver gives no window the keyboard
# focus and cannot move the pointer) on a private Xvfb; a test that skips itself fails here.
# usage: under_x_server.sh <gl_tests executable> <one test's full name>
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
. "$root/scripts/xvfb.sh"
trap stop_xvfb EXIT
start_xvfb 1024x768
output=$(env -u SDL_VIDEODRIVER "$1" --gtest_filter="$2" 2>&1) || { echo "$output"; exit 1; }
echo "$output"
if grep -q '^\[  SKIPPED \]' <<<"$output"; then
  echo "FAIL: skipped although a window system is there" >&2
  exit 1
fi
grep -q '^\[  PASSED  \] [1-9]' <<<"$output"
