// Process-level basics: the module handle, the tick count and the thread's last error.
#include <platform/win32.h>

#include <chrono>

namespace {
DWORD last_error = 0;
// The program's own module; the layer knows no other.
constexpr HMODULE kProgramInstance = 1;
} // namespace

HMODULE GetModuleHandleA(LPCSTR name) {
  if (name) return SetLastError(ERROR_FILE_NOT_FOUND), 0;
  return kProgramInstance;
}

DWORD GetTickCount() {
  // The monotonic clock counts from system start on Linux, as the tick count does.
  auto since_boot = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<DWORD>(
      std::chrono::duration_cast<std::chrono::milliseconds>(since_boot).count());
}

DWORD GetLastError() {
  return last_error;
}
void SetLastError(DWORD code) {
  last_error = code;
}
