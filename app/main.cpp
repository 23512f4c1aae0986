// Reflection map: asks whether to run full screen, opens the window and draws the scene frame
// after frame, as fast as the machine allows, until Escape or closing the window ends it.
#include "app/scene.h"
#include "framework/render/gl.h"
#include "framework/render/lights.h"
#include "framework/render/projection.h"
#include "framework/window/message_pump.h"
#include "framework/window/ogl_window.h"

using namespace orvex;

int main() {
  FULLSCREEN =
      MessageBoxA(0, "Settare lo schermo intero?  ", "Video!", MB_YESNO | MB_ICONQUESTION) != IDNO;
  OGLWINDOWSETTING(ARROW, "", GENERIC, "");
  CREATEOGLWINDOW("Reflection map", 800, 600, 32, FULLSCREEN);
  OPENGL_INIT(100.0, 0.0, 0.0, 0.0, 0.0);
  SETGLREFRACTIVE();
  SETGLLIGHT(GL_LIGHT0, 0.0f, 0.0f, 0.0f, 0.1f);
  app::OPENGL_CREATELIST();

  do {
    glClear(GL_COLOR_BUFFER_BIT);
    SETGLMSG();
    app::OPENGL_DRAW();
    SwapBuffers(DCWINDOW);
  } while (ACTIVE);

  DELETEOGLWINDOW();
  return 0;
}
