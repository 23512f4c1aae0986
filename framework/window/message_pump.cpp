#include "framework/window/message_pump.h"

namespace orvex {

void SETGLMSG() {
  if (!PeekMessageA(&MSG_, 0, 0, 0, PM_NOREMOVE)) return;
  // A quit message is dispatched like any other: the program ends through ACTIVE alone.
  GetMessageA(&MSG_, 0, 0, 0);
  TranslateMessage(&MSG_);
  DispatchMessageA(&MSG_);
}

} // namespace orvex
