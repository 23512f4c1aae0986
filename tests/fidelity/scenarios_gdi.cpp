// GDI without windows: regions from rectangle buffers and their combinations, hit tests and
// rectangles; BMP files through LoadImageA, GetObjectA, the colour table and BitBlt into a
// 32-bit section, as the bitmap-region code reads them.
#include "fixtures.h"
#include "scenarios.h"

#include <cstring>

namespace fidelity {

namespace {

std::string region_type(int type) {
  switch (type) {
  case ERROR: return "ERROR";
  case NULLREGION: return "NULLREGION";
  case SIMPLEREGION: return "SIMPLEREGION";
  case COMPLEXREGION: return "COMPLEXREGION";
  default: return dec(type);
  }
}

// A region from a RDH_RECTANGLES buffer with room for capacity rectangles.
HRGN from_rectangles(const std::string& name, const std::vector<RECT>& rects, std::size_t capacity,
                     const RECT& bound) {
  std::vector<unsigned char> buffer(sizeof(RGNDATAHEADER) + sizeof(RECT) * capacity, 0);
  RGNDATAHEADER header{};
  header.dwSize = sizeof(RGNDATAHEADER);
  header.iType = RDH_RECTANGLES;
  header.nCount = static_cast<DWORD>(rects.size());
  header.nRgnSize = 0;
  header.rcBound = bound;
  std::memcpy(buffer.data(), &header, sizeof header);
  if (!rects.empty())
    std::memcpy(buffer.data() + sizeof header, rects.data(), sizeof(RECT) * rects.size());
  std::string listed;
  for (const RECT& r : rects) listed += rect(r);
  HRGN rgn = 0;
  call("ExtCreateRegion",
       "0," + dec(static_cast<long long>(buffer.size())) + ",bound=" + rect(bound) + " " + listed,
       [&] {
         rgn = ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()),
                               reinterpret_cast<const RGNDATA*>(buffer.data()));
         name_handle(rgn, name);
         return hname(rgn);
       });
  return rgn;
}

void describe(HRGN rgn) {
  call("GetRgnBox", hname(rgn), [&] {
    RECT box{};
    int type = GetRgnBox(rgn, &box);
    return region_type(type) + " " + rect(box);
  });
  call("GetRegionData", hname(rgn), [&] {
    DWORD needed = GetRegionData(rgn, 0, nullptr);
    std::vector<unsigned char> buffer(needed ? needed : 1);
    DWORD got = GetRegionData(rgn, needed, reinterpret_cast<RGNDATA*>(buffer.data()));
    std::string text = dec(needed) + "," + dec(got);
    if (got >= sizeof(RGNDATAHEADER)) {
      RGNDATAHEADER header;
      std::memcpy(&header, buffer.data(), sizeof header);
      text += " type=" + dec(header.iType) + " count=" + dec(header.nCount) +
              " size=" + dec(header.nRgnSize) + " bound=" + rect(header.rcBound) + " ";
      for (DWORD i = 0; i < header.nCount && sizeof header + (i + 1) * sizeof(RECT) <= got; ++i) {
        RECT r;
        std::memcpy(&r, buffer.data() + sizeof header + i * sizeof(RECT), sizeof r);
        text += rect(r);
      }
    }
    return text;
  });
}

void hit_tests(HRGN rgn, const std::vector<POINT>& points) {
  std::string args, results;
  for (const POINT& p : points) {
    args += "(" + dec(p.x) + "," + dec(p.y) + ")";
    results += dec(PtInRegion(rgn, p.x, p.y) ? 1 : 0);
  }
  line("call PtInRegion(%s,%s) = %s", hname(rgn).c_str(), args.c_str(), results.c_str());
}

void combine(HRGN dst, HRGN a, HRGN b, int mode, const char* mode_name) {
  call("CombineRgn", hname(dst) + "," + hname(a) + "," + hname(b) + "," + mode_name,
       [&] { return region_type(CombineRgn(dst, a, b, mode)); });
  describe(dst);
}

void delete_object(HGDIOBJ obj, const std::string& name) {
  call("DeleteObject", name, [&] { return dec(DeleteObject(obj)); });
}

const RECT kNoBound{2147483647, 2147483647, 0, 0};

} // namespace

void regions() {
  // Two rows with a gap, a full row below, a narrower one, and an empty rectangle.
  HRGN a =
      from_rectangles("a", {{0, 0, 4, 2}, {6, 0, 10, 2}, {0, 2, 10, 4}, {2, 4, 8, 6}, {3, 3, 3, 5}},
                      100, RECT{0, 0, 10, 6});
  describe(a);
  hit_tests(a, {{0, 0},
                {3, 1},
                {4, 1},
                {5, 1},
                {6, 1},
                {9, 3},
                {10, 3},
                {2, 4},
                {8, 5},
                {7, 5},
                {-1, 0},
                {5, 6}});
  // Overlapping rectangles out of band order.
  HRGN b = from_rectangles("b", {{0, 0, 2, 10}, {1, 0, 5, 5}, {3, 8, 6, 12}}, 3, RECT{0, 0, 6, 12});
  describe(b);
  // The empty flush of the bitmap-region code: no rectangle, the initial bound.
  HRGN empty = from_rectangles("empty", {}, 100, kNoBound);
  describe(empty);
  hit_tests(empty, {{0, 0}});

  HRGN r = 0, dst = 0;
  call("CreateRectRgn", "3,1,12,5", [&] {
    r = CreateRectRgn(3, 1, 12, 5);
    name_handle(r, "r");
    return hname(r);
  });
  call("CreateRectRgn", "0,0,0,0", [&] {
    dst = CreateRectRgn(0, 0, 0, 0);
    name_handle(dst, "dst");
    return hname(dst);
  });
  describe(dst);
  combine(dst, a, r, RGN_OR, "RGN_OR");
  combine(dst, a, r, RGN_AND, "RGN_AND");
  combine(dst, a, r, RGN_DIFF, "RGN_DIFF");
  combine(dst, a, r, RGN_XOR, "RGN_XOR");
  combine(dst, a, 0, RGN_COPY, "RGN_COPY");
  call("EqualRgn", "dst,a", [&] { return dec(EqualRgn(dst, a)); });
  combine(dst, a, b, RGN_AND, "RGN_AND");
  combine(dst, dst, empty, RGN_AND, "RGN_AND");
  // Accumulating in place, as the batches of the bitmap-region code are merged.
  combine(dst, dst, a, RGN_OR, "RGN_OR");
  combine(dst, dst, b, RGN_OR, "RGN_OR");
  hit_tests(dst, {{0, 9}, {1, 1}, {4, 4}, {5, 5}, {9, 5}, {5, 11}, {6, 11}});
  combine(dst, dst, empty, RGN_OR, "RGN_OR");
  call("EqualRgn", "empty,empty", [&] { return dec(EqualRgn(empty, empty)); });
  delete_object(a, "a");
  delete_object(b, "b");
  delete_object(empty, "empty");
  delete_object(r, "r");
  delete_object(dst, "dst");
  call("CombineRgn", "dst,a,r,RGN_OR", [&] { return region_type(CombineRgn(dst, a, r, RGN_OR)); });
}

