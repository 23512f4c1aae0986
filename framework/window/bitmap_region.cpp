#include "framework/window/bitmap_region.h"

#include "framework/core/fatal.h"
#include "framework/core/handle_value.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstring>
#include <vector>

namespace orvex {

namespace {

constexpr DWORD kHeaderBytes = sizeof(RGNDATAHEADER);
constexpr DWORD kRectBytes = sizeof(RECT);
constexpr RECT kNoBounds{INT_MAX, INT_MAX, 0, 0};

// The rectangles of one batch in a movable global block: a region-data header followed by
// room for MAXRECTS rectangles, and the region made of the batches flushed so far.
struct RECTBUFFER {
  std::int32_t MAXRECTS = ALLOC_UNIT;
  HGLOBAL HDATA = 0;
  std::uint8_t* PDATA = nullptr;
  HRGN RESULT = 0;
};

DWORD buffer_bytes(std::int32_t MAXRECTS) {
  return kHeaderBytes + kRectBytes * static_cast<DWORD>(MAXRECTS);
}

RGNDATAHEADER& header_of(RECTBUFFER& B) {
  return *reinterpret_cast<RGNDATAHEADER*>(B.PDATA);
}

void reset_batch(RECTBUFFER& B) {
  RGNDATAHEADER& H = header_of(B);
  H.dwSize = kHeaderBytes;
  H.iType = RDH_RECTANGLES;
  H.nCount = 0;
  H.nRgnSize = 0;
  H.rcBound = kNoBounds;
}

// Makes the block and its header; false when the memory cannot be had.
bool open_buffer(RECTBUFFER& B) {
  B.HDATA = GlobalAlloc(GMEM_MOVEABLE, buffer_bytes(B.MAXRECTS));
  if (!B.HDATA) return false;
  B.PDATA = static_cast<std::uint8_t*>(GlobalLock(B.HDATA));
  if (!B.PDATA) return false;
  reset_batch(B);
  return true;
}

// Turns the batch into a region and merges it into the result. A batch whose region cannot
// be made is left out.
void flush(RECTBUFFER& B) {
  HRGN H =
      ExtCreateRegion(nullptr, buffer_bytes(B.MAXRECTS), reinterpret_cast<const RGNDATA*>(B.PDATA));
  if (B.RESULT) {
    CombineRgn(B.RESULT, B.RESULT, H, RGN_OR);
    DeleteObject(H);
  } else {
    B.RESULT = H;
  }
}

// Appends the rectangle (X0, Y, X, Y + 1), growing the block by ALLOC_UNIT rectangles when it
// is full and flushing every REGIONBATCH rectangles; false when the block cannot grow.
bool append(RECTBUFFER& B, std::int32_t X0, std::int32_t Y, std::int32_t X) {
  if (static_cast<std::int32_t>(header_of(B).nCount) >= B.MAXRECTS) {
    GlobalUnlock(B.HDATA);
    B.PDATA = nullptr;
    B.MAXRECTS += ALLOC_UNIT;
    HGLOBAL grown = GlobalReAlloc(B.HDATA, buffer_bytes(B.MAXRECTS), GMEM_MOVEABLE);
    if (!grown) return false;
    B.HDATA = grown;
    B.PDATA = static_cast<std::uint8_t*>(GlobalLock(B.HDATA));
    if (!B.PDATA) return false;
  }
  RGNDATAHEADER& H = header_of(B);
  RECT PR{};
  SetRect(&PR, X0, Y, X, Y + 1);
  std::memcpy(B.PDATA + kHeaderBytes + kRectBytes * H.nCount, &PR, sizeof PR);
  H.rcBound.left = std::min(H.rcBound.left, X0);
  H.rcBound.top = std::min(H.rcBound.top, Y);
  H.rcBound.right = std::max(H.rcBound.right, X);
  H.rcBound.bottom = std::max(H.rcBound.bottom, Y + 1);
  H.nCount += 1;
  if (H.nCount == static_cast<DWORD>(REGIONBATCH)) {
    flush(B);
    reset_batch(B);
  }
  return true;
}

// Frees the block; on failure also the region made so far.
void close_buffer(RECTBUFFER& B, bool failed) {
  if (B.HDATA) {
    if (B.PDATA) GlobalUnlock(B.HDATA);
    GlobalFree(B.HDATA);
  }
  if (failed && B.RESULT) DeleteObject(B.RESULT);
  B = RECTBUFFER{};
}

std::uint8_t band_top(std::uint8_t low, std::uint8_t tolerance) {
  return static_cast<std::uint8_t>(std::min(255, low + tolerance));
}

} // namespace

HBITMAP LOADBMPFROMFILE(const std::string& FILENAME, HPALETTE& PAL) {
  auto BMP =
      FROMHANDLE<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), FILENAME.c_str(), IMAGE_BITMAP, 0,
                                     0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  if (!BMP) return 0;
  BITMAP BM{};
  GetObjectA(BMP, sizeof BM, &BM);
  if (BM.bmBitsPixel * BM.bmPlanes <= 8) {
    HDC DC = CreateCompatibleDC(0);
    HGDIOBJ OLDBMP = SelectObject(DC, BMP);
    // Entries past the image's colour table stay black.
    RGBQUAD RGBQ[256]{};
    GetDIBColorTable(DC, 0, 256, RGBQ);
    std::vector<std::uint8_t> memory(sizeof(LOGPALETTE) + 255 * sizeof(PALETTEENTRY));
    auto* LP = reinterpret_cast<LOGPALETTE*>(memory.data());
    LP->palVersion = 0x300;
    LP->palNumEntries = 256;
    auto* entries =
        reinterpret_cast<PALETTEENTRY*>(memory.data() + offsetof(LOGPALETTE, palPalEntry));
    for (int I = 0; I < 256; ++I)
      entries[I] = PALETTEENTRY{RGBQ[I].rgbRed, RGBQ[I].rgbGreen, RGBQ[I].rgbBlue, 0};
    PAL = CreatePalette(LP);
    SelectObject(DC, OLDBMP);
    DeleteDC(DC);
  } else {
    HDC SCREEN = GetDC(0);
    PAL = CreateHalftonePalette(SCREEN);
    ReleaseDC(0, SCREEN);
  }
  return BMP;
}

