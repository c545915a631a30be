// The main menu, the rules and information pages, and the entry of the players' names.
#pragma once

void szykowanie_menu();
void menu();
void zasady_gry();
void info();
void imie_gracza();

// The item 1..5 whose hit area holds (x, y), else 0.
int pozycja_menu(int x, int y);

// The sixteen lines of the rules page and the nine of the information page.
extern const char* const LINIE_ZASAD[16];
extern const char* const LINIE_INFO[9];
