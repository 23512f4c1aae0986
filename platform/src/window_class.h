// The registry of window classes.
#pragma once

#include <platform/win32.h>

#include <string>

namespace orvex::platform {

struct WindowClass {
  ATOM atom = 0;
  std::string name;
  UINT style = 0;
  WNDPROC proc = nullptr;
  HINSTANCE instance = 0;
  HICON icon = 0;
  HICON small_icon = 0;
  HCURSOR cursor = 0;
  HBRUSH background = 0;
};

// The class of that name (case-insensitive) or atom (MAKEINTATOM), else null.
const WindowClass* find_window_class(LPCSTR name);

} // namespace orvex::platform
