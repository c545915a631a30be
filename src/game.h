// The game flow: the game loop with its prizes and turns, the players' panel, the final and the end screen.
#pragma once

void gra();
void start();
void dane_gracza(int gr);
void zmiana_gracza(int& gr);
void final_pocz(int& gr);
void koniec_fin(int& gr);

// True once the last game has reached its end screen: its totals are final.
extern bool gra_ukonczona;

// The prize of a word guessed after pruba failed tries of the main stage.
int nagroda(int pruba);
// The rest per step of a count-up of pkt zł.
double przerwa_liczenia(int pkt);
// Counts pkt zł into player gr's total shown in the panel, one złoty a frame.
void doliczanie(int gr, int pkt);
