#include "dib_pixels.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <unordered_map>

namespace orvex::platform {

namespace {

std::uint32_t rgb_of(const RGBQUAD& q) {
  return (static_cast<std::uint32_t>(q.rgbRed) << 16) |
         (static_cast<std::uint32_t>(q.rgbGreen) << 8) | q.rgbBlue;
}

// An 8-bit channel value narrowed or widened to the mask's width and put in place.
std::uint32_t compress_channel(std::uint32_t c8, std::uint32_t mask) {
  if (mask == 0) return 0;
  int bits = std::popcount(mask);
  int shift = std::countr_zero(mask);
  std::uint64_t v = 0;
  int filled = 0;
  while (filled < bits) {
    v = (v << 8) | c8;
    filled += 8;
  }
  v >>= (filled - bits);
  return static_cast<std::uint32_t>(v << shift) & mask;
}

bool is_default_32(const PixelFormat& f) {
  return f.bpp == 32 && f.masks == default_masks(32);
}

// 24 bits, or 32 with the default masks: the raw value is 0x00RRGGBB in its low three bytes.
bool plain_true_color(const PixelFormat& f) {
  return f.bpp == 24 || is_default_32(f);
}

// The raw destination value that shows 0x00RRGGBB, for depths above 8 bits.
std::uint32_t encode_direct(const PixelFormat& f, std::uint32_t rgb) {
  if (f.bpp == 24 || is_default_32(f)) return rgb & 0xFFFFFF;
  return compress_channel((rgb >> 16) & 0xFF, f.masks.red) |
         compress_channel((rgb >> 8) & 0xFF, f.masks.green) |
         compress_channel(rgb & 0xFF, f.masks.blue);
}

bool same_color_table(const PixelFormat& a, const PixelFormat& b) {
  if (a.color_count != b.color_count) return false;
  for (std::size_t i = 0; i < a.color_count; ++i)
    if (rgb_of(a.colors[i]) != rgb_of(b.colors[i])) return false;
  return true;
}

bool same_format(const PixelFormat& a, const PixelFormat& b) {
  if (a.bpp != b.bpp) return false;
  if (a.bpp <= 8) return same_color_table(a, b);
  if (a.bpp == 24) return true;
  return a.masks == b.masks;
}

} // namespace

ChannelMasks default_masks(int bpp) {
  if (bpp == 16) return {0x7C00, 0x03E0, 0x001F};
  if (bpp == 32) return {0x00FF0000, 0x0000FF00, 0x000000FF};
  return {};
}

bool valid_masks(const ChannelMasks& masks, int bpp) {
  const std::uint32_t limit = bpp == 16 ? 0xFFFFu : 0xFFFFFFFFu;
  for (std::uint32_t m : {masks.red, masks.green, masks.blue}) {
    if (m == 0 || m > limit) return false;
    std::uint32_t run = m >> std::countr_zero(m);
    if ((run & (run + 1)) != 0) return false; // more than one run of bits
  }
  return (masks.red & masks.green) == 0 && (masks.red & masks.blue) == 0 &&
         (masks.green & masks.blue) == 0;
}

std::optional<std::size_t> dib_stride(std::int64_t width, int bpp) {
  if (width <= 0 || bpp <= 0 || bpp > 32) return std::nullopt;
  std::uint64_t bytes =
      ((static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bpp) + 31) / 32) * 4;
  if (bytes > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
    return std::nullopt;
  return static_cast<std::size_t>(bytes);
}

std::uint32_t read_raw(const std::uint8_t* row, int x, int bpp) {
  const std::size_t ux = static_cast<std::size_t>(x);
  switch (bpp) {
  case 1: return (row[ux >> 3] >> (7 - (ux & 7))) & 1u;
  case 4: return (row[ux >> 1] >> ((ux & 1) ? 0 : 4)) & 0xFu;
  case 8: return row[ux];
  case 16:
    return static_cast<std::uint32_t>(row[2 * ux]) |
           (static_cast<std::uint32_t>(row[2 * ux + 1]) << 8);
  case 24: {
    const std::uint8_t* p = row + 3 * ux;
    return p[0] | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16);
  }
  case 32: {
    const std::uint8_t* p = row + 4 * ux;
    return p[0] | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
  }
  default: return 0;
  }
}

