// Between the platform files: what the portable Allegro part asks of the operating system and of the window system.
#pragma once

#include <allegro5/allegro.h>

#include <string>

// The operating system: i_posix.cpp or i_win32.cpp.
// Installs the answers to the ways out the game does not steer. A request to end (Ctrl+C, SIGTERM,
// the terminal or the session closed) only sets the flag I_SysQuitRequested reads, and the game
// leaves in order; a second request, or no orderly exit within 3 s, leaves at once after
// `sprzataj`; a crash runs `sprzataj` and ends as it would have.
void I_SysInstallHandlers(void (*sprzataj)());
bool I_SysQuitRequested();
// One line on stderr, unbuffered and without allocating: safe in a handler.
void I_SysWriteError(const char* tekst);
// A fault that stops the game, where the player sees it: stderr, and on Windows a message box
// too (unless BROLIK_STDERR is set, for tests and scripts).
void I_SysShowError(const std::string& komunikat);
// Leaves at once, without the library's shutdown (after a failed load it may never return).
[[noreturn]] void I_SysExit(int status);

// The window system's extras: i_x11.cpp under X11, i_bez_x11.cpp (none) elsewhere.
// Called once the display exists: answers the display server's loss, and finds out whether a
// rectangle of the back buffer can be copied to the window alone.
void I_ExtrasInit(ALLEGRO_DISPLAY* d, void (*sprzataj)());
bool I_ExtrasCanCopyArea();
// Copies that rectangle (rows counted from the window's bottom) to the window; only after
// I_ExtrasCanCopyArea said yes. Everywhere else a present is whole.
void I_ExtrasCopyArea(int x, int y, int w, int h);
