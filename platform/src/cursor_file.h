// .cur and .ico files to one ARGB picture. A pure decoder over a byte buffer, like the BMP
// one: it never reads outside the buffer, and anything unreadable yields an empty result.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace orvex::platform {

struct CursorImage {
  int width = 0;
  int height = 0;
  int hot_x = 0; // the hot spot, inside the picture
  int hot_y = 0;
  std::vector<std::uint32_t> argb; // 0xAARRGGBB, straight alpha, top row first
};

// Decodes the best picture of a cursor or icon file: the one nearest 32 x 32, the deeper of
// two equally near. Pictures stored as PNG are skipped. An icon's hot spot is its centre.
// NOTE: pixels that a monochrome mask marks as "invert the screen" cannot be shown by an
// ARGB cursor; they come out opaque black.
std::optional<CursorImage> decode_cursor_file(const std::uint8_t* data, std::size_t size);

} // namespace orvex::platform