namespace {

std::string bytes_hex(const unsigned char* p, std::size_t n) {
  static const char digits[] = "0123456789abcdef";
  std::string s;
  for (std::size_t i = 0; i < n; ++i) {
    s += digits[p[i] >> 4];
    s += digits[p[i] & 15];
  }
  return s;
}

// The pixel rows of a section, in memory order.
void dump_rows(const char* what, const BITMAP& bm) {
  if (!bm.bmBits) return;
  const auto* p = static_cast<const unsigned char*>(bm.bmBits);
  int rows = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
  for (int y = 0; y < rows; ++y)
    line("%s row %d %s", what, y,
         bytes_hex(p + static_cast<std::size_t>(y) * static_cast<std::size_t>(bm.bmWidthBytes),
                   static_cast<std::size_t>(bm.bmWidthBytes))
             .c_str());
}

BITMAP describe_bitmap(HBITMAP bmp, const std::string& name) {
  BITMAP bm{};
  call("GetObjectA", name + "," + dec(static_cast<long long>(sizeof bm)), [&] {
    int got = GetObjectA(bmp, sizeof bm, &bm);
    return dec(got) + " type=" + dec(bm.bmType) + " size=" + dec(bm.bmWidth) + "x" +
           dec(bm.bmHeight) + " stride=" + dec(bm.bmWidthBytes) + " planes=" + dec(bm.bmPlanes) +
           " bpp=" + dec(bm.bmBitsPixel) +
           " bits=" + nonzero(reinterpret_cast<std::uintptr_t>(bm.bmBits));
  });
  return bm;
}

void load(const char* file) {
  std::string path = std::string("fixtures/") + file;
  HANDLE image = nullptr;
  call("LoadImageA", "0,\"" + path + "\",IMAGE_BITMAP,0,0,LR_LOADFROMFILE|LR_CREATEDIBSECTION",
       [&] {
         image =
             LoadImageA(0, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
         return nonzero(reinterpret_cast<std::uintptr_t>(image)) +
                (image ? std::string() : " error=" + dec(GetLastError()));
       });
  if (!image) return;
  auto bmp = handle_from<HBITMAP>(reinterpret_cast<std::uintptr_t>(image));
  BITMAP bm = describe_bitmap(bmp, file);
  dump_rows(file, bm);

  HDC source = CreateCompatibleDC(0);
  HGDIOBJ kept = SelectObject(source, bmp);
  if (bm.bmBitsPixel * bm.bmPlanes <= 8) {
    call("GetDIBColorTable", std::string(file) + ",0,256", [&] {
      RGBQUAD table[256];
      std::memset(table, 0xEE, sizeof table);
      UINT n = GetDIBColorTable(source, 0, 256, table);
      // Black entries at the end are left out: the count says how many there are.
      UINT shown = n;
      while (shown > 0 && !table[shown - 1].rgbRed && !table[shown - 1].rgbGreen &&
             !table[shown - 1].rgbBlue && !table[shown - 1].rgbReserved)
        --shown;
      return dec(n) + " " +
             bytes_hex(reinterpret_cast<const unsigned char*>(table), shown * sizeof(RGBQUAD));
    });
  }
  // The copy into a 32-bit section that the bitmap-region code scans.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = bm.bmWidth;
  info.bmiHeader.biHeight = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC target = CreateCompatibleDC(0);
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(target, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ kept_target = SelectObject(target, section);
  call("BitBlt",
       std::string("section32,0,0,") + dec(bm.bmWidth) + "," + dec(info.bmiHeader.biHeight) + "," +
           file + ",0,0,SRCCOPY",
       [&] {
         return dec(
             BitBlt(target, 0, 0, bm.bmWidth, info.bmiHeader.biHeight, source, 0, 0, SRCCOPY));
       });
  BITMAP copied{};
  GetObjectA(section, sizeof copied, &copied);
  dump_rows((std::string(file) + " in section32").c_str(), copied);
  SelectObject(target, kept_target);
  DeleteObject(section);
  DeleteDC(target);
  SelectObject(source, kept);
  DeleteDC(source);
  delete_object(bmp, file);
}

} // namespace

void bitmaps() {
  for (const char* file : kBitmapFixtures) load(file);
  load("missing.bmp");
}

} // namespace fidelity
