// Regions: combining, hit testing, building from rectangle buffers in batches as the
// bitmap-to-region code does, reading the rectangles back, and refusing bad buffers.
#include "gdi_region.h"

#include <platform/win32.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Rects = std::vector<RECT>;

std::string rects_text(const Rects& rects) {
  std::string out;
  for (const RECT& r : rects)
    out += " (" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
  return "{" + out + " }";
}

bool same_rects(const Rects& a, const Rects& b) {
  return a.size() == b.size() &&
         (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(RECT)) == 0);
}

// A RDH_RECTANGLES buffer as ExtCreateRegion takes it.
std::vector<std::uint8_t> region_data(const Rects& rects, DWORD size = sizeof(RGNDATAHEADER),
                                      DWORD type = RDH_RECTANGLES) {
  std::vector<std::uint8_t> buffer(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
  RGNDATAHEADER header{size, type, static_cast<DWORD>(rects.size()), 0, {INT_MAX, INT_MAX, 0, 0}};
  std::memcpy(buffer.data(), &header, sizeof header);
  if (!rects.empty())
    std::memcpy(buffer.data() + sizeof header, rects.data(), rects.size() * sizeof(RECT));
  return buffer;
}

HRGN from_rects(const Rects& rects) {
  std::vector<std::uint8_t> buffer = region_data(rects);
  return ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()),
                         reinterpret_cast<const RGNDATA*>(buffer.data()));
}

// The region's rectangles as GetRegionData reports them.
Rects rects_of(HRGN rgn) {
  DWORD bytes = GetRegionData(rgn, 0, nullptr);
  std::vector<std::uint8_t> buffer(bytes);
  if (bytes == 0 || GetRegionData(rgn, bytes, reinterpret_cast<RGNDATA*>(buffer.data())) != bytes)
    return {};
  RGNDATAHEADER header;
  std::memcpy(&header, buffer.data(), sizeof header);
  Rects out(header.nCount);
  if (!out.empty())
    std::memcpy(out.data(), buffer.data() + sizeof header, out.size() * sizeof(RECT));
  return out;
}

TEST(CombineRgn, EveryModeWithItsRegionType) {
  struct Case {
    std::string name;
    Rects a, b;
    int mode;
    int type;
    Rects expected;
  };
  const Rects square = {{0, 0, 10, 10}}, right = {{5, 0, 15, 10}}, far = {{20, 20, 30, 30}};
  const std::vector<Case> cases = {
      {"union of overlapping squares", square, right, RGN_OR, SIMPLEREGION, {{0, 0, 15, 10}}},
      {"union of apart squares",
       square,
       far,
       RGN_OR,
       COMPLEXREGION,
       {{0, 0, 10, 10}, {20, 20, 30, 30}}},
      {"intersection", square, right, RGN_AND, SIMPLEREGION, {{5, 0, 10, 10}}},
      {"empty intersection", square, far, RGN_AND, NULLREGION, {}},
      {"difference", square, right, RGN_DIFF, SIMPLEREGION, {{0, 0, 5, 10}}},
      {"difference leaving nothing", right, {{0, 0, 20, 20}}, RGN_DIFF, NULLREGION, {}},
      {"exclusive or", square, right, RGN_XOR, COMPLEXREGION, {{0, 0, 5, 10}, {10, 0, 15, 10}}},
      {"copy", far, {}, RGN_COPY, SIMPLEREGION, far},
      {"union with empty", square, {}, RGN_OR, SIMPLEREGION, square},
      {"stacked rows merge", {{0, 0, 4, 1}}, {{0, 1, 4, 2}}, RGN_OR, SIMPLEREGION, {{0, 0, 4, 2}}},
      {"rows with a hole",
       {{0, 0, 2, 1}, {3, 0, 4, 1}},
       {{0, 1, 4, 2}},
       RGN_OR,
       COMPLEXREGION,
       {{0, 0, 2, 1}, {3, 0, 4, 1}, {0, 1, 4, 2}}},
  };
  for (const Case& c : cases) {
    HRGN a = from_rects(c.a), b = from_rects(c.b), d = CreateRectRgn(0, 0, 0, 0);
    const int type = CombineRgn(d, a, c.mode == RGN_COPY ? 0 : b, c.mode);
    const Rects got = rects_of(d);
    EXPECT_TRUE(type == c.type && same_rects(got, c.expected))
        << c.name << ": " << rects_text(c.a) << " mode " << c.mode << " " << rects_text(c.b)
        << "\n  expected type " << c.type << " " << rects_text(c.expected) << "\n  actual   type "
        << type << " " << rects_text(got);
    DeleteObject(a);
    DeleteObject(b);
    DeleteObject(d);
  }
}

