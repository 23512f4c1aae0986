#include "framework/window/hover_button.h"

namespace orvex {

LRESULT CALLBACK HOVERBUTTONHANDLER(HWND WND, UINT IMSG, WPARAM WPARAM_, LPARAM LPARAM_) {
  return DefWindowProcA(WND, IMSG, WPARAM_, LPARAM_);
}

} // namespace orvex
