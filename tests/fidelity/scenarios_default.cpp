// DefWindowProcA: the context menu that follows a right-button release (with its screen point,
// passed from a child to its parent), Alt+F4 as WM_SYSKEYDOWN (SC_CLOSE posted to the top-level
// window), and capture changes between windows.
#include "scenarios.h"

namespace fidelity {

namespace {

// Rows that keep a child's destruction from ending the loop.
Handler main_ends_loop() {
  return with_standard_rows([](HWND wnd, UINT message, WPARAM, LPARAM, LRESULT& result) {
    if (message == WM_DESTROY && hname(wnd) != "main") return result = 0, true;
    return false;
  });
}

} // namespace

void context_menu() {
  begin_scenario();
  set_handler(main_ends_loop());
  HWND main = create_window("main", "Fidelity context menu", kPopupStyle, 100, 100, 200, 150);
  HWND child = create_window("child", "", kChildStyle, 10, 20, 60, 40, main, 7);
  update_window(main);
  pump();
  send_message(main, WM_RBUTTONUP, 0, MAKELPARAM(10, 20));
  send_message(main, WM_RBUTTONUP, MK_SHIFT, MAKELPARAM(-5, 7));
  call("DefWindowProcA", "main,WM_RBUTTONUP,0,(30,40)", [&] {
    return dec(static_cast<long long>(DefWindowProcA(main, WM_RBUTTONUP, 0, MAKELPARAM(30, 40))));
  });
  send_message(child, WM_RBUTTONUP, 0, MAKELPARAM(3, 4));
  call("DefWindowProcA", "child,WM_CONTEXTMENU,child,(1,2)", [&] {
    return dec(static_cast<long long>(
        DefWindowProcA(child, WM_CONTEXTMENU, handle_value(child), MAKELPARAM(1, 2))));
  });
  pump();
  destroy_window(main);
  pump();
}

void alt_f4_syskeydown() {
  begin_scenario();
  set_handler(main_ends_loop());
  HWND main = create_window("main", "Fidelity Alt+F4", kPopupStyle, 100, 100, 200, 150);
  HWND child = create_window("child", "", kChildStyle, 10, 20, 60, 40, main, 7);
  update_window(main);
  pump();
  // F4 without Alt, and Alt with another key: nothing follows.
  send_message(main, WM_SYSKEYDOWN, VK_F4, 0x003E0001);
  send_message(main, WM_SYSKEYDOWN, VK_F1 + 2, 0x203D0001);
  pump();
  // Alt+F4 at the child closes the top-level window, through the queue.
  send_message(child, WM_SYSKEYDOWN, VK_F4, 0x203E0001);
  call("IsWindow", hname(main), [&] { return dec(IsWindow(main)); });
  pump();
  call("IsWindow", hname(main), [&] { return dec(IsWindow(main)); });
}

void capture_changes() {
  begin_scenario();
  Handler rows = main_ends_loop();
  set_handler([rows](HWND wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // Whether the capture outlives the start of the destruction.
    if (message == WM_DESTROY) call("GetCapture", "", [] { return hname(GetCapture()); });
    return rows(wnd, message, wParam, lParam, result);
  });
  HWND main = create_window("main", "Fidelity capture", kPopupStyle, 100, 100, 200, 150);
  HWND child = create_window("child", "", kChildStyle, 10, 20, 60, 40, main, 7);
  HWND second = create_window("second", "Fidelity second", kPopupStyle, 400, 100, 200, 150);
  update_window(main);
  update_window(second);
  pump();
  auto get_capture = [] { call("GetCapture", "", [] { return hname(GetCapture()); }); };
  auto set_capture = [](HWND wnd) {
    call("SetCapture", hname(wnd), [&] { return hname(SetCapture(wnd)); });
  };
  auto release = [] { call("ReleaseCapture", "", [] { return dec(ReleaseCapture()); }); };
  get_capture();
  set_capture(main);
  get_capture();
  set_capture(main);
  set_capture(second);
  set_capture(child);
  get_capture();
  release();
  get_capture();
  release();
  // Destroying the capture window ends the capture.
  set_capture(child);
  call("DestroyWindow", "child", [&] { return dec(DestroyWindow(child)); });
  get_capture();
  set_capture(second);
  destroy_window(second);
  get_capture();
  pump();
  // A descendant's capture ends with its ancestor's destruction.
  HWND last = create_window("last", "", kChildStyle, 80, 20, 50, 30, main, 9);
  set_capture(last);
  destroy_window(main);
  get_capture();
  pump();
}

} // namespace fidelity
