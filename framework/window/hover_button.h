// Shaped bitmap buttons: child windows of the class "IMAGEBUTTON" that show normal, hover and
// pressed images and post their parent a WM_COMMAND when clicked.
#pragma once

#include <platform/win32.h>

#include <string>

namespace orvex {

constexpr const char* SZHOVERCLASS = "IMAGEBUTTON";

// First part of the file names of a button's three images, read while the button is created.
inline std::string BMPTYPE;

// The window procedure of "IMAGEBUTTON".
LRESULT CALLBACK HOVERBUTTONHANDLER(HWND WND, UINT IMSG, WPARAM WPARAM_, LPARAM LPARAM_);

} // namespace orvex
