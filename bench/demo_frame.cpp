// The demo under measurement: the very set-up and frame loop of app/main.cpp, with the
// start-up question answered in code (No: the 800 x 600 window), run for a given number of
// frames. Links the demo's scene, the framework and the layer exactly as the demo does.
//
// Usage: demo_frame run N            set-up and N frames
//        demo_frame fps WARMUP N     WARMUP frames, then N timed ones; prints the rate
//        demo_frame startup          set-up and one frame; prints when it was presented
//        demo_frame flood ROUNDS     idle frames against frames after 10,000 mouse moves
//        demo_frame idle-pump CALLS  SETGLMSG with nothing pending
//        demo_frame rss N1 N2        resident memory after N1 and after N2 frames
//        demo_frame bmp-write FILE   writes a 4096 x 4096 24-bit BMP
//        demo_frame bmp FILE PAIRS   LoadImageA against SDL_LoadBMP of the same file
#include "app/scene.h"
#include "bench_util.h"
#include "framework/core/handle_value.h"
#include "framework/render/gl.h"
#include "framework/render/lights.h"
#include "framework/render/projection.h"
#include "framework/window/camera.h"
#include "framework/window/message_pump.h"
#include "framework/window/ogl_window.h"
#include "tools/bmp_writer.h"

#include <SDL.h>
#include <malloc.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

using namespace orvex;

namespace {

void set_up() {
  FULLSCREEN = false; // the start-up question, answered No
  OGLWINDOWSETTING(ARROW, "", GENERIC, "");
  CREATEOGLWINDOW("Reflection map", 800, 600, 32, FULLSCREEN);
  OPENGL_INIT(100.0, 0.0, 0.0, 0.0, 0.0);
  SETGLREFRACTIVE();
  SETGLLIGHT(GL_LIGHT0, 0.0f, 0.0f, 0.0f, 0.1f);
  app::OPENGL_CREATELIST();
}

// One pass of the demo's loop body.
void frame() {
  glClear(GL_COLOR_BUFFER_BIT);
  SETGLMSG();
  app::OPENGL_DRAW();
  SwapBuffers(DCWINDOW);
}

void frames(long n) {
  for (long i = 0; i < n && ACTIVE; ++i) frame();
}

double timed_frame_ns() {
  const std::int64_t start = bench::now_ns();
  frame();
  return static_cast<double>(bench::now_ns() - start);
}

// Frames until the queue holds nothing: the window's start-up notifications are consumed.
void settle() {
  MSG m{};
  for (int i = 0; i < 500 && PeekMessageA(&m, 0, 0, 0, PM_NOREMOVE); ++i) frame();
}

Uint32 native_window() {
  return SDL_GetWindowID(SDL_GL_GetCurrentWindow());
}

void push_button(Uint32 window, bool down, int x, int y) {
  SDL_Event e{};
  e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  e.button.windowID = window;
  e.button.button = SDL_BUTTON_LEFT;
  e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.button.clicks = 1;
  e.button.x = x;
  e.button.y = y;
  e.common.timestamp = SDL_GetTicks();
  SDL_PushEvent(&e);
}

void push_motion(Uint32 window, int x, int y) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.windowID = window;
  e.motion.state = SDL_BUTTON_LMASK;
  e.motion.x = x;
  e.motion.y = y;
  e.common.timestamp = SDL_GetTicks();
  SDL_PushEvent(&e);
}

// The camera angle after a left drag from `from` to `to`, as the movement row forms it.
float dragged(float angle, int from, int to) {
  return static_cast<float>(static_cast<long double>(angle) +
                            static_cast<long double>(to - from) / 2.0L * MSPEED);
}

int flood(long rounds) {
  constexpr int kMoves = 10000;
  constexpr int kIdleFrames = 5;
  frames(20);
  settle();
  const Uint32 window = native_window();
  int x = 400, y = 300;
  push_button(window, true, x, y);
  frame();
  settle();

  std::vector<double> ratios, idle_all, flood_all;
  bool camera_ok = true;
  for (long r = 0; r < rounds; ++r) {
    std::vector<double> idle;
    for (int i = 0; i < kIdleFrames; ++i) idle.push_back(timed_frame_ns());
    const double idle_ns = bench::median(idle);

    // 10,000 moves wandering over the window; the last one decides where the camera stands.
    const float xrot = XROT, yrot = YROT;
    const int from_x = x, from_y = y;
    for (int i = 0; i < kMoves; ++i) {
      x = 100 + (i * 37 + static_cast<int>(r) * 11) % 600;
      y = 100 + (i * 53 + static_cast<int>(r) * 7) % 400;
      push_motion(window, x, y);
    }
    const double flood_ns = timed_frame_ns();
    const float want_x = dragged(xrot, from_y, y), want_y = dragged(yrot, from_x, x);
    if (XROT != want_x || YROT != want_y) {
      camera_ok = false;
      std::fprintf(stderr, "flood: camera at (%g, %g), the last move puts it at (%g, %g)\n", XROT,
                   YROT, want_x, want_y);
    }
    ratios.push_back(flood_ns / idle_ns);
    idle_all.push_back(idle_ns);
    flood_all.push_back(flood_ns);
    settle();
  }
  push_button(window, false, x, y);
  frame();
  bench::figure("idle_frame_ms", bench::median(idle_all) / 1e6, "ms");
  bench::figure("flood_frame_ms", bench::median(flood_all) / 1e6, "ms");
  bench::figure("flood_frame_ratio", bench::median(ratios), "x");
  bench::figure("flood_camera_ok", camera_ok ? 1 : 0, "bool");
  return camera_ok ? 0 : 1;
}

