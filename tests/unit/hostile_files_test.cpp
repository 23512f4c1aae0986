// Hostile files with a known outcome: sizes the file cannot hold, zero and negative sizes,
// offsets past the end, impossible depths and colour counts, broken run-length data, cut-off
// files and malformed cursors. Each one is refused quickly, without a large allocation, by
// every routine that reads such files: the header probe answers from the headers alone.
#include "bmp_decode.h"
#include "cursor_file.h"
#include "framework/texture/bmp_texture.h"
#include "framework/window/bitmap_region.h"
#include "unit/support/allocation_watch.h"
#include "unit/support/hostile_files.h"

#include <platform/win32.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace orvex::test {

namespace {

// No single file may take longer than this, even in the sanitizer build.
constexpr double kMaxMillisecondsPerFile = 250.0;
// What all the files together may add to the peak resident memory, and the largest single
// allocation any of them may cause.
constexpr long kMaxPeakGrowthKib = 8 * 1024;
constexpr std::size_t kMaxAllocationBytes = 1u << 20;

std::vector<std::uint8_t> READ(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

HBITMAP LOAD(const std::string& path, UINT flags) {
  HANDLE h = LoadImageA(GetModuleHandleA(nullptr), path.c_str(), IMAGE_BITMAP, 0, 0, flags);
  return static_cast<HBITMAP>(reinterpret_cast<std::uintptr_t>(h));
}

// What the BMP readers made of one file.
struct BmpOutcome {
  std::int32_t depth = 0;
  bool decoded = false;
  HBITMAP texture_flags = 0; // LoadImageA with the texture loader's flags
  HBITMAP region_flags = 0;  // LoadImageA with the region builder's flags
  HBITMAP palette_bitmap = 0;
  bool palette_written = false;
  HRGN region = 0;
  double milliseconds = 0;
};

BmpOutcome READBMP(const std::string& path) {
  BmpOutcome o;
  const auto start = std::chrono::steady_clock::now();
  o.depth = GETBMPDEPTH(path.c_str());
  const std::vector<std::uint8_t> bytes = READ(path);
  o.decoded = platform::decode_bmp(bytes.data(), bytes.size()).has_value();
  o.texture_flags = LOAD(path, LR_LOADFROMFILE | LR_LOADTRANSPARENT | LR_CREATEDIBSECTION);
  o.region_flags = LOAD(path, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
  constexpr HPALETTE kUntouched = 0x7777;
  HPALETTE pal = kUntouched;
  o.palette_bitmap = LOADBMPFROMFILE(path, pal);
  o.palette_written = pal != kUntouched;
  o.region = BITMAPTOREGION(path, 0x00FF00FF, 1);
  o.milliseconds =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  return o;
}

::testing::AssertionResult REFUSED(const HostileBmp& file, const BmpOutcome& o) {
  std::ostringstream problems;
  if (o.depth != file.depth) problems << " probe " << o.depth << " (want " << file.depth << ");";
  if (o.decoded) problems << " decoded;";
  if (o.texture_flags) problems << " LoadImageA (texture flags) gave a bitmap;";
  if (o.region_flags) problems << " LoadImageA (region flags) gave a bitmap;";
  if (o.palette_bitmap) problems << " LOADBMPFROMFILE gave a bitmap;";
  if (o.palette_written) problems << " LOADBMPFROMFILE wrote the palette;";
  if (o.region) problems << " BITMAPTOREGION gave a region;";
  if (o.milliseconds > kMaxMillisecondsPerFile) problems << " took " << o.milliseconds << " ms;";
  if (problems.str().empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << file.file << ":" << problems.str();
}

TEST(HostileFiles, EveryBmpLoadsAsNoImage) {
  AllocationWatch watch;
  double slowest = 0;
  for (const HostileBmp& file : HOSTILEBMPS()) {
    const BmpOutcome outcome = READBMP(HOSTILEPATH(file.file));
    EXPECT_TRUE(REFUSED(file, outcome));
    slowest = std::max(slowest, outcome.milliseconds);
  }
  EXPECT_LE(watch.peak_growth_kib(), kMaxPeakGrowthKib) << "peak resident memory grew";
  if (watch.sees_allocations()) {
    EXPECT_LE(watch.largest_allocation(), kMaxAllocationBytes) << "largest single allocation";
  }
  RecordProperty("slowest_ms", std::to_string(slowest));
  RecordProperty("largest_allocation", std::to_string(watch.largest_allocation()));
}

TEST(HostileFiles, EveryCursorFileIsRefused) {
  AllocationWatch watch;
  for (const std::string& file : HOSTILECURSORS()) {
    const std::string path = HOSTILEPATH(file);
    const auto start = std::chrono::steady_clock::now();
    const std::vector<std::uint8_t> bytes = READ(path);
    const bool decoded = platform::decode_cursor_file(bytes.data(), bytes.size()).has_value();
    const HCURSOR cursor = LoadCursorFromFileA(path.c_str());
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    EXPECT_FALSE(decoded) << file;
    EXPECT_EQ(cursor, 0u) << file;
    EXPECT_LE(ms, kMaxMillisecondsPerFile) << file;
  }
  EXPECT_LE(watch.peak_growth_kib(), kMaxPeakGrowthKib) << "peak resident memory grew";
  if (watch.sees_allocations()) {
    EXPECT_LE(watch.largest_allocation(), kMaxAllocationBytes) << "largest single allocation";
  }
}

// The script and the tables name the same files, so that no hostile file goes untested.
TEST(HostileFiles, TablesCoverTheWrittenFiles) {
  std::set<std::string> listed;
  for (const HostileBmp& f : HOSTILEBMPS()) listed.insert(f.file);
  for (const std::string& f : HOSTILECURSORS()) listed.insert(f);
  std::set<std::string> written;
  for (const auto& entry : std::filesystem::directory_iterator(ORVEX_HOSTILE_DIR)) {
    const std::string name = entry.path().filename().string();
    if (name[0] != '.') written.insert(name);
  }
  for (const std::string& name : listed)
    EXPECT_TRUE(written.count(name)) << name << " is listed but was not written";
  for (const std::string& name : written)
    EXPECT_TRUE(listed.count(name)) << name << " was written but has no expected outcome";
}

// The very files are small: the sizes they claim come from their headers alone.
TEST(HostileFiles, ClaimsOutgrowTheFiles) {
  for (const char* name : {"huge_24.bmp", "huge_32.bmp", "huge_rle8.bmp"}) {
    const std::vector<std::uint8_t> bytes = READ(HOSTILEPATH(name));
    ASSERT_GE(bytes.size(), 54u) << name;
    EXPECT_LT(bytes.size(), 1500u) << name;
    const auto width =
        static_cast<std::int32_t>(bytes[18] | bytes[19] << 8 | bytes[20] << 16 | bytes[21] << 24);
    EXPECT_EQ(width, 65535) << name;
  }
}

} // namespace

} // namespace orvex::test
