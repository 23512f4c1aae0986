#include "framework/window/window_procedure.h"

#include "framework/window/camera.h"
#include "framework/window/fps_title.h"
#include "framework/window/input_state.h"
#include "framework/window/status_bar.h"
#include "framework/window/window_state.h"

namespace orvex {

LRESULT DEFAULTHANDLING(HWND WINDOW, UINT AMESSAGE, WPARAM WPARAM_, LPARAM LPARAM_) {
  if (WPARAM_ == 0 && HSTATUS) UpdateWindow(HSTATUS);
  return DefWindowProcA(WINDOW, AMESSAGE, WPARAM_, LPARAM_);
}

LRESULT CALLBACK GLWNDPROC(HWND WINDOW, UINT AMESSAGE, WPARAM WPARAM_, LPARAM LPARAM_) {
  switch (AMESSAGE) {
  case WM_CREATE: ACTIVE = true; return 0;
  case WM_DESTROY:
    ACTIVE = false;
    PostQuitMessage(0);
    return 0;
  case WM_PAINT: {
    PAINTSTRUCT PS;
    RECT R;
    BeginPaint(WINDOW, &PS);
    GetClientRect(WINDOW, &R);
    if (HSTATUS) UpdateWindow(HSTATUS);
    EndPaint(WINDOW, &PS);
    return 0;
  }
  case WM_CONTEXTMENU:
    if (SHOWMENUBAR && CREATEMOUSEMENU) CREATEMOUSEMENU();
    break;
  case WM_KEYDOWN:
    if (!KEYDOWNROW(WPARAM_)) return 0;
    break;
  case WM_KEYUP: KEYUPROW(WPARAM_); break;
  case WM_COMMAND:
    if (SHOWMENUBAR && GETINPUTCOMMAND) GETINPUTCOMMAND(WINDOW, AMESSAGE, WPARAM_, LPARAM_);
    return 0;
  case WM_TIMER: FPSTIMERROW(WPARAM_); break;
  case WM_MOUSEMOVE: MOUSEMOVEROW(LPARAM_); break;
  case WM_LBUTTONDOWN: LBUTTONDOWNROW(LPARAM_); break;
  case WM_LBUTTONUP: LBUTTONUPROW(); break;
  case WM_RBUTTONDOWN: RBUTTONDOWNROW(LPARAM_); break;
  case WM_RBUTTONUP: RBUTTONUPROW(); break;
  default: break;
  }
  return DEFAULTHANDLING(WINDOW, AMESSAGE, WPARAM_, LPARAM_);
}

} // namespace orvex
