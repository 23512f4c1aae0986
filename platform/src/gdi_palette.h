// Logical palettes. This layer draws in true colour, so a palette only records its entries:
// selecting and realising one changes no pixel.
#pragma once

#include <platform/win32.h>

#include <vector>

namespace orvex::platform {

struct Palette {
  std::vector<PALETTEENTRY> entries;
  bool stock = false; // DEFAULT_PALETTE; never deleted
};

// The palette behind a live handle, else null.
Palette* lookup_palette(HPALETTE palette);

// The stock DEFAULT_PALETTE of 20 system colours, which every DC starts with.
HPALETTE default_palette();

// DeleteObject for a palette; the stock palette is kept and the call succeeds.
// NOTE: a palette still selected into a DC may be deleted; that DC then uses the default one.
BOOL delete_palette(HPALETTE palette);

// GetObjectA for a palette: writes the entry count as a WORD and returns its size.
int palette_object(HPALETTE palette, int size, void* out);

// The number of live palettes, the stock one not counted.
std::size_t live_palettes();

} // namespace orvex::platform
