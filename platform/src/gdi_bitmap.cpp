// Bitmaps: the handle table, LoadImageA for BMP files, CreateDIBSection, GetDIBColorTable and
// BitBlt.
#include "gdi_bitmap.h"

#include "bmp_decode.h"
#include "compositor.h"
#include "gdi_dc.h"
#include "gdi_object.h"
#include "handles.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <new>
#include <optional>

namespace orvex::platform {

namespace {

using BitmapTable = HandleTable<Bitmap, HandleKind::Bitmap>;

BitmapTable& bitmaps() {
  static BitmapTable table;
  return table;
}

// BMP files larger than this are refused before they are read.
constexpr std::size_t kMaxFileBytes = std::size_t{1} << 30;

// The whole file, or empty with the Win32 error that explains why.
std::optional<std::vector<std::uint8_t>> read_file(const char* path, DWORD* error) {
  std::FILE* file = std::fopen(path, "rb");
  if (!file) {
    *error = ERROR_FILE_NOT_FOUND;
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes;
  bool ok = true;
  try {
    // One allocation of the file's size, rather than a regrowth every few chunks.
    if (std::fseek(file, 0, SEEK_END) == 0) {
      const long size = std::ftell(file);
      if (size > 0 && static_cast<std::size_t>(size) <= kMaxFileBytes)
        bytes.reserve(static_cast<std::size_t>(size));
      if (std::fseek(file, 0, SEEK_SET) != 0) ok = false;
    }
    std::uint8_t chunk[65536];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
      if (bytes.size() + got > kMaxFileBytes) {
        ok = false;
        break;
      }
      bytes.insert(bytes.end(), chunk, chunk + got);
    }
    if (std::ferror(file)) ok = false;
  } catch (const std::bad_alloc&) {
    ok = false;
  }
  std::fclose(file);
  if (!ok) {
    *error = ERROR_INVALID_DATA;
    return std::nullopt;
  }
  return bytes;
}

// A BMP file decoded, or empty with the Win32 error that explains why.
// NOTE: a regular file is mapped rather than read, so that the decoder copies its pixels from
// the page cache straight into the bitmap: one pass over them instead of two. Anything that
// cannot be mapped is read as before.
std::optional<DecodedBmp> decode_file(const char* path, DWORD* error) {
  const int fd = open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    *error = ERROR_FILE_NOT_FOUND;
    return std::nullopt;
  }
  struct stat info {};
  void* mapped = MAP_FAILED;
  std::size_t size = 0;
  if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0 &&
      static_cast<std::uint64_t>(info.st_size) <= kMaxFileBytes) {
    size = static_cast<std::size_t>(info.st_size);
    mapped = mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
  }
  close(fd);
  std::optional<DecodedBmp> image;
  if (mapped != MAP_FAILED) {
    image = decode_bmp(static_cast<const std::uint8_t*>(mapped), size);
    munmap(mapped, size);
  } else {
    std::optional<std::vector<std::uint8_t>> file = read_file(path, error);
    if (!file) return std::nullopt;
    image = decode_bmp(file->data(), file->size());
  }
  if (!image) *error = ERROR_INVALID_DATA;
  return image;
}

HBITMAP add_bitmap(std::unique_ptr<Bitmap> bitmap) {
  HBITMAP handle = bitmaps().add(std::move(bitmap));
  if (!handle) SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return handle;
}

std::unique_ptr<Bitmap> from_decoded(DecodedBmp&& image) {
  auto bitmap = std::make_unique<Bitmap>();
  bitmap->width = image.width;
  bitmap->height = image.height;
  bitmap->bpp = image.bpp;
  bitmap->stride = image.stride;
  bitmap->bitfields = image.bitfields;
  bitmap->masks = image.masks;
  bitmap->colors = std::move(image.colors);
  bitmap->pixels = std::move(image.pixels);
  return bitmap;
}

// The colour-table entry of the image's first stored pixel takes the window colour.
void make_first_pixel_transparent(Bitmap& bitmap, bool file_top_down) {
  if (bitmap.colors.empty()) return;
  // The file's first stored row: the bottom row of a bottom-up file, the top of a top-down one.
  const std::size_t row = file_top_down ? static_cast<std::size_t>(bitmap.height - 1) : 0;
  std::uint32_t index = read_raw(bitmap.pixels.data() + row * bitmap.stride, 0, bitmap.bpp);
  if (index >= bitmap.colors.size()) return;
  COLORREF window = system_color(COLOR_WINDOW);
  bitmap.colors[index] = {static_cast<BYTE>((window >> 16) & 0xFF),
                          static_cast<BYTE>((window >> 8) & 0xFF), static_cast<BYTE>(window & 0xFF),
                          0};
}

