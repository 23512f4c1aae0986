// The demo's frame, many thousand times over, headless: every frame completes, the program
// stays active, and resident memory at the end lies within 1 MiB of where it stood after the
// first 1,000 frames, as does the heap in use. Under the sanitizers the leak check at exit and
// every error check run over the whole soak. ORVEX_SOAK_FRAMES sets the number of frames
// (default 20,000).
#include "framework/render/gl.h"
#include "framework/window/window_state.h"
#include "soak/demo_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace orvex::test {

namespace {

constexpr long kSettledFrame = 1000;
constexpr long kAllowedResidentGrowthKib = 4096;
constexpr long kAllowedGrowthKib = 1024;
constexpr long kReportEvery = 1000;
// NOTE: the driver maps and unmaps blocks of a few hundred KiB for its work inside a frame,
// and the allocator may still hold one when a frame ends. Memory "after frame N" is therefore
// the least found at the end of each of the 100 frames that begin with frame N (for frame 1,000)
// or that end with it (for the last frame): what stays from frame to frame, where a leak shows.
constexpr long kWindow = 100;

struct Memory {
  long resident_kib = LONG_MAX;
  long long heap_bytes = LLONG_MAX;
  void sample() {
    resident_kib = std::min(resident_kib, RESIDENTKIB());
    heap_bytes = std::min(heap_bytes, HEAPBYTESINUSE());
  }
};

TEST(Soak, DemoFramesKeepTheirMemory) {
  const long frames = ENVCOUNT("ORVEX_SOAK_FRAMES", 20000);
  ASSERT_GE(frames, kSettledFrame + kWindow)
      << "ORVEX_SOAK_FRAMES must be at least " << kSettledFrame + kWindow;
  DEMOSETUP();
  ASSERT_TRUE(ACTIVE);

  Memory settled, final;
  const auto start = std::chrono::steady_clock::now();
  for (long frame = 1; frame <= frames; ++frame) {
    DEMOFRAME();
    ASSERT_TRUE(ACTIVE) << "the demo stopped at frame " << frame;
    if (frame >= kSettledFrame && frame < kSettledFrame + kWindow) settled.sample();
    if (frame > frames - kWindow) final.sample();
    if (frame % kReportEvery == 0) {
      const double seconds =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      std::printf("frame %6ld: resident %7ld KiB, heap %lld bytes, %.1f s\n", frame, RESIDENTKIB(),
                  HEAPBYTESINUSE(), seconds);
      std::fflush(stdout);
    }
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const GLenum error = glGetError();
  DEMORELEASE();

  std::printf("soak: %ld frames in %.1f s (%.1f frames/s); after frame %ld: resident %ld KiB, "
              "heap %lld bytes; after frame %ld: resident %ld KiB (%+ld KiB), heap %lld bytes "
              "(%+lld)\n",
              frames, seconds, frames / seconds, kSettledFrame, settled.resident_kib,
              settled.heap_bytes, frames, final.resident_kib,
              final.resident_kib - settled.resident_kib, final.heap_bytes,
              final.heap_bytes - settled.heap_bytes);
  RecordProperty("frames", std::to_string(frames));
  RecordProperty("seconds", std::to_string(seconds));
  RecordProperty("resident_kib_settled", std::to_string(settled.resident_kib));
  RecordProperty("resident_kib_final", std::to_string(final.resident_kib));
  // NOTE: the heap is the leak check; resident memory also holds the GL driver's own mapped
  // pools, which move by about a mebibyte either way from run to run, so it gets a wider bound.
  EXPECT_LE(final.resident_kib - settled.resident_kib, kAllowedResidentGrowthKib)
      << "resident memory after frame " << kSettledFrame << ": " << settled.resident_kib
      << " KiB, after frame " << frames << ": " << final.resident_kib << " KiB";
  EXPECT_LE(final.heap_bytes - settled.heap_bytes, kAllowedGrowthKib * 1024)
      << "heap in use after frame " << kSettledFrame << ": " << settled.heap_bytes
      << " bytes, after frame " << frames << ": " << final.heap_bytes << " bytes";
  EXPECT_EQ(error, static_cast<GLenum>(GL_NO_ERROR)) << "the driver reports an error";
}

} // namespace

} // namespace orvex::test
