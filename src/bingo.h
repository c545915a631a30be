// Bingo: dealing boards, the line check with its bonus, and the ball draws of the main game and of the final.
#pragma once

// The final's board: "1" struck, "0" open, one character per cell in reading order.
extern const char* const WZOR_FINALU;

// Deals numbers and pre-struck cells into liczby/stan, pure apart from rand(): 25 distinct
// numbers 1..50, then 8 random struck cells, or the final's pattern when final is non-zero.
void rozdaj(int liczby[25], int stan[25], int final);
// The first complete line in the order rows, columns, main diagonal, other diagonal:
// its five cells in komorki and its index 0..11 as the result; -1 when none is complete.
int pelna_linia(const int stan[25], int komorki[5]);

void tablica(int gr);
void kapslef(int gr);
// The line check after a ball; w_finale is the caller's fin, passed as the draws have it.
void spr(int gr, int w_finale);
void bingo(int gr);
void los_kul(int& gr, int& ku);
void spacja();
void pech();
void los_kulf(int& gr, int& pruba);
