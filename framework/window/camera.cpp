#include "framework/window/camera.h"

#include "framework/render/gl.h"
#include "framework/window/input_state.h"
#include "framework/window/window_state.h"

namespace orvex {

namespace {

// Adds an increment formed in extended precision and stores the sum as a float.
void turn(float& angle, long double increment) {
  angle = static_cast<float>(static_cast<long double>(angle) + increment);
}

void clamp_free_look(float& angle) {
  if (angle > FREELOOKLIMIT) angle = FREELOOKLIMIT;
  if (angle < -FREELOOKLIMIT) angle = -FREELOOKLIMIT;
}

} // namespace

void SETGLMOUSEMOVE(std::int32_t XYZ, std::int32_t SPEED) {
  MSPEED = SPEED;
  switch (XYZ) {
  case 0:
    MY = TGLVERTEX{0.0f, 0.0f, -DEPTH};
    glTranslatef(MY.X, MY.Y, MY.Z);
    glRotatef(XROT, 1.0f, 0.0f, 0.0f);
    glRotatef(YROT, 0.0f, 1.0f, 0.0f);
    break;
  case 1:
    MY = TGLVERTEX{0.0f, -DEPTH, 0.0f};
    glTranslatef(MY.X, MY.Y, MY.Z);
    glRotatef(XROT, 1.0f, 0.0f, 0.0f);
    glRotatef(YROT, 0.0f, 0.0f, 1.0f);
    break;
  case 2:
    MY = TGLVERTEX{-DEPTH, 0.0f, 0.0f};
    glTranslatef(MY.X, MY.Y, MY.Z);
    glRotatef(XROT, 0.0f, 0.0f, -1.0f);
    glRotatef(YROT, 0.0f, 1.0f, 0.0f);
    break;
  case 3:
    MY = TGLVERTEX{0.0f, 0.0f, -DEPTH};
    glTranslatef(MY.X, MY.Y, MY.Z);
    glRotatef(XROT, 0.0f, 1.0f, 0.0f);
    glRotatef(YROT, 1.0f, 0.0f, 0.0f);
    break;
  default: break;
  }
}

void MOUSEMOVEROW(LPARAM POSITION) {
  std::int32_t x = MOUSEX(POSITION);
  std::int32_t y = MOUSEY(POSITION);
  SETOMX = x;
  SETOMY = y;

  if (LEFTMOUSEDOWN) {
    long double pitch = static_cast<long double>(y - YCOORD) / 2.0L * MSPEED;
    long double yaw = static_cast<long double>(x - XCOORD) / 2.0L * MSPEED;
    turn(XROT, pitch);
    turn(YROT, yaw);
    turn(XROT2, pitch);
    turn(YROT2, yaw);
    XCOORD = x;
    YCOORD = y;
  }

  if (RIGHTMOUSEDOWN && !MOUSEFREE) {
    long double step = static_cast<long double>(y - ZCOORD) / 10.0L * MSPEED;
    turn(DEPTH, -step);
    turn(DEPTH2, -step);
    ZCOORD = y;
  }

  if (MOUSEFREE && HWINDOW && GetForegroundWindow() == HWINDOW) {
    GetCursorPos(&MPOS);
    // The centre of the window's client area, in screen coordinates; the window stands at
    // the screen's top-left corner, so this is (WIDTH div 2, HEIGHT div 2) there.
    POINT centre{WIDTH / 2, HEIGHT / 2};
    ClientToScreen(HWINDOW, &centre);
    SetCursorPos(centre.x, centre.y);
    long double yaw = static_cast<long double>(MPOS.x - centre.x) / 100.0L * MSPEED;
    long double pitch = static_cast<long double>(centre.y - MPOS.y) / 100.0L * MSPEED;
    turn(XROT, yaw);
    turn(YROT, -pitch);
    clamp_free_look(YROT);
    turn(XROT2, yaw);
    turn(YROT2, -pitch);
    clamp_free_look(YROT2);
  }
}

} // namespace orvex
