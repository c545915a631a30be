// Start-up, shutdown, the restore rectangles, the fades and the intro.
#pragma once

#include <allegro5/allegro.h>

#include <istream>
#include <string>
#include <vector>

#include "state.h"
#include "i_system.h"

// Where the installed media lie, seen from the folder of the installed program, and what to tell a
// player whose media cannot be found; the build sets both for the system it builds for.
#ifndef BROLIK_MEDIA_OD_PROGRAMU
#define BROLIK_MEDIA_OD_PROGRAMU "../share/brolik/media"
#endif
#ifndef BROLIK_RADA_MEDIOW
#define BROLIK_RADA_MEDIOW "run the game from its source folder (build/brolik) or install it (cmake --install)"
#endif

// Start-up: everything, the media checked, or a message naming the file at fault and status 1.
void ustawienia();
// Start-up in parts, so the intro can begin while the media are still being checked.
// rozpocznij_ustawienia opens the window and readies the sprite sheet, all the intro draws;
// rozpocznij_sprawdzanie starts the checks of the rest on second threads; the sounds are there
// once wczytaj_dzwieki returns, and everything once dokoncz_ustawienia does, which reports the
// first fault in the order of the checks. Each starts what it needs and does nothing twice.
void rozpocznij_ustawienia();
void rozpocznij_sprawdzanie();
void wczytaj_dzwieki();
void dokoncz_ustawienia();
void koniec();
// Releases every resource of the game state that is loaded, the window and the audio last;
// also what a start-up stopped half-way leaves behind.
void zwolnij_zasoby();
void pocz();

void kas_1();
void kas_2();
void kas_3();
void kas_4();
void kas_5();

void ukazywanie_obrazu();
// The part of the screen a polling pass drew into, grown to hold each piece; empty when nothing was drawn.
struct zmiany_ekranu {
    int x0 = SZEROKOSC_EKRANU, y0 = WYSOKOSC_EKRANU, x1 = 0, y1 = 0;
    void dodaj(int x, int y, int w, int h);
    bool puste() const { return x1 <= x0 || y1 <= y0; }
};
// Finishes the pass's frame: as unchanged when nothing was drawn, else as changed in that part.
void zakoncz_klatke(const zmiany_ekranu& z);
// The frame and the rest of a pass of a screen that waits for a key: the first frame is whole
// (it shows what was drawn before the wait), the later ones unchanged.
void klatka_czekania(bool& pierwsza);
// Drops the rest of the keystroke just typed, so that it types one character: takes typed
// events into ev until one without a character, at most najwiecej + 1 of them, resting 1 ms
// (its real length) between them for the key's release to arrive.
void porzuc_reszte_klawisza(int najwiecej);
// One step of a pulsing prompt: kk climbs to 251, falls to -1 and climbs again (k2 the direction).
void krok_jasnosci(int& kk, int& k2);
// Whether a pulsing prompt's strip is drawn this pass: a new step of green (kk / 4) waits for the
// window's next refresh, a strip to be drawn anew (na_ekranie < 0) goes at once.
bool zacheta_do_rysowania(int kk, int na_ekranie);
// Lays the flat colour of the sprite sheet at (220, 0) over the screen, a little more strongly at
// each of `kroki` frames, resting `odpoczynek` after each.
void przyciemnianie(int kroki, double odpoczynek);
void znikanie_obrazu();

// Loads a PNG picture as the game's bitmaps are made; null, with the fault in *blad, when it
// cannot. The file is checked first (a regular file that can be read) and the size its header
// declares must lie in [min, max] before anything is decoded. It is decoded into memory first: a
// PNG that fails half-way as a display bitmap stays locked to the display, and destroying the
// display then never returns.
constexpr int NAJWIEKSZY_BOK = 8192;
ALLEGRO_BITMAP* zaladuj_obraz(const char* plik, std::string* blad = nullptr, int min_w = 1, int min_h = 1,
                              int max_w = NAJWIEKSZY_BOK, int max_h = NAJWIEKSZY_BOK);

// Removes "ekr.png" if it is still the regular file the intro wrote; safe inside a signal handler.
void usun_ekr();

// The intro's last frame for the menu, a copy of the one kept in memory.
ALLEGRO_BITMAP* wczytaj_ekr();

// What reading a list of words found: its words in file order, a word listed twice kept once;
// on a fault, what is wrong and on which line (1-based; 0 when the fault is no one line's).
struct lista_slow {
    std::vector<std::string> slowa;
    int nr_linii = 0;
    std::string opis;
    // The first word listed twice, with both lines and how many copies there are: a warning.
    std::string powtorki;
    bool ok() const { return opis.empty(); }
};
// The word-list parser, pure: reads lines up to "ZZZ" (or the end of the stream), accepting LF
// and CR LF, skipping a leading UTF-8 byte-order mark and blank lines and trimming blanks after
// a word; at most `najwiecej` word lines, none of them among `zakazane` (sorted); with
// `z_koncem` the "ZZZ" line must come, so a file cut short is a fault. A line is read only a few
// bytes past the longest a word can take, so a file without line ends is refused at once.
lista_slow czytaj_liste(std::istream& we, int najwiecej = NAJWIECEJ_SLOW, const std::vector<std::string>& zakazane = {},
                        bool z_koncem = false);

// True when s is five bytes of the internal word form (a-z and the nine substitute capitals).
bool slowo_poprawne(const std::string& s);
