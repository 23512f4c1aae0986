#include "bmp_decode.h"

#include <algorithm>
#include <climits>
#include <new>

namespace orvex::platform {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;

// Run-length data may describe more pixels than it has bytes, but not without bound: a
// small file must not be able to ask for a huge pixel array. Real encoders stay far below
// 256 decoded bytes per encoded byte; images up to the floor are always accepted.
constexpr std::uint64_t kRleRatio = 256;
constexpr std::uint64_t kRleFloor = 4ull << 20;

std::uint16_t le16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t le32(const std::uint8_t* p) {
  return p[0] | (static_cast<std::uint32_t>(p[1]) << 8) | (static_cast<std::uint32_t>(p[2]) << 16) |
         (static_cast<std::uint32_t>(p[3]) << 24);
}

bool known_info_size(std::uint32_t size) {
  return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

bool known_depth(int bpp) {
  return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
}

} // namespace

std::optional<DibHeader> parse_dib_header(const std::uint8_t* data, std::size_t size) {
  if (!data || size < 4) return std::nullopt;
  DibHeader h;
  h.header_size = le32(data);
  std::uint32_t colors_used = 0;
  std::int64_t width = 0, height = 0;
  if (h.header_size == kCoreHeaderSize) {
    if (size < kCoreHeaderSize) return std::nullopt;
    width = le16(data + 4);
    height = le16(data + 6);
    h.bpp = le16(data + 10);
    if (h.bpp != 1 && h.bpp != 4 && h.bpp != 8 && h.bpp != 24) return std::nullopt;
    h.table_entry_size = 3;
  } else {
    if (!known_info_size(h.header_size) || size < h.header_size) return std::nullopt;
    width = static_cast<std::int32_t>(le32(data + 4));
    std::int32_t raw_height = static_cast<std::int32_t>(le32(data + 8));
    if (raw_height == INT_MIN) return std::nullopt;
    h.top_down = raw_height < 0;
    height = raw_height < 0 ? -static_cast<std::int64_t>(raw_height) : raw_height;
    h.bpp = le16(data + 14);
    h.compression = le32(data + 16);
    h.size_image = le32(data + 20);
    colors_used = le32(data + 32);
  }
  if (width <= 0 || height <= 0 || !known_depth(h.bpp)) return std::nullopt;
  h.width = static_cast<int>(width);
  h.height = static_cast<int>(height);

  switch (h.compression) {
  case BI_RGB: break;
  case BI_RLE8:
    if (h.bpp != 8 || h.top_down) return std::nullopt;
    break;
  case BI_RLE4:
    if (h.bpp != 4 || h.top_down) return std::nullopt;
    break;
  case BI_BITFIELDS:
    if (h.bpp != 16 && h.bpp != 32) return std::nullopt;
    h.bitfields = true;
    break;
  default: return std::nullopt;
  }

  h.masks = default_masks(h.bpp);
  if (h.bitfields) {
    const std::uint8_t* m = data + 40;
    if (h.header_size == 40) {
      h.masks_after = 12;
      if (size < 40 + 12) return std::nullopt;
    }
    h.masks = {le32(m), le32(m + 4), le32(m + 8)};
    if (!valid_masks(h.masks, h.bpp)) return std::nullopt;
  }

  const std::uint32_t depth_colors = h.bpp <= 8 ? (1u << h.bpp) : 256u;
  if (colors_used > depth_colors) return std::nullopt;
  h.table_entries = h.bpp <= 8 ? (colors_used ? colors_used : depth_colors) : colors_used;

  std::optional<std::size_t> stride = dib_stride(h.width, h.bpp);
  if (!stride) return std::nullopt;
  h.stride = *stride;
  h.image_bytes = static_cast<std::uint64_t>(h.stride) * static_cast<std::uint64_t>(h.height);
  if (h.image_bytes > kMaxDibBytes) return std::nullopt;
  return h;
}

bool expand_rle(const std::uint8_t* data, std::size_t size, const DibHeader& h, std::uint8_t* out) {
  const int bpp = h.compression == BI_RLE8 ? 8 : 4;
  std::size_t pos = 0;
  int x = 0, y = 0; // y counts rows from the bottom, as the data stores them
  auto row = [&](int r) { return out + static_cast<std::size_t>(r) * h.stride; };
  while (pos + 2 <= size) {
    const std::uint32_t count = data[pos], value = data[pos + 1];
    pos += 2;
    if (count > 0) { // a run of one value (RLE4: two alternating nibbles)
      if (y >= h.height || static_cast<std::int64_t>(x) + count > h.width) return false;
      for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t v = bpp == 8 ? value : ((i & 1) ? (value & 0x0F) : (value >> 4));
        write_raw(row(y), x++, bpp, v);
      }
      continue;
    }
    switch (value) {
    case 0: // end of line
      x = 0;
      y = std::min(y + 1, h.height);
      break;
    case 1: // end of bitmap
      return true;
    case 2: { // delta: move right and up
      if (pos + 2 > size) return false;
      x += data[pos];
      y += data[pos + 1];
      pos += 2;
      if (x > h.width || y >= h.height) return false;
      break;
    }
    default: { // absolute: `value` literal pixels, padded to a 16-bit boundary
      const std::size_t bytes = bpp == 8 ? value : (value + 1) / 2;
      const std::size_t padded = (bytes + 1) & ~std::size_t{1};
      if (pos + bytes > size) return false;
      if (y >= h.height || static_cast<std::int64_t>(x) + value > h.width) return false;
      for (std::uint32_t i = 0; i < value; ++i) {
        std::uint32_t v = bpp == 8
                              ? data[pos + i]
                              : ((i & 1) ? (data[pos + i / 2] & 0x0F) : (data[pos + i / 2] >> 4));
        write_raw(row(y), x++, bpp, v);
      }
      pos = std::min(pos + padded, size);
      break;
    }
    }
  }
  // Data ran out without an end-of-bitmap: complete only when every row was ended.
  return y >= h.height;
}

