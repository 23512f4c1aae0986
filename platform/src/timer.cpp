// SetTimer and KillTimer, and the WM_TIMER messages of expired timers.
#include "timer.h"

#include "window.h"

#include <algorithm>
#include <vector>

namespace orvex::platform {

namespace {

struct Timer {
  HWND window;
  UINT_PTR id;
  UINT period;
  DWORD due;
  TIMERPROC proc;
};

std::vector<Timer> timers;
UINT_PTR next_thread_timer_id = 1;

// Win32's bounds of a timer period.
constexpr UINT kMinimumPeriod = 10;
constexpr UINT kMaximumPeriod = 0x7FFFFFFF;

bool expired(const Timer& t, DWORD now) {
  return static_cast<std::int32_t>(now - t.due) >= 0;
}

} // namespace

bool next_timer_message(HWND filter, bool remove, MSG* out) {
  if (timers.empty()) return false;
  DWORD now = GetTickCount();
  for (Timer& t : timers) {
    if (!expired(t, now) || !window_matches(t.window, filter)) continue;
    *out = MSG{t.window, WM_TIMER, t.id, reinterpret_cast<LPARAM>(t.proc), 0, {}};
    if (remove) t.due = now + t.period;
    return true;
  }
  return false;
}

int ms_until_next_timer() {
  if (timers.empty()) return -1;
  DWORD now = GetTickCount();
  std::int32_t soonest = 0x7FFFFFFF;
  for (const Timer& t : timers) soonest = std::min(soonest, static_cast<std::int32_t>(t.due - now));
  return std::max<std::int32_t>(soonest, 0);
}

void kill_window_timers(HWND wnd) {
  std::erase_if(timers, [wnd](const Timer& t) { return t.window == wnd; });
}

} // namespace orvex::platform

using namespace orvex::platform;

UINT_PTR SetTimer(HWND wnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  if (wnd && !window_exists(wnd)) return SetLastError(ERROR_INVALID_WINDOW_HANDLE), 0;
  elapse = std::clamp(elapse, kMinimumPeriod, kMaximumPeriod);
  DWORD due = GetTickCount() + elapse;
  if (wnd) {
    for (Timer& t : timers)
      if (t.window == wnd && t.id == id) {
        t = Timer{wnd, id, elapse, due, proc};
        return id ? id : 1;
      }
    timers.push_back(Timer{wnd, id, elapse, due, proc});
    return id ? id : 1;
  }
  // A timer without a window gets an identifier of its own.
  UINT_PTR own = next_thread_timer_id++;
  timers.push_back(Timer{0, own, elapse, due, proc});
  return own;
}

BOOL KillTimer(HWND wnd, UINT_PTR id) {
  auto it = std::find_if(timers.begin(), timers.end(),
                         [&](const Timer& t) { return t.window == wnd && t.id == id; });
  if (it == timers.end()) return FALSE;
  timers.erase(it);
  return TRUE;
}