TEST(CombineRgn, DestinationMayBeASource) {
  HRGN a = CreateRectRgn(0, 0, 10, 10), b = CreateRectRgn(10, 0, 20, 10);
  EXPECT_EQ(CombineRgn(a, a, b, RGN_OR), SIMPLEREGION);
  EXPECT_TRUE(same_rects(rects_of(a), {{0, 0, 20, 10}})) << rects_text(rects_of(a));
  EXPECT_EQ(CombineRgn(a, a, a, RGN_XOR), NULLREGION);
  EXPECT_EQ(CombineRgn(a, a, 0, RGN_COPY), NULLREGION);
  EXPECT_EQ(CombineRgn(a, a, b, 0), ERROR) << "mode 0";
  EXPECT_EQ(CombineRgn(a, a, b, 6), ERROR) << "mode 6";
  EXPECT_EQ(CombineRgn(a, a, 0, RGN_OR), ERROR) << "second source missing";
  DeleteObject(b);
  EXPECT_EQ(CombineRgn(a, a, b, RGN_OR), ERROR) << "deleted source";
  EXPECT_EQ(CombineRgn(b, a, a, RGN_OR), ERROR) << "deleted destination";
  DeleteObject(a);
}

TEST(PtInRegion, InsideIsHalfOpen) {
  HRGN rgn = from_rects({{0, 0, 2, 1}, {3, 0, 4, 1}, {1, 1, 3, 3}});
  struct Case {
    int x, y;
    bool inside;
  };
  const std::vector<Case> cases = {
      {0, 0, true},
      {1, 0, true},
      {2, 0, false},
      {3, 0, true},
      {4, 0, false},
      {1, 1, true},
      {2, 2, true},
      {3, 2, false},
      {1, 3, false},
      {-1, 0, false},
      {0, -1, false},
      {65535, 0, false},
      {0, 65535, false},
      {INT_MAX, INT_MAX, false},
      {INT_MIN, INT_MIN, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PtInRegion(rgn, c.x, c.y) != FALSE, c.inside) << "(" << c.x << ", " << c.y << ")";
    EXPECT_EQ(orvex::platform::region_contains(rgn, c.x, c.y), c.inside)
        << "(" << c.x << ", " << c.y << ")";
  }
  const pixman_region32_t* area = orvex::platform::region_of(rgn);
  ASSERT_NE(area, nullptr);
  EXPECT_EQ(pixman_region32_n_rects(area), 3) << "clip rectangles for the window code";
  DeleteObject(rgn);
  EXPECT_FALSE(PtInRegion(rgn, 0, 0)) << "deleted region";
  EXPECT_EQ(orvex::platform::region_of(rgn), nullptr);
}

// Rectangle i of a scan: five two-pixel runs per row, rows one pixel high.
Rects scan_rects(int count) {
  Rects out;
  for (int i = 0; i < count; ++i) {
    int x = (i % 5) * 4, y = i / 5;
    out.push_back({x, y, x + 2, y + 1});
  }
  return out;
}

// Builds a region in batches of at most 2000 rectangles through a movable global block, as
// the bitmap-to-region code does, with a final flush that may be empty.
HRGN batched(const Rects& rects) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof(RGNDATAHEADER) + 100 * sizeof(RECT));
  DWORD capacity = 100;
  auto* data = static_cast<std::uint8_t*>(GlobalLock(block));
  DWORD count = 0;
  HRGN result = 0;
  auto flush = [&] {
    RGNDATAHEADER header{sizeof(RGNDATAHEADER), RDH_RECTANGLES, count, 0, {INT_MAX, INT_MAX, 0, 0}};
    std::memcpy(data, &header, sizeof header);
    HRGN h = ExtCreateRegion(nullptr, sizeof(RGNDATAHEADER) + capacity * sizeof(RECT),
                             reinterpret_cast<RGNDATA*>(data));
    if (result) {
      CombineRgn(result, result, h, RGN_OR);
      DeleteObject(h);
    } else {
      result = h;
    }
  };
  for (const RECT& r : rects) {
    if (count >= capacity) {
      GlobalUnlock(block);
      capacity += 100;
      block = GlobalReAlloc(block, sizeof(RGNDATAHEADER) + capacity * sizeof(RECT), GMEM_MOVEABLE);
      data = static_cast<std::uint8_t*>(GlobalLock(block));
    }
    std::memcpy(data + sizeof(RGNDATAHEADER) + count * sizeof(RECT), &r, sizeof r);
    if (++count == 2000) {
      flush();
      count = 0;
    }
  }
  flush();
  GlobalUnlock(block);
  GlobalFree(block);
  return result;
}

