// The optional status bar along the bottom edge of the main window.
#pragma once

#include "framework/core/range_array.h"

#include <platform/win32.h>

#include <cstdint>

namespace orvex {

// Zero-terminated 8-bit text of up to 260 characters.
using TFILENAME = RangeArray<char, 0, 260>;

constexpr std::int32_t MAXSTATUSPARTS = 20;

inline bool SHOWSTATUSBAR = false;
// The status bar as window creation stored it; 0 when there is none.
inline HWND HSTATUS = 0;
// The status bar as CREATESTATUSBAR created it.
inline HWND AWND = 0;
inline TFILENAME FILENAME{};
// Right edge of each part in the bar's client x coordinates, set by the application.
inline RangeArray<std::int32_t, 1, MAXSTATUSPARTS> STATUSITEM{};
// The copy of the right edges handed to the control.
inline RangeArray<std::int32_t, 1, MAXSTATUSPARTS> EDGES{};
// Number of parts, 0 to 20.
inline std::int32_t MAXSTATUSITEM = 0;

// Creates the status bar in PARENT with its parts; 0 when it cannot be created.
HWND CREATESTATUSBAR(HWND PARENT);

} // namespace orvex
