// Windows: creation, destruction, visibility, geometry, text and properties.
#include "window.h"

#include "codepage.h"
#include "compositor.h"
#include "cursor.h"
#include "gdi_dc.h"
#include "handles.h"
#include "input.h"
#include "message_queue.h"
#include "timer.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

namespace orvex::platform {

namespace {

HandleTable<Window, HandleKind::Window> windows;
std::vector<HWND> top_levels;
int windows_to_paint = 0;

constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;

bool is_child(const Window& w) {
  return (w.style & WS_CHILD) != 0;
}

void set_update(Window& w, const RECT& r) {
  int cw, ch;
  client_size(w.handle, &cw, &ch);
  RECT clipped{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, cw),
               std::min(r.bottom, ch)};
  // Nothing outside the window's shape needs painting.
  RECT shape;
  if (w.region && GetRgnBox(w.region, &shape) != ERROR)
    clipped = RECT{std::max(clipped.left, shape.left), std::max(clipped.top, shape.top),
                   std::min(clipped.right, shape.right), std::min(clipped.bottom, shape.bottom)};
  if (clipped.left >= clipped.right || clipped.top >= clipped.bottom) return;
  if (!w.update_pending) {
    w.update = clipped;
    w.update_pending = true;
    ++windows_to_paint;
    return;
  }
  w.update.left = std::min(w.update.left, clipped.left);
  w.update.top = std::min(w.update.top, clipped.top);
  w.update.right = std::max(w.update.right, clipped.right);
  w.update.bottom = std::max(w.update.bottom, clipped.bottom);
}

void clear_update(Window& w) {
  if (!w.update_pending) return;
  w.update_pending = false;
  w.update = RECT{};
  --windows_to_paint;
}

void invalidate_tree(HWND wnd) {
  Window* w = lookup_window(wnd);
  if (!w) return;
  int cw, ch;
  client_size(wnd, &cw, &ch);
  set_update(*w, RECT{0, 0, cw, ch});
  for (HWND child : w->children) invalidate_tree(child);
}

void send_destroy(HWND wnd) {
  Window* w = lookup_window(wnd);
  if (!w) return;
  w->destroying = true;
  SendMessageA(wnd, WM_DESTROY, 0, 0);
  w = lookup_window(wnd);
  if (!w) return;
  std::vector<HWND> children = w->children;
  for (HWND child : children) send_destroy(child);
}

void send_ncdestroy(HWND wnd) {
  Window* w = lookup_window(wnd);
  if (!w) return;
  std::vector<HWND> children = w->children;
  for (HWND child : children) send_ncdestroy(child);
  SendMessageA(wnd, WM_NCDESTROY, 0, 0);
}

void free_window(HWND wnd) {
  Window* w = lookup_window(wnd);
  if (!w) return;
  std::vector<HWND> children = w->children;
  for (HWND child : children) free_window(child);
  kill_window_timers(wnd);
  forget_window_messages(wnd);
  forget_window_input(wnd);
  release_window_dcs(wnd);
  release_child_surface(*w);
  if (w->region) DeleteObject(w->region);
  clear_update(*w);
  if (w->native) native::destroy_window(w->native);
  if (Window* parent = lookup_window(w->parent)) std::erase(parent->children, wnd);
  std::erase(top_levels, wnd);
  windows.remove(wnd);
}

// Property names compare without regard to case; atoms are not accepted as names.
bool matches_property(const std::string& stored, LPCSTR name) {
  return strcasecmp(stored.c_str(), name) == 0;
}

} // namespace

Window* lookup_window(HWND wnd) {
  return windows.get(wnd);
}
bool window_exists(HWND wnd) {
  return windows.get(wnd) != nullptr;
}

HWND window_from_native(native::WindowId id) {
  if (!id) return 0;
  for (HWND h : top_levels)
    if (Window* w = lookup_window(h); w && w->native == id) return h;
  return 0;
}

HWND top_level_of(HWND wnd) {
  Window* w = lookup_window(wnd);
  while (w && is_child(*w)) {
    wnd = w->parent;
    w = lookup_window(wnd);
  }
  return w ? wnd : 0;
}

bool window_visible(HWND wnd) {
  for (Window* w = lookup_window(wnd); w; w = lookup_window(w->parent)) {
    if (!(w->style & WS_VISIBLE)) return false;
    if (!is_child(*w)) return true;
  }
  return false;
}

