// MessageBoxA on the native message box; where none can be shown the text goes to standard
// error and the result is 0.
#include "codepage.h"
#include "sdl/native.h"

#include <platform/win32.h>

#include <cstdio>

using namespace orvex::platform;

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type) {
  std::string text_utf8 = cp1252_to_utf8(text);
  std::string caption_utf8 = caption ? cp1252_to_utf8(caption) : std::string("Error");
  std::vector<native::MessageBoxButton> buttons;
  switch (type & 0xF) {
  case MB_YESNO: buttons = {{IDYES, "Yes", true, false}, {IDNO, "No", false, true}}; break;
  case MB_OKCANCEL: buttons = {{IDOK, "OK", true, false}, {IDCANCEL, "Cancel", false, true}}; break;
  default: buttons = {{IDOK, "OK", true, true}}; break;
  }
  native::MessageBoxIcon icon = native::MessageBoxIcon::None;
  switch (type & 0xF0) {
  case MB_ICONERROR: icon = native::MessageBoxIcon::Error; break;
  case MB_ICONWARNING: icon = native::MessageBoxIcon::Warning; break;
  case MB_ICONINFORMATION:
  case MB_ICONQUESTION: icon = native::MessageBoxIcon::Information; break;
  default: break;
  }
  int chosen = native::show_message_box(caption_utf8, text_utf8, buttons, icon);
  if (chosen <= 0) {
    std::fprintf(stderr, "%s: %s\n", caption_utf8.c_str(), text_utf8.c_str());
    std::fflush(stderr);
    return 0;
  }
  return chosen;
}
