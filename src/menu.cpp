// The menu (placeholder bodies until the menu is built).
#include "menu.h"
#include "state.h"

void szykowanie_menu() {}
void menu() {}
void zasady_gry() {}
void info() {}
void imie_gracza() {}
int pozycja_menu(int, int) { return 0; }