HRGN BITMAPTOREGION(const std::string& BMPNAME, std::uint32_t TRANSCOLOR, std::uint8_t TOLERANCE) {
  if (TRANSCOLOR > 0x7FFFFFFFu)
    FAILEDCHECK("Range check error: transparent colour of 2^31 or more", EXIT_RANGE_CHECK);
  HPALETTE PAL = 0;
  HBITMAP INBMP = LOADBMPFROMFILE(BMPNAME, PAL);
  if (!INBMP) return 0;
  HDC MEMDC = CreateCompatibleDC(0);
  if (!MEMDC) {
    DeleteObject(PAL);
    DeleteObject(INBMP);
    return 0;
  }
  BITMAP BM{};
  GetObjectA(INBMP, sizeof BM, &BM);

  // A 32-bit copy of the image, rows bottom-up, so that every pixel reads the same way.
  BITMAPINFO RGB32BITSBITMAPINFO{};
  RGB32BITSBITMAPINFO.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  RGB32BITSBITMAPINFO.bmiHeader.biWidth = BM.bmWidth;
  RGB32BITSBITMAPINFO.bmiHeader.biHeight = BM.bmHeight;
  RGB32BITSBITMAPINFO.bmiHeader.biPlanes = 1;
  RGB32BITSBITMAPINFO.bmiHeader.biBitCount = 32;
  RGB32BITSBITMAPINFO.bmiHeader.biCompression = BI_RGB;
  void* PBITS32 = nullptr;
  HBITMAP HBM32 = CreateDIBSection(MEMDC, &RGB32BITSBITMAPINFO, DIB_RGB_COLORS, &PBITS32, 0, 0);
  if (!HBM32) {
    DeleteDC(MEMDC);
    DeleteObject(PAL);
    DeleteObject(INBMP);
    return 0;
  }
  HGDIOBJ HOLDOBJ = SelectObject(MEMDC, HBM32);
  HDC TEMPDC = CreateCompatibleDC(MEMDC);
  HGDIOBJ HOLDOBJ1 = SelectObject(TEMPDC, INBMP);
  HPALETTE OLDPAL = SelectPalette(TEMPDC, PAL, TRUE);
  RealizePalette(TEMPDC);
  BitBlt(MEMDC, 0, 0, BM.bmWidth, BM.bmHeight, TEMPDC, 0, 0, SRCCOPY);
  SelectPalette(TEMPDC, OLDPAL, FALSE);
  SelectObject(TEMPDC, HOLDOBJ1);
  DeleteDC(TEMPDC);

  BITMAP BM32{};
  GetObjectA(HBM32, sizeof BM32, &BM32);
  while (BM32.bmWidthBytes % 4 != 0) ++BM32.bmWidthBytes;

  RECTBUFFER B;
  bool failed = !open_buffer(B);
  const std::uint8_t LR = TRANSCOLOR & 0xFF, LG = (TRANSCOLOR >> 8) & 0xFF,
                     LB = (TRANSCOLOR >> 16) & 0xFF;
  const std::uint8_t HR = band_top(LR, TOLERANCE), HG = band_top(LG, TOLERANCE),
                     HB = band_top(LB, TOLERANCE);
  auto transparent = [&](std::uint32_t v) {
    const std::uint32_t r = (v >> 16) & 0xFF, g = (v >> 8) & 0xFF, b = v & 0xFF;
    return LR <= r && r <= HR && LG <= g && g <= HG && LB <= b && b <= HB;
  };
  for (std::int32_t Y = 0; !failed && Y < BM.bmHeight; ++Y) {
    // Image rows from the top: the top row is the last one in memory.
    const std::uint8_t* P32 =
        static_cast<const std::uint8_t*>(BM32.bmBits) +
        static_cast<std::ptrdiff_t>(BM32.bmHeight - 1 - Y) * BM32.bmWidthBytes;
    std::int32_t X = 0;
    while (!failed && X < BM.bmWidth) {
      const std::int32_t X0 = X;
      for (;;) {
        if (X >= BM.bmWidth) break;
        std::uint32_t v;
        std::memcpy(&v, P32 + 4 * static_cast<std::ptrdiff_t>(X), sizeof v);
        if (transparent(v)) break;
        ++X;
      }
      if (X > X0) failed = !append(B, X0, Y, X);
      ++X;
    }
  }
  if (!failed) flush(B);
  const HRGN RESULT = failed ? 0 : B.RESULT;
  close_buffer(B, failed);

  SelectObject(MEMDC, HOLDOBJ);
  DeleteObject(HBM32);
  DeleteDC(MEMDC);
  DeleteObject(PAL);
  DeleteObject(INBMP);
  return RESULT;
}

} // namespace orvex