TEST(ExtCreateRegion, ManyRectanglesEqualTheirUnion) {
  for (int n : {1, 1999, 2000, 2001, 2500}) {
    const Rects rects = scan_rects(n);
    HRGN whole = from_rects(rects);
    HRGN in_batches = batched(rects);
    HRGN unioned = CreateRectRgn(0, 0, 0, 0);
    for (const RECT& r : rects) {
      HRGN one = CreateRectRgn(r.left, r.top, r.right, r.bottom);
      CombineRgn(unioned, unioned, one, RGN_OR);
      DeleteObject(one);
    }
    EXPECT_TRUE(whole && in_batches) << n << " rectangles";
    EXPECT_TRUE(EqualRgn(whole, unioned)) << n << " rectangles in one buffer";
    EXPECT_TRUE(EqualRgn(in_batches, unioned)) << n << " rectangles in batches of 2000";
    RECT box{};
    EXPECT_EQ(GetRgnBox(whole, &box), n == 1 ? SIMPLEREGION : COMPLEXREGION);
    const int rows = (n + 4) / 5;
    const int right = n >= 5 ? 18 : 2;
    EXPECT_TRUE(box.left == 0 && box.top == 0 && box.right == right && box.bottom == rows)
        << n << " rectangles: box " << rects_text({box});
    DeleteObject(whole);
    DeleteObject(in_batches);
    DeleteObject(unioned);
  }
}

TEST(ExtCreateRegion, EmptyRegionsAreValid) {
  HRGN empty = from_rects({});
  ASSERT_NE(empty, 0u) << "no rectangles: a valid handle without area";
  RECT box{1, 2, 3, 4};
  EXPECT_EQ(GetRgnBox(empty, &box), NULLREGION);
  EXPECT_TRUE(box.left == 0 && box.top == 0 && box.right == 0 && box.bottom == 0)
      << rects_text({box});
  EXPECT_FALSE(PtInRegion(empty, 0, 0));
  HRGN skipped = from_rects({{5, 5, 5, 9}, {1, 1, 0, 0}, {3, 3, 4, 3}});
  ASSERT_NE(skipped, 0u);
  EXPECT_TRUE(EqualRgn(empty, skipped)) << "empty and inverted rectangles add nothing";
  HRGN made_empty = CreateRectRgn(0, 0, 4, 4), hole = CreateRectRgn(0, 0, 4, 4);
  CombineRgn(made_empty, made_empty, hole, RGN_DIFF);
  EXPECT_TRUE(EqualRgn(empty, made_empty)) << "every empty region equals every other";
  EXPECT_EQ(GetRegionData(empty, 0, nullptr), sizeof(RGNDATAHEADER));
  for (HRGN r : {empty, skipped, made_empty, hole}) DeleteObject(r);
}

TEST(ExtCreateRegion, RefusesMalformedBuffers) {
  struct Case {
    std::string name;
    std::vector<std::uint8_t> buffer;
    DWORD bytes;
    const XFORM* xform;
    bool ok;
  };
  const Rects two = {{0, 0, 1, 1}, {2, 2, 3, 3}};
  const auto good = region_data(two);
  const DWORD good_size = static_cast<DWORD>(good.size());
  const XFORM identity{1, 0, 0, 1, 0, 0}, shift{1, 0, 0, 1, 5, 0}, scale{2, 0, 0, 2, 0, 0};
  auto with_count = [&](DWORD n) {
    auto b = good;
    std::memcpy(b.data() + 8, &n, sizeof n);
    return b;
  };
  const std::vector<Case> cases = {
      {"well formed", good, good_size, nullptr, true},
      {"identity transform", good, good_size, &identity, true},
      {"byte size too small for the count", good, good_size - 8, nullptr, false},
      {"shifting transform", good, good_size, &shift, false},
      {"scaling transform", good, good_size, &scale, false},
      {"header size 0", region_data(two, 0), good_size, nullptr, false},
      {"header size 31", region_data(two, 31), good_size, nullptr, false},
      {"header size 33", region_data(two, 33), good_size, nullptr, false},
      {"type 2", region_data(two, sizeof(RGNDATAHEADER), 2), good_size, nullptr, false},
      {"count beyond the bytes", with_count(3), good_size, nullptr, false},
      {"count 0xFFFFFFFF", with_count(0xFFFFFFFFu), good_size, nullptr, false},
      {"fewer bytes than a header", good, 31, nullptr, false},
      {"count below the bytes", with_count(1), good_size, nullptr, true},
  };
  for (const Case& c : cases) {
    HRGN rgn = ExtCreateRegion(c.xform, c.bytes, reinterpret_cast<const RGNDATA*>(c.buffer.data()));
    EXPECT_EQ(rgn != 0, c.ok) << c.name;
    DeleteObject(rgn);
  }
  EXPECT_EQ(ExtCreateRegion(nullptr, 64, nullptr), 0u) << "no buffer";
}

