// Message retrieval in Win32's order: posted messages; WM_QUIT once none is posted; input
// messages; WM_PAINT for a window with a pending update; WM_TIMER for an expired timer.
#include "message_queue.h"

#include "input.h"
#include "timer.h"
#include "window.h"

#include <deque>

namespace orvex::platform {

namespace {

std::deque<MSG> posted;
std::deque<MSG> input;
bool quit_pending = false;
int quit_code = 0;
DWORD last_message_time = 0;

constexpr HWND kThreadMessagesOnly = static_cast<HWND>(-1);

bool matches(const MSG& m, HWND wnd, UINT lo, UINT hi) {
  if (wnd == kThreadMessagesOnly) {
    if (m.hwnd != 0) return false;
  } else if (wnd && !window_matches(m.hwnd, wnd)) {
    return false;
  }
  return (lo == 0 && hi == 0) || (m.message >= lo && m.message <= hi);
}

bool take_from(std::deque<MSG>& queue, HWND wnd, UINT lo, UINT hi, bool remove, MSG* out) {
  for (auto it = queue.begin(); it != queue.end(); ++it) {
    if (!matches(*it, wnd, lo, hi)) continue;
    *out = *it;
    if (remove) queue.erase(it);
    return true;
  }
  return false;
}

void stamp(MSG* msg) {
  msg->time = GetTickCount();
  msg->pt = last_cursor_position();
}

// One look at the queue, without waiting. The native events are drained first when asked.
bool peek(MSG* out, HWND wnd, UINT lo, UINT hi, bool remove, bool drain_native) {
  if (drain_native) native::pump_events(&handle_native_event);
  if (take_from(posted, wnd, lo, hi, remove, out)) return true;
  if (quit_pending && (lo == 0 || (WM_QUIT >= lo && WM_QUIT <= hi))) {
    *out = MSG{0, WM_QUIT, static_cast<WPARAM>(quit_code), 0, 0, {}};
    stamp(out);
    if (remove) quit_pending = false;
    return true;
  }
  if (take_from(input, wnd, lo, hi, remove, out)) return true;
  if (lo == 0 || (WM_PAINT >= lo && WM_PAINT <= hi)) {
    if (HWND paint = next_window_to_paint(wnd == kThreadMessagesOnly ? 0 : wnd)) {
      if (wnd != kThreadMessagesOnly) {
        *out = MSG{paint, WM_PAINT, 0, 0, 0, {}};
        stamp(out);
        return true;
      }
    }
  }
  if ((lo == 0 || (WM_TIMER >= lo && WM_TIMER <= hi)) && next_timer_message(wnd, remove, out)) {
    stamp(out);
    return true;
  }
  return false;
}

} // namespace

void post_input_message(const MSG& msg) {
  if (msg.message == WM_MOUSEMOVE && !input.empty() && input.back().message == WM_MOUSEMOVE &&
      input.back().hwnd == msg.hwnd) {
    input.back() = msg;
    return;
  }
  input.push_back(msg);
}

void forget_window_messages(HWND wnd) {
  std::erase_if(posted, [wnd](const MSG& m) { return m.hwnd == wnd; });
  std::erase_if(input, [wnd](const MSG& m) { return m.hwnd == wnd; });
}

} // namespace orvex::platform

using namespace orvex::platform;

BOOL PeekMessageA(MSG* msg, HWND wnd, UINT filterMin, UINT filterMax, UINT removeMsg) {
  if (!msg) return SetLastError(ERROR_INVALID_PARAMETER), FALSE;
  if (!peek(msg, wnd, filterMin, filterMax, (removeMsg & PM_REMOVE) != 0, true)) return FALSE;
  if (removeMsg & PM_REMOVE) last_message_time = msg->time;
  return TRUE;
}

BOOL GetMessageA(MSG* msg, HWND wnd, UINT filterMin, UINT filterMax) {
  if (!msg) return SetLastError(ERROR_INVALID_PARAMETER), -1;
  if (wnd && wnd != kThreadMessagesOnly && !window_exists(wnd))
    return SetLastError(ERROR_INVALID_WINDOW_HANDLE), -1;
  // What an immediately preceding peek has seen is taken without draining SDL a second time.
  bool drain = false;
  while (!peek(msg, wnd, filterMin, filterMax, true, drain)) {
    if (drain) native::wait_events(ms_until_next_timer());
    drain = true;
  }
  last_message_time = msg->time;
  return msg->message == WM_QUIT ? FALSE : TRUE;
}

// TRUE for every key message (WM_KEYDOWN .. WM_UNICHAR), whether a character follows or not.
BOOL TranslateMessage(const MSG* msg) {
  constexpr UINT kFirstKeyMessage = WM_KEYDOWN, kLastKeyMessage = 0x0109;
  if (!msg || msg->message < kFirstKeyMessage || msg->message > kLastKeyMessage) return FALSE;
  if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN) return TRUE;
  int character = translated_character(*msg);
  if (!character) return TRUE;
  UINT message = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
  PostMessageA(msg->hwnd, message, static_cast<WPARAM>(character), msg->lParam);
  return TRUE;
}

LRESULT DispatchMessageA(const MSG* msg) {
  if (!msg) return 0;
  if (msg->message == WM_TIMER && msg->lParam) {
    auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
    proc(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
    return 0;
  }
  Window* w = lookup_window(msg->hwnd);
  if (!w || !w->proc) return SetLastError(ERROR_INVALID_WINDOW_HANDLE), 0;
  return w->proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT SendMessageA(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = lookup_window(wnd);
  if (!w || !w->proc) return SetLastError(ERROR_INVALID_WINDOW_HANDLE), 0;
  return w->proc(wnd, message, wParam, lParam);
}

BOOL PostMessageA(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (wnd && !window_exists(wnd)) return SetLastError(ERROR_INVALID_WINDOW_HANDLE), FALSE;
  if (posted.size() >= kPostedMessageLimit) return SetLastError(ERROR_NOT_ENOUGH_QUOTA), FALSE;
  MSG m{wnd, message, wParam, lParam, 0, {}};
  stamp(&m);
  posted.push_back(m);
  return TRUE;
}

void PostQuitMessage(int exitCode) {
  quit_pending = true;
  quit_code = exitCode;
}

// NOTE: every send here comes from the same thread, which Win32 does not count as a send.
BOOL InSendMessage() {
  return FALSE;
}

DWORD GetMessageTime() {
  return last_message_time;
}
