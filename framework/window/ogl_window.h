// Set-up and release of the framework's single OpenGL window.
#pragma once

#include "framework/window/window_state.h"

namespace orvex {

// Stores the cursor and icon choice (texts by pointer) and resets the vertex-capture switches.
void OGLWINDOWSETTING(std::int32_t TYPECURSOR, const char* CURFILE, std::int32_t TYPEICON,
                      const char* ICOFILE);

// Registers the classes, creates and shows the window and makes its OpenGL context current.
// Returns true; any failure shows an "Error" box and ends the program with exit code 0.
bool CREATEOGLWINDOW(const char* APPNAME, std::int32_t APPWIDTH, std::int32_t APPHEIGHT,
                     std::int32_t APPBITS, bool APPFULLSCREEN);

// Registers "GLWindow" and, unless it is known already, "IMAGEBUTTON".
bool WINDOWREGISTER();
// Creates and shows the main window; 0 on failure.
HWND WINDOWCREATE(const char* PCAPPLICATIONNAME);
// Sets the pixel format and makes a new rendering context current; false on failure.
bool WINDOWINIT(HWND HPARENT);

// Releases the rendering context, the device context and the window.
void DELETEOGLWINDOW();

// Shows the message in an "Error" box and ends the program with exit code 0.
[[noreturn]] void THROWERROR(const char* PCERRORMESSAGE);

} // namespace orvex
