// Device contexts: memory DCs with their selected bitmap and palette, and window DCs handed
// out by GetDC and BeginPaint.
#pragma once

#include <platform/win32.h>

namespace orvex::platform {

enum class DcKind { Memory, Window, Screen };

struct DeviceContext {
  DcKind kind = DcKind::Memory;
  HWND window = 0;       // the window of a Window DC; 0 for the screen
  HBITMAP bitmap = 0;    // the bitmap selected into a memory DC (0: the stock 1 x 1 bitmap)
  HPALETTE palette = 0;  // the selected palette (0: the default palette)
  bool painting = false; // made by BeginPaint, released by EndPaint
};

// The context behind a live handle, else null.
DeviceContext* lookup_dc(HDC dc);

// A new DC that draws on the window (0 = the screen); GetDC and BeginPaint hand these out.
HDC create_window_dc(HWND wnd, bool painting);

// Releases every DC that still refers to a window that is being destroyed.
void release_window_dcs(HWND wnd);

// The number of live DCs: memory DCs and the window and screen DCs not yet given back.
std::size_t live_dcs();

} // namespace orvex::platform
