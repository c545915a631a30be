// Between the platform files: what the portable Allegro part asks of the operating system and of the window system.
#pragma once

#include <allegro5/allegro.h>

#include <string>
#include <vector>

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
// True while the system knows the window to be minimised (Windows: iconic, which Allegro's own
// flag may miss); false where it leaves that to the window system.
bool I_SysWindowMinimised(ALLEGRO_DISPLAY* d);

// The window system's extras: i_x11.cpp under X11, i_bez_x11.cpp (none) elsewhere.
// Called once the display exists: answers the display server's loss and its protocol errors (a
// message, `sprzataj`, status 1; a refused property of the window, such as its icon, only
// warns), and finds out whether a rectangle of the back buffer can be copied to the window alone.
void I_ExtrasInit(ALLEGRO_DISPLAY* d, void (*sprzataj)());
// Why no window could be created, as far as the window system can tell ("" when it cannot).
std::string I_ExtrasNoWindowReason();
// True while the window cannot be seen at all (unmapped, or covered whole) as the window system
// knows beyond Allegro's own minimised flag; false where it cannot tell.
bool I_ExtrasWindowHidden();
bool I_ExtrasCanCopyArea();
// Copies that rectangle (rows counted from the window's bottom) to the window; only after
// I_ExtrasCanCopyArea said yes. Everywhere else a present is whole.
void I_ExtrasCopyArea(int x, int y, int w, int h);

// What the player sets with the platform's keys and the window, kept between runs in a small text
// file (i_pliki.cpp reads and writes its text; i_allegro.cpp applies it and says when it changed).
struct i_ustawienia {
    bool dzwiek = true;
    int glosnosc = 100;  // per cent
    bool pelny_ekran = false;
    int szerokosc = 800, wysokosc = 600;  // the window's, when not fullscreen
};
// The window is never smaller than this, so the picture in it is at least half its size.
constexpr int I_NAJMNIEJSZE_OKNO_W = 400, I_NAJMNIEJSZE_OKNO_H = 300;
// Reads the file's text into *u, line by line: what the text lacks, or gets wrong, keeps the value
// *u had. Returns "" or one warning naming the first bad line (and how many more there are). The
// bad lines go to *pominiete, to be written back as comments and carried on, never as settings.
std::string I_ParseSettings(const std::string& tekst, i_ustawienia* u, std::vector<std::string>* pominiete);
std::string I_FormatSettings(const i_ustawienia& u, const std::vector<std::string>& pominiete);
// The sound as set: on or off (playing sounds stop at once) and the volume in per cent.
void I_SetSound(bool wlaczony, int glosnosc);
