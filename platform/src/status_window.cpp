// The common-controls status window: a bar along the bottom of its parent, divided into parts
// that each show a text, drawn on the bar's own surface.
#include "codepage.h"
#include "compositor.h"
#include "gdi_object.h"
#include "window.h"

#include "../sdl/native_text.h"

#include <platform/win32.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

namespace orvex::platform {

namespace {

constexpr const char* kStatusClass = "msctls_statusbar32";
// The most parts a bar can have, and the part index that Win32 reserves for simple mode.
constexpr WPARAM kMaxParts = 256;
constexpr WPARAM kSimplePart = 255;
// Pixels between the font's line and the bar's edges, and the height without a font.
constexpr int kVerticalPadding = 6;
constexpr int kHeightWithoutFont = 20;
// Pixels between a part's left edge and its text, and kept clear before its right edge.
constexpr int kTextInset = 4;
constexpr int kTextEndGap = 3;

struct StatusBar {
  std::vector<int> edges{-1}; // right edge of each part; -1 reaches the bar's right end
  std::vector<std::string> texts{std::string()};
  std::vector<WORD> types{0}; // the drawing-type bits given with each part's text
};

std::unordered_map<HWND, StatusBar> bars;

int bar_height() {
  const int font = native::ui_font_height();
  return font > 0 ? font + kVerticalPadding : kHeightWithoutFont;
}

// The bar's place: the full width of the parent's client area, at its bottom.
RECT bar_rect(HWND parent) {
  RECT client{};
  GetClientRect(parent, &client);
  const int height = bar_height();
  return RECT{0, client.bottom - height, client.right, client.bottom};
}

void set_part_text(StatusBar& bar, std::size_t part, LPCSTR text, WORD type) {
  if (bar.texts.size() <= part) {
    bar.texts.resize(part + 1);
    bar.types.resize(part + 1, 0);
  }
  bar.texts[part] = text ? text : "";
  bar.types[part] = type;
}

void fill(const native::PixelTarget& t, int left, int top, int right, int bottom,
          std::uint32_t rgb) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, t.width);
  bottom = std::min(bottom, t.height);
  for (int y = top; y < bottom; ++y)
    std::fill(t.pixels + static_cast<std::size_t>(y) * t.stride + left,
              t.pixels + static_cast<std::size_t>(y) * t.stride + right, rgb);
}

