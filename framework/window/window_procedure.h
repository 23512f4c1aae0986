// The main window's procedure: lifecycle rows, and the dispatch to the key, button,
// frame-rate and camera rows, all sharing one default handling.
#pragma once

#include <platform/win32.h>

namespace orvex {

LRESULT CALLBACK GLWNDPROC(HWND WINDOW, UINT AMESSAGE, WPARAM WPARAM_, LPARAM LPARAM_);

// The handling every unclaimed message shares: a status-bar update when wParam is 0, then
// DefWindowProcA's result.
LRESULT DEFAULTHANDLING(HWND WINDOW, UINT AMESSAGE, WPARAM WPARAM_, LPARAM LPARAM_);

} // namespace orvex