POINT client_origin(HWND wnd) {
  POINT origin{0, 0};
  for (Window* w = lookup_window(wnd); w; w = lookup_window(w->parent)) {
    if (!is_child(*w)) {
      int x = w->rect.left, y = w->rect.top, width, height;
      if (w->native) native::window_bounds(w->native, &x, &y, &width, &height);
      origin.x += x;
      origin.y += y;
      break;
    }
    origin.x += w->rect.left;
    origin.y += w->rect.top;
  }
  return origin;
}

void client_size(HWND wnd, int* width, int* height) {
  *width = *height = 0;
  Window* w = lookup_window(wnd);
  if (!w) return;
  *width = w->rect.right - w->rect.left;
  *height = w->rect.bottom - w->rect.top;
  if (!is_child(*w) && w->native) {
    int x, y;
    native::window_bounds(w->native, &x, &y, width, height);
  }
}

HWND window_at(HWND top, POINT client, POINT* local) {
  HWND hit = top;
  POINT p = client;
  for (;;) {
    Window* w = lookup_window(hit);
    if (!w) break;
    HWND next = 0;
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it) {
      Window* c = lookup_window(*it);
      if (!c || !(c->style & WS_VISIBLE)) continue;
      if (p.x < c->rect.left || p.x >= c->rect.right || p.y < c->rect.top || p.y >= c->rect.bottom)
        continue;
      if (c->region && !PtInRegion(c->region, p.x - c->rect.left, p.y - c->rect.top)) continue;
      next = *it;
      p.x -= c->rect.left;
      p.y -= c->rect.top;
      break;
    }
    if (!next) break;
    hit = next;
  }
  if (local) *local = p;
  return hit;
}

HWND next_window_to_paint(HWND filter) {
  if (windows_to_paint == 0) return 0;
  HWND found = 0;
  windows.for_each([&](std::uint32_t h, const Window& w) {
    if (!found && w.update_pending && window_visible(h) && window_matches(h, filter)) found = h;
  });
  return found;
}

bool window_matches(HWND wnd, HWND filter) {
  if (!filter) return true;
  for (Window* w = lookup_window(wnd); w; w = lookup_window(w->parent)) {
    if (wnd == filter) return true;
    wnd = w->parent;
  }
  return false;
}

std::vector<HWND> top_level_windows() {
  return top_levels;
}

void mark_updated(HWND wnd, const RECT* rect) {
  Window* w = lookup_window(wnd);
  if (!w) return;
  if (!rect) {
    invalidate_tree(wnd);
    return;
  }
  set_update(*w, *rect);
}

void mark_validated(HWND wnd) {
  if (Window* w = lookup_window(wnd)) clear_update(*w);
}

void visible_children(HWND top, std::vector<HWND>& out) {
  Window* w = lookup_window(top);
  if (!w) return;
  for (HWND child : w->children) {
    Window* c = lookup_window(child);
    if (!c || !(c->style & WS_VISIBLE)) continue;
    out.push_back(child);
    visible_children(child, out);
  }
}

} // namespace orvex::platform

