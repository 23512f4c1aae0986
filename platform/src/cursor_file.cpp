#include "cursor_file.h"

#include "bmp_decode.h"

#include <algorithm>
#include <cstdlib>
#include <new>

namespace orvex::platform {

namespace {

constexpr std::size_t kDirectorySize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr int kMaxSide = 256; // the directory cannot describe larger pictures
constexpr int kPreferredSide = 32;

std::uint16_t le16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t le32(const std::uint8_t* p) {
  return p[0] | (static_cast<std::uint32_t>(p[1]) << 8) | (static_cast<std::uint32_t>(p[2]) << 16) |
         (static_cast<std::uint32_t>(p[3]) << 24);
}

struct Candidate {
  const std::uint8_t* image; // the entry's bytes: a BMP information header onwards
  std::size_t size;
  DibHeader header; // the header's height counts the colour rows and the mask rows
  int hot_x, hot_y; // from the directory (cursors only)
};

bool is_png(const std::uint8_t* p, std::size_t n) {
  return n >= 4 && p[0] == 0x89 && p[1] == 'P' && p[2] == 'N' && p[3] == 'G';
}

std::optional<CursorImage> decode_entry(const Candidate& c, bool cursor) {
  const DibHeader& h = c.header;
  const int height = h.height / 2;
  const std::uint64_t table_pos = h.header_size + h.masks_after;
  const std::uint64_t xor_pos =
      table_pos + static_cast<std::uint64_t>(h.table_entries) * h.table_entry_size;
  const std::uint64_t xor_bytes =
      static_cast<std::uint64_t>(h.stride) * static_cast<std::uint64_t>(height);
  const std::size_t mask_stride = *dib_stride(h.width, 1);
  const std::uint64_t and_pos = xor_pos + xor_bytes;
  const std::uint64_t and_bytes =
      static_cast<std::uint64_t>(mask_stride) * static_cast<std::uint64_t>(height);
  if (xor_pos + xor_bytes > c.size) return std::nullopt;
  const bool has_mask = and_pos + and_bytes <= c.size;
  // A 32-bit picture may carry its transparency in alpha alone; the others need the mask.
  if (!has_mask && h.bpp != 32) return std::nullopt;

  std::vector<RGBQUAD> colors(h.kept_colors());
  for (std::size_t i = 0; i < colors.size(); ++i) {
    const std::uint8_t* q = c.image + table_pos + i * h.table_entry_size;
    colors[i] = {q[0], q[1], q[2], 0};
  }
  const PixelFormat format{h.bpp, h.masks, colors.data(), colors.size()};
  const std::uint8_t* xor_bits = c.image + xor_pos;
  const std::uint8_t* and_bits = has_mask ? c.image + and_pos : nullptr;

  bool alpha_channel = false;
  if (h.bpp == 32 && !h.bitfields)
    for (std::uint64_t i = 0; i < xor_bytes && !alpha_channel; i += 4)
      alpha_channel = xor_bits[i + 3] != 0;

  CursorImage out;
  out.width = h.width;
  out.height = height;
  try {
    out.argb.resize(static_cast<std::size_t>(h.width) * static_cast<std::size_t>(height));
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  for (int y = 0; y < height; ++y) {
    const std::size_t stored_row = static_cast<std::size_t>(height - 1 - y); // rows are bottom-up
    const std::uint8_t* row = xor_bits + stored_row * h.stride;
    const std::uint8_t* mask_row = and_bits ? and_bits + stored_row * mask_stride : nullptr;
    for (int x = 0; x < h.width; ++x) {
      std::uint32_t rgb = read_rgb(format, row, x);
      std::uint32_t pixel;
      if (alpha_channel) {
        pixel = (read_raw(row, x, 32) & 0xFF000000u) | rgb;
      } else if (mask_row && read_raw(mask_row, x, 1)) {
        pixel = rgb ? 0xFF000000u : 0; // invert pixels become black, the rest transparent
      } else {
        pixel = 0xFF000000u | rgb;
      }
      out.argb[static_cast<std::size_t>(y) * static_cast<std::size_t>(h.width) +
               static_cast<std::size_t>(x)] = pixel;
    }
  }
  if (cursor) {
    out.hot_x = std::clamp(c.hot_x, 0, out.width - 1);
    out.hot_y = std::clamp(c.hot_y, 0, out.height - 1);
  } else {
    out.hot_x = out.width / 2;
    out.hot_y = out.height / 2;
  }
  return out;
}

} // namespace

std::optional<CursorImage> decode_cursor_file(const std::uint8_t* data, std::size_t size) {
  if (!data || size < kDirectorySize) return std::nullopt;
  const std::uint16_t type = le16(data + 2);
  const std::uint16_t count = le16(data + 4);
  if (le16(data) != 0 || (type != 1 && type != 2) || count == 0) return std::nullopt;
  if (kDirectorySize + static_cast<std::size_t>(count) * kEntrySize > size) return std::nullopt;
  const bool cursor = type == 2;

  std::vector<Candidate> candidates;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* e = data + kDirectorySize + i * kEntrySize;
    const std::uint64_t bytes = le32(e + 8), offset = le32(e + 12);
    if (offset + bytes > size || is_png(data + offset, static_cast<std::size_t>(bytes))) continue;
    std::optional<DibHeader> header =
        parse_dib_header(data + offset, static_cast<std::size_t>(bytes));
    if (!header || header->header_size < 40 || header->top_down || header->height % 2 != 0 ||
        header->width > kMaxSide || header->height / 2 > kMaxSide ||
        (header->compression != BI_RGB && header->compression != BI_BITFIELDS))
      continue;
    candidates.push_back(
        {data + offset, static_cast<std::size_t>(bytes), *header, le16(e + 4), le16(e + 6)});
  }
  auto distance = [](const Candidate& c) {
    return std::abs(c.header.width - kPreferredSide) +
           std::abs(c.header.height / 2 - kPreferredSide);
  };
  std::stable_sort(candidates.begin(), candidates.end(),
                   [&](const Candidate& a, const Candidate& b) {
                     if (distance(a) != distance(b)) return distance(a) < distance(b);
                     return a.header.bpp > b.header.bpp;
                   });
  for (const Candidate& c : candidates)
    if (std::optional<CursorImage> image = decode_entry(c, cursor)) return image;
  return std::nullopt;
}

} // namespace orvex::platform
