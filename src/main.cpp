// The entry point: start-up, the intro, the menu, shutdown.
#include "menu.h"
#include "shell.h"

int main() {
    ustawienia();
    pocz();
    menu();
    koniec();
    return 0;
}
