// The entry point: the command line, then start-up, the intro, the menu, shutdown.
#include <cstdio>
#include <cstring>

#include "i_system.h"
#include "menu.h"
#include "shell.h"

// The build sets the version from the project's; a build by other means still compiles.
#ifndef BROLIK_WERSJA
#define BROLIK_WERSJA "(version unknown)"
#endif

namespace {

void uzycie(std::FILE* dokad) {
    std::fputs(
        "Usage: brolik [--fullscreen | --help | --version]\n"
        "A quiz game in Polish for one or two players: guess five-letter words, draw Bingo balls.\n"
        "\n"
        "Options:\n"
        "  --fullscreen     start fullscreen instead of in an 800 x 600 window\n"
        "  --help           print this help and exit\n"
        "  --version        print the version and exit\n"
        "\n"
        "Keys:\n"
        "  mouse            the menu: hold the left button over an item\n"
        "  Up, Down, Tab    the menu: move the highlight (Shift+Tab back); Enter or Space acts on it\n"
        "  W                the menu: the best results\n"
        "  letters, Enter   type a player's name and confirm it; type a guess\n"
        "  Backspace        delete the last letter\n"
        "  Space            start a word; draw the balls\n"
        "  Enter            leave the end screen\n"
        "  F11, Alt+Enter   switch between the window and fullscreen\n"
        "  F9               switch the sound off and on\n"
        "  F7, F8           lower and raise the volume\n"
        "  Escape           leave the game at once\n"
        "\n"
        "Media (fonts, pictures, sounds and the word list) are read from\n"
        "  media/ in the working directory, else <dir of the executable>/" BROLIK_MEDIA_OD_PROGRAMU "\n"
        "The sound, the volume, fullscreen and the window's size are kept in the user's\n"
        "settings folder (ustawienia.txt in ~/.config/brolik on Linux, %APPDATA%\\brolik on Windows),\n"
        "the ten best results in its data folder (wyniki.txt in ~/.local/share/brolik on Linux,\n"
        "%APPDATA%\\brolik on Windows).\n",
        dokad);
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            uzycie(stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("brolik %s\n", BROLIK_WERSJA);
            return 0;
        }
        if (std::strcmp(argv[i], "--fullscreen") == 0) {
            I_StartFullscreen();
            continue;
        }
        std::fprintf(stderr, "brolik: unknown option '%s'\n\n", argv[i]);
        uzycie(stderr);
        return 2;
    }
    rozpocznij_ustawienia();
    pocz();
    menu();
    koniec();
    return 0;
}
