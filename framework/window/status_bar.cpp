#include "framework/window/status_bar.h"

#include <cstring>

namespace orvex {

namespace {
constexpr UINT kStatusBarId = 30482;
constexpr const char kStatusText[] = "Percorso file";
} // namespace

HWND CREATESTATUSBAR(HWND PARENT) {
  std::memset(FILENAME.data(), 0, TFILENAME::COUNT);
  std::memcpy(FILENAME.data(), kStatusText, sizeof kStatusText - 1);
  AWND = CreateStatusWindowA(static_cast<LONG>(WS_CHILD | WS_VISIBLE), FILENAME.data(), PARENT,
                             kStatusBarId);
  if (!AWND) return 0;
  for (std::int32_t I = 1; I <= MAXSTATUSITEM; ++I) EDGES[I] = STATUSITEM[I];
  SendMessageA(AWND, SB_SETPARTS, static_cast<WPARAM>(MAXSTATUSITEM),
               reinterpret_cast<LPARAM>(EDGES.data()));
  return AWND;
}

} // namespace orvex