std::optional<DecodedBmp> decode_bmp(const std::uint8_t* data, std::size_t size) {
  if (!data || size < kFileHeaderSize + 4 || data[0] != 'B' || data[1] != 'M') return std::nullopt;
  const std::uint32_t pixel_offset = le32(data + 10);
  std::optional<DibHeader> header =
      parse_dib_header(data + kFileHeaderSize, size - kFileHeaderSize);
  if (!header) return std::nullopt;
  const DibHeader& h = *header;

  const std::uint64_t table_pos =
      kFileHeaderSize + static_cast<std::uint64_t>(h.header_size) + h.masks_after;
  const std::uint64_t table_end =
      table_pos + static_cast<std::uint64_t>(h.table_entries) * h.table_entry_size;
  if (table_end > size) return std::nullopt;
  // NOTE: a pixel offset of 0, which some writers leave, means "right after the colour table".
  const std::uint64_t pixels_pos = pixel_offset ? pixel_offset : table_end;
  if (pixels_pos < table_pos || pixels_pos > size) return std::nullopt;
  const std::uint8_t* pixels = data + pixels_pos;
  const std::size_t available = size - static_cast<std::size_t>(pixels_pos);

  const bool rle = h.compression == BI_RLE8 || h.compression == BI_RLE4;
  std::size_t rle_size = available;
  if (rle) {
    if (h.size_image != 0) rle_size = std::min<std::size_t>(rle_size, h.size_image);
    if (h.image_bytes > std::max(kRleFloor, kRleRatio * rle_size)) return std::nullopt;
  } else {
    const std::uint64_t last_row =
        (static_cast<std::uint64_t>(h.width) * static_cast<std::uint64_t>(h.bpp) + 7) / 8;
    const std::uint64_t needed =
        static_cast<std::uint64_t>(h.stride) * static_cast<std::uint64_t>(h.height - 1) + last_row;
    if (needed > available) return std::nullopt;
  }

  DecodedBmp out;
  out.width = h.width;
  out.height = h.height;
  out.bpp = h.bpp;
  out.stride = h.stride;
  out.bitfields = h.bitfields;
  out.masks = h.masks;
  out.file_top_down = h.top_down;
  try {
    out.colors.resize(h.kept_colors());
    // Run-length data expands into zeroed rows; plain rows are copied in once, below.
    if (rle)
      out.pixels.assign(static_cast<std::size_t>(h.image_bytes), 0);
    else
      out.pixels.reserve(static_cast<std::size_t>(h.image_bytes));
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  for (std::size_t i = 0; i < out.colors.size(); ++i) {
    const std::uint8_t* c = data + table_pos + i * h.table_entry_size;
    out.colors[i] = {c[0], c[1], c[2], h.table_entry_size == 4 ? c[3] : std::uint8_t{0}};
  }

  if (rle) {
    if (!expand_rle(pixels, rle_size, h, out.pixels.data())) return std::nullopt;
    return out;
  }
  for (int row = 0; row < h.height; ++row) {
    const int y = h.top_down ? h.height - 1 - row : row; // the file's row for this bitmap row
    const std::size_t src_offset = static_cast<std::size_t>(y) * h.stride;
    const std::size_t bytes = std::min(h.stride, available - src_offset);
    out.pixels.insert(out.pixels.end(), pixels + src_offset, pixels + src_offset + bytes);
    // Zeros for the padding a file may leave off after its last row.
    out.pixels.resize(out.pixels.size() + (h.stride - bytes));
  }
  return out;
}

} // namespace orvex::platform
