// Window life: creation, show, update and destroy of the framework's two main-window styles, of
// a plain borderless window and of a child; closing by WM_CLOSE and by SC_CLOSE.
#include "scenarios.h"

namespace fidelity {

Handler with_standard_rows(Handler own) {
  return [own](HWND wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (own && own(wnd, message, wParam, lParam, result)) return true;
    switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      call("BeginPaint", hname(wnd), [&] {
        HDC dc = BeginPaint(wnd, &ps);
        return nonzero(handle_value(dc)) + " paint=" + rect(ps.rcPaint) +
               " erase=" + dec(ps.fErase);
      });
      call("EndPaint", hname(wnd), [&] { return dec(EndPaint(wnd, &ps)); });
      result = 0;
      return true;
    }
    case WM_DESTROY:
      call("PostQuitMessage", "0", [] {
        PostQuitMessage(0);
        return std::string("void");
      });
      result = 0;
      return true;
    default: return false;
    }
  };
}

void destroy_window(HWND wnd) {
  call("DestroyWindow", hname(wnd), [&] { return dec(DestroyWindow(wnd)); });
  call("IsWindow", hname(wnd), [&] { return dec(IsWindow(wnd)); });
}

LRESULT send_message(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  call("SendMessageA",
       hname(wnd) + "," + message_name(message) + "," + parameters(message, wParam, lParam), [&] {
         result = SendMessageA(wnd, message, wParam, lParam);
         return dec(static_cast<long long>(result));
       });
  return result;
}

void post_message(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
  call("PostMessageA",
       hname(wnd) + "," + message_name(message) + "," + parameters(message, wParam, lParam),
       [&] { return dec(PostMessageA(wnd, message, wParam, lParam)); });
}

void update_window(HWND wnd) {
  call("UpdateWindow", hname(wnd), [&] { return dec(UpdateWindow(wnd)); });
}

void client_rect(HWND wnd) {
  call("GetClientRect", hname(wnd), [&] {
    RECT r{};
    BOOL ok = GetClientRect(wnd, &r);
    return dec(ok) + " client=" + dec(r.right - r.left) + "x" + dec(r.bottom - r.top);
  });
}

namespace {

void show_window(HWND wnd, int command, const char* command_name) {
  call("ShowWindow", hname(wnd) + "," + command_name,
       [&] { return dec(ShowWindow(wnd, command) ? 1 : 0); });
}

void screen_origin(HWND wnd) {
  call("ClientToScreen", hname(wnd) + ",(0,0)", [&] {
    POINT p{0, 0};
    BOOL ok = ClientToScreen(wnd, &p);
    return dec(ok) + " (" + dec(p.x) + "," + dec(p.y) + ")";
  });
}

void visible(HWND wnd) {
  call("IsWindowVisible", hname(wnd), [&] { return dec(IsWindowVisible(wnd)); });
}

// The framework's road: create visible, show with the start-up command, update; then the loop,
// and destruction with the quit message that follows.
void framework_window(const char* title, DWORD style, int width, int height) {
  begin_scenario();
  set_handler(with_standard_rows());
  HWND main = create_window("main", title, style, CW_USEDEFAULT, CW_USEDEFAULT, width, height);
  show_window(main, SW_SHOWDEFAULT, "SW_SHOWDEFAULT");
  update_window(main);
  visible(main);
  client_rect(main);
  pump();
  destroy_window(main);
  pump();
}

} // namespace

void window_captioned() {
  framework_window("Fidelity captioned", kCaptionedStyle, 400, 300);
}

void window_borderless() {
  int width = 0, height = 0;
  call("GetSystemMetrics", "SM_CXSCREEN",
       [&] { return dec(width = GetSystemMetrics(SM_CXSCREEN)); });
  call("GetSystemMetrics", "SM_CYSCREEN",
       [&] { return dec(height = GetSystemMetrics(SM_CYSCREEN)); });
  framework_window("Fidelity full screen", kFullScreenStyle, width, height);
}

void window_popup() {
  begin_scenario();
  set_handler(with_standard_rows());
  HWND main = create_window("main", "Fidelity popup", WS_POPUP, 100, 100, 200, 150);
  visible(main);
  show_window(main, SW_SHOW, "SW_SHOW");
  visible(main);
  update_window(main);
  client_rect(main);
  screen_origin(main);
  pump();
  show_window(main, SW_HIDE, "SW_HIDE");
  visible(main);
  update_window(main);
  show_window(main, SW_SHOW, "SW_SHOW");
  show_window(main, SW_SHOW, "SW_SHOW");
  update_window(main);
  pump();
  destroy_window(main);
  pump();
}

void window_child() {
  begin_scenario();
  set_handler(with_standard_rows([](HWND wnd, UINT message, WPARAM, LPARAM, LRESULT& result) {
    // Only the main window ends the loop.
    if (message == WM_DESTROY && hname(wnd) != "main") return result = 0, true;
    return false;
  }));
  HWND main = create_window("main", "Fidelity parent", kPopupStyle, 100, 100, 200, 150);
  HWND child = create_window("child", "", kChildStyle, 10, 20, 60, 40, main, 7);
  call("GetParent", hname(child), [&] { return hname(GetParent(child)); });
  call("GetDlgCtrlID", hname(child), [&] { return dec(GetDlgCtrlID(child)); });
  screen_origin(child);
  client_rect(child);
  call("GetWindowRect", hname(child), [&] {
    RECT r{};
    return dec(GetWindowRect(child, &r)) + " " + rect(r);
  });
  update_window(main);
  pump();
  // Hiding and destroying a child uncover its parent.
  HWND second = create_window("second", "", kChildStyle, 80, 20, 50, 30, main, 8);
  pump();
  show_window(child, SW_HIDE, "SW_HIDE");
  pump();
  show_window(child, SW_SHOW, "SW_SHOW");
  pump();
  destroy_window(second);
  pump();
  destroy_window(main);
  call("IsWindow", hname(child), [&] { return dec(IsWindow(child)); });
  pump();
}

void send_close() {
  begin_scenario();
  set_handler(with_standard_rows());
  HWND main = create_window("main", "Fidelity close", kPopupStyle, 100, 100, 200, 150);
  update_window(main);
  pump();
  send_message(main, WM_CLOSE, 0, 0);
  call("IsWindow", hname(main), [&] { return dec(IsWindow(main)); });
  pump();
}

void syscommand_close() {
  begin_scenario();
  set_handler(with_standard_rows());
  HWND main = create_window("main", "Fidelity system command", kPopupStyle, 100, 100, 200, 150);
  update_window(main);
  pump();
  send_message(main, WM_SYSCOMMAND, SC_SCREENSAVE, 0);
  send_message(main, WM_SYSCOMMAND, SC_MONITORPOWER, 2);
  call("IsWindow", hname(main), [&] { return dec(IsWindow(main)); });
  send_message(main, WM_SYSCOMMAND, SC_CLOSE, 0);
  call("IsWindow", hname(main), [&] { return dec(IsWindow(main)); });
  pump();
}

} // namespace fidelity
