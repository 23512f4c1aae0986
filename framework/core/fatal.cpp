#include "framework/core/fatal.h"

#include <platform/win32.h>

#include <cstdio>
#include <cstdlib>

namespace orvex {

void FAILEDCHECK(const char* text, int exit_code) {
  MessageBoxA(0, text, "Error", MB_OK);
  std::fflush(stdout);
  std::exit(exit_code);
}

} // namespace orvex
