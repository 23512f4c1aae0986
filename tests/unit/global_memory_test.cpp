// Global memory blocks: growth that keeps the contents, lock counting, and the failures.
#include <platform/win32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

TEST(GlobalReAlloc, GrowingKeepsTheContentsAndZeroesTheRest) {
  struct Case {
    std::string name;
    UINT alloc_flags;
    SIZE_T first, second;
    bool locked_while_growing;
    UINT realloc_flags;
    bool ok;
  };
  const std::vector<Case> cases = {
      {"moveable, unlocked, grown by a step", GMEM_MOVEABLE, 32 + 1600, 32 + 3200, false,
       GMEM_MOVEABLE, true},
      {"moveable, unlocked, no flag", GMEM_MOVEABLE, 64, 4096, false, 0, true},
      {"moveable, locked, GMEM_MOVEABLE", GMEM_MOVEABLE, 64, 4096, true, GMEM_MOVEABLE, true},
      {"moveable, locked, no flag", GMEM_MOVEABLE, 64, 4096, true, 0, false},
      {"fixed, GMEM_MOVEABLE", GMEM_FIXED, 64, 4096, false, GMEM_MOVEABLE, true},
      {"fixed, no flag", GMEM_FIXED, 64, 4096, false, 0, false},
      {"shrinking in place", GMEM_MOVEABLE, 4096, 16, true, 0, true},
      {"from zero bytes", GMEM_MOVEABLE, 0, 128, false, GMEM_MOVEABLE, true},
  };
  for (const Case& c : cases) {
    HGLOBAL block = GlobalAlloc(c.alloc_flags, c.first);
    ASSERT_NE(block, 0u) << c.name;
    EXPECT_EQ(GlobalSize(block), c.first) << c.name;
    std::vector<std::uint8_t> pattern(c.first);
    for (std::size_t i = 0; i < pattern.size(); ++i)
      pattern[i] = static_cast<std::uint8_t>(i * 7 + 1);
    if (c.first) std::memcpy(GlobalLock(block), pattern.data(), pattern.size());
    if (!c.locked_while_growing && c.first) GlobalUnlock(block);
    HGLOBAL grown = GlobalReAlloc(block, c.second, c.realloc_flags);
    EXPECT_EQ(grown != 0, c.ok) << c.name;
    if (c.locked_while_growing && c.first) GlobalUnlock(block);
    const SIZE_T size = GlobalSize(block);
    EXPECT_EQ(size, c.ok ? c.second : c.first) << c.name;
    auto* p = static_cast<std::uint8_t*>(GlobalLock(block));
    std::vector<std::uint8_t> got(p, p + size);
    std::vector<std::uint8_t> expected(size, 0);
    std::copy_n(pattern.begin(), std::min<std::size_t>(size, pattern.size()), expected.begin());
    EXPECT_TRUE(got == expected) << c.name << ": contents changed";
    GlobalUnlock(block);
    EXPECT_EQ(GlobalFree(block), 0u) << c.name;
  }
}

TEST(GlobalLock, CountsLocksOnMoveableBlocks) {
  HGLOBAL moveable = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 16);
  void* first = GlobalLock(moveable);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(GlobalLock(moveable), first) << "a second lock, same address";
  EXPECT_TRUE(GlobalUnlock(moveable)) << "still locked once";
  SetLastError(1234);
  EXPECT_FALSE(GlobalUnlock(moveable)) << "now unlocked";
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS) << "unlocking to zero is no error";
  EXPECT_FALSE(GlobalUnlock(moveable));
  EXPECT_EQ(GetLastError(), ERROR_NOT_LOCKED) << "unlocking an unlocked block";
  HGLOBAL fixed = GlobalAlloc(GPTR, 16);
  ASSERT_NE(GlobalLock(fixed), nullptr);
  EXPECT_TRUE(GlobalUnlock(fixed)) << "fixed blocks answer TRUE";
  EXPECT_EQ(GlobalReAlloc(fixed, 16, GMEM_MODIFY | GMEM_MOVEABLE), fixed) << "made moveable";
  GlobalLock(fixed);
  EXPECT_FALSE(GlobalUnlock(fixed)) << "now counted like a moveable block";
  HGLOBAL empty = GlobalAlloc(GMEM_MOVEABLE, 0);
  ASSERT_NE(empty, 0u);
  EXPECT_EQ(GlobalLock(empty), nullptr) << "a zero-byte block has no address";
  EXPECT_EQ(GlobalFree(moveable), 0u) << "freed while locked";
  EXPECT_EQ(GlobalFree(fixed), 0u);
  EXPECT_EQ(GlobalFree(empty), 0u);
}

TEST(GlobalAlloc, FailuresReturnZero) {
  SetLastError(0);
  EXPECT_EQ(GlobalAlloc(GMEM_MOVEABLE, SIZE_T{1} << 40), 0u) << "a terabyte";
  EXPECT_EQ(GetLastError(), ERROR_NOT_ENOUGH_MEMORY);
  EXPECT_EQ(GlobalAlloc(GMEM_MOVEABLE, (SIZE_T{1} << 30) + 1), 0u) << "just above the cap";
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 8);
  EXPECT_EQ(GlobalReAlloc(block, SIZE_T{1} << 40, GMEM_MOVEABLE), 0u) << "growing to a terabyte";
  EXPECT_EQ(GlobalSize(block), 8u) << "the block is unchanged";
  EXPECT_EQ(GlobalFree(block), 0u);
  // A freed handle is stale everywhere.
  EXPECT_EQ(GlobalLock(block), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_FALSE(GlobalUnlock(block));
  EXPECT_EQ(GlobalSize(block), 0u);
  EXPECT_EQ(GlobalReAlloc(block, 16, GMEM_MOVEABLE), 0u);
  EXPECT_EQ(GlobalFree(block), block) << "freeing twice hands the handle back";
  EXPECT_EQ(GlobalLock(0), nullptr);
  HRGN region = CreateRectRgn(0, 0, 1, 1);
  EXPECT_EQ(GlobalSize(region), 0u) << "a region is no memory block";
  DeleteObject(region);
}

} // namespace
