// Palettes and stock objects: creation, the halftone palette, selection into DCs, realising,
// reading entries back, and what DeleteObject does with stock and system objects.
#include <platform/win32.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

std::vector<PALETTEENTRY> entries_of(HPALETTE palette) {
  std::vector<PALETTEENTRY> out(GetPaletteEntries(palette, 0, 0, nullptr));
  out.resize(GetPaletteEntries(palette, 0, static_cast<UINT>(out.size()), out.data()));
  return out;
}

TEST(CreatePalette, KeepsItsEntriesAndValidatesTheHeader) {
  struct Case {
    std::string name;
    WORD version, count;
    bool ok;
  };
  const std::vector<Case> cases = {
      {"256 entries", 0x300, 256, true},    {"1 entry", 0x300, 1, true},
      {"1024 entries", 0x300, 1024, true},  {"no entries", 0x300, 0, false},
      {"1025 entries", 0x300, 1025, false}, {"version 0x200", 0x200, 16, false},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> storage(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * (c.count + 1u),
                                      0);
    auto* logical = reinterpret_cast<LOGPALETTE*>(storage.data());
    logical->palVersion = c.version;
    logical->palNumEntries = c.count;
    PALETTEENTRY* e = logical->palPalEntry;
    for (WORD i = 0; i < c.count; ++i)
      e[i] = {static_cast<BYTE>(i), static_cast<BYTE>(i >> 2), static_cast<BYTE>(255 - (i & 0xFF)),
              0};
    HPALETTE palette = CreatePalette(logical);
    EXPECT_EQ(palette != 0, c.ok) << c.name;
    if (!palette) continue;
    std::vector<PALETTEENTRY> got = entries_of(palette);
    bool same = got.size() == c.count;
    for (WORD i = 0; same && i < c.count; ++i)
      same = got[i].peRed == e[i].peRed && got[i].peGreen == e[i].peGreen &&
             got[i].peBlue == e[i].peBlue;
    EXPECT_TRUE(same) << c.name << ": " << got.size() << " entries read back";
    WORD count = 0;
    EXPECT_EQ(GetObjectA(palette, sizeof count, &count), static_cast<int>(sizeof count)) << c.name;
    EXPECT_EQ(count, c.count) << c.name;
    EXPECT_EQ(GetPaletteEntries(palette, c.count, 5, got.data()), 0u)
        << c.name << ": start past the end";
    EXPECT_TRUE(DeleteObject(palette)) << c.name;
    EXPECT_EQ(GetPaletteEntries(palette, 0, 0, nullptr), 0u) << c.name << ": deleted";
  }
  EXPECT_EQ(CreatePalette(nullptr), 0u);
}

TEST(CreateHalftonePalette, StaticColoursAroundACubeAndGreys) {
  HDC screen = GetDC(0);
  HPALETTE palette = CreateHalftonePalette(screen);
  ReleaseDC(0, screen);
  ASSERT_NE(palette, 0u);
  std::vector<PALETTEENTRY> e = entries_of(palette);
  ASSERT_EQ(e.size(), 256u);
  std::set<std::tuple<int, int, int>> colours;
  for (const PALETTEENTRY& p : e) colours.insert({p.peRed, p.peGreen, p.peBlue});
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b)
        EXPECT_TRUE(colours.count({51 * r, 51 * g, 51 * b}))
            << "cube colour " << r << g << b << " is missing";
  EXPECT_TRUE(e[0].peRed == 0 && e[0].peGreen == 0 && e[0].peBlue == 0) << "black first";
  EXPECT_TRUE(e[255].peRed == 255 && e[255].peGreen == 255 && e[255].peBlue == 255) << "white last";
  EXPECT_EQ(colours.size(), 256u - 8u) << "only the 8 static colours on the cube's corners repeat";
  EXPECT_EQ(CreateHalftonePalette(0x20000123u), 0u) << "a DC handle that names no DC";
  DeleteObject(palette);
}

TEST(SelectPalette, ReturnsThePreviousAndRealisesEntries) {
  HPALETTE halftone = CreateHalftonePalette(0);
  HDC dc = CreateCompatibleDC(0);
  const HGDIOBJ stock = GetStockObject(DEFAULT_PALETTE);
  ASSERT_NE(stock, 0u);
  EXPECT_EQ(entries_of(stock).size(), 20u) << "the default palette holds the 20 static colours";
  EXPECT_EQ(RealizePalette(dc), 0u) << "the default palette maps nothing new";
  EXPECT_EQ(SelectPalette(dc, halftone, TRUE), stock) << "a new DC has the default palette";
  EXPECT_EQ(RealizePalette(dc), 256u);
  EXPECT_EQ(SelectPalette(dc, stock, FALSE), halftone) << "the previous palette comes back";
  EXPECT_TRUE(DeleteObject(stock)) << "stock palettes ignore DeleteObject";
  EXPECT_EQ(entries_of(stock).size(), 20u) << "and stay usable";
  EXPECT_EQ(SelectPalette(dc, halftone, FALSE), stock);
  EXPECT_TRUE(DeleteObject(halftone)) << "a selected palette may be deleted";
  EXPECT_EQ(RealizePalette(dc), 0u) << "its DC falls back to the default palette";
  EXPECT_EQ(SelectPalette(dc, halftone, FALSE), 0u) << "a deleted palette";
  DeleteDC(dc);
  EXPECT_EQ(SelectPalette(dc, stock, FALSE), 0u) << "a deleted DC";
  EXPECT_EQ(RealizePalette(dc), GDI_ERROR) << "a deleted DC";
}

TEST(GetStockObject, BrushesAndSystemColours) {
  struct Case {
    int index;
    bool hollow;
    COLORREF color;
  };
  const std::vector<Case> cases = {
      {WHITE_BRUSH, false, RGB(255, 255, 255)}, {LTGRAY_BRUSH, false, RGB(192, 192, 192)},
      {GRAY_BRUSH, false, RGB(128, 128, 128)},  {DKGRAY_BRUSH, false, RGB(64, 64, 64)},
      {BLACK_BRUSH, false, RGB(0, 0, 0)},       {NULL_BRUSH, true, 0},
  };
  for (const Case& c : cases) {
    HGDIOBJ brush = GetStockObject(c.index);
    LOGBRUSH lb{};
    EXPECT_TRUE(brush != 0 && GetObjectA(brush, sizeof lb, &lb) == static_cast<int>(sizeof lb) &&
                lb.lbStyle == (c.hollow ? BS_NULL : BS_SOLID) && lb.lbColor == c.color)
        << "stock object " << c.index << ": style " << lb.lbStyle << " colour " << std::hex
        << lb.lbColor;
    EXPECT_TRUE(DeleteObject(brush)) << "stock object " << c.index;
    EXPECT_EQ(GetStockObject(c.index), brush)
        << "stock object " << c.index << " survives DeleteObject";
  }
  EXPECT_EQ(GetStockObject(99), 0u);
  const HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  EXPECT_NE(face, 0u);
  EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), face) << "one brush per system colour";
  LOGBRUSH lb{};
  GetObjectA(face, sizeof lb, &lb);
  EXPECT_EQ(lb.lbColor, GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
  EXPECT_EQ(GetSysColorBrush(-1), 0u);
  EXPECT_FALSE(DeleteObject(0));
}

} // namespace
