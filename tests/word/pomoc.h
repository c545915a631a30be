// Helpers for the word-round tests: the screen set up as the game loop leaves it before a try, and readers of tiles and glyphs.
#pragma once

#include <string>
#include <vector>

#include "scena.h"

// The game background loaded into bufor and shown, as at a game start.
void przygotuj_ekran();
// The password, and the hint word that gives its first letter only.
void zacznij_haslo(const std::string& haslo);
// What the game loop does before each try: clear the entry row, draw the empty timer bar and
// the hint word in the try's grid row, and poll the keyboard.
void przed_proba(int pruba, int dd);

// The glyph of the letter sheet drawn at (x, y): its index, -1 when none matches, -2 when several do.
int glif_w(int x, int y);
// The letter tile drawn at (x, y) under a glyph: its code 0..3, -1 when none matches, -2 when several do.
int kafel_w(int x, int y);
// True when every opaque pixel of the region of `zrodlo` appears unchanged on the screen at (x, y).
bool region_na_ekranie(ALLEGRO_BITMAP* zrodlo, int sx, int sy, int w, int h, int x, int y);
// The sounds recorded so far from one sample, in order.
std::vector<s_dzwiek> dzwieki(const std::string& nazwa);
// Glyph indices of the five positions of a grid row, read back from the screen.
std::vector<int> glify_rzedu(int y);
std::vector<int> kafle_rzedu(int y);
