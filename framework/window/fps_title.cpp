#include "framework/window/fps_title.h"

#include "framework/core/checked_math.h"
#include "framework/window/window_state.h"

namespace orvex {

std::int32_t FPSRATE(std::int32_t COUNT, std::int32_t FORCE) {
  std::int32_t frames = CHECKEDMUL(CHECKEDMUL(FORCE, 1000), COUNT);
  return CHECKEDROUND(static_cast<long double>(frames) / FPS_INTERVAL);
}

std::string FPSTITLE(const char* NAME, std::int32_t RATE) {
  std::string title = NAME ? NAME : "";
  title += " - FPS [";
  title += std::to_string(RATE);
  title += "]";
  return title;
}

void FPSTIMERROW(WPARAM TIMER) {
  if (!VIEWFPS || TIMER != FPS_TIMER) return;
  FPSCOUNT = FPSRATE(FPSCOUNT, FORCEFPS);
  if (ADDFORCEFPS > 1) {
    if (FPSCOUNT < ADDFORCEFPS) FORCEFPS = CHECKEDADD(FORCEFPS, 1);
    if (FPSCOUNT > ADDFORCEFPS) FORCEFPS = CHECKEDSUB(FORCEFPS, 1);
  }
  if (FPSCOUNT < 1) FPSCOUNT = 1;
  SetWindowTextA(HWINDOW, FPSTITLE(SETTITLENAME, FPSCOUNT).c_str());
  FPSCOUNT = 0;
}

} // namespace orvex
