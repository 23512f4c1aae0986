// DefWindowProcA: the default handling of messages that a window procedure does not claim.
#include "codepage.h"
#include "window.h"

using namespace orvex::platform;

namespace {

// The system-command bits that identify the command; the low four belong to the system.
constexpr WPARAM kSystemCommandMask = 0xFFF0;

LRESULT set_text(HWND wnd, LPCSTR text) {
  Window* w = lookup_window(wnd);
  if (!w) return FALSE;
  w->text = text ? text : "";
  if (w->native) native::set_window_title(w->native, cp1252_to_utf8(w->text.c_str()));
  return TRUE;
}

} // namespace

LRESULT DefWindowProcA(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* w = lookup_window(wnd);
  if (!w) return 0;
  switch (msg) {
  case WM_NCCREATE: return TRUE;
  case WM_CLOSE: DestroyWindow(wnd); return 0;
  case WM_SYSCOMMAND:
    switch (wParam & kSystemCommandMask) {
    case SC_CLOSE: SendMessageA(wnd, WM_CLOSE, 0, 0); return 0;
    case SC_SCREENSAVE:
    case SC_MONITORPOWER: return 0; // accepted; the desktop's own power policy applies
    default: return 0;
    }
  case WM_RBUTTONUP: {
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(wnd, &pt);
    SendMessageA(wnd, WM_CONTEXTMENU, static_cast<WPARAM>(wnd), MAKELPARAM(pt.x, pt.y));
    return 0;
  }
  case WM_CONTEXTMENU:
    // A child passes the request on to its parent.
    if ((w->style & WS_CHILD) && w->parent) return SendMessageA(w->parent, msg, wParam, lParam);
    return 0;
  case WM_SYSKEYDOWN:
    if (wParam == static_cast<WPARAM>(VK_F4) && (static_cast<DWORD>(lParam) & (1u << 29)))
      PostMessageA(top_level_of(wnd), WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
  case WM_PAINT: {
    PAINTSTRUCT ps;
    BeginPaint(wnd, &ps);
    EndPaint(wnd, &ps);
    return 0;
  }
  case WM_ERASEBKGND: return 0;
  case WM_SETTEXT: return set_text(wnd, reinterpret_cast<LPCSTR>(lParam));
  default: return 0;
  }
}