void write_raw(std::uint8_t* row, int x, int bpp, std::uint32_t value) {
  const std::size_t ux = static_cast<std::size_t>(x);
  switch (bpp) {
  case 1: {
    std::uint8_t bit = static_cast<std::uint8_t>(0x80u >> (ux & 7));
    row[ux >> 3] =
        static_cast<std::uint8_t>((value & 1) ? (row[ux >> 3] | bit) : (row[ux >> 3] & ~bit));
    break;
  }
  case 4: {
    std::uint8_t& b = row[ux >> 1];
    b = (ux & 1) ? static_cast<std::uint8_t>((b & 0xF0) | (value & 0x0F))
                 : static_cast<std::uint8_t>((b & 0x0F) | ((value & 0x0F) << 4));
    break;
  }
  case 8: row[ux] = static_cast<std::uint8_t>(value); break;
  case 16:
    row[2 * ux] = static_cast<std::uint8_t>(value);
    row[2 * ux + 1] = static_cast<std::uint8_t>(value >> 8);
    break;
  case 24:
    for (int i = 0; i < 3; ++i) row[3 * ux + i] = static_cast<std::uint8_t>(value >> (8 * i));
    break;
  case 32:
    for (int i = 0; i < 4; ++i) row[4 * ux + i] = static_cast<std::uint8_t>(value >> (8 * i));
    break;
  default: break;
  }
}

std::uint8_t expand_channel(std::uint32_t pixel, std::uint32_t mask) {
  if (mask == 0) return 0;
  int bits = std::popcount(mask);
  std::uint32_t v = (pixel & mask) >> std::countr_zero(mask);
  if (bits >= 8) return static_cast<std::uint8_t>(v >> (bits - 8));
  std::uint32_t top = v << (8 - bits);
  std::uint32_t acc = top;
  for (int s = bits; s < 8; s += bits) acc |= top >> s;
  return static_cast<std::uint8_t>(acc);
}

std::uint32_t read_rgb(const PixelFormat& format, const std::uint8_t* row, int x) {
  std::uint32_t raw = read_raw(row, x, format.bpp);
  if (format.bpp <= 8) return raw < format.color_count ? rgb_of(format.colors[raw]) : 0;
  if (format.bpp == 24 || is_default_32(format)) return raw & 0xFFFFFF;
  return (static_cast<std::uint32_t>(expand_channel(raw, format.masks.red)) << 16) |
         (static_cast<std::uint32_t>(expand_channel(raw, format.masks.green)) << 8) |
         expand_channel(raw, format.masks.blue);
}

std::uint32_t nearest_color(const RGBQUAD* colors, std::size_t count, std::uint32_t rgb) {
  const int r = static_cast<int>((rgb >> 16) & 0xFF), g = static_cast<int>((rgb >> 8) & 0xFF),
            b = static_cast<int>(rgb & 0xFF);
  std::uint32_t best = 0;
  int best_distance = std::numeric_limits<int>::max();
  for (std::size_t i = 0; i < count; ++i) {
    int dr = colors[i].rgbRed - r, dg = colors[i].rgbGreen - g, db = colors[i].rgbBlue - b;
    int d = dr * dr + dg * dg + db * db;
    if (d < best_distance) {
      best_distance = d;
      best = static_cast<std::uint32_t>(i);
      if (d == 0) break;
    }
  }
  return best;
}