// The pixels a DC draws on, or empty when it has none this layer can reach.
std::optional<PixelView> dc_pixels(const DeviceContext& dc) {
  if (dc.kind != DcKind::Memory) {
    // A child window's DC draws on its surface.
    // NOTE: top-level windows show the GL frame and the screen is not ours, so their DCs have
    // no pixels here and BitBlt on them fails.
    PixelView surface;
    if (dc.kind == DcKind::Window && child_surface_view(dc.window, &surface)) return surface;
    return std::nullopt;
  }
  Bitmap* bitmap = lookup_bitmap(dc.bitmap ? dc.bitmap : stock_bitmap());
  if (!bitmap) return std::nullopt;
  return bitmap->view();
}

} // namespace

Bitmap* lookup_bitmap(HBITMAP bitmap) {
  return bitmaps().get(bitmap);
}

HBITMAP stock_bitmap() {
  static HBITMAP handle = [] {
    auto bitmap = std::make_unique<Bitmap>();
    bitmap->width = 1;
    bitmap->height = 1;
    bitmap->bpp = 1;
    bitmap->stride = 4;
    bitmap->colors = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    bitmap->pixels.assign(4, 0);
    bitmap->stock = true;
    return bitmaps().add(std::move(bitmap));
  }();
  return handle;
}

BOOL delete_bitmap(HBITMAP handle) {
  Bitmap* bitmap = lookup_bitmap(handle);
  if (!bitmap) return SetLastError(ERROR_INVALID_HANDLE), FALSE;
  if (bitmap->stock) return TRUE;
  if (bitmap->selected_into) return FALSE;
  bitmaps().remove(handle);
  return TRUE;
}

std::size_t live_bitmaps() {
  std::size_t count = 0;
  bitmaps().for_each([&](HBITMAP, const Bitmap& bitmap) { count += bitmap.stock ? 0 : 1; });
  return count;
}

int bitmap_object(HBITMAP handle, int size, void* out) {
  Bitmap* bitmap = lookup_bitmap(handle);
  if (!bitmap) return SetLastError(ERROR_INVALID_HANDLE), 0;
  if (!out) return static_cast<int>(sizeof(BITMAP));
  if (size < static_cast<int>(sizeof(BITMAP))) return SetLastError(ERROR_INVALID_PARAMETER), 0;
  BITMAP record{};
  record.bmType = 0;
  record.bmWidth = bitmap->width;
  record.bmHeight = bitmap->height;
  record.bmPlanes = 1;
  record.bmBitsPixel = static_cast<WORD>(bitmap->bpp);
  if (bitmap->stock) {
    // The stock bitmap is device-dependent: rows padded to 2 bytes and no pixel address.
    record.bmWidthBytes = 2;
    record.bmBits = nullptr;
  } else {
    record.bmWidthBytes = static_cast<LONG>(bitmap->stride);
    record.bmBits = bitmap->pixels.data();
  }
  // NOTE: a buffer large enough for a DIBSECTION still receives only the BITMAP part.
  *static_cast<BITMAP*>(out) = record;
  return static_cast<int>(sizeof(BITMAP));
}

} // namespace orvex::platform

using namespace orvex::platform;

// Loads a BMP file as a bitmap handle (returned as HANDLE); 0 on failure.
// NOTE: only IMAGE_BITMAP from a file (LR_LOADFROMFILE) at its own size (cx = cy = 0) is
// supported; there are no resources to load from. With or without LR_CREATEDIBSECTION the
// result is a DIB section that keeps the file's depth and colour table (Win32 would make a
// display-compatible bitmap without the flag). LR_LOADTRANSPARENT gives the colour-table entry
// of the file's first stored pixel the COLOR_WINDOW colour; it changes nothing in images
// without a colour table.
HANDLE LoadImageA(HINSTANCE, LPCSTR name, UINT type, int cx, int cy, UINT flags) {
  if (!name || IS_INTRESOURCE(name) || type != IMAGE_BITMAP || !(flags & LR_LOADFROMFILE) ||
      cx != 0 || cy != 0)
    return SetLastError(ERROR_INVALID_PARAMETER), nullptr;
  DWORD error = ERROR_SUCCESS;
  std::optional<DecodedBmp> image = decode_file(name, &error);
  if (!image) return SetLastError(error), nullptr;
  const bool file_top_down = image->file_top_down;
  std::unique_ptr<Bitmap> bitmap = from_decoded(std::move(*image));
  if (flags & LR_LOADTRANSPARENT) make_first_pixel_transparent(*bitmap, file_top_down);
  HBITMAP handle = add_bitmap(std::move(bitmap));
  return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(handle));
}

