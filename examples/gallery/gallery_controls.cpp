#include "examples/gallery/gallery_controls.h"

#include "framework/core/handle_value.h"
#include "framework/window/camera.h"
#include "framework/window/hover_button.h"
#include "framework/window/status_bar.h"
#include "framework/window/window_state.h"

#include <cstdio>

namespace orvex::gallery {

namespace {

struct BUTTONPLACE {
  const char* IMAGES; // BMPTYPE: the first part of the three image files' names
  std::int32_t ID;
  std::int32_t X, Y; // client position of the top-left corner
};
constexpr BUTTONPLACE BUTTONS[] = {{"LOOK", LOOKBUTTON, 16, 16}, {"SPIN", SPINBUTTON, 92, 12}};

// Status-bar parts: the help text, the free-look state and the spin state.
constexpr WPARAM HELPPART = 0;
constexpr WPARAM LOOKPART = 1;
constexpr WPARAM SPINPART = 2;

void NOMENU() {}

void SETPARTTEXT(WPARAM PART, const char* TEXT) {
  SendMessageA(HSTATUS, SB_SETTEXTA, PART, reinterpret_cast<LPARAM>(TEXT));
}

// Puts the pointer in the middle of the window, where free look measures from.
void CENTREPOINTER() {
  POINT CENTRE{WIDTH / 2, HEIGHT / 2};
  ClientToScreen(HWINDOW, &CENTRE);
  SetCursorPos(CENTRE.x, CENTRE.y);
}

} // namespace

void SETUPSTATUSBAR() {
  SHOWSTATUSBAR = true;
  STATUSITEM[1] = 300;
  STATUSITEM[2] = 560;
  STATUSITEM[3] = -1;
  MAXSTATUSITEM = 3;
}

void SETUPCOMMANDS() {
  // The framework hands WM_COMMAND to GETINPUTCOMMAND only with its menu hooks switched on;
  // the gallery has no menus, so both menu hooks do nothing.
  SHOWMENUBAR = true;
  CREATEMENUBAR = NOMENU;
  CREATEMOUSEMENU = NOMENU;
  GETINPUTCOMMAND = GALLERYCOMMAND;
}

void CREATEBUTTONS() {
  for (const BUTTONPLACE& PLACE : BUTTONS) {
    BMPTYPE = PLACE.IMAGES;
    HWND BUTTON =
        CreateWindowExA(0, SZHOVERCLASS, "", WS_CHILD | WS_VISIBLE, PLACE.X, PLACE.Y, 0, 0, HWINDOW,
                        HANDLEAS<HMENU>(PLACE.ID), GetModuleHandleA(nullptr), nullptr);
    if (!BUTTON) {
      std::fprintf(stderr, "button %d could not be created\n", PLACE.ID);
      continue;
    }
    RECT R{};
    GetWindowRect(BUTTON, &R);
    POINT TOPLEFT{R.left, R.top};
    ScreenToClient(HWINDOW, &TOPLEFT);
    std::printf("button %d at %d,%d size %dx%d\n", PLACE.ID, static_cast<int>(TOPLEFT.x),
                static_cast<int>(TOPLEFT.y), static_cast<int>(R.right - R.left),
                static_cast<int>(R.bottom - R.top));
    std::fflush(stdout);
  }
  BMPTYPE.clear();
}

void SHOWSETTINGS() {
  static bool SHOWN = false, SHOWNFREE = false, SHOWNSPIN = false;
  if (SHOWN && SHOWNFREE == MOUSEFREE && SHOWNSPIN == SPIN) return;
  if (!SHOWN) SETPARTTEXT(HELPPART, "Left drag turns, right drag zooms, Esc ends");
  SETPARTTEXT(LOOKPART, MOUSEFREE ? "Free look: on (any key ends it)" : "Free look: off");
  SETPARTTEXT(SPINPART, SPIN ? "Spin: on" : "Spin: off");
  SHOWN = true;
  SHOWNFREE = MOUSEFREE;
  SHOWNSPIN = SPIN;
}

LRESULT CALLBACK GALLERYCOMMAND(HWND, UINT, WPARAM WPARAM_, LPARAM) {
  const std::int32_t ID = LOWORD(WPARAM_);
  std::printf("command %d\n", ID);
  std::fflush(stdout);
  if (ID == LOOKBUTTON) {
    MOUSEFREE = !MOUSEFREE;
    if (MOUSEFREE) CENTREPOINTER();
  }
  if (ID == SPINBUTTON) SPIN = !SPIN;
  return 0;
}

} // namespace orvex::gallery
