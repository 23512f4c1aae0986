// Writes BMP files in memory for the decoder and loader tests: any header variant, depth,
// compression, colour table and pixel array, including deliberately inconsistent ones.
#pragma once

#include <platform/win32.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvex::test {

struct BmpLayout {
  std::uint32_t header_size = 40; // 12, 40, 52, 56, 108 or 124
  std::int32_t width = 1;
  std::int32_t height = 1; // negative: rows stored top row first
  std::uint16_t bpp = 24;
  std::uint32_t compression = BI_RGB;
  std::vector<RGBQUAD> colors;               // the colour table as stored
  std::optional<std::uint32_t> clr_used;     // biClrUsed; default: 0
  std::array<std::uint32_t, 3> masks{};      // written for BI_BITFIELDS (after a 40-byte header)
  std::vector<std::uint8_t> pixels;          // the pixel array exactly as stored
  std::optional<std::uint32_t> pixel_offset; // bfOffBits; default: right after the table
  std::uint32_t size_image = 0;
};

// The file's bytes.
std::vector<std::uint8_t> build_bmp(const BmpLayout& layout);

// Packs rows of raw pixel values (colour indices, or little-endian pixel values) into
// rows of the given depth padded to 4 bytes, in the order given.
std::vector<std::uint8_t> pack_rows(const std::vector<std::vector<std::uint32_t>>& rows, int bpp);

// A readable dump of bytes for failure messages.
std::string hex(const std::vector<std::uint8_t>& bytes);

} // namespace orvex::test
