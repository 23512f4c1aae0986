#include "unit/support/bmp_builder.h"

#include <cstdio>

namespace orvex::test {

namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

} // namespace

std::vector<std::uint8_t> build_bmp(const BmpLayout& layout) {
  std::vector<std::uint8_t> header;
  put32(header, layout.header_size);
  if (layout.header_size == 12) {
    put16(header, static_cast<std::uint32_t>(layout.width));
    put16(header, static_cast<std::uint32_t>(layout.height));
    put16(header, 1);
    put16(header, layout.bpp);
  } else {
    put32(header, static_cast<std::uint32_t>(layout.width));
    put32(header, static_cast<std::uint32_t>(layout.height));
    put16(header, 1);
    put16(header, layout.bpp);
    put32(header, layout.compression);
    put32(header, layout.size_image);
    put32(header, 2835);
    put32(header, 2835);
    put32(header, layout.clr_used.value_or(0));
    put32(header, 0);
    // Longer headers carry the masks inside; a 40-byte one has them after it.
    const bool masks_inside = layout.header_size >= 52;
    if (masks_inside || layout.compression == BI_BITFIELDS)
      for (std::uint32_t m : layout.masks) put32(header, m);
    while (header.size() < layout.header_size && masks_inside) header.push_back(0);
  }
  std::vector<std::uint8_t> table;
  for (const RGBQUAD& c : layout.colors) {
    table.push_back(c.rgbBlue);
    table.push_back(c.rgbGreen);
    table.push_back(c.rgbRed);
    if (layout.header_size != 12) table.push_back(c.rgbReserved);
  }
  const std::uint32_t natural_offset =
      static_cast<std::uint32_t>(14 + header.size() + table.size());
  const std::uint32_t offset = layout.pixel_offset.value_or(natural_offset);

  std::vector<std::uint8_t> file;
  file.push_back('B');
  file.push_back('M');
  put32(file, static_cast<std::uint32_t>(natural_offset + layout.pixels.size()));
  put16(file, 0);
  put16(file, 0);
  put32(file, offset);
  file.insert(file.end(), header.begin(), header.end());
  file.insert(file.end(), table.begin(), table.end());
  while (file.size() < offset && offset <= natural_offset + 64) file.push_back(0);
  file.insert(file.end(), layout.pixels.begin(), layout.pixels.end());
  return file;
}

std::vector<std::uint8_t> pack_rows(const std::vector<std::vector<std::uint32_t>>& rows, int bpp) {
  std::vector<std::uint8_t> out;
  for (const auto& row : rows) {
    std::vector<std::uint8_t> bytes;
    std::uint32_t acc = 0;
    int bits = 0;
    for (std::uint32_t v : row) {
      if (bpp < 8) {
        acc = (acc << bpp) | (v & ((1u << bpp) - 1));
        bits += bpp;
        if (bits == 8) {
          bytes.push_back(static_cast<std::uint8_t>(acc));
          acc = 0;
          bits = 0;
        }
      } else {
        for (int i = 0; i < bpp / 8; ++i) bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
      }
    }
    if (bits > 0) bytes.push_back(static_cast<std::uint8_t>(acc << (8 - bits)));
    while (bytes.size() % 4) bytes.push_back(0);
    out.insert(out.end(), bytes.begin(), bytes.end());
  }
  return out;
}

std::string hex(const std::vector<std::uint8_t>& bytes) {
  std::string out;
  char buf[4];
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(buf, sizeof buf, "%02X", bytes[i]);
    if (i) out += (i % 16 == 0) ? "\n  " : " ";
    out += buf;
  }
  return "[" + out + "]";
}

} // namespace orvex::test