// A system colour as the surface stores it: 0x00RRGGBB.
std::uint32_t surface_color(int index) {
  const COLORREF c = system_color(index);
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

void paint_bar(HWND wnd, const StatusBar& bar) {
  PixelView view;
  if (!child_surface_view(wnd, &view) || view.width <= 0 || view.height <= 0) return;
  const native::PixelTarget t{reinterpret_cast<std::uint32_t*>(view.bits), view.width, view.height,
                              view.stride / 4};
  const std::uint32_t face = surface_color(COLOR_BTNFACE);
  const std::uint32_t shadow = surface_color(COLOR_BTNSHADOW);
  const std::uint32_t highlight = surface_color(COLOR_BTNHIGHLIGHT);
  const std::uint32_t text = surface_color(COLOR_BTNTEXT);
  fill(t, 0, 0, t.width, t.height, face);
  fill(t, 0, 0, t.width, 1, shadow);

  const int line = native::ui_font_height();
  const int text_top = line > 0 ? (t.height - line + 1) / 2 : 0;
  int left = 0;
  for (std::size_t part = 0; part < bar.edges.size(); ++part) {
    const int edge = bar.edges[part];
    const int right = edge < 0 ? t.width : std::max(edge, left);
    if (edge >= 0 && right < t.width) {
      // A sunken groove between this part and the next.
      fill(t, right - 2, 3, right - 1, t.height - 2, shadow);
      fill(t, right - 1, 3, right, t.height - 2, highlight);
    }
    if (part < bar.texts.size() && !bar.texts[part].empty())
      native::draw_ui_text(t, native::ClipBox{left + 2, 1, right - kTextEndGap, t.height},
                           left + kTextInset, text_top, cp1252_to_utf8(bar.texts[part].c_str()),
                           text);
    left = right;
  }
  child_surface_changed(wnd);
}

LRESULT set_parts(HWND wnd, StatusBar& bar, WPARAM count, const int* edges) {
  // NOTE: a count of 0 (or above 256) is refused and the parts stay as they were: a bar
  // always has at least one part.
  if (count == 0 || count > kMaxParts || !edges) return FALSE;
  bar.edges.assign(edges, edges + count);
  if (bar.texts.size() < count) {
    bar.texts.resize(count);
    bar.types.resize(count, 0);
  }
  InvalidateRect(wnd, nullptr, FALSE);
  return TRUE;
}

LRESULT get_parts(const StatusBar& bar, WPARAM wanted, int* edges) {
  if (edges) std::copy_n(bar.edges.begin(), std::min<std::size_t>(wanted, bar.edges.size()), edges);
  return static_cast<LRESULT>(bar.edges.size());
}

LRESULT get_text(const StatusBar& bar, WPARAM part, char* out) {
  if (part >= bar.texts.size()) return 0;
  const std::string& text = bar.texts[part];
  if (out) std::memcpy(out, text.c_str(), text.size() + 1);
  return MAKELPARAM(static_cast<int>(std::min<std::size_t>(text.size(), 0xFFFF)), bar.types[part]);
}

LRESULT CALLBACK status_proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto found = bars.find(wnd);
  if (msg == WM_CREATE) {
    StatusBar& bar = bars[wnd];
    const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    set_part_text(bar, 0, cs ? cs->lpszName : nullptr, 0);
    return 0;
  }
  if (found == bars.end()) return DefWindowProcA(wnd, msg, wParam, lParam);
  StatusBar& bar = found->second;
  switch (msg) {
  case SB_SETPARTS: return set_parts(wnd, bar, wParam, reinterpret_cast<const int*>(lParam));
  case SB_GETPARTS: return get_parts(bar, wParam, reinterpret_cast<int*>(lParam));
  case SB_SETTEXTA: {
    WPARAM part = wParam & 0xFF;
    if (part == kSimplePart) part = 0; // NOTE: there is no simple mode; its text goes to part 0
    set_part_text(bar, part, reinterpret_cast<LPCSTR>(lParam), static_cast<WORD>(wParam & 0xFF00));
    InvalidateRect(wnd, nullptr, FALSE);
    return TRUE;
  }
  case SB_GETTEXTA: return get_text(bar, wParam & 0xFF, reinterpret_cast<char*>(lParam));
  case WM_SETTEXT:
    set_part_text(bar, 0, reinterpret_cast<LPCSTR>(lParam), bar.types[0]);
    InvalidateRect(wnd, nullptr, FALSE);
    return DefWindowProcA(wnd, msg, wParam, lParam);
  case WM_SIZE: {
    // The bar follows its parent: full width, at the bottom.
    const RECT r = bar_rect(GetParent(wnd));
    MoveWindow(wnd, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    return 0;
  }
  case WM_PAINT: {
    PAINTSTRUCT ps;
    BeginPaint(wnd, &ps);
    paint_bar(wnd, bar);
    EndPaint(wnd, &ps);
    return 0;
  }
  case WM_NCDESTROY: bars.erase(found); return 0;
  default: return DefWindowProcA(wnd, msg, wParam, lParam);
  }
}

bool register_status_class() {
  static bool registered = false;
  if (registered) return true;
  WNDCLASSA wc{};
  wc.lpfnWndProc = status_proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = kStatusClass;
  registered = RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  return registered;
}

} // namespace

} // namespace orvex::platform

using namespace orvex::platform;

// A status bar child window along the bottom of the parent's client area, as wide as it and
// as high as its font needs, showing the text in its one part; 0 on failure.
HWND CreateStatusWindowA(LONG style, LPCSTR text, HWND parent, UINT id) {
  if (!window_exists(parent)) return SetLastError(ERROR_INVALID_WINDOW_HANDLE), 0;
  if (!register_status_class()) return 0;
  const RECT r = bar_rect(parent);
  return CreateWindowExA(0, kStatusClass, text, static_cast<DWORD>(style) | WS_CHILD, r.left, r.top,
                         r.right - r.left, r.bottom - r.top, parent, static_cast<HMENU>(id),
                         GetModuleHandleA(nullptr), nullptr);
}
