// The main menu, the rules, information and best results pages, and the entry of the players' names.
#pragma once

#include <vector>

#include "wyniki.h"

// How a page opened from the menu ends: when the mouse button held over its item is let go; at a
// key or a click (opened from the keyboard); the same, or by itself after a while (after a game).
enum { STRONA_TRZYMANA, STRONA_DO_KLAWISZA, STRONA_NA_CZAS };

void szykowanie_menu();
void menu();
void zasady_gry(int jak = STRONA_TRZYMANA);
void info(int jak = STRONA_TRZYMANA);
// The table of best results, the entries of the game just played marked.
void najlepsze_wyniki(const std::vector<wynik>& tabela, int jak = STRONA_TRZYMANA);
void imie_gracza();

// The item 1..5 whose hit area holds (x, y), else 0.
int pozycja_menu(int x, int y);

// The sixteen lines of the rules page and the nine of the information page.
extern const char* const LINIE_ZASAD[16];
extern const char* const LINIE_INFO[9];
