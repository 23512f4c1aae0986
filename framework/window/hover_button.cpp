#include "framework/window/hover_button.h"

#include "framework/core/handle_value.h"
#include "framework/window/bitmap_region.h"

namespace orvex {

namespace {

struct IMAGEKIND {
  const char* LETTER;
  const char* PROPERTY;
};
// In the order the button loads them; the first one gives the button its size and shape.
constexpr IMAGEKIND IMAGES[] = {{"N", NORMALBMP}, {"H", HOVERBMP}, {"P", PRESSBMP}};

std::string image_file(const char* LETTER) {
  return BMPTYPE + LETTER + ".BMP";
}

std::uintptr_t state_of(HWND WND) {
  return FROMHANDLE<std::uintptr_t>(GetPropA(WND, HOVERMODE));
}
void set_state(HWND WND, std::uintptr_t STATE) {
  SetPropA(WND, HOVERMODE, TOHANDLE(STATE));
}

// Moves the button to the client position it was created at, with the image's size.
// NOTE: the position is measured from the two window rectangles less the parent's frame as
// this platform reports it, rather than less fixed frame sizes, so the button stays where the
// application put it whatever frame the window manager draws.
void fit_to_image(HWND WND, const BITMAP& BM) {
  HWND PARENT = GetParent(WND);
  RECT R{}, R1{};
  GetWindowRect(WND, &R);
  GetWindowRect(PARENT, &R1);
  POINT ORIGIN{0, 0};
  ClientToScreen(PARENT, &ORIGIN);
  const LONG FRAMELEFT = ORIGIN.x - R1.left;
  const LONG FRAMETOP = ORIGIN.y - R1.top;
  MoveWindow(WND, R.left - R1.left - FRAMELEFT, R.top - R1.top - FRAMETOP, BM.bmWidth, BM.bmHeight,
             FALSE);
}

// A memory DC holding the image with its palette selected and realised.
HDC image_dc(HBITMAP BMP, HPALETTE PAL) {
  HDC MEMDC = CreateCompatibleDC(0);
  SelectObject(MEMDC, BMP);
  SelectPalette(MEMDC, PAL, FALSE);
  RealizePalette(MEMDC);
  return MEMDC;
}

// Deletes an image DC together with the bitmap and the palette it holds.
void release_image_dc(HDC MEMDC) {
  HGDIOBJ BMP = GetCurrentObject(MEMDC, OBJ_BITMAP);
  HGDIOBJ PAL = GetCurrentObject(MEMDC, OBJ_PAL);
  DeleteDC(MEMDC);
  DeleteObject(BMP);
  DeleteObject(PAL);
}

void on_create(HWND WND) {
  for (const IMAGEKIND& IMAGE : IMAGES) {
    // Each image gets its own palette (none when its file cannot be loaded), so that each DC
    // owns what it holds.
    HPALETTE PAL = 0;
    HBITMAP BMP = LOADBMPFROMFILE(image_file(IMAGE.LETTER), PAL);
    if (&IMAGE == &IMAGES[0]) {
      BITMAP BM{};
      GetObjectA(BMP, sizeof BM, &BM);
      fit_to_image(WND, BM);
    }
    SetPropA(WND, IMAGE.PROPERTY, TOHANDLE(image_dc(BMP, PAL)));
  }
  set_state(WND, HOVERNORMAL);
  const std::string NORMALFILE = image_file(IMAGES[0].LETTER);
  HRGN RGN = BITMAPTOREGION(NORMALFILE, HOVERKEYCOLOR, HOVERKEYTOLERANCE);
  if (!RGN) return;
  SetWindowRgn(WND, RGN, FALSE);
  SetPropA(WND, BUTTONRGN, TOHANDLE(BITMAPTOREGION(NORMALFILE, HOVERKEYCOLOR, HOVERKEYTOLERANCE)));
}

void on_destroy(HWND WND) {
  RemovePropA(WND, HOVERMODE);
  if (auto RGN = FROMHANDLE<HRGN>(GetPropA(WND, BUTTONRGN))) DeleteObject(RGN);
  RemovePropA(WND, BUTTONRGN);
  for (const char* PROPERTY : {PRESSBMP, HOVERBMP, NORMALBMP}) {
    if (auto MEMDC = FROMHANDLE<HDC>(GetPropA(WND, PROPERTY))) release_image_dc(MEMDC);
    RemovePropA(WND, PROPERTY);
  }
}

void on_paint(HWND WND) {
  RECT R{};
  GetWindowRect(WND, &R);
  const char* PROPERTY = nullptr;
  switch (state_of(WND)) {
  case HOVERNORMAL: PROPERTY = NORMALBMP; break;
  case HOVERHOT: PROPERTY = HOVERBMP; break;
  case HOVERPRESSED: PROPERTY = PRESSBMP; break;
  default: break;
  }
  auto SOURCE = PROPERTY ? FROMHANDLE<HDC>(GetPropA(WND, PROPERTY)) : HDC{};
  if (!SOURCE) {
    // Nothing to show; the update is done all the same, or it would come back for ever.
    ValidateRect(WND, nullptr);
    return;
  }
  PAINTSTRUCT PS;
  HDC DC = BeginPaint(WND, &PS);
  BitBlt(DC, 0, 0, R.right - R.left, R.bottom - R.top, SOURCE, 0, 0, SRCCOPY);
  EndPaint(WND, &PS);
}

void on_mouse_move(HWND WND, WPARAM WPARAM_, LPARAM LPARAM_) {
  auto RGN = FROMHANDLE<HRGN>(GetPropA(WND, BUTTONRGN));
  const std::uintptr_t HOVERSTATE = state_of(WND);
  if (!RGN || !HOVERSTATE) return;
  // Unsigned on purpose: under capture a point left of or above the button reads as a large
  // number and so lies outside the region.
  const auto X = static_cast<int>(static_cast<std::uint64_t>(LPARAM_) & 0xFFFF);
  const auto Y = static_cast<int>((static_cast<std::uint64_t>(LPARAM_) >> 16) & 0xFFFF);
  if (PtInRegion(RGN, X, Y)) {
    if (HOVERSTATE != HOVERNORMAL) return;
    set_state(WND, (WPARAM_ & (MK_LBUTTON | MK_RBUTTON)) == 0 ? HOVERHOT : HOVERPRESSED);
    SetCapture(WND);
    InvalidateRect(WND, nullptr, FALSE);
  } else {
    set_state(WND, HOVERNORMAL);
    ReleaseCapture();
    InvalidateRect(WND, nullptr, FALSE);
  }
}

void on_left_down(HWND WND) {
  SetCapture(WND);
  set_state(WND, HOVERPRESSED);
  InvalidateRect(WND, nullptr, FALSE);
}

void on_left_up(HWND WND) {
  if (state_of(WND) == HOVERPRESSED)
    PostMessageA(GetParent(WND), WM_COMMAND, static_cast<WPARAM>(GetDlgCtrlID(WND)), 0);
  set_state(WND, HOVERNORMAL);
  ReleaseCapture();
  InvalidateRect(WND, nullptr, FALSE);
}

} // namespace

LRESULT CALLBACK HOVERBUTTONHANDLER(HWND WND, UINT IMSG, WPARAM WPARAM_, LPARAM LPARAM_) {
  switch (IMSG) {
  case WM_CREATE: on_create(WND); return 0;
  case WM_DESTROY: on_destroy(WND); return 0;
  case WM_PAINT: on_paint(WND); return 0;
  case WM_MOUSEMOVE: on_mouse_move(WND, WPARAM_, LPARAM_); return 0;
  case WM_LBUTTONDOWN: on_left_down(WND); return 0;
  case WM_LBUTTONUP: on_left_up(WND); return 0;
  default: return DefWindowProcA(WND, IMSG, WPARAM_, LPARAM_);
  }
}

} // namespace orvex