using namespace orvex::platform;

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param) {
  const WindowClass* cls = find_window_class(className);
  if (!cls) return SetLastError(ERROR_CANNOT_FIND_WND_CLASS), 0;
  bool child = (style & WS_CHILD) != 0;
  if (child && !window_exists(parent)) return SetLastError(ERROR_INVALID_WINDOW_HANDLE), 0;
  if (!child && parent && !window_exists(parent))
    return SetLastError(ERROR_INVALID_WINDOW_HANDLE), 0;

  // NOTE: a default position is the screen's (or the parent's) top-left corner; there is no
  // cascade of new windows here.
  if (x == CW_USEDEFAULT) x = y = 0;
  if (width == CW_USEDEFAULT) {
    width = kDefaultWidth;
    height = kDefaultHeight;
  }
  width = std::max(width, 0);
  height = std::max(height, 0);

  auto w = std::make_unique<Window>();
  w->proc = cls->proc;
  w->class_style = cls->style;
  w->cursor = cls->cursor;
  w->background = cls->background;
  w->style = style & ~WS_VISIBLE;
  w->ex_style = exStyle;
  w->parent = child ? parent : 0;
  w->text = windowName ? windowName : "";
  w->rect = RECT{x, y, x + width, y + height};
  w->id = child ? static_cast<int>(menu) : 0;
  if (!child) {
    // NOTE: the requested size is the client area; the window manager adds its frame outside.
    native::WindowRequest request;
    request.title_utf8 = cp1252_to_utf8(w->text.c_str());
    request.x = x;
    request.y = y;
    request.width = std::max(width, 1);
    request.height = std::max(height, 1);
    request.decorated = (style & WS_CAPTION) == WS_CAPTION;
    w->native = native::create_window(request);
    if (!w->native) return SetLastError(ERROR_NOT_ENOUGH_MEMORY), 0;
    apply_window_icon(w->native, cls->icon);
  }
  native::WindowId native_id = w->native;
  HWND wnd = windows.add(std::move(w));
  if (!wnd) {
    native::destroy_window(native_id);
    return SetLastError(ERROR_NOT_ENOUGH_MEMORY), 0;
  }
  if (child)
    lookup_window(parent)->children.push_back(wnd);
  else
    top_levels.push_back(wnd);
  lookup_window(wnd)->handle = wnd;
  resize_child_surface(*lookup_window(wnd));

  CREATESTRUCTA cs{param,     instance, menu, child ? parent : 0,       height,
                   width,     y,        x,    static_cast<LONG>(style), windowName,
                   className, exStyle};
  if (!SendMessageA(wnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
    send_ncdestroy(wnd);
    free_window(wnd);
    return 0;
  }
  if (SendMessageA(wnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    DestroyWindow(wnd);
    return 0;
  }
  if ((style & WS_VISIBLE) && window_exists(wnd)) ShowWindow(wnd, SW_SHOW);
  return window_exists(wnd) ? wnd : 0;
}

BOOL DestroyWindow(HWND wnd) {
  Window* w = lookup_window(wnd);
  if (!w) return SetLastError(ERROR_INVALID_WINDOW_HANDLE), FALSE;
  if (w->destroying) return TRUE;
  if (is_child(*w) && (w->style & WS_VISIBLE)) {
    // A visible child is hidden first, as ShowWindow hides it.
    w->destroying = true;
    SendMessageA(wnd, WM_SHOWWINDOW, FALSE, 0);
    w = lookup_window(wnd);
    if (!w) return TRUE;
    mark_updated(w->parent, &w->rect);
  }
  if (w->native) native::show_window(w->native, false);
  w->style &= ~WS_VISIBLE;
  // NOTE: the capture of the window or of a descendant ends silently when it is freed, after
  // WM_NCDESTROY; Win32 sends no WM_CAPTURECHANGED for it.
  send_destroy(wnd);
  send_ncdestroy(wnd);
  free_window(wnd);
  return TRUE;
}

BOOL IsWindow(HWND wnd) {
  return window_exists(wnd) ? TRUE : FALSE;
}
BOOL IsWindowVisible(HWND wnd) {
  return window_visible(wnd) ? TRUE : FALSE;
}

BOOL ShowWindow(HWND wnd, int cmdShow) {
  Window* w = lookup_window(wnd);
  if (!w) return SetLastError(ERROR_INVALID_WINDOW_HANDLE), FALSE;
  bool was_visible = (w->style & WS_VISIBLE) != 0;
  bool show = cmdShow != SW_HIDE;
  if (show == was_visible) return was_visible;
  SendMessageA(wnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
  w = lookup_window(wnd);
  if (!w) return was_visible;
  if (show)
    w->style |= WS_VISIBLE;
  else
    w->style &= ~WS_VISIBLE;
  if (w->native) native::show_window(w->native, show);
  if (w->native) w->first_exposure_pending = show;
  if (show) invalidate_tree(wnd);
  // A hidden child uncovers its parent.
  if (!show && is_child(*w)) mark_updated(w->parent, &w->rect);
  return was_visible;
}

BOOL UpdateWindow(HWND wnd) {
  Window* w = lookup_window(wnd);
  if (!w) return SetLastError(ERROR_INVALID_WINDOW_HANDLE), FALSE;
  if (w->update_pending && window_visible(wnd)) SendMessageA(wnd, WM_PAINT, 0, 0);
  w = lookup_window(wnd);
  if (!w) return TRUE;
  std::vector<HWND> children = w->children;
  for (HWND child : children) UpdateWindow(child);
  return TRUE;
}

BOOL SetWindowTextA(HWND wnd, LPCSTR text) {
  if (!window_exists(wnd)) return SetLastError(ERROR_INVALID_WINDOW_HANDLE), FALSE;
  return SendMessageA(wnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
}

int GetWindowTextA(HWND wnd, LPSTR text, int maxCount) {
  Window* w = lookup_window(wnd);
  if (!w || !text || maxCount <= 0) return 0;
  std::size_t n = std::min(w->text.size(), static_cast<std::size_t>(maxCount - 1));
  std::memcpy(text, w->text.data(), n);
  text[n] = '\0';
  return static_cast<int>(n);
}

BOOL GetClientRect(HWND wnd, RECT* rect) {
  if (!window_exists(wnd)) return SetLastError(ERROR_INVALID_WINDOW_HANDLE), FALSE;
  if (!rect) return SetLastError(ERROR_INVALID_PARAMETER), FALSE;
  int width, height;
  client_size(wnd, &width, &height);
  *rect = RECT{0, 0, width, height};
  return TRUE;
}

BOOL GetWindowRect(HWND wnd, RECT* rect) {
  Window* w = lookup_window(wnd);
  if (!w) return SetLastError(ERROR_INVALID_WINDOW_HANDLE), FALSE;
  if (!rect) return SetLastError(ERROR_INVALID_PARAMETER), FALSE;
  POINT origin = client_origin(wnd);
  int width, height;
  client_size(wnd, &width, &height);
  int left = 0, top = 0, right = 0, bottom = 0;
  if (w->native) native::window_borders(w->native, &left, &top, &right, &bottom);
  *rect =
      RECT{origin.x - left, origin.y - top, origin.x + width + right, origin.y + height + bottom};
  return TRUE;
}

BOOL MoveWindow(HWND wnd, int x, int y, int width, int height, BOOL repaint) {
  Window* w = lookup_window(wnd);
  if (!w) return SetLastError(ERROR_INVALID_WINDOW_HANDLE), FALSE;
  width = std::max(width, 0);
  height = std::max(height, 0);
  w->rect = RECT{x, y, x + width, y + height};
  if (w->native)
    native::set_window_bounds(w->native, x, y, std::max(width, 1), std::max(height, 1));
  if (w->update_pending) {
    clear_update(*w);
    if (!repaint) set_update(*w, RECT{0, 0, width, height});
  }
  resize_child_surface(*w);
  if (repaint) invalidate_tree(wnd);
  return TRUE;
}

BOOL ClientToScreen(HWND wnd, POINT* pt) {
  if (!window_exists(wnd) || !pt) return FALSE;
  POINT origin = client_origin(wnd);
  pt->x += origin.x;
  pt->y += origin.y;
  return TRUE;
}

BOOL ScreenToClient(HWND wnd, POINT* pt) {
  if (!window_exists(wnd) || !pt) return FALSE;
  POINT origin = client_origin(wnd);
  pt->x -= origin.x;
  pt->y -= origin.y;
  return TRUE;
}

HWND GetParent(HWND wnd) {
  Window* w = lookup_window(wnd);
  if (!w) return SetLastError(ERROR_INVALID_WINDOW_HANDLE), 0;
  return w->parent;
}

int GetDlgCtrlID(HWND wnd) {
  Window* w = lookup_window(wnd);
  if (!w) return SetLastError(ERROR_INVALID_WINDOW_HANDLE), 0;
  return w->id;
}

BOOL SetPropA(HWND wnd, LPCSTR name, HANDLE data) {
  Window* w = lookup_window(wnd);
  if (!w) return SetLastError(ERROR_INVALID_WINDOW_HANDLE), FALSE;
  if (!name || IS_INTRESOURCE(name)) return SetLastError(ERROR_INVALID_PARAMETER), FALSE;
  for (auto& [key, value] : w->properties)
    if (matches_property(key, name)) {
      value = data;
      return TRUE;
    }
  w->properties.emplace_back(name, data);
  return TRUE;
}

HANDLE GetPropA(HWND wnd, LPCSTR name) {
  Window* w = lookup_window(wnd);
  if (!w || !name || IS_INTRESOURCE(name)) return nullptr;
  for (auto& [key, value] : w->properties)
    if (matches_property(key, name)) return value;
  return nullptr;
}

HANDLE RemovePropA(HWND wnd, LPCSTR name) {
  Window* w = lookup_window(wnd);
  if (!w || !name || IS_INTRESOURCE(name)) return nullptr;
  for (auto it = w->properties.begin(); it != w->properties.end(); ++it)
    if (matches_property(it->first, name)) {
      HANDLE value = it->second;
      w->properties.erase(it);
      return value;
    }
  return nullptr;
}

int SetWindowRgn(HWND wnd, HRGN rgn, BOOL redraw) {
  Window* w = lookup_window(wnd);
  if (!w) return SetLastError(ERROR_INVALID_WINDOW_HANDLE), 0;
  // The window owns the region from here on and deletes the one it had.
  if (w->region && w->region != rgn) DeleteObject(w->region);
  w->region = rgn;
  if (w->update_pending) {
    RECT pending = w->update;
    clear_update(*w);
    set_update(*w, pending);
  }
  if (redraw) invalidate_tree(wnd);
  return 1;
}
