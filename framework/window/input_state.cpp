#include "framework/window/input_state.h"

#include "framework/window/camera.h"
#include "framework/window/window_state.h"

#include <climits>

namespace orvex {

namespace {

// A key code as an index of SETKEY; codes beyond int still fail the range check.
int key_index(WPARAM KEY) {
  return KEY > static_cast<WPARAM>(INT_MAX) ? INT_MAX : static_cast<int>(KEY);
}

} // namespace

bool KEYDOWNROW(WPARAM KEY) {
  if (KEY == static_cast<WPARAM>(VK_ESCAPE)) {
    SendMessageA(HWINDOW, WM_DESTROY, 0, 0);
    return false;
  }
  SETKEY[key_index(KEY)] = KEYISDOWN;
  return true;
}

void KEYUPROW(WPARAM KEY) {
  SETKEY[key_index(KEY)] = 0;
  MOUSEFREE = false;
}

void LBUTTONDOWNROW(LPARAM POSITION) {
  ReleaseCapture();
  SetCapture(HWINDOW);
  LEFTMOUSEDOWN = true;
  LEFTMOUSEDOWN2 = true;
  XCOORD = MOUSEX(POSITION);
  YCOORD = MOUSEY(POSITION);
  SETMX = MOUSEX(POSITION);
  SETMY = MOUSEY(POSITION);
}

void LBUTTONUPROW() {
  ReleaseCapture();
  LEFTMOUSEDOWN = false;
  LEFTMOUSEDOWN2 = false;
  XCOORD = 0;
  YCOORD = 0;
  SETMX = 0;
  SETMY = 0;
}

void RBUTTONDOWNROW(LPARAM POSITION) {
  ReleaseCapture();
  SetCapture(HWINDOW);
  RIGHTMOUSEDOWN = true;
  RIGHTMOUSEDOWN2 = true;
  ZCOORD = MOUSEY(POSITION);
}

void RBUTTONUPROW() {
  ReleaseCapture();
  RIGHTMOUSEDOWN = false;
  RIGHTMOUSEDOWN2 = false;
}

} // namespace orvex
