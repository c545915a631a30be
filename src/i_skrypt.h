// The scripted platform for tests: a virtual clock, scripted keyboard and mouse, no window, recorded frames and sounds.
#pragma once

#include <allegro5/allegro.h>

#include <functional>
#include <string>
#include <vector>

// Everything starts again: virtual time 0, no input scripted, nothing recorded.
void S_Reset();

// Virtual time now, in seconds; it moves only when the game rests.
double S_Now();

// Keyboard. A press is key down (with its character, 0 for none) and, `trzymaj` seconds later,
// key up: the typed-character queue sees KEY_DOWN (no character), KEY_CHAR, KEY_UP (no character).
// A press held over 0.5 s repeats as the system does: a KEY_CHAR marked `repeat`, 30 a second.
void S_KeyPress(double t, int klawisz, int znak = 0, double trzymaj = 0.05);
void S_KeyDown(double t, int klawisz);
void S_KeyUp(double t, int klawisz);
// Types UTF-8 text, one character every `odstep` seconds from t; returns the time after the last.
double S_Type(double t, const std::string& tekst, double odstep = 0.25);
// The mouse at (x, y) with these buttons held (1 primary, 2 secondary) from t on.
void S_Mouse(double t, int x, int y, int przyciski);
// The window's close button pressed at t.
void S_Close(double t);
// The machine stalls at t for `ile` seconds: the clock jumps while the game does nothing, and the
// rests after it shrink to catch up, as the real platform's schedule makes them (by 0.25 s at most).
void S_Stall(double t, double ile);
// Frames finished as unchanged so far. With S_CheckUnchanged on, each of them, and each frame
// finished as changed in a rectangle, is checked against the last frame finished (slow: for the
// tests of that alone); S_UnchangedFaults counts those that differed where they said they did not,
// that is pictures the window would never show.
int S_UnchangedFrames();
void S_CheckUnchanged(bool wlacz);
int S_UnchangedFaults();

// Called at each keyboard or mouse poll and each typed-character read, with the time now;
// a test's driver schedules its input from there.
void S_OnPoll(std::function<void(double)> f);
// Called at each frame the game finishes (I_FinishUpdate), after it is counted.
void S_OnFrame(std::function<void(int)> f);

// Past this virtual time Escape reads as held, so a runaway scenario unwinds; S_TimedOut tells.
void S_SetLimit(double t);
bool S_TimedOut();

int S_Frames();
struct s_dzwiek {
    double t;
    std::string nazwa;
    float glosnosc, predkosc;
};
const std::vector<s_dzwiek>& S_Sounds();
struct s_slad {
    double t;
    std::string co;
};
const std::vector<s_slad>& S_Trace();
// How many times the routine was entered, per the trace.
int S_Entered(const std::string& nazwa);
// Virtual time of the n-th (0-based) entry into the routine, or -1.
double S_EnteredAt(const std::string& nazwa, int n = 0);
// Where the program's file is said to lie (I_ProgramDirectory); "" after S_Reset.
void S_SetProgramDirectory(const std::string& katalog);

// The last start-up fault reported through I_Error (which throws in the scripted platform).
struct s_blad_startu {
    std::string komunikat;
};
// The pixel of the screen bitmap at (x, y) as 8-bit red, green, blue.
void S_Pixel(int x, int y, unsigned char* r, unsigned char* g, unsigned char* b);
