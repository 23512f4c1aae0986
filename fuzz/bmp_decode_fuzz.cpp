// The BMP decoder behind LoadImageA on arbitrary files: every depth, header variant, row
// order, compression and colour table. A decoded image must be consistent with itself and
// cost no more memory than the file can justify; LoadImageA on the same bytes, read from a
// file, must agree with the decoder.
#include "bmp_decode.h"
#include "dib_pixels.h"
#include "memory_file.h"

#include <platform/win32.h>

#include <algorithm>
#include <cstdint>
#include <vector>

using orvex::fuzz::broken;
using namespace orvex::platform;

namespace {

// Run-length files may describe up to 256 decoded bytes per stored byte, and any image up to
// 4 MiB; uncompressed ones no more pixel bytes than they hold, plus the last row's padding.
constexpr std::uint64_t kRleRatio = 256;
constexpr std::uint64_t kRleFloor = 4ull << 20;

// The largest image (in pixels, and in bytes of its pixel array) whose pixels are all read
// back and that is also loaded through LoadImageA: larger ones cost milliseconds a run.
constexpr std::uint64_t kConvertLimit = 1u << 20;

void check_image(const DecodedBmp& image, std::size_t size) {
  const int bpp = image.bpp;
  if (image.width <= 0 || image.height <= 0) broken("empty image");
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
    broken("depth outside 1/4/8/16/24/32");
  const std::optional<std::size_t> stride = dib_stride(image.width, bpp);
  if (!stride || *stride != image.stride) broken("row stride");
  const std::uint64_t bytes = static_cast<std::uint64_t>(image.stride) * image.height;
  if (image.pixels.size() != bytes) broken("pixel array size");
  if (bytes > kMaxDibBytes) broken("pixel array above the limit");
  if (bytes > std::max<std::uint64_t>(kRleFloor, kRleRatio * size + 4))
    broken("pixel array out of proportion to the file");
  const std::size_t max_colors = bpp <= 8 ? (std::size_t{1} << bpp) : 0;
  if (image.colors.size() > max_colors) broken("colour table larger than the depth allows");
  if ((bpp == 16 || bpp == 32) && !valid_masks(image.masks, bpp)) broken("channel masks");

  // Read every pixel the way BitBlt does when a region is built from the image.
  if (static_cast<std::uint64_t>(image.width) * image.height > kConvertLimit) return;
  std::vector<std::uint8_t> pixels = image.pixels;
  std::vector<RGBQUAD> colors = image.colors;
  PixelView src{pixels.data(), image.width,
                image.height,  image.stride,
                true,          PixelFormat{bpp, image.masks, colors.data(), colors.size()}};
  std::vector<std::uint8_t> out(static_cast<std::size_t>(image.width) * image.height * 4);
  PixelView dst{out.data(),   image.width,
                image.height, static_cast<std::size_t>(image.width) * 4,
                true,         PixelFormat{32, default_masks(32), nullptr, 0}};
  if (copy_pixels(dst, 0, 0, src, 0, 0, image.width, image.height) !=
      static_cast<std::size_t>(image.width) * image.height)
    broken("not every pixel converted");
}

void check_load_image(const std::uint8_t* data, std::size_t size,
                      const std::optional<DecodedBmp>& decoded) {
  static orvex::fuzz::MemoryFile file;
  // Half of the inputs with the texture loader's flags, half with the region builder's.
  const UINT flags = (size & 1) ? (LR_LOADFROMFILE | LR_LOADTRANSPARENT | LR_CREATEDIBSECTION)
                                : (LR_LOADFROMFILE | LR_CREATEDIBSECTION);
  HANDLE loaded =
      LoadImageA(GetModuleHandleA(nullptr), file.hold(data, size), IMAGE_BITMAP, 0, 0, flags);
  const auto bitmap = static_cast<HBITMAP>(reinterpret_cast<std::uintptr_t>(loaded));
  if (!decoded) {
    if (bitmap) broken("LoadImageA took a file that the decoder refuses");
    return;
  }
  if (!bitmap) broken("LoadImageA refused a file that the decoder takes");
  BITMAP record{};
  if (GetObjectA(bitmap, sizeof record, &record) != static_cast<int>(sizeof record))
    broken("GetObjectA of a loaded bitmap");
  if (record.bmWidth != decoded->width || record.bmHeight != decoded->height ||
      record.bmBitsPixel != decoded->bpp ||
      record.bmWidthBytes != static_cast<LONG>(decoded->stride) || !record.bmBits)
    broken("the loaded bitmap differs from the decoded image");
  if (!DeleteObject(bitmap)) broken("DeleteObject of a loaded bitmap");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::optional<DecodedBmp> decoded = decode_bmp(data, size);
  if (decoded) check_image(*decoded, size);
  // LoadImageA reads the file and runs the same decoder: it is compared on every input except
  // those that decode to large pixel arrays, which would only slow the search down.
  if (!decoded || decoded->pixels.size() <= kConvertLimit) check_load_image(data, size, decoded);
  return 0;
}
