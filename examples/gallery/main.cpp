// The gallery: what the framework offers beyond the demo. A status bar of three parts, two
// shaped hover buttons (one switches free mouse look on, the other stops and starts the
// scene's turning), the frame rate in the title, and a lit, textured scene to look at.
// Prints "button <id> at <x>,<y> size <w>x<h>" for each button on start and "command <id>" for
// each command its window receives. Escape or closing the window ends it.
#include "examples/gallery/gallery_controls.h"
#include "examples/gallery/gallery_scene.h"
#include "framework/core/checked_math.h"
#include "framework/render/gl.h"
#include "framework/render/lights.h"
#include "framework/render/projection.h"
#include "framework/window/fps_title.h"
#include "framework/window/message_pump.h"
#include "framework/window/ogl_window.h"

using namespace orvex;

int main() {
  gallery::SETUPSTATUSBAR();
  gallery::SETUPCOMMANDS();
  VIEWFPS = true;
  OGLWINDOWSETTING(ARROW, "", GENERIC, "");
  CREATEOGLWINDOW("Orvex gallery", 800, 600, 32, false);
  SetTimer(HWINDOW, FPS_TIMER, FPS_INTERVAL, nullptr);

  OPENGL_INIT(100.0, 1.0, 0.10, 0.12, 0.17);
  SETGLREFRACTIVE();
  SETGLLIGHT(GL_LIGHT0, 0.0f, 6.0f, 9.0f, 1.0f);
  gallery::GALLERY_CREATELIST();
  gallery::CREATEBUTTONS();

  do {
    glClear(GL_COLOR_BUFFER_BIT);
    SETGLMSG();
    gallery::SHOWSETTINGS();
    gallery::GALLERY_DRAW();
    FPSCOUNT = CHECKEDADD(FPSCOUNT, 1);
    SwapBuffers(DCWINDOW);
  } while (ACTIVE);

  DELETEOGLWINDOW();
  return 0;
}
