#include "gl/support/main_window.h"

#include "framework/window/message_pump.h"
#include "framework/window/ogl_window.h"

#include <gtest/gtest.h>

namespace orvex::test {

void OPENMAINWINDOW(bool fullscreen) {
  OGLWINDOWSETTING(ARROW, "", GENERIC, "");
  ASSERT_TRUE(CREATEOGLWINDOW("Reflection map", 800, 600, 32, fullscreen));
  SETGLMSGUNTILIDLE();
}

int SETGLMSGUNTILIDLE(int limit) {
  int calls = 0;
  MSG waiting;
  while (calls < limit && PeekMessageA(&waiting, 0, 0, 0, PM_NOREMOVE)) {
    SETGLMSG();
    ++calls;
  }
  return calls;
}

} // namespace orvex::test
