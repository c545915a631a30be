// The platform layer's interface: the only way the game reaches the window, the clock, input and sound.
#pragma once

#include <allegro5/allegro.h>
#include <string>
#include <vector>

// An opaque sound handle; the driver behind it may be Allegro's mixer or silence.
struct i_dzwiek;

// The size of the game's picture in pixels, whatever the window's size.
constexpr int SZEROKOSC_EKRANU = 800, WYSOKOSC_EKRANU = 600;

// The 800 x 600 screen bitmap the game draws into; it stands for the display's back buffer
// and, unlike a real back buffer, keeps its contents across presents.
extern ALLEGRO_BITMAP* tylny;

// Start-up and shutdown. I_Init installs the system, keyboard, mouse, image, font and TrueType
// add-ons, and stops with a message when keyboard and mouse cannot be installed (no display);
// I_InitSound installs audio (or falls back to the silent driver); I_InitGraphics opens the
// window (setting `ekran`) and creates `tylny`; it returns false when no window can be created.
// The window can take any size; the picture is scaled into it, and the mouse reaches the game
// in the picture's 800 x 600 pixels. F11 and Alt+Enter switch fullscreen and never reach the game.
bool I_Init();
void I_InitSound();
// The window opens fullscreen (the command line's --fullscreen); called before I_InitGraphics.
void I_StartFullscreen();
bool I_InitGraphics(const char* tytul);
void I_ShutdownGraphics();
void I_ShutdownSound();

// The folder holding the running program's file, or "" when it cannot be found; an installed
// game finds its media from there.
std::string I_ProgramDirectory();
// The game's last cleanup, run on every way out it does not steer itself (a fault reported by
// I_Error, a second signal, the display server gone, a crash); it must be safe in a signal handler.
extern void (*i_sprzatanie)();

// The scratch picture the intro leaves behind (`nazwa` in the working directory; under Windows a
// file of its own in the user's temporary folder). I_WriteScratch writes it as a new file and
// renames it over the name, so a link in its place is replaced, never followed, and no one sees
// half a picture; false when it cannot be written. I_RemoveScratch removes it (and one
// half-written) if the name still holds the file written; safe in a signal handler.
bool I_WriteScratch(const char* nazwa, ALLEGRO_BITMAP* b);
void I_RemoveScratch();

// Files kept between runs. I_UserFolder is the user's settings folder (false) or data folder
// (true), created if missing, ending in a separator; "" when there is none. On Linux they follow
// XDG_CONFIG_HOME and XDG_DATA_HOME, so tests can point them elsewhere.
std::string I_UserFolder(bool dane);
// Reads a whole regular file of at most `najwiecej` bytes. False with *blad empty when there is no
// such file; false with the reason otherwise (a directory or device in its place, too large, no
// permission).
bool I_ReadFile(const std::string& sciezka, size_t najwiecej, std::string* tresc, std::string* blad);
// Writes a new file beside the old, flushed to the disk, and renames it over the old: a crash or
// power cut leaves the old contents or the new, never a mixture. On failure the old file is
// untouched, no temporary is left behind, and *blad says why. Safe to call from a second thread.
bool I_ReplaceFile(const std::string& sciezka, const std::string& tresc, std::string* blad);
// The lines of a kept text file (the settings, the best results): a byte-order mark an editor may
// add is dropped, and a line may end in LF or CR LF.
std::vector<std::string> I_TextLines(const std::string& tekst);
// One exclusive lock on a lock file of this name (created if missing, never removed), held across
// a read-merge-write that another instance of the game may be doing at the same moment. Waits up
// to 2 s for another holder, then gives up (false). One lock at a time.
bool I_LockFile(const std::string& sciezka);
void I_UnlockFile();
// Why a file cannot be read as data, checked before anything opens it to read: "" when it can;
// else "missing", what it is instead of a regular file (a named pipe would block the reading for
// good, a directory), or "cannot be read: " and the system's reason.
std::string I_FileFault(const std::string& sciezka);

// Reports a start-up fault naming the file and what is wrong; does not return.
[[noreturn]] void I_Error(const std::string& komunikat);
// One warning line on stderr.
void I_Warning(const std::string& komunikat);

