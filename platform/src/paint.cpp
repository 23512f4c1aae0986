// Painting: the update region, BeginPaint and EndPaint.
#include "gdi_dc.h"
#include "window.h"

#include <cstring>

using namespace orvex::platform;

HDC BeginPaint(HWND wnd, PAINTSTRUCT* ps) {
  Window* w = lookup_window(wnd);
  if (!w) return SetLastError(ERROR_INVALID_WINDOW_HANDLE), 0;
  if (!ps) return SetLastError(ERROR_INVALID_PARAMETER), 0;
  std::memset(ps, 0, sizeof *ps);
  ps->rcPaint = w->update;
  ps->fErase = FALSE;
  mark_validated(wnd);
  ps->hdc = create_window_dc(wnd, true);
  return ps->hdc;
}

BOOL EndPaint(HWND wnd, const PAINTSTRUCT* ps) {
  if (!ps) return FALSE;
  if (ps->hdc) ReleaseDC(wnd, ps->hdc);
  return TRUE;
}

BOOL InvalidateRect(HWND wnd, const RECT* rect, BOOL) {
  if (!wnd) {
    // No window means all of them, as on Win32.
    for (HWND top : top_level_windows()) mark_updated(top, nullptr);
    return TRUE;
  }
  if (!window_exists(wnd)) return SetLastError(ERROR_INVALID_WINDOW_HANDLE), FALSE;
  mark_updated(wnd, rect);
  return TRUE;
}

BOOL ValidateRect(HWND wnd, const RECT* rect) {
  Window* w = lookup_window(wnd);
  if (!w) return SetLastError(ERROR_INVALID_WINDOW_HANDLE), FALSE;
  // NOTE: the update region is kept as its bounding box; validating part of it keeps all.
  if (!rect || (rect->left <= w->update.left && rect->top <= w->update.top &&
                rect->right >= w->update.right && rect->bottom >= w->update.bottom))
    mark_validated(wnd);
  return TRUE;
}