int idle_pump(long calls) {
  frames(20);
  settle();
  // Several batches; the fastest is the pump's own cost, the rest is the machine's noise.
  std::vector<double> per_call;
  for (int batch = 0; batch < 7; ++batch) {
    const std::int64_t start = bench::now_ns();
    for (long i = 0; i < calls; ++i) SETGLMSG();
    per_call.push_back(static_cast<double>(bench::now_ns() - start) / static_cast<double>(calls));
  }
  bench::figure("idle_pump_ns", bench::median(per_call), "ns");
  return 0;
}

int rss(long first, long second) {
  frames(first);
  const long at_first = bench::rss_kib();
  const std::size_t heap_first = mallinfo2().uordblks;
  frames(second - first);
  const long at_second = bench::rss_kib();
  const std::size_t heap_second = mallinfo2().uordblks;
  std::printf("rss_after_%ld %ld KiB\n", first, at_first);
  std::printf("rss_after_%ld %ld KiB\n", second, at_second);
  bench::figure("rss_growth_kib", static_cast<double>(at_second - at_first), "KiB");
  // Heap in use tells a leak from memory the driver maps once and keeps.
  bench::figure("heap_growth_bytes",
                static_cast<double>(heap_second) - static_cast<double>(heap_first), "bytes");
  return 0;
}

// --- Loading --------------------------------------------------------------------------------

// A 4096 x 4096 24-bit picture of byte patterns, the file the loading figures read.
int bmp_write(const char* path) {
  constexpr int kEdge = 4096;
  std::vector<std::uint8_t> bgr(static_cast<std::size_t>(kEdge) * kEdge * 3);
  std::uint8_t* p = bgr.data();
  for (int y = 0; y < kEdge; ++y) {
    for (int x = 0; x < kEdge; ++x, p += 3) {
      p[0] = static_cast<std::uint8_t>(x ^ y);
      p[1] = static_cast<std::uint8_t>(x + 2 * y);
      p[2] = static_cast<std::uint8_t>(y);
    }
  }
  return orvex::tools::write_bmp24(path, kEdge, kEdge, bgr) ? 0 : 1;
}

int bmp(const char* path, long pairs) {
  SDL_Init(0);
  auto load_image = [&] {
    const std::int64_t start = bench::now_ns();
    HANDLE h = LoadImageA(GetModuleHandleA(nullptr), path, IMAGE_BITMAP, 0, 0,
                          LR_LOADFROMFILE | LR_LOADTRANSPARENT | LR_CREATEDIBSECTION);
    const std::int64_t took = bench::now_ns() - start;
    if (!h) std::fprintf(stderr, "bmp: LoadImageA refused %s\n", path);
    DeleteObject(FROMHANDLE<HGDIOBJ>(h));
    return static_cast<double>(took);
  };
  auto sdl_load = [&] {
    const std::int64_t start = bench::now_ns();
    SDL_Surface* s = SDL_LoadBMP(path);
    const std::int64_t took = bench::now_ns() - start;
    if (!s) std::fprintf(stderr, "bmp: SDL_LoadBMP: %s\n", SDL_GetError());
    SDL_FreeSurface(s);
    return static_cast<double>(took);
  };
  load_image(); // both read a file that is in the page cache
  sdl_load();
  std::vector<double> ratios, ours, theirs;
  for (long i = 0; i < pairs; ++i) {
    // Alternate which goes first, so that neither always follows the other's allocations.
    double a, b;
    if (i % 2) {
      b = sdl_load();
      a = load_image();
    } else {
      a = load_image();
      b = sdl_load();
    }
    ours.push_back(a);
    theirs.push_back(b);
    ratios.push_back(a / b);
  }
  bench::figure("bmp_loadimage_ms", bench::median(ours) / 1e6, "ms");
  bench::figure("bmp_sdl_ms", bench::median(theirs) / 1e6, "ms");
  bench::figure("bmp_load_ratio", bench::median(ratios), "x");
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "run";
  if (mode == "bmp-write" && argc > 2) return bmp_write(argv[2]);
  if (mode == "bmp" && argc > 2) return bmp(argv[2], bench::arg_count(argc, argv, 3, 9));

  set_up();
  int status = 0;
  if (mode == "run") {
    frames(bench::arg_count(argc, argv, 2, 100));
  } else if (mode == "fps") {
    frames(bench::arg_count(argc, argv, 2, 20));
    const long n = bench::arg_count(argc, argv, 3, 100);
    const std::int64_t start = bench::now_ns();
    frames(n);
    const std::int64_t elapsed = bench::now_ns() - start;
    bench::figure("fps", static_cast<double>(n) * 1e9 / static_cast<double>(elapsed), "frames/s");
  } else if (mode == "startup") {
    frame();
    std::printf("presented_ns %lld\n", static_cast<long long>(bench::now_ns()));
    std::fflush(stdout);
  } else if (mode == "flood") {
    status = flood(bench::arg_count(argc, argv, 2, 7));
  } else if (mode == "idle-pump") {
    status = idle_pump(bench::arg_count(argc, argv, 2, 100000));
  } else if (mode == "rss") {
    status = rss(bench::arg_count(argc, argv, 2, 1000), bench::arg_count(argc, argv, 3, 20000));
  } else {
    std::fprintf(stderr, "demo_frame: unknown mode %s\n", mode.c_str());
    status = 2;
  }
  DELETEOGLWINDOW();
  return status;
}
