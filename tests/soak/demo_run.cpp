#include "soak/demo_run.h"

#include "app/scene.h"
#include "framework/render/gl.h"
#include "framework/render/lights.h"
#include "framework/render/projection.h"
#include "framework/window/message_pump.h"
#include "framework/window/ogl_window.h"

#include <dlfcn.h>
#include <link.h>
#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

extern "C" std::size_t __sanitizer_get_current_allocated_bytes() __attribute__((weak));

// NOTE: the GL driver allocates and frees several megabytes in every frame. AddressSanitizer
// holds freed memory back in a quarantine, 256 MiB by default, hands it out again in an order
// of its own and now and then gives free pages back to the system: resident memory then moves
// by megabytes from one thousand frames to the next while the heap in use stays the same. A
// quarantine of 16 MiB still catches a use after free within the last few frames' work, and
// with no pages given back resident memory grows only when the heap does.
extern "C" const char* __asan_default_options() {
  return "quarantine_size_mb=16:allocator_release_to_os_interval_ms=-1";
}

namespace orvex::test {

namespace {

// NOTE: the GL driver is unloaded when the context goes; what it keeps for the life of the
// process would then show up as leaks of an unknown module, beyond the reach of the leak
// suppressions. Every library loaded by now stays loaded until the process ends.
void PINLOADEDLIBRARIES() {
  dl_iterate_phdr(
      [](dl_phdr_info* info, std::size_t, void*) {
        if (info->dlpi_name && info->dlpi_name[0] != '\0')
          dlopen(info->dlpi_name, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
        return 0;
      },
      nullptr);
}

} // namespace

void DEMOSETUP() {
  // The demo registers its window class once per process, as the demo itself does; a second
  // set-up would end the process through the registration failure's message.
  static bool set_up = false;
  if (set_up) {
    std::fputs("the demo's set-up runs once per process: run one test at a time (ctest does)\n",
               stderr);
    std::abort();
  }
  set_up = true;
  const std::filesystem::path root = std::filesystem::read_symlink("/proc/self/exe").parent_path();
  std::filesystem::current_path(root);
  FULLSCREEN = false; // the start-up question, answered No
  OGLWINDOWSETTING(ARROW, "", GENERIC, "");
  CREATEOGLWINDOW("Reflection map", 800, 600, 32, FULLSCREEN);
  OPENGL_INIT(100.0, 0.0, 0.0, 0.0, 0.0);
  SETGLREFRACTIVE();
  SETGLLIGHT(GL_LIGHT0, 0.0f, 0.0f, 0.0f, 0.1f);
  app::OPENGL_CREATELIST();
  PINLOADEDLIBRARIES();
}

void DEMOFRAME() {
  glClear(GL_COLOR_BUFFER_BIT);
  SETGLMSG();
  app::OPENGL_DRAW();
  SwapBuffers(DCWINDOW);
}

void DEMORELEASE() {
  DELETEOGLWINDOW();
}

long RESIDENTKIB() {
  long pages = 0, resident = 0;
  if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

long long HEAPBYTESINUSE() {
  if (__sanitizer_get_current_allocated_bytes)
    return static_cast<long long>(__sanitizer_get_current_allocated_bytes());
  const struct mallinfo2 info = mallinfo2();
  return static_cast<long long>(info.uordblks + info.hblkhd);
}

long ENVCOUNT(const char* name, long fallback) {
  const char* text = std::getenv(name);
  if (!text || !*text) return fallback;
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  return (*end == '\0' && value > 0) ? value : fallback;
}

} // namespace orvex::test