std::size_t copy_pixels(const PixelView& dst, int dx, int dy, const PixelView& src, int sx, int sy,
                        int width, int height) {
  if (width <= 0 || height <= 0 || !dst.bits || !src.bits) return 0;
  // Clip in 64 bits: the offsets run from the first to the last pixel inside both bitmaps.
  const std::int64_t x0 =
      std::max<std::int64_t>({0, -static_cast<std::int64_t>(sx), -static_cast<std::int64_t>(dx)});
  const std::int64_t y0 =
      std::max<std::int64_t>({0, -static_cast<std::int64_t>(sy), -static_cast<std::int64_t>(dy)});
  const std::int64_t x1 = std::min<std::int64_t>({width, static_cast<std::int64_t>(src.width) - sx,
                                                  static_cast<std::int64_t>(dst.width) - dx});
  const std::int64_t y1 =
      std::min<std::int64_t>({height, static_cast<std::int64_t>(src.height) - sy,
                              static_cast<std::int64_t>(dst.height) - dy});
  if (x1 <= x0 || y1 <= y0) return 0;
  const int cols = static_cast<int>(x1 - x0);
  const int rows = static_cast<int>(y1 - y0);
  const int src_x = static_cast<int>(sx + x0), dst_x = static_cast<int>(dx + x0);
  const int src_y = static_cast<int>(sy + y0), dst_y = static_cast<int>(dy + y0);
  const PixelFormat& sf = src.format;
  const PixelFormat& df = dst.format;

  if (same_format(sf, df) && sf.bpp >= 8) {
    const std::size_t bytes_per_pixel = static_cast<std::size_t>(sf.bpp / 8);
    // Within one bitmap, copy downwards from the last row so no source row is overwritten first.
    const bool backwards = dst.bits == src.bits && dst_y > src_y;
    for (int i = 0; i < rows; ++i) {
      int y = backwards ? rows - 1 - i : i;
      std::memmove(dst.row(dst_y + y) + static_cast<std::size_t>(dst_x) * bytes_per_pixel,
                   src.row(src_y + y) + static_cast<std::size_t>(src_x) * bytes_per_pixel,
                   static_cast<std::size_t>(cols) * bytes_per_pixel);
    }
    return static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows);
  }

  if (plain_true_color(sf) && plain_true_color(df)) {
    // A pixel's three colour bytes carry over as they are; a 32-bit pixel's fourth byte is 0.
    const std::size_t src_bytes = static_cast<std::size_t>(sf.bpp / 8);
    const std::size_t dst_bytes = static_cast<std::size_t>(df.bpp / 8);
    for (int y = 0; y < rows; ++y) {
      const std::uint8_t* s = src.row(src_y + y) + static_cast<std::size_t>(src_x) * src_bytes;
      std::uint8_t* d = dst.row(dst_y + y) + static_cast<std::size_t>(dst_x) * dst_bytes;
      for (int x = 0; x < cols; ++x, s += src_bytes, d += dst_bytes) {
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
        if (dst_bytes == 4) d[3] = 0;
      }
    }
    return static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows);
  }

  if (sf.bpp <= 8) {
    // Every source index maps to one destination value: decide each once.
    std::uint32_t table[256];
    const std::uint32_t entries = 1u << sf.bpp;
    for (std::uint32_t i = 0; i < entries; ++i) {
      std::uint32_t rgb = i < sf.color_count ? rgb_of(sf.colors[i]) : 0;
      table[i] =
          df.bpp <= 8 ? nearest_color(df.colors, df.color_count, rgb) : encode_direct(df, rgb);
    }
    for (int y = 0; y < rows; ++y) {
      const std::uint8_t* s = src.row(src_y + y);
      std::uint8_t* d = dst.row(dst_y + y);
      for (int x = 0; x < cols; ++x)
        write_raw(d, dst_x + x, df.bpp, table[read_raw(s, src_x + x, sf.bpp)]);
    }
    return static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows);
  }

  std::unordered_map<std::uint32_t, std::uint32_t> nearest; // true colour into a colour table
  for (int y = 0; y < rows; ++y) {
    const std::uint8_t* s = src.row(src_y + y);
    std::uint8_t* d = dst.row(dst_y + y);
    for (int x = 0; x < cols; ++x) {
      std::uint32_t rgb = read_rgb(sf, s, src_x + x);
      std::uint32_t value;
      if (df.bpp > 8) {
        value = encode_direct(df, rgb);
      } else if (auto it = nearest.find(rgb); it != nearest.end()) {
        value = it->second;
      } else {
        value = nearest_color(df.colors, df.color_count, rgb);
        nearest.emplace(rgb, value);
      }
      write_raw(d, dst_x + x, df.bpp, value);
    }
  }
  return static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows);
}

} // namespace orvex::platform
