// Shaped bitmap buttons: child windows of the class "IMAGEBUTTON" that show normal, hover and
// pressed images and post their parent a WM_COMMAND when clicked.
#pragma once

#include <platform/win32.h>

#include <cstdint>
#include <string>

namespace orvex {

constexpr const char* SZHOVERCLASS = "IMAGEBUTTON";

// First part of the file names of a button's three images, read while the button is created:
// BMPTYPE + "N.BMP" (normal), "H.BMP" (hover) and "P.BMP" (pressed).
inline std::string BMPTYPE;

// The properties that hold a button's state: a memory DC with each image, the state, and the
// hit-test region in the button's client coordinates.
constexpr const char* NORMALBMP = "NORMALBITMAP";
constexpr const char* HOVERBMP = "HOVERBITMAP";
constexpr const char* PRESSBMP = "PRESSBITMAP";
constexpr const char* HOVERMODE = "HOVERMODEBYTE";
constexpr const char* BUTTONRGN = "HOVERBUTTONREGION";

// Button states, the value of HOVERMODE.
constexpr std::uintptr_t HOVERNORMAL = 1;
constexpr std::uintptr_t HOVERHOT = 2;
constexpr std::uintptr_t HOVERPRESSED = 3;

// The key colour cut out of a button's normal image (magenta, 0x00BBGGRR) and its tolerance.
constexpr std::uint32_t HOVERKEYCOLOR = 0x00FF00FF;
constexpr std::uint8_t HOVERKEYTOLERANCE = 1;

// The window procedure of "IMAGEBUTTON": 0 for the messages it handles, the default
// procedure's answer for the others.
LRESULT CALLBACK HOVERBUTTONHANDLER(HWND WND, UINT IMSG, WPARAM WPARAM_, LPARAM LPARAM_);

} // namespace orvex
