#include "framework/window/ogl_window.h"

#include "framework/core/fatal.h"
#include "framework/geometry/vertex_capture.h"
#include "framework/render/gl.h"
#include "framework/window/camera.h"
#include "framework/window/hover_button.h"
#include "framework/window/status_bar.h"
#include "framework/window/window_procedure.h"

#include <cstdio>
#include <cstdlib>

namespace orvex {

namespace {

constexpr const char* kMainClass = "GLWindow";
constexpr DWORD kWindowedStyle =
    0x96CA0000; // popup, visible, clip, caption, system menu, minimise box
constexpr DWORD kFullScreenStyle = 0x96880000; // popup, visible, clip, border, system menu
constexpr DWORD kFixedPixelFormatFlags = 0x1067;

HCURSOR class_cursor() {
  static const LPCSTR kCursors[] = {IDC_ARROW,    IDC_IBEAM,  IDC_WAIT,        IDC_CROSS,
                                    IDC_UPARROW,  IDC_SIZE,   nullptr,         IDC_SIZENWSE,
                                    IDC_SIZENESW, IDC_SIZEWE, IDC_SIZENS,      IDC_SIZEALL,
                                    IDC_NO,       IDC_HAND,   IDC_APPSTARTING, IDC_HELP};
  if (SETTYPECURSOR == FILECURSOR) return LoadCursorFromFileA(CURSORFILE);
  if (SETTYPECURSOR < ARROW || SETTYPECURSOR > HELP) return 0;
  return LoadCursorA(0, kCursors[SETTYPECURSOR - 1]);
}

HICON class_icon() {
  if (SETTYPEICON == GENERIC) return LoadIconA(0, IDI_APPLICATION);
  if (SETTYPEICON == FILEICON) return LoadCursorFromFileA(ICONFILE);
  return 0;
}

} // namespace

void OGLWINDOWSETTING(std::int32_t TYPECURSOR, const char* CURFILE, std::int32_t TYPEICON,
                      const char* ICOFILE) {
  if (MOUSEFREE) {
    START = GetTickCount();
    SetCursorPos(WIDTH / 2, HEIGHT / 2);
  }
  FOGONOFF = true;
  SETTYPECURSOR = TYPECURSOR;
  CURSORFILE = CURFILE;
  SETTYPEICON = TYPEICON;
  ICONFILE = ICOFILE;
  // The empty list needs a current context; without one there is none.
  if (wglGetCurrentContext()) {
    OBJNULL = glGenLists(1);
    glNewList(OBJNULL, GL_COMPILE);
    glEndList();
  }
  GLVERT3FREMOVE = false;
  GLVERT3FENABLEEDIT = false;
}

bool CREATEOGLWINDOW(const char* APPNAME, std::int32_t APPWIDTH, std::int32_t APPHEIGHT,
                     std::int32_t APPBITS, bool APPFULLSCREEN) {
  SETTITLENAME = APPNAME;
  WIDTH = APPWIDTH;
  HEIGHT = APPHEIGHT;
  BITS = APPBITS;
  FULLSCREEN = APPFULLSCREEN;
  if (!WINDOWREGISTER()) THROWERROR("Errore di registro per la rispettiva applicazione!");
  HWINDOW = WINDOWCREATE(APPNAME);
  if (SHOWMENUBAR) CREATEMENUBAR();
  if (SHOWSTATUSBAR) HSTATUS = CREATESTATUSBAR(HWINDOW);
  if (!HWINDOW) THROWERROR("Impossibile creare la finestra per la rispettiva applicazione!");
  if (!WINDOWINIT(HWINDOW)) THROWERROR("la rispettiva applicazione non \xE8 stata inizilizata!");
  return true;
}

bool WINDOWREGISTER() {
  WNDCLASSA wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = GLWNDPROC;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hIcon = class_icon();
  wc.hCursor = class_cursor();
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = kMainClass;
  bool registered = RegisterClassA(&wc) != 0;

  if (!GetClassInfoExA(0, SZHOVERCLASS, &WINDOWCLASSEX)) {
    WINDOWCLASSEX = WNDCLASSEXA{};
    WINDOWCLASSEX.cbSize = sizeof(WNDCLASSEXA);
    WINDOWCLASSEX.lpfnWndProc = HOVERBUTTONHANDLER;
    WINDOWCLASSEX.hInstance = GetModuleHandleA(nullptr);
    WINDOWCLASSEX.hIcon = LoadIconA(0, IDI_APPLICATION);
    WINDOWCLASSEX.hIconSm = LoadIconA(0, IDI_APPLICATION);
    WINDOWCLASSEX.hCursor = LoadCursorA(0, IDC_ARROW);
    WINDOWCLASSEX.hbrBackground = GetStockObject(NULL_BRUSH);
    WINDOWCLASSEX.lpszClassName = SZHOVERCLASS;
    RegisterClassExA(&WINDOWCLASSEX);
  }
  return registered;
}

HWND WINDOWCREATE(const char* PCAPPLICATIONNAME) {
  DWORD style = kWindowedStyle;
  if (FULLSCREEN) {
    WIDTH = GetSystemMetrics(SM_CXSCREEN);
    HEIGHT = GetSystemMetrics(SM_CYSCREEN);
    style = kFullScreenStyle;
  }
  HWND wnd = CreateWindowExA(0, kMainClass, PCAPPLICATIONNAME, style, CW_USEDEFAULT, CW_USEDEFAULT,
                             WIDTH, HEIGHT, 0, 0, GetModuleHandleA(nullptr), nullptr);
  if (wnd) {
    ShowWindow(wnd, SW_SHOWDEFAULT);
    UpdateWindow(wnd);
  }
  return wnd;
}

bool WINDOWINIT(HWND HPARENT) {
  std::int32_t FUNCTIONERROR = 0;
  DCWINDOW = GetDC(HPARENT);
  if (BITS < 0 || BITS > 255)
    FAILEDCHECK("Range check error: bits per pixel outside 0..255", EXIT_RANGE_CHECK);
  std::int32_t flags = PIXEL_FORMAT_FLAGS | static_cast<std::int32_t>(kFixedPixelFormatFlags);
  if (flags < 0)
    FAILEDCHECK("Range check error: pixel-format flags with bit 31 set", EXIT_RANGE_CHECK);
  auto bits = static_cast<BYTE>(BITS);
  PIXELFORMATDESCRIPTOR PFD{};
  PFD.nSize = sizeof(PIXELFORMATDESCRIPTOR);
  PFD.nVersion = 1;
  PFD.dwFlags = static_cast<DWORD>(flags);
  PFD.iPixelType = PFD_TYPE_RGBA;
  PFD.cColorBits = bits;
  PFD.cAlphaBits = bits;
  PFD.cAccumBits = bits;
  PFD.cDepthBits = bits;
  PFD.cStencilBits = bits;
  PFD.cAuxBuffers = bits;
  PFD.iLayerType = 1;
  std::int32_t IFORMAT = ChoosePixelFormat(DCWINDOW, &PFD);
  if (IFORMAT == 0) FUNCTIONERROR = 1;
  SetPixelFormat(DCWINDOW, IFORMAT, &PFD);
  RCWINDOW = wglCreateContext(DCWINDOW);
  if (RCWINDOW == 0) FUNCTIONERROR = 2;
  wglMakeCurrent(DCWINDOW, RCWINDOW);
  return FUNCTIONERROR == 0;
}

void DELETEOGLWINDOW() {
  wglMakeCurrent(DCWINDOW, 0);
  wglDeleteContext(RCWINDOW);
  ReleaseDC(HWINDOW, DCWINDOW);
  DestroyWindow(HWINDOW);
}

void THROWERROR(const char* PCERRORMESSAGE) {
  MessageBoxA(0, PCERRORMESSAGE, "Error", MB_OK);
  std::fflush(stdout);
  std::exit(0);
}

} // namespace orvex
