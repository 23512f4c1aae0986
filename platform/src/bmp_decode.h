// BMP files to device-independent bitmaps. A pure decoder over a byte buffer: it reads
// nothing outside the buffer, and allocates only sizes it has checked against the data the
// file actually holds. Every malformed input yields an empty result.
#pragma once

#include "dib_pixels.h"

#include <platform/win32.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace orvex::platform {

// The largest pixel array a decoded or created bitmap may have.
constexpr std::uint64_t kMaxDibBytes = 1ull << 30;

// What an information header (12-byte core, or 40, 52, 56, 108, 124 bytes) says about the
// pixels that follow it.
struct DibHeader {
  std::uint32_t header_size = 0;
  int width = 0;
  int height = 0;        // always positive
  bool top_down = false; // a negative height in the header
  int bpp = 0;
  std::uint32_t compression = BI_RGB;
  bool bitfields = false;
  ChannelMasks masks;              // 16 and 32 bits: the header's or the default ones
  std::size_t masks_after = 0;     // bytes of masks between header and colour table
  std::uint32_t table_entries = 0; // colour-table entries stored in the data
  std::size_t table_entry_size = 4;
  std::uint32_t size_image = 0;  // biSizeImage as stored
  std::size_t stride = 0;        // bytes per row, padded to 4
  std::uint64_t image_bytes = 0; // stride x height: the decoded pixel array

  // The entries the bitmap keeps: the stored table for 1 to 8 bits, none for deeper ones.
  std::uint32_t kept_colors() const { return bpp <= 8 ? table_entries : 0; }
};

// Parses and validates a header of at most `size` bytes; empty when it is malformed or
// describes something this layer does not hold (a depth other than 1/4/8/16/24/32, an
// unknown compression, run-length coding of a top-down image, a colour count above the
// depth's range or 256, an image above kMaxDibBytes).
std::optional<DibHeader> parse_dib_header(const std::uint8_t* data, std::size_t size);

// A decoded image: the file's depth and colour table, rows bottom-up padded to 4 bytes.
struct DecodedBmp {
  int width = 0;
  int height = 0;
  int bpp = 0;
  std::size_t stride = 0;
  bool bitfields = false;
  ChannelMasks masks;
  std::vector<RGBQUAD> colors;
  std::vector<std::uint8_t> pixels;
  bool file_top_down = false; // the file stored its top row first (now flipped)
};

// Decodes a whole BMP file (14-byte file header first).
// A pixel array that ends before the last pixel of the last row is a failure; only the
// padding after the last row may be missing. Run-length data that would write outside a
// row or the image, or that ends before its last row, is a failure too.
std::optional<DecodedBmp> decode_bmp(const std::uint8_t* data, std::size_t size);

// Expands run-length pixel data (BI_RLE8 or BI_RLE4) into zero-filled bottom-up rows.
bool expand_rle(const std::uint8_t* data, std::size_t size, const DibHeader& header,
                std::uint8_t* out);

} // namespace orvex::platform
