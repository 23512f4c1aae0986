// Cursor and icon files on arbitrary bytes: the decoder directly, and LoadCursorFromFileA on
// the same bytes read from a file. A decoded picture is at most 256 x 256 with its hot spot
// inside it.
#include "cursor_file.h"
#include "memory_file.h"

#include <platform/win32.h>

#include <cstdint>

using orvex::fuzz::broken;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::optional<orvex::platform::CursorImage> image =
      orvex::platform::decode_cursor_file(data, size);
  if (image) {
    if (image->width < 1 || image->width > 256 || image->height < 1 || image->height > 256)
      broken("picture size outside 1..256");
    if (image->argb.size() != static_cast<std::size_t>(image->width) * image->height)
      broken("pixel count");
    if (image->hot_x < 0 || image->hot_x >= image->width || image->hot_y < 0 ||
        image->hot_y >= image->height)
      broken("hot spot outside the picture");
  }

  static orvex::fuzz::MemoryFile file;
  const HCURSOR cursor = LoadCursorFromFileA(file.hold(data, size));
  if (!cursor != !image) broken("LoadCursorFromFileA and the decoder disagree");
  if (cursor && !DestroyCursor(cursor)) broken("DestroyCursor of a loaded cursor");
  return 0;
}
