// BITMAPTOREGION on arbitrary files. The first four bytes of an input choose the transparent
// colour (red, green, blue) and the tolerance; the rest is the file. The region of a file that
// loads lies inside the image, and a file that does not load gives 0.
#include "framework/window/bitmap_region.h"
#include "memory_file.h"

#include <platform/win32.h>

#include <cstdint>

using orvex::fuzz::broken;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const std::uint32_t key = data[0] | (data[1] << 8) | (static_cast<std::uint32_t>(data[2]) << 16);
  const std::uint8_t tolerance = data[3];
  static orvex::fuzz::MemoryFile file;
  const char* path = file.hold(data + 4, size - 4);

  HANDLE loaded = LoadImageA(GetModuleHandleA(nullptr), path, IMAGE_BITMAP, 0, 0,
                             LR_LOADFROMFILE | LR_CREATEDIBSECTION);
  const auto bitmap = static_cast<HBITMAP>(reinterpret_cast<std::uintptr_t>(loaded));
  BITMAP record{};
  if (bitmap) GetObjectA(bitmap, sizeof record, &record);
  if (bitmap) DeleteObject(bitmap);

  const HRGN region = orvex::BITMAPTOREGION(path, key, tolerance);
  if (!bitmap) {
    if (region) broken("a region from a file that does not load");
    return 0;
  }
  if (!region) broken("no region from a file that loads");
  RECT box{};
  const int kind = GetRgnBox(region, &box);
  if (kind != NULLREGION &&
      (box.left < 0 || box.top < 0 || box.right > record.bmWidth || box.bottom > record.bmHeight))
    broken("region outside the image");
  if (!DeleteObject(region)) broken("DeleteObject of the region");
  return 0;
}