// Creates a zero-filled DIB section of the described format and hands out its pixel address.
// NOTE: only DIB_RGB_COLORS and memory of the layer's own (section = 0) are supported; the
// DC is not consulted, as Win32 needs it only for DIB_PAL_COLORS.
HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                         DWORD offset) {
  if (bits) *bits = nullptr;
  if (!info || usage != DIB_RGB_COLORS || section || offset)
    return SetLastError(ERROR_INVALID_PARAMETER), 0;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(info);
  // The masks of a 40-byte BI_BITFIELDS header follow it, where the caller put them.
  std::optional<DibHeader> header =
      parse_dib_header(bytes, std::size_t{info->bmiHeader.biSize} + 12);
  if (!header || header->compression == BI_RLE8 || header->compression == BI_RLE4)
    return SetLastError(ERROR_INVALID_PARAMETER), 0;

  auto bitmap = std::make_unique<Bitmap>();
  bitmap->width = header->width;
  bitmap->height = header->height;
  bitmap->bpp = header->bpp;
  bitmap->bottom_up = !header->top_down;
  bitmap->stride = header->stride;
  bitmap->bitfields = header->bitfields;
  bitmap->masks = header->masks;
  try {
    bitmap->colors.resize(header->kept_colors());
    bitmap->pixels.assign(static_cast<std::size_t>(header->image_bytes), 0);
  } catch (const std::bad_alloc&) {
    return SetLastError(ERROR_NOT_ENOUGH_MEMORY), 0;
  }
  const std::uint8_t* table = bytes + header->header_size + header->masks_after;
  for (std::size_t i = 0; i < bitmap->colors.size(); ++i) {
    const std::uint8_t* c = table + i * header->table_entry_size;
    bitmap->colors[i] = {c[0], c[1], c[2], header->table_entry_size == 4 ? c[3] : std::uint8_t{0}};
  }
  void* pixels = bitmap->pixels.data();
  HBITMAP handle = add_bitmap(std::move(bitmap));
  if (handle && bits) *bits = pixels;
  return handle;
}

// Copies colour-table entries of the DIB selected into a memory DC; returns how many.
UINT GetDIBColorTable(HDC dc, UINT start, UINT count, RGBQUAD* colors) {
  DeviceContext* context = lookup_dc(dc);
  if (!context) return SetLastError(ERROR_INVALID_HANDLE), 0;
  if (context->kind != DcKind::Memory || !colors) return 0;
  Bitmap* bitmap = lookup_bitmap(context->bitmap);
  if (!bitmap || start >= bitmap->colors.size()) return 0;
  const std::size_t n = std::min<std::size_t>(count, bitmap->colors.size() - start);
  for (std::size_t i = 0; i < n; ++i) colors[i] = bitmap->colors[start + i];
  return static_cast<UINT>(n);
}

// Copies a rectangle between the bitmaps of two DCs, converting depth and colour table,
// clipped to both bitmaps.
// NOTE: only SRCCOPY is supported, between memory DCs and child windows' DCs (see dc_pixels).
BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop) {
  if (rop != SRCCOPY) return SetLastError(ERROR_INVALID_PARAMETER), FALSE;
  DeviceContext* to = lookup_dc(dst);
  DeviceContext* from = lookup_dc(src);
  if (!to || !from) return SetLastError(ERROR_INVALID_HANDLE), FALSE;
  std::optional<PixelView> target = dc_pixels(*to);
  std::optional<PixelView> source = dc_pixels(*from);
  if (!target || !source) return SetLastError(ERROR_INVALID_PARAMETER), FALSE;
  if (copy_pixels(*target, x, y, *source, srcX, srcY, width, height) > 0 &&
      to->kind == DcKind::Window)
    child_surface_changed(to->window);
  return TRUE;
}
