// The gallery's window features: the status bar's parts and texts, the two hover buttons and
// what their clicks do.
#pragma once

#include <platform/win32.h>

#include <cstdint>

namespace orvex::gallery {

// Control identifiers of the buttons.
constexpr std::int32_t LOOKBUTTON = 101; // free mouse look on or off
constexpr std::int32_t SPINBUTTON = 102; // the scene's turning on or off

// Whether the scene turns by itself.
inline bool SPIN = true;

// Asks for a status bar of three parts; to be called before CREATEOGLWINDOW.
void SETUPSTATUSBAR();
// Routes the main window's WM_COMMAND to GALLERYCOMMAND; to be called before CREATEOGLWINDOW.
void SETUPCOMMANDS();
// Creates the two buttons in the main window and prints where each one stands.
void CREATEBUTTONS();
// Shows the current settings in the status bar when they changed since the last call.
void SHOWSETTINGS();

// Receives the main window's commands: prints "command <id>" and acts on the buttons' ones.
LRESULT CALLBACK GALLERYCOMMAND(HWND WINDOW, UINT AMESSAGE, WPARAM WPARAM_, LPARAM LPARAM_);

} // namespace orvex::gallery
