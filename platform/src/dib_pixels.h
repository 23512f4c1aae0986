// Pixels of device-independent bitmaps: row geometry, reading and writing one pixel in any
// of the depths 1, 4, 8, 16, 24 and 32, and copying a rectangle between two bitmaps of
// different formats. Pure functions over caller-owned memory; no handles.
#pragma once

#include <platform/win32.h>

#include <cstddef>
#include <cstdint>
#include <optional>

namespace orvex::platform {

// Colour masks of 16- and 32-bit pixels (BI_RGB defaults or BI_BITFIELDS).
struct ChannelMasks {
  std::uint32_t red = 0;
  std::uint32_t green = 0;
  std::uint32_t blue = 0;
  friend bool operator==(const ChannelMasks&, const ChannelMasks&) = default;
};

// The masks a BI_RGB bitmap of this depth implies: 5-5-5 for 16 bits, 8-8-8 for 32.
ChannelMasks default_masks(int bpp);

// True when every mask is one non-empty run of bits inside the pixel, and none overlap.
bool valid_masks(const ChannelMasks& masks, int bpp);

// Bytes in one row, padded to 4; empty when the row would not fit a 32-bit length.
std::optional<std::size_t> dib_stride(std::int64_t width, int bpp);

// How the bytes of a pixel turn into a colour.
struct PixelFormat {
  int bpp = 0;
  ChannelMasks masks;              // 16 and 32 bits
  const RGBQUAD* colors = nullptr; // 1 to 8 bits: the colour table
  std::size_t color_count = 0;     // entries in it; indices past it read as black
};

// A bitmap's pixels as rows. Row 0 is the top image row; bottom_up tells how memory is laid.
struct PixelView {
  std::uint8_t* bits = nullptr;
  int width = 0;
  int height = 0;
  std::size_t stride = 0;
  bool bottom_up = true;
  PixelFormat format;

  std::uint8_t* row(int y) const {
    std::size_t r =
        bottom_up ? static_cast<std::size_t>(height - 1 - y) : static_cast<std::size_t>(y);
    return bits + r * stride;
  }
};

// The raw value of pixel x of a row: a colour-table index for 1 to 8 bits, else the bytes
// as a little-endian number.
std::uint32_t read_raw(const std::uint8_t* row, int x, int bpp);
void write_raw(std::uint8_t* row, int x, int bpp, std::uint32_t value);

// The pixel's colour as 0x00RRGGBB.
std::uint32_t read_rgb(const PixelFormat& format, const std::uint8_t* row, int x);

// One channel value under a mask, scaled to 8 bits (narrow channels repeat their bits).
std::uint8_t expand_channel(std::uint32_t pixel, std::uint32_t mask);

// The colour-table index nearest (in RGB distance) to 0x00RRGGBB; the lowest index wins ties.
std::uint32_t nearest_color(const RGBQUAD* colors, std::size_t count, std::uint32_t rgb);

// Copies width x height pixels from src at (sx, sy) to dst at (dx, dy), converting the
// format, clipped to both bitmaps. Returns the number of pixels written.
std::size_t copy_pixels(const PixelView& dst, int dx, int dy, const PixelView& src, int sx, int sy,
                        int width, int height);

} // namespace orvex::platform
