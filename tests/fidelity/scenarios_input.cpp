// Input from outside the program (the script drives xdotool between loop turns): a burst of
// mouse moves, clicks, a captured drag out of the window, keys with their lParam bits, Escape,
// Alt+F4, and a yes/no message box answered with Return.
#include "scenarios.h"

namespace fidelity {

namespace {

// The buttons take and give back the capture as the framework's window does.
bool button_rows(HWND wnd, UINT message, WPARAM, LPARAM, LRESULT&) {
  switch (message) {
  case WM_LBUTTONDOWN:
  case WM_RBUTTONDOWN:
    call("ReleaseCapture", "", [] { return dec(ReleaseCapture()); });
    call("SetCapture", hname(wnd), [&] { return hname(SetCapture(wnd)); });
    return false;
  case WM_LBUTTONUP:
  case WM_RBUTTONUP: call("ReleaseCapture", "", [] { return dec(ReleaseCapture()); }); return false;
  default: return false;
  }
}

} // namespace

void input_mouse() {
  begin_scenario();
  set_handler(with_standard_rows(button_rows));
  HWND main = create_window("main", "Fidelity mouse", kPopupStyle, 100, 100, 320, 240);
  update_window(main);
  pump();
  // Five moves between two loop turns arrive as one.
  drive({"move 110 110", "move 120 115", "move 130 120", "move 140 125", "move 150 130"});
  pump_once();
  pump();
  drive({"down 1", "up 1"});
  pump();
  drive({"down 3", "up 3"});
  pump();
  // A drag that leaves the window keeps coming to it while the button is held.
  drive({"down 1"});
  pump();
  drive({"move 60 70"});
  pump();
  drive({"up 1"});
  pump();
  call("GetCapture", "", [] { return hname(GetCapture()); });
  call("GetCursorPos", "", [] {
    POINT p{};
    BOOL ok = GetCursorPos(&p);
    return dec(ok) + " (" + dec(p.x) + "," + dec(p.y) + ")";
  });
  destroy_window(main);
  pump();
}

void input_child_region() {
  begin_scenario();
  set_handler(with_standard_rows([](HWND wnd, UINT message, WPARAM, LPARAM, LRESULT& result) {
    if (message == WM_DESTROY && hname(wnd) != "main") return result = 0, true;
    // Where the moves go is the point here, not their default handling.
    if (message == WM_MOUSEMOVE) return result = 0, true;
    return false;
  }));
  HWND main = create_window("main", "Fidelity region", kPopupStyle, 100, 100, 320, 240);
  HWND child = create_window("child", "", kChildStyle, 20, 20, 100, 80, main, 5);
  HRGN shape = 0;
  call("CreateRectRgn", "0,0,50,80", [&] {
    shape = CreateRectRgn(0, 0, 50, 80);
    name_handle(shape, "shape");
    return hname(shape);
  });
  call("SetWindowRgn", "child,shape,1",
       [&] { return nonzero(static_cast<std::uintptr_t>(SetWindowRgn(child, shape, TRUE))); });
  update_window(main);
  pump();
  // Inside the shape the child gets the mouse; beside it, in the child's rectangle, the parent.
  drive({"move 130 130"});
  pump();
  drive({"move 200 130"});
  pump();
  drive({"down 1", "up 1"});
  pump();
  // One burst over both windows: the moves of each window in turn keep their last position.
  drive({"move 131 131", "move 132 132", "move 201 131", "move 202 132"});
  pump_once();
  pump();
  destroy_window(main);
  pump();
}

void input_keys() {
  begin_scenario();
  set_handler(with_standard_rows());
  HWND main = create_window("main", "Fidelity keys", kPopupStyle, 100, 100, 320, 240);
  update_window(main);
  pump();
  drive({"focus Fidelity keys"});
  pump();
  call("GetForegroundWindow", "", [] { return hname(GetForegroundWindow()); });
  call("GetFocus", "", [] { return hname(GetFocus()); });
  drive({"key a"});
  pump();
  drive({"key Escape"});
  pump();
  // Alt+F4: DefWindowProcA posts SC_CLOSE, which is retrieved before the key releases.
  drive({"key alt+F4"});
  pump();
  call("IsWindow", hname(main), [&] { return dec(IsWindow(main)); });
}

void message_box_return() {
  begin_scenario();
  drive({"wait-window Fidelity box", "focus Fidelity box", "keydown Return",
         "wait-gone Fidelity box", "keyup Return"},
        false);
  call("MessageBoxA", "0,\"Answer with Return\",\"Fidelity box\",MB_YESNO|MB_ICONQUESTION", [] {
    return dec(MessageBoxA(0, "Answer with Return", "Fidelity box", MB_YESNO | MB_ICONQUESTION));
  });
  await_input();
}

} // namespace fidelity