TEST(GetRegionData, SizeQueryAndRoundTrip) {
  HRGN rgn = from_rects({{0, 0, 2, 1}, {3, 0, 4, 1}, {0, 1, 4, 2}});
  const DWORD needed = GetRegionData(rgn, 0, nullptr);
  EXPECT_EQ(needed, sizeof(RGNDATAHEADER) + 3 * sizeof(RECT));
  std::vector<std::uint8_t> buffer(needed + 16);
  EXPECT_EQ(GetRegionData(rgn, needed - 1, reinterpret_cast<RGNDATA*>(buffer.data())), 0u)
      << "too small";
  EXPECT_EQ(GetRegionData(rgn, needed + 16, reinterpret_cast<RGNDATA*>(buffer.data())), needed)
      << "bytes used";
  RGNDATAHEADER header;
  std::memcpy(&header, buffer.data(), sizeof header);
  EXPECT_TRUE(header.dwSize == sizeof header && header.iType == RDH_RECTANGLES &&
              header.nCount == 3 && header.nRgnSize == 3 * sizeof(RECT) &&
              header.rcBound.left == 0 && header.rcBound.top == 0 && header.rcBound.right == 4 &&
              header.rcBound.bottom == 2)
      << "header " << header.dwSize << " " << header.iType << " " << header.nCount << " "
      << header.nRgnSize << " " << rects_text({header.rcBound});
  HRGN copy = ExtCreateRegion(nullptr, needed, reinterpret_cast<const RGNDATA*>(buffer.data()));
  EXPECT_TRUE(EqualRgn(rgn, copy));
  DeleteObject(copy);
  DeleteObject(rgn);
  EXPECT_EQ(GetRegionData(rgn, 0, nullptr), 0u) << "deleted region";
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(CreateRectRgn, CornersInAnyOrderAndClampedCoordinates) {
  struct Case {
    std::string name;
    RECT in;
    int type;
    RECT box;
  };
  constexpr LONG kLimit = (1 << 27) - 1;
  const std::vector<Case> cases = {
      {"ordered", {1, 2, 3, 4}, SIMPLEREGION, {1, 2, 3, 4}},
      {"reversed", {3, 4, 1, 2}, SIMPLEREGION, {1, 2, 3, 4}},
      {"zero width", {1, 2, 1, 4}, NULLREGION, {0, 0, 0, 0}},
      {"the whole integer range",
       {INT_MIN, INT_MIN, INT_MAX, INT_MAX},
       SIMPLEREGION,
       {-kLimit, -kLimit, kLimit, kLimit}},
  };
  for (const Case& c : cases) {
    HRGN rgn = CreateRectRgn(c.in.left, c.in.top, c.in.right, c.in.bottom);
    RECT box{};
    const int type = GetRgnBox(rgn, &box);
    EXPECT_TRUE(type == c.type && std::memcmp(&box, &c.box, sizeof box) == 0)
        << c.name << ": type " << type << " box " << rects_text({box}) << ", expected " << c.type
        << " " << rects_text({c.box});
    DeleteObject(rgn);
  }
  RECT r{};
  EXPECT_TRUE(SetRect(&r, 4, 3, 2, 1));
  EXPECT_TRUE(r.left == 4 && r.top == 3 && r.right == 2 && r.bottom == 1) << "stored as given";
  EXPECT_FALSE(SetRect(nullptr, 0, 0, 1, 1));
}

} // namespace
