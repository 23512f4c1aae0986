// The common-controls status window.
#include <platform/win32.h>

HWND CreateStatusWindowA(LONG, LPCSTR, HWND, UINT) {
  return SetLastError(ERROR_CANNOT_FIND_WND_CLASS), 0;
}
