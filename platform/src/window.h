// The window tree: creation and destruction order, rectangles, visibility, properties, the
// update region that drives WM_PAINT, and the native window behind each top-level window.
#pragma once

#include "../sdl/native.h"
#include "window_class.h"

#include <platform/win32.h>

#include <string>
#include <utility>
#include <vector>

namespace orvex::platform {

struct ChildSurface; // the pixels of a child window, drawn over the GL frame

struct Window {
  HWND handle = 0;
  WNDPROC proc = nullptr;
  UINT class_style = 0;
  HCURSOR cursor = 0;
  HBRUSH background = 0;
  DWORD style = 0;
  DWORD ex_style = 0;
  HWND parent = 0;
  std::vector<HWND> children; // bottom to top
  std::string text;
  RECT rect{}; // child: in the parent's client coordinates; top-level: client area on screen
  int id = 0;  // control identifier of a child window
  std::vector<std::pair<std::string, HANDLE>> properties;
  HRGN region = 0; // the window's shape, owned by the window
  bool destroying = false;
  bool update_pending = false;
  RECT update{}; // bounding box of the update region, client coordinates
  // NOTE: the native window reports its first exposure after being shown; the show has already
  // invalidated all of it, and Win32 sends no second WM_PAINT for it.
  bool first_exposure_pending = false;
  native::WindowId native = 0;
  int pixel_format = 0;
  ChildSurface* surface = nullptr; // owned by the compositor
};

// The window behind a live handle, else null.
Window* lookup_window(HWND wnd);
bool window_exists(HWND wnd);
// The top-level window shown in the native window, else 0.
HWND window_from_native(native::WindowId id);
HWND top_level_of(HWND wnd);
// True when the window and all its ancestors are visible.
bool window_visible(HWND wnd);
// Screen position of the window's client origin.
POINT client_origin(HWND wnd);
// Client size of the window.
void client_size(HWND wnd, int* width, int* height);
// The deepest visible window under a point of the top-level window's client area, honouring
// the children's regions; returns the top-level window itself when no child is hit.
HWND window_at(HWND top, POINT client, POINT* local);
// Windows whose update region is not empty, for WM_PAINT on demand.
HWND next_window_to_paint(HWND filter);
// Whether the window is the filter window or one of its descendants (0 matches all).
bool window_matches(HWND wnd, HWND filter);
// Top-level windows, in creation order.
std::vector<HWND> top_level_windows();
void mark_updated(HWND wnd, const RECT* rect);
void mark_validated(HWND wnd);
// Visible child windows of a top-level window, bottom to top, depth first.
void visible_children(HWND top, std::vector<HWND>& out);

} // namespace orvex::platform
