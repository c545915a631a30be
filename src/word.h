// The word round: the internal word form and its glyphs, one timed try, and the round's outcome displays.
#pragma once

#include <string>

// True when the code point is one of the 18 Polish letters; gives its capital and small forms.
bool polska_litera(int kod, int* wielka, int* mala);
// Typed code point to internal byte; 0 when the code is not a letter.
char znak_na_bajt(int kod);
// Internal byte (letters and the hidden mark "[") to glyph index 0..35; -1 for anything else.
int bajt_na_glif(char c);
// Glyph k of the letter sheet at (x, y); nothing for an index outside the sheet.
void rysuj_glif(int k, int x, int y);
// Letter tile t (0 neutral, 1 blue, 2 red, 3 yellow) at (x, y).
void rysuj_kafel(int t, int x, int y);

// The colouring of one evaluated guess, pure: tile codes for the five letters, and the hint
// word updated (exact letters revealed, positions taken by a misplaced match hidden again).
struct ocena_proby {
    int tlo[5];
    std::string h1;
};
ocena_proby ocen(const std::string& haslo, const std::string& proba, const std::string& podpowiedz);

// A try's clock ticks at most once every TAKT_PROBY seconds (once per pass of the try, so a
// letter's pause makes it late, never early); the try runs out once it has ticked more than
// TAKTY_PROBY times, and cw holds the ticks.
constexpr double TAKT_PROBY = 0.17;
constexpr int TAKTY_PROBY = 120;
void wpisywanie_z_klawiatury(int& pruba, int& cw, int& dd);
// strzalka false leaves the arrow column as it is (the try's own passes after the first).
void wpisz_haslo(int& kk, int& k2, int pruba, bool strzalka = true);
void koniec_czasu();

void gratulacje();
void to_jest_haslo();
void przesuwanie_diagramu();
