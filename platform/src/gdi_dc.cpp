// Device contexts: the handle table, memory DCs, window and screen DCs, and SelectObject.
#include "gdi_dc.h"

#include "gdi_bitmap.h"
#include "gdi_palette.h"
#include "handles.h"
#include "window.h"

#include <memory>
#include <vector>

namespace orvex::platform {

namespace {

using DcTable = HandleTable<DeviceContext, HandleKind::DeviceContext>;

DcTable& dcs() {
  static DcTable table;
  return table;
}

HDC add_dc(DcKind kind, HWND wnd, bool painting) {
  auto dc = std::make_unique<DeviceContext>();
  dc->kind = kind;
  dc->window = wnd;
  dc->painting = painting;
  HDC handle = dcs().add(std::move(dc));
  if (!handle) SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return handle;
}

// Puts a bitmap into a memory DC and returns the one it replaces (the stock one for 0).
HGDIOBJ select_bitmap(HDC handle, DeviceContext& dc, HBITMAP bitmap_handle) {
  if (dc.kind != DcKind::Memory) return SetLastError(ERROR_INVALID_PARAMETER), 0;
  Bitmap* bitmap = lookup_bitmap(bitmap_handle);
  if (!bitmap) return SetLastError(ERROR_INVALID_HANDLE), 0;
  HBITMAP previous = dc.bitmap ? dc.bitmap : stock_bitmap();
  if (bitmap_handle == previous) return previous;
  // A bitmap lives in one DC at a time; the stock bitmap in any number of them.
  if (!bitmap->stock && bitmap->selected_into) return SetLastError(ERROR_INVALID_PARAMETER), 0;
  if (Bitmap* old = lookup_bitmap(dc.bitmap)) old->selected_into = 0;
  if (bitmap->stock) {
    dc.bitmap = 0;
  } else {
    bitmap->selected_into = handle;
    dc.bitmap = bitmap_handle;
  }
  return previous;
}

} // namespace

DeviceContext* lookup_dc(HDC dc) {
  return dcs().get(dc);
}

HDC create_window_dc(HWND wnd, bool painting) {
  return add_dc(wnd ? DcKind::Window : DcKind::Screen, wnd, painting);
}

std::size_t live_dcs() {
  return dcs().size();
}

void release_window_dcs(HWND wnd) {
  std::vector<HDC> doomed;
  dcs().for_each([&](HDC handle, const DeviceContext& dc) {
    if (dc.kind == DcKind::Window && dc.window == wnd) doomed.push_back(handle);
  });
  for (HDC handle : doomed) dcs().remove(handle);
}

} // namespace orvex::platform

using namespace orvex::platform;

// A new memory DC holding the stock 1 x 1 bitmap; dc may be 0 (the screen) or any live DC.
HDC CreateCompatibleDC(HDC dc) {
  if (dc && !lookup_dc(dc)) return SetLastError(ERROR_INVALID_HANDLE), 0;
  return add_dc(DcKind::Memory, 0, false);
}

// Deletes a memory DC; the bitmap it held becomes free to select elsewhere or delete.
// NOTE: DCs from GetDC or BeginPaint are given back with ReleaseDC or EndPaint; DeleteDC on
// them fails.
BOOL DeleteDC(HDC dc) {
  DeviceContext* context = lookup_dc(dc);
  if (!context) return SetLastError(ERROR_INVALID_HANDLE), FALSE;
  if (context->kind != DcKind::Memory) return SetLastError(ERROR_INVALID_HANDLE), FALSE;
  if (Bitmap* bitmap = lookup_bitmap(context->bitmap)) bitmap->selected_into = 0;
  dcs().remove(dc);
  return TRUE;
}

// Selects a bitmap into a memory DC and returns the previous one; 0 on failure.
// NOTE: palettes go through SelectPalette, as in Win32; brushes and regions are not kept by
// this layer's DCs, so selecting them fails too.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ obj) {
  DeviceContext* context = lookup_dc(dc);
  if (!context) return SetLastError(ERROR_INVALID_HANDLE), 0;
  if (handle_kind(obj) == HandleKind::Bitmap) return select_bitmap(dc, *context, obj);
  return SetLastError(ERROR_INVALID_PARAMETER), 0;
}

// The bitmap or palette selected into a DC (the stock ones when none was); 0 on failure.
// NOTE: brushes, pens and fonts are not kept by this layer's DCs, so only OBJ_BITMAP and
// OBJ_PAL are answered.
HGDIOBJ GetCurrentObject(HDC dc, UINT type) {
  DeviceContext* context = lookup_dc(dc);
  if (!context) return SetLastError(ERROR_INVALID_HANDLE), 0;
  switch (type) {
  case OBJ_BITMAP: return context->bitmap ? context->bitmap : stock_bitmap();
  case OBJ_PAL:
    return context->palette && lookup_palette(context->palette) ? context->palette
                                                                : default_palette();
  default: return SetLastError(ERROR_INVALID_PARAMETER), 0;
  }
}

// A DC for drawing on the window's client area, or the screen for window 0; 0 on failure.
HDC GetDC(HWND wnd) {
  if (wnd && !window_exists(wnd)) return SetLastError(ERROR_INVALID_WINDOW_HANDLE), 0;
  return create_window_dc(wnd, false);
}

// Gives back a DC from GetDC (or BeginPaint) of that window; 1 when released, else 0.
int ReleaseDC(HWND wnd, HDC dc) {
  DeviceContext* context = lookup_dc(dc);
  if (!context || context->kind == DcKind::Memory || context->window != wnd) return 0;
  dcs().remove(dc);
  return 1;
}
