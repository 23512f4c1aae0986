// The demo's frame, many thousand times over, headless: every frame completes, the program
// stays active, and resident memory at the end lies within 1 MiB of where it stood after the
// first 1,000 frames. Under the sanitizers the leak check at exit and every error check run
// over the whole soak. ORVEX_SOAK_FRAMES sets the number of frames (default 20,000).
#include "framework/render/gl.h"
#include "framework/window/window_state.h"
#include "soak/demo_run.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace orvex::test {

namespace {

constexpr long kSettledFrame = 1000;
constexpr long kAllowedGrowthKib = 1024;
constexpr long kReportEvery = 1000;

TEST(Soak, DemoFramesKeepTheirMemory) {
  const long frames = ENVCOUNT("ORVEX_SOAK_FRAMES", 20000);
  ASSERT_GT(frames, kSettledFrame) << "ORVEX_SOAK_FRAMES must exceed " << kSettledFrame;
  DEMOSETUP();
  ASSERT_TRUE(ACTIVE);

  long settled_kib = 0;
  long long settled_heap = 0;
  const auto start = std::chrono::steady_clock::now();
  for (long frame = 1; frame <= frames; ++frame) {
    DEMOFRAME();
    ASSERT_TRUE(ACTIVE) << "the demo stopped at frame " << frame;
    if (frame == kSettledFrame) {
      settled_kib = RESIDENTKIB();
      settled_heap = HEAPBYTESINUSE();
    }
    if (frame % kReportEvery == 0) {
      const double seconds =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      std::printf("frame %6ld: resident %7ld KiB, heap %lld bytes, %.1f s\n", frame, RESIDENTKIB(),
                  HEAPBYTESINUSE(), seconds);
      std::fflush(stdout);
    }
  }
  const long final_kib = RESIDENTKIB();
  const long long final_heap = HEAPBYTESINUSE();
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const GLenum error = glGetError();
  DEMORELEASE();

  std::printf("soak: %ld frames in %.1f s (%.1f frames/s); resident after frame %ld: %ld KiB, "
              "after frame %ld: %ld KiB (%+ld KiB)\n",
              frames, seconds, frames / seconds, kSettledFrame, settled_kib, frames, final_kib,
              final_kib - settled_kib);
  RecordProperty("frames", std::to_string(frames));
  RecordProperty("seconds", std::to_string(seconds));
  RecordProperty("resident_kib_settled", std::to_string(settled_kib));
  RecordProperty("resident_kib_final", std::to_string(final_kib));
  EXPECT_LE(std::labs(final_kib - settled_kib), kAllowedGrowthKib)
      << "resident memory after frame " << kSettledFrame << ": " << settled_kib
      << " KiB, after frame " << frames << ": " << final_kib << " KiB";
  EXPECT_LE(final_heap - settled_heap, kAllowedGrowthKib * 1024)
      << "heap in use after frame " << kSettledFrame << ": " << settled_heap
      << " bytes, after frame " << frames << ": " << final_heap << " bytes";
  EXPECT_EQ(error, static_cast<GLenum>(GL_NO_ERROR)) << "the driver reports an error";
}

} // namespace

} // namespace orvex::test
