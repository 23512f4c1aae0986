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

namespace orvex {

// Cursor kinds: the standard cursor each selects, or the file in CURSORFILE.
constexpr std::int32_t ARROW = 1;
constexpr std::int32_t IBEAM = 2;
constexpr std::int32_t WAIT = 3;
constexpr std::int32_t CROSS = 4;
constexpr std::int32_t UPARROW = 5;
constexpr std::int32_t SIZE = 6;
constexpr std::int32_t FILECURSOR = 7;
constexpr std::int32_t SIZENWSE = 8;
constexpr std::int32_t SIZENESW = 9;
constexpr std::int32_t SIZEWE = 10;
constexpr std::int32_t SIZENS = 11;
constexpr std::int32_t SIZEALL = 12;
constexpr std::int32_t NOCURSOR = 13;
constexpr std::int32_t HAND = 14;
constexpr std::int32_t APPSTARTING = 15;
constexpr std::int32_t HELP = 16;

// Icon kinds: the standard application icon, or the file in ICONFILE.
constexpr std::int32_t GENERIC = 1;
constexpr std::int32_t FILEICON = 2;

inline std::int32_t SETTYPECURSOR = 0;
inline std::int32_t SETTYPEICON = 0;
inline const char* CURSORFILE = nullptr; // the caller's text, not a copy
inline const char* ICONFILE = nullptr;   // the caller's text, not a copy

// Extra pixel-format flags an application may set before creating the window.
inline std::int32_t PIXEL_FORMAT_FLAGS = 0;
// The description of the hover-button class, filled when that class is registered.
inline WNDCLASSEXA WINDOWCLASSEX{};

// Menu hooks: switched on by SHOWMENUBAR; both procedures must then be assigned.
inline bool SHOWMENUBAR = false;
inline void (*CREATEMENUBAR)() = nullptr;
inline void (*CREATEMOUSEMENU)() = nullptr;
inline WNDPROC GETINPUTCOMMAND = nullptr;

// Tick count at set-up when free mouse look was on.
inline std::uint32_t START = 0;
inline bool FOGONOFF = false;
// An empty display list, made only when a context is current at set-up.
inline std::uint32_t OBJNULL = 0;

} // namespace orvex
