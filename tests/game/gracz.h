// A scripted player for whole-game scenarios: reacts to the routines the game enters, and reads the screen.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "scena.h"

// What the player does at a try: type a word, let the clock run out, or press Escape.
constexpr const char* CZEKAJ = "";
constexpr const char* UCIECZKA = "ESC";

struct gracz {
    // The word for the n-th try of the game (0-based); hh and h1 hold the current word and hint.
    std::function<std::string(int n)> proba = [](int) { return hh; };
    // Before the Space of the n-th main-game draw (los_kul) or final draw (los_kulf); may reseed
    // rand() to steer the balls. Returns false to press Escape instead of Space.
    std::function<bool(int n)> los_kul = [](int) { return true; };
    std::function<bool(int n)> los_kulf = [](int) { return true; };
    // Before the Space of the n-th "SPACJA - START"; false presses Escape instead.
    std::function<bool(int n)> spacja = [](int) { return true; };
    // The end screen is left with Enter this long after it is entered.
    double enter_po = 1.5;
    // Called at every frame, after the watch of the totals.
    std::function<void()> klatka = [] {};
};

// One frame at which a total changed: its time and both totals after it.
struct przyrost {
    double t;
    int s0, s1;
};
const std::vector<przyrost>& przyrosty();

// Hooks the player into the scripted platform, and a frame watch that notes any total going down.
void podlacz(const gracz& g);
bool suma_spadla();

// Reseeds rand() with the first seed whose next values pass the test (the test is called just
// after srand of the seed it is given, draws from rand() and may reseed to replay).
void zasiej(const std::function<bool(unsigned)>& warunek);
// The next main-game draw of two balls on either board ends in two numbers, no red ball and no line.
void zasiej_bez_czerwonej();
// The next roll is 0: a red ball in the main game, a yellow one in the final.
void zasiej_zerowy_rzut();

// The player whose name the panel shows, by its colour (0, 1), or -1 when neither is seen.
int aktywny();
// The word of the list sharing no letter with hh (so a guess of it reveals nothing).
std::string obce_slowo();
