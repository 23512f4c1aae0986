// Window size and handles shared by the framework: the single main window, its device and
// rendering contexts, and the flags that decide its shape and the program's run.
#pragma once

#include <platform/win32.h>

#include <cstdint>

namespace orvex {

inline HWND HWINDOW = 0;
inline HDC DCWINDOW = 0;
inline HGLRC RCWINDOW = 0;

// Window size in pixels: the requested size, or the screen's in full screen.
inline std::int32_t WIDTH = 0;
inline std::int32_t HEIGHT = 0;
inline std::int32_t BITS = 0;
inline bool FULLSCREEN = false;

// True while the window exists and the program should keep running.
inline bool ACTIVE = false;

// The application name; the caller's text, which must outlive the window.
inline const char* SETTITLENAME = nullptr;

} // namespace orvex