// Frames and time. I_FinishUpdate marks the screen bitmap as a finished frame: the window shows
// exactly that picture, at most one display refresh later, never anything drawn after it.
// I_FinishUnchanged finishes a frame the game drew nothing into since the last one: it costs
// nothing, as the window already holds that picture.
void I_FinishUpdate();
void I_FinishUnchanged();
// I_FinishArea finishes a frame that differs from the last one only inside this rectangle: the
// polling loops that change a strip of the screen take just that strip.
void I_FinishArea(int x, int y, int w, int h);
// Whether a frame finished now would reach the window at once. A polling loop whose change is
// only a pulse can leave it undrawn until then: in between nobody would see it. The scripted
// platform shows every frame, so there it is always true.
bool I_PresentDue();
// I_Rest sleeps towards a schedule that adds up the rests, so a sequence lasts the sum of its
// rests; after a stall its rests shrink (by at most NAJWIEKSZE_OPOZNIENIE in all) to catch up: the
// game never waits for a longer lag (a dragged window, a stall) to be caught up. I_RestFull is a
// rest the game waits in for input to arrive (a key's release): it always lasts its real length.
constexpr double NAJWIEKSZE_OPOZNIENIE = 0.25;
void I_Rest(double sekundy);
void I_RestFull(double sekundy);
double I_GetTime();
// How many frames have reached the window so far (the scripted platform: frames finished).
long I_Presents();

// Input. A close request or a request to end from the system (Ctrl+C, SIGTERM, the terminal
// closed) reads as Escape held from then on. An Escape pressed at any moment since the last poll
// reads as held at the next one, however short the press.
// The keys down as the game sees them: Allegro's state read through its public calls, less the
// keys the platform keeps for itself, plus a latched Escape.
struct i_klawiatura {
    unsigned wcisniete[(ALLEGRO_KEY_MAX + 31) / 32];
};
inline bool I_KeyDown(const i_klawiatura* stan, int k) { return (stan->wcisniete[k / 32] >> (k % 32)) & 1u; }
inline void I_SetKey(i_klawiatura* stan, int k, bool wcisniety) {
    if (wcisniety)
        stan->wcisniete[k / 32] |= 1u << (k % 32);
    else
        stan->wcisniete[k / 32] &= ~(1u << (k % 32));
}
void I_GetKeyboardState(i_klawiatura* stan);
// A button pressed since the last call shows as held once, however short the press; I_OpenTyping
// drops the presses made before it.
void I_GetMouseState(ALLEGRO_MOUSE_STATE* stan);
void I_ShowMouseCursor();
void I_HideMouseCursor();

// Typed characters: one queue, opened by the routine that reads text, seeing only keystrokes
// made after it was opened. I_NextTyped leaves *e untouched and returns false when empty.
void I_OpenTyping();
bool I_NextTyped(ALLEGRO_EVENT* e);
void I_FlushTyping();
void I_CloseTyping();

// Sounds: fire and forget. I_LoadSound returns null and fills *blad when the file is missing
// or cannot be decoded. I_StartSound accepts a null handle and does nothing with it.
i_dzwiek* I_LoadSound(const char* sciezka, std::string* blad);
// Starts decoding these files on a second thread while start-up goes on (the window takes the
// longest to open); I_LoadSound of one of them then waits for that work and reports as usual.
// Called after I_InitSound, whose driver decides whether the samples are kept.
void I_PrepareSounds(const std::vector<std::string>& pliki);
void I_StartSound(i_dzwiek* d, float glosnosc, float predkosc);
void I_FreeSound(i_dzwiek* d);
const char* I_SoundName(const i_dzwiek* d);

// The two sound drivers, for the platforms to choose from: Allegro's mixer (false when no
// audio device can be opened; the silent driver is then in use) and silence.
bool I_InstallMixer();
void I_SilenceSound();
// Called for every sound started; the scripted platform records through it.
extern void (*i_sluchacz_dzwiekow)(const i_dzwiek* d, float glosnosc, float predkosc);

// The trace: when BROLIK_TRACE names a file, one timestamped line per routine entered,
// per frame presented and per sound started. Costs one test of a flag when off.
extern bool i_slad_wlaczony;
void I_TraceOpen();
void I_TraceLine(const char* co);
void I_TraceClose();
#define SLAD(nazwa) do { if (i_slad_wlaczony) I_TraceLine(nazwa); } while (0)
