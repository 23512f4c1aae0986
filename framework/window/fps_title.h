// The optional frame-rate display in the window title, refreshed by a timer.
#pragma once

#include <platform/win32.h>

#include <cstdint>
#include <string>

namespace orvex {

constexpr UINT_PTR FPS_TIMER = 1;
constexpr std::int32_t FPS_INTERVAL = 5000;

// Frames counted since the last tick; after a tick it briefly holds the computed rate.
inline std::int32_t FPSCOUNT = 0;
inline std::int32_t FORCEFPS = 1;
inline std::int32_t ADDFORCEFPS = 0;
inline bool VIEWFPS = false;

// The rate of FPSCOUNT frames in one interval, scaled by FORCEFPS, rounded half to even.
std::int32_t FPSRATE(std::int32_t COUNT, std::int32_t FORCE);
// "<name> - FPS [<rate>]".
std::string FPSTITLE(const char* NAME, std::int32_t RATE);

// The timer row: recomputes the rate and sets the title when VIEWFPS is on and the timer is
// FPS_TIMER.
void FPSTIMERROW(WPARAM TIMER);

} // namespace orvex
