// Bitmap objects. Every bitmap of this layer is a DIB section: its pixels live in memory the
// object owns, in the depth it was made with, rows padded to 4 bytes.
#pragma once

#include "dib_pixels.h"

#include <platform/win32.h>

#include <cstdint>
#include <vector>

namespace orvex::platform {

struct Bitmap {
  int width = 0;
  int height = 0; // positive; bottom_up tells the row order in memory
  int bpp = 0;
  bool bottom_up = true;
  std::size_t stride = 0;
  bool bitfields = false;
  ChannelMasks masks; // 16 and 32 bits
  std::vector<RGBQUAD> colors;
  std::vector<std::uint8_t> pixels;
  HDC selected_into = 0; // the memory DC holding it, 0 when free
  bool stock = false;    // the default 1 x 1 bitmap of memory DCs

  PixelView view() {
    return {pixels.data(), width,     height,
            stride,        bottom_up, PixelFormat{bpp, masks, colors.data(), colors.size()}};
  }
};

// The bitmap behind a live handle, else null.
Bitmap* lookup_bitmap(HBITMAP bitmap);

// The stock 1 x 1 monochrome bitmap that a new memory DC holds; never deleted.
HBITMAP stock_bitmap();

// DeleteObject for a bitmap: fails while the bitmap is selected into a DC; stock succeeds.
BOOL delete_bitmap(HBITMAP bitmap);

// GetObjectA for a bitmap: fills a BITMAP record and returns the bytes written.
int bitmap_object(HBITMAP bitmap, int size, void* out);

// The number of live bitmaps, the stock one not counted.
std::size_t live_bitmaps();

} // namespace orvex::platform
