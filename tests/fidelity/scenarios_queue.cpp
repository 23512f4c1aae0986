// Retrieval order: posted messages against a pending paint and an expired timer, a message
// posted while another is handled, WM_QUIT behind posted messages, missed timer periods, and
// looking without removing (PM_NOREMOVE) as the framework's pump does.
#include "scenarios.h"

namespace fidelity {

namespace {

constexpr UINT kFirst = WM_USER + 1;
constexpr UINT kSecond = WM_USER + 2;
constexpr UINT kThird = WM_USER + 3;
constexpr UINT kFourth = WM_USER + 4;
constexpr UINT_PTR kTimer = 7;

void set_timer(HWND wnd, UINT_PTR id, UINT elapse) {
  call("SetTimer", hname(wnd) + "," + dec(static_cast<long long>(id)) + "," + dec(elapse),
       [&] { return dec(static_cast<long long>(SetTimer(wnd, id, elapse, nullptr))); });
}

void kill_timer(HWND wnd, UINT_PTR id) {
  call("KillTimer", hname(wnd) + "," + dec(static_cast<long long>(id)),
       [&] { return dec(KillTimer(wnd, id)); });
}

void invalidate(HWND wnd) {
  call("InvalidateRect", hname(wnd) + ",0,0",
       [&] { return dec(InvalidateRect(wnd, nullptr, FALSE)); });
}

std::string describe(const MSG& msg) {
  return message_name(msg.message) + " " + hname(msg.hwnd) + " " +
         parameters(msg.message, msg.wParam, msg.lParam);
}

void peek(MSG& msg, UINT remove, const char* remove_name) {
  call("PeekMessageA", std::string("0,0,0,") + remove_name, [&] {
    msg = MSG{};
    BOOL got = PeekMessageA(&msg, 0, 0, 0, remove);
    return dec(got) + (got ? " " + describe(msg) : "");
  });
}

BOOL get(MSG& msg) {
  BOOL got = 0;
  call("GetMessageA", "0,0,0", [&] {
    msg = MSG{};
    got = GetMessageA(&msg, 0, 0, 0);
    return dec(got) + " " + describe(msg);
  });
  return got;
}

HWND quiet_window(const char* title) {
  HWND main = create_window("main", title, kPopupStyle, 100, 100, 200, 150);
  update_window(main);
  pump();
  return main;
}

} // namespace

void queue_order() {
  begin_scenario();
  set_handler(with_standard_rows([](HWND wnd, UINT message, WPARAM, LPARAM, LRESULT& result) {
    if (message == kFirst) {
      post_message(wnd, kThird, 5, 6);
      return result = 0, true;
    }
    if (message == WM_TIMER) {
      kill_timer(wnd, kTimer);
      return result = 0, true;
    }
    return false;
  }));
  HWND main = quiet_window("Fidelity queue");
  set_timer(main, kTimer, 10);
  invalidate(main);
  post_message(main, kFirst, 1, 2);
  post_message(main, kSecond, 3, 4);
  sleep_ms(60);
  pump();
  // WM_QUIT waits behind a message posted after it.
  call("PostQuitMessage", "5", [] {
    PostQuitMessage(5);
    return std::string("void");
  });
  post_message(main, kFourth, 7, 8);
  pump();
  destroy_window(main);
  pump();
}

void timer_missed_periods() {
  begin_scenario();
  set_handler(with_standard_rows([](HWND, UINT message, WPARAM, LPARAM, LRESULT& result) {
    return message == WM_TIMER ? (result = 0, true) : false;
  }));
  HWND main = quiet_window("Fidelity timer");
  set_timer(main, kTimer, 150);
  sleep_ms(500);
  // Three periods have passed: one loop turn takes one WM_TIMER.
  pump_once();
  kill_timer(main, kTimer);
  kill_timer(main, kTimer);
  pump();
  destroy_window(main);
  pump();
}

void peek_noremove() {
  begin_scenario();
  set_handler(with_standard_rows());
  HWND main = quiet_window("Fidelity peek");
  MSG msg{};

  post_message(main, kFirst, 11, 22);
  peek(msg, PM_NOREMOVE, "PM_NOREMOVE");
  peek(msg, PM_NOREMOVE, "PM_NOREMOVE");
  get(msg);
  deliver(msg);
  peek(msg, PM_NOREMOVE, "PM_NOREMOVE");

  // A pending paint stays until the window is validated, whatever the removal flag.
  invalidate(main);
  peek(msg, PM_NOREMOVE, "PM_NOREMOVE");
  peek(msg, PM_REMOVE, "PM_REMOVE");
  peek(msg, PM_NOREMOVE, "PM_NOREMOVE");
  get(msg);
  deliver(msg);
  peek(msg, PM_NOREMOVE, "PM_NOREMOVE");

  // The framework's pump: look, then take and dispatch one message per call.
  post_message(main, kSecond, 33, 44);
  post_message(main, kThird, 55, 66);
  for (int turn = 0; turn < 3; ++turn) {
    MSG look{};
    BOOL waiting = PeekMessageA(&look, 0, 0, 0, PM_NOREMOVE);
    line("turn %d waiting=%d", turn, waiting);
    if (!waiting) continue;
    get(msg);
    deliver(msg);
  }

  call("PostQuitMessage", "3", [] {
    PostQuitMessage(3);
    return std::string("void");
  });
  peek(msg, PM_NOREMOVE, "PM_NOREMOVE");
  peek(msg, PM_NOREMOVE, "PM_NOREMOVE");
  get(msg);
  peek(msg, PM_NOREMOVE, "PM_NOREMOVE");
  destroy_window(main);
  pump();
}

} // namespace fidelity
