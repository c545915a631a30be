// The game state: every global the routines share, and the tables of media files and sounds.
#pragma once

#include <allegro5/allegro.h>
#include <allegro5/allegro_font.h>
#include <string>
#include <vector>

#include "i_system.h"

// The window; null on the scripted platform.
extern ALLEGRO_DISPLAY* ekran;
// The clean picture of the current screen (the menu, a page, the game background): a routine
// erases a piece of the screen by copying the same rectangle back from it (kas_1 ... kas_5).
extern ALLEGRO_BITMAP* bufor;
// The sprite sheet (el.png, its grey made see-through) and the letter sheet (literki.png).
extern ALLEGRO_BITMAP* el;
extern ALLEGRO_BITMAP* lit;
// Each player's Bingo board as last captured from the screen.
extern ALLEGRO_BITMAP* tgr[2];
// The six fonts. Four are the sans-serif face at the size in their name (20, 24, 28, 40 px); the
// two serif ones are not: f22 is the serif face at 24 px and f32 the serif face at 46 px.
extern ALLEGRO_FONT* f20;
extern ALLEGRO_FONT* f22;
extern ALLEGRO_FONT* f24;
extern ALLEGRO_FONT* f28;
extern ALLEGRO_FONT* f32;
extern ALLEGRO_FONT* f40;
// The keyboard and the mouse as last polled; routines read them again without polling.
extern i_klawiatura klaw;
extern ALLEGRO_MOUSE_STATE myszka;
// The typed-character event taken last; with the queue empty it is read again.
extern ALLEGRO_EVENT ev;
// The sounds: the slot of each is n of its file media/sN.ogg. There are 13 slots, as many as
// the voices that may play at once; the three after the ten sounds stay empty.
enum slot_dzwieku {
    DZWIEK_BINGO,           // the bonus of a line
    DZWIEK_KAFEL,           // a tile of a guess shown, a cap on a new board
    DZWIEK_KONIEC_CZASU,    // a try run out
    DZWIEK_START,           // Space before a word
    DZWIEK_KULA,            // a ball striking a number
    DZWIEK_PECH,            // the red ball
    DZWIEK_FINAL,           // the final's opening
    DZWIEK_WSTEP,           // the intro, three times
    DZWIEK_GRATULACJE,      // a word guessed
    DZWIEK_KLAWISZ,         // a letter typed or deleted
};
constexpr int MIEJSCA_NA_DZWIEKI = 13;
extern i_dzwiek* samp[MIEJSCA_NA_DZWIEKI];
// The name of the list of words in the media folder, and how many words it may hold (the terminator takes a slot).
extern const char* const PLIK_LISTY;
constexpr int POJEMNOSC_LISTY = 2000;
constexpr int NAJWIECEJ_SLOW = POJEMNOSC_LISTY - 1;
// The optional list of accepted guesses beside it, and its limit: about twice the five-letter
// nouns the dictionaries know, so only a file gone wrong reaches it.
extern const char* const PLIK_ZGADYWANYCH;
constexpr int NAJWIECEJ_ZGADYWANYCH = 9999;
// The word list: ih words in h[0] ... h[ih - 1], then the terminator "ZZZ".
extern int ih;
extern std::string h[POJEMNOSC_LISTY];
// The accepted guesses: words the game takes as a guess but never draws, none of them in h,
// sorted for a binary search. Empty when the media hold no such list.
extern std::vector<std::string> zg;
// The number of players of this game (1 or 2) and their names.
extern int ig;
extern std::string imie[2];
// Each player's board: the 25 numbers in reading order, and each cell's state (1 struck, 0 open).
extern int tab[2][25];
extern int tk[2][25];
// The word of this round and the hint word shown: its letters found so far, "[" for the others.
extern std::string hh;
extern std::string h1;
// Each player's money, in złoty.
extern int suma[2];
// 1 during the final, else 0.
extern int fin;
// 1 once a line is completed in the final, else 0.
extern int bingof;

// The window title, with its leading blank and two blanks before the year.
extern const char* const TYTUL_OKNA;

// The folder the media are read from, ending in a slash: "media/" when the working directory
// holds them, else the installed copy beside the program. Set once at start-up.
extern std::string katalog_mediow;
// The path of one media file: plik_mediow("el.png") is "media/el.png" run from the source folder.
std::string plik_mediow(const std::string& nazwa);
// True when the media are the working directory's own, so the game may keep its scratch picture there.
bool media_z_katalogu_roboczego();


// One TrueType face loaded at one pixel size into one font global.
struct czcionka_mediow {
    const char* plik;
    int rozmiar;
    ALLEGRO_FONT** cel;
};
extern const czcionka_mediow CZCIONKI[6];

// The sound files in the order they are loaded (slot 0 comes last).
extern const int KOLEJNOSC_DZWIEKOW[10];

// The intro's last frame, kept in memory for the menu.
extern ALLEGRO_BITMAP* ekr_w_pamieci;

// True when key k is down in the keyboard state last polled.
bool wcisniety(int k);
