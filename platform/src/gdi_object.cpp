// Brushes and stock objects, system colours, and DeleteObject and GetObjectA, which hand each
// handle to the file of its kind.
#include "gdi_object.h"

#include "gdi_bitmap.h"
#include "gdi_dc.h"
#include "gdi_palette.h"
#include "gdi_region.h"
#include "handles.h"

#include <array>
#include <memory>

namespace orvex::platform {

namespace {

struct Brush {
  COLORREF color = 0;
  bool hollow = false;
  bool system = false; // stock and system-colour brushes are never deleted
};

using BrushTable = HandleTable<Brush, HandleKind::Brush>;

BrushTable& brushes() {
  static BrushTable table;
  return table;
}

// System colours of a light desktop theme, indexed by COLOR_SCROLLBAR .. COLOR_MENUBAR.
constexpr std::array<COLORREF, 31> kSystemColors = {
    RGB(200, 200, 200), // COLOR_SCROLLBAR
    RGB(0, 0, 0),       // COLOR_BACKGROUND
    RGB(153, 180, 209), // COLOR_ACTIVECAPTION
    RGB(191, 205, 219), // COLOR_INACTIVECAPTION
    RGB(240, 240, 240), // COLOR_MENU
    RGB(255, 255, 255), // COLOR_WINDOW
    RGB(100, 100, 100), // COLOR_WINDOWFRAME
    RGB(0, 0, 0),       // COLOR_MENUTEXT
    RGB(0, 0, 0),       // COLOR_WINDOWTEXT
    RGB(0, 0, 0),       // COLOR_CAPTIONTEXT
    RGB(180, 180, 180), // COLOR_ACTIVEBORDER
    RGB(244, 247, 252), // COLOR_INACTIVEBORDER
    RGB(171, 171, 171), // COLOR_APPWORKSPACE
    RGB(0, 120, 215),   // COLOR_HIGHLIGHT
    RGB(255, 255, 255), // COLOR_HIGHLIGHTTEXT
    RGB(240, 240, 240), // COLOR_BTNFACE
    RGB(160, 160, 160), // COLOR_BTNSHADOW
    RGB(109, 109, 109), // COLOR_GRAYTEXT
    RGB(0, 0, 0),       // COLOR_BTNTEXT
    RGB(0, 0, 0),       // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255), // COLOR_BTNHIGHLIGHT
    RGB(105, 105, 105), // COLOR_3DDKSHADOW
    RGB(227, 227, 227), // COLOR_3DLIGHT
    RGB(0, 0, 0),       // COLOR_INFOTEXT
    RGB(255, 255, 225), // COLOR_INFOBK
    RGB(0, 0, 0),       // (unused index 25)
    RGB(0, 102, 204),   // COLOR_HOTLIGHT
    RGB(185, 209, 234), // COLOR_GRADIENTACTIVECAPTION
    RGB(215, 228, 242), // COLOR_GRADIENTINACTIVECAPTION
    RGB(0, 120, 215),   // COLOR_MENUHILIGHT
    RGB(240, 240, 240), // COLOR_MENUBAR
};

HBRUSH system_brush(COLORREF color, bool hollow) {
  auto brush = std::make_unique<Brush>();
  brush->color = color;
  brush->hollow = hollow;
  brush->system = true;
  return brushes().add(std::move(brush));
}

BOOL delete_brush(HBRUSH handle) {
  Brush* brush = brushes().get(handle);
  if (!brush) return SetLastError(ERROR_INVALID_HANDLE), FALSE;
  if (!brush->system) brushes().remove(handle);
  return TRUE;
}

int brush_object(HBRUSH handle, int size, void* out) {
  Brush* brush = brushes().get(handle);
  if (!brush) return SetLastError(ERROR_INVALID_HANDLE), 0;
  if (!out) return static_cast<int>(sizeof(LOGBRUSH));
  if (size < static_cast<int>(sizeof(LOGBRUSH))) return SetLastError(ERROR_INVALID_PARAMETER), 0;
  LOGBRUSH record{};
  record.lbStyle = brush->hollow ? BS_NULL : BS_SOLID;
  record.lbColor = brush->hollow ? 0 : brush->color;
  *static_cast<LOGBRUSH*>(out) = record;
  return static_cast<int>(sizeof(LOGBRUSH));
}

} // namespace

std::size_t live_gdi_objects() {
  std::size_t own_brushes = 0;
  brushes().for_each([&](HBRUSH, const Brush& brush) { own_brushes += brush.system ? 0 : 1; });
  return live_bitmaps() + live_palettes() + live_regions() + live_dcs() + own_brushes;
}

COLORREF system_color(int index) {
  return index >= 0 && index < static_cast<int>(kSystemColors.size())
             ? kSystemColors[static_cast<std::size_t>(index)]
             : 0;
}

bool brush_color(HBRUSH handle, COLORREF* color) {
  Brush* brush = brushes().get(handle);
  if (!brush || brush->hollow) return false;
  if (color) *color = brush->color;
  return true;
}

} // namespace orvex::platform

using namespace orvex::platform;

// The stock brushes (WHITE_BRUSH .. NULL_BRUSH) and DEFAULT_PALETTE; 0 for anything else.
// NOTE: pens and fonts are not objects of this layer.
HGDIOBJ GetStockObject(int index) {
  static const std::array<HBRUSH, 6> stock = {
      system_brush(RGB(255, 255, 255), false), system_brush(RGB(192, 192, 192), false),
      system_brush(RGB(128, 128, 128), false), system_brush(RGB(64, 64, 64), false),
      system_brush(RGB(0, 0, 0), false),       system_brush(0, true),
  };
  if (index >= WHITE_BRUSH && index <= NULL_BRUSH) return stock[static_cast<std::size_t>(index)];
  if (index == DEFAULT_PALETTE) return default_palette();
  return SetLastError(ERROR_INVALID_PARAMETER), 0;
}

// The colour of a system colour index.
DWORD GetSysColor(int index) {
  return system_color(index);
}

// The system-owned brush of a system colour; 0 for an unknown index.
HBRUSH GetSysColorBrush(int index) {
  static std::array<HBRUSH, kSystemColors.size()> made{};
  if (index < 0 || index >= static_cast<int>(made.size()))
    return SetLastError(ERROR_INVALID_PARAMETER), 0;
  HBRUSH& brush = made[static_cast<std::size_t>(index)];
  if (!brush) brush = system_brush(system_color(index), false);
  return brush;
}

// Releases a bitmap, palette, region or brush. Stock and system objects are kept and the call
// succeeds; a bitmap still selected into a DC is not deleted and the call fails.
BOOL DeleteObject(HGDIOBJ obj) {
  switch (handle_kind(obj)) {
  case HandleKind::Bitmap: return delete_bitmap(obj);
  case HandleKind::Palette: return delete_palette(obj);
  case HandleKind::Region: return delete_region(obj);
  case HandleKind::Brush: return delete_brush(obj);
  default: return SetLastError(ERROR_INVALID_HANDLE), FALSE;
  }
}

// Describes a GDI object: BITMAP for bitmaps, the entry count (a WORD) for palettes, LOGBRUSH
// for brushes. With out null returns the size needed; 0 on failure.
int GetObjectA(HGDIOBJ obj, int size, LPVOID out) {
  switch (handle_kind(obj)) {
  case HandleKind::Bitmap: return bitmap_object(obj, size, out);
  case HandleKind::Palette: return palette_object(obj, size, out);
  case HandleKind::Brush: return brush_object(obj, size, out);
  default: return SetLastError(ERROR_INVALID_HANDLE), 0;
  }
}
