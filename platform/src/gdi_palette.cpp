// Palettes: CreatePalette, CreateHalftonePalette, SelectPalette, RealizePalette and
// GetPaletteEntries.
#include "gdi_palette.h"

#include "gdi_dc.h"
#include "handles.h"

#include <algorithm>
#include <memory>

namespace orvex::platform {

namespace {

using PaletteTable = HandleTable<Palette, HandleKind::Palette>;

PaletteTable& palettes() {
  static PaletteTable table;
  return table;
}

// The largest logical palette accepted.
constexpr WORD kMaxEntries = 1024;

// The 20 colours every palette device reserves: 10 at the start, 10 at the end.
constexpr PALETTEENTRY kStaticLow[10] = {
    {0, 0, 0, 0},     {128, 0, 0, 0},   {0, 128, 0, 0},     {128, 128, 0, 0},   {0, 0, 128, 0},
    {128, 0, 128, 0}, {0, 128, 128, 0}, {192, 192, 192, 0}, {192, 220, 192, 0}, {166, 202, 240, 0},
};
constexpr PALETTEENTRY kStaticHigh[10] = {
    {255, 251, 240, 0}, {160, 160, 164, 0}, {128, 128, 128, 0}, {255, 0, 0, 0},
    {0, 255, 0, 0},     {255, 255, 0, 0},   {0, 0, 255, 0},     {255, 0, 255, 0},
    {0, 255, 255, 0},   {255, 255, 255, 0},
};

HPALETTE add_palette(std::unique_ptr<Palette> palette) {
  HPALETTE handle = palettes().add(std::move(palette));
  if (!handle) SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return handle;
}

// The palette a DC uses: its own if still alive, else the default.
HPALETTE effective_palette(const DeviceContext& dc) {
  return dc.palette && lookup_palette(dc.palette) ? dc.palette : default_palette();
}

} // namespace

Palette* lookup_palette(HPALETTE palette) {
  return palettes().get(palette);
}

HPALETTE default_palette() {
  static HPALETTE handle = [] {
    auto palette = std::make_unique<Palette>();
    palette->entries.assign(std::begin(kStaticLow), std::end(kStaticLow));
    palette->entries.insert(palette->entries.end(), std::begin(kStaticHigh), std::end(kStaticHigh));
    palette->stock = true;
    return palettes().add(std::move(palette));
  }();
  return handle;
}

BOOL delete_palette(HPALETTE handle) {
  Palette* palette = lookup_palette(handle);
  if (!palette) return SetLastError(ERROR_INVALID_HANDLE), FALSE;
  if (!palette->stock) palettes().remove(handle);
  return TRUE;
}

std::size_t live_palettes() {
  std::size_t count = 0;
  palettes().for_each([&](HPALETTE, const Palette& palette) { count += palette.stock ? 0 : 1; });
  return count;
}

int palette_object(HPALETTE handle, int size, void* out) {
  Palette* palette = lookup_palette(handle);
  if (!palette) return SetLastError(ERROR_INVALID_HANDLE), 0;
  if (!out) return static_cast<int>(sizeof(WORD));
  if (size < static_cast<int>(sizeof(WORD))) return SetLastError(ERROR_INVALID_PARAMETER), 0;
  *static_cast<WORD*>(out) = static_cast<WORD>(palette->entries.size());
  return static_cast<int>(sizeof(WORD));
}

} // namespace orvex::platform

using namespace orvex::platform;

// A palette of the given entries (version 0x300, 1 to 1024 of them); 0 on failure.
HPALETTE CreatePalette(const LOGPALETTE* logical) {
  if (!logical || logical->palVersion != 0x300 || logical->palNumEntries == 0 ||
      logical->palNumEntries > kMaxEntries)
    return SetLastError(ERROR_INVALID_PARAMETER), 0;
  auto palette = std::make_unique<Palette>();
  palette->entries.assign(logical->palPalEntry, logical->palPalEntry + logical->palNumEntries);
  return add_palette(std::move(palette));
}

// A 256-entry palette: the 20 static colours at both ends, a 6 x 6 x 6 colour cube and a
// ramp of 20 greys between them. dc may be 0 or any live DC.
HPALETTE CreateHalftonePalette(HDC dc) {
  if (dc && !lookup_dc(dc)) return SetLastError(ERROR_INVALID_HANDLE), 0;
  auto palette = std::make_unique<Palette>();
  std::vector<PALETTEENTRY>& e = palette->entries;
  e.assign(std::begin(kStaticLow), std::end(kStaticLow));
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b)
        e.push_back(
            {static_cast<BYTE>(51 * r), static_cast<BYTE>(51 * g), static_cast<BYTE>(51 * b), 0});
  // Greys strictly between the cube's levels, evenly spread over 1/21 .. 20/21.
  for (int i = 1; i <= 20; ++i) {
    BYTE v = static_cast<BYTE>((i * 255 + 10) / 21);
    e.push_back({v, v, v, 0});
  }
  e.insert(e.end(), std::begin(kStaticHigh), std::end(kStaticHigh));
  return add_palette(std::move(palette));
}

// Selects a palette into a DC and returns the previous one (DEFAULT_PALETTE at first).
HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL) {
  DeviceContext* context = lookup_dc(dc);
  Palette* chosen = lookup_palette(palette);
  if (!context || !chosen) return SetLastError(ERROR_INVALID_HANDLE), 0;
  HPALETTE previous = effective_palette(*context);
  context->palette = chosen->stock ? 0 : palette;
  return previous;
}

// Realises the DC's palette; returns the number of its entries mapped.
// NOTE: on this true-colour layer every entry of a logical palette maps to itself, so the
// count is the palette's size; the default palette is always realised and counts 0.
UINT RealizePalette(HDC dc) {
  DeviceContext* context = lookup_dc(dc);
  if (!context) return SetLastError(ERROR_INVALID_HANDLE), GDI_ERROR;
  Palette* palette = lookup_palette(effective_palette(*context));
  return palette && !palette->stock ? static_cast<UINT>(palette->entries.size()) : 0;
}

// Copies entries from start on; with entries null returns the palette's size.
UINT GetPaletteEntries(HPALETTE handle, UINT start, UINT count, PALETTEENTRY* entries) {
  Palette* palette = lookup_palette(handle);
  if (!palette) return SetLastError(ERROR_INVALID_HANDLE), 0;
  if (!entries) return static_cast<UINT>(palette->entries.size());
  if (start >= palette->entries.size()) return 0;
  const std::size_t n = std::min<std::size_t>(count, palette->entries.size() - start);
  std::copy_n(palette->entries.begin() + start, n, entries);
  return static_cast<UINT>(n);
}
