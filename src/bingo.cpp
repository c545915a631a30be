// Bingo: dealing boards, the line check with its bonus, and the ball draws of the main game and of the final.
#include "bingo.h"

#include <allegro5/allegro_font.h>

#include <algorithm>
#include <cstdlib>

#include "game.h"
#include "shell.h"
#include "state.h"

const char* const WZOR_FINALU = "1010101110110110111010101";

namespace {

// The board rectangle: what tgr keeps of the screen, and where tgr goes back.
constexpr int PLANSZA_X = 528, PLANSZA_Y = 174, PLANSZA_BOK = 239;

// Top-left of the cap or line mark of cell i; the cells are 48 pixels apart both ways.
int kapsel_x(int i) { return 536 + 48 * (i % 5); }
int kapsel_y(int i) { return 182 + 48 * (i / 5); }

// The numbers of a board, centred in their cells.
int liczba_x(int i) { return 550 + 48 * (i % 5); }
int liczba_y(int i) { return 184 + 48 * (i / 5); }

// The ball place in the message strip and the icon row above the board.
constexpr int KULA_X = 290, KULA_Y = 500, IKONY_X = 627, IKONY_Y = 141, IKONY_ODSTEP = 24;
// Left edges of the ball sprites on the sheet (all at y = 200, 45 x 45).
constexpr int KULA = 270, KULA_CZERWONA = 320, KULA_ZOLTA = 370;

void kapsel(int i) { al_draw_bitmap_region(el, 410, 0, 33, 33, kapsel_x(i), kapsel_y(i), 0); }
void znak_linii(int i) { al_draw_bitmap_region(el, 450, 0, 33, 33, kapsel_x(i), kapsel_y(i), 0); }
void ikona_do_losowania(int k) { al_draw_bitmap_region(el, 18, 235, 18, 18, IKONY_X + IKONY_ODSTEP * k, IKONY_Y, 0); }
void ikona_wylosowana(int k) { al_draw_bitmap_region(el, 0, 235, 18, 18, IKONY_X + IKONY_ODSTEP * k, IKONY_Y, 0); }

void kula(int sx) { al_draw_scaled_bitmap(el, sx, 200, 45, 45, KULA_X, KULA_Y, 50, 50, 0); }
void kula_z_numerem(int nr) {
    kula(KULA);
    al_draw_textf(f28, al_map_rgb(200, 200, 180), 315, 508, ALLEGRO_ALIGN_CENTRE, "%d", nr);
}

void pokaz_plansze(int gr) { al_draw_bitmap(tgr[gr], PLANSZA_X, PLANSZA_Y, 0); }

void zrzut_planszy(int gr) {
    al_set_target_bitmap(tgr[gr]);
    al_draw_bitmap_region(tylny, PLANSZA_X, PLANSZA_Y, PLANSZA_BOK, PLANSZA_BOK, 0, 0, 0);
    al_set_target_bitmap(tylny);
}

// The caps of a freshly dealt board, one by one with a click; false when Escape cut it short.
bool kapsle_z_dzwiekiem(int gr) {
    for (int i = 0; i < 25; ++i) {
        I_GetKeyboardState(&klaw);
        if (wcisniety(ALLEGRO_KEY_ESCAPE)) return false;
        if (tk[gr][i] == 1) {
            kapsel(i);
            I_StartSound(samp[DZWIEK_KAFEL], 0.8f, 1.0f);
            I_Rest(0.1);
            I_FinishUpdate();
        } else {
            I_FinishUnchanged();
        }
        I_Rest(0.001);
    }
    return true;
}

ALLEGRO_COLOR kolor_zachety(int kk) { return al_map_rgb(0, kk / 4 + 80, 0); }

// One pass of a draw's pulsing prompt, after a poll of the keys: the next step of green, drawn
// when due, with the count of balls still due when there is one (zostalo >= 0). na_ekranie is
// the step on screen (kk / 4): -1 when the strip must be drawn anew, -2 before the first frame,
// which also shows the icons and whatever the caller left unfinished.
zmiany_ekranu zacheta_losowania(int& kk, int& k2, int& na_ekranie, const char* tekst, int zostalo = -1) {
    I_GetKeyboardState(&klaw);
    krok_jasnosci(kk, k2);
    zmiany_ekranu z;
    if (na_ekranie == -2) z.dodaj(0, 0, SZEROKOSC_EKRANU, WYSOKOSC_EKRANU);
    if (zacheta_do_rysowania(kk, na_ekranie)) {
        kas_3();
        al_draw_text(f28, kolor_zachety(kk), 60, 510, ALLEGRO_ALIGN_LEFT, tekst);
        if (zostalo >= 0) al_draw_textf(f28, kolor_zachety(kk), 305, 510, ALLEGRO_ALIGN_LEFT, "%d", zostalo);
        z.dodaj(32, 494, 338, 62);
        na_ekranie = kk / 4;
    }
    return z;
}

// Cells of line l in the checking order: five rows, five columns, then the two diagonals.
int komorka_linii(int l, int k) {
    if (l < 5) return 5 * l + k;
    if (l < 10) return (l - 5) + 5 * k;
    if (l == 10) return 6 * k;
    return 4 + 4 * k;
}

}  // namespace

void rozdaj(int liczby[25], int stan[25], int final) {
    for (int i = 0; i < 25; ++i) liczby[i] = stan[i] = 0;
    const int max = 50;
    int v = 0;
    while (v < 25) {
        int los = std::rand() % max + 1;
        int ile = 0;
        for (int i = 0; i < 25; ++i)
            if (liczby[i] == los) ++ile;
        if (ile == 0) liczby[v++] = los;
    }
    // The eight random caps are rolled in the final too and then overwritten, so a final
    // board uses up the generator exactly as a main-game board does.
    int skreslone = 0;
    while (skreslone < 8) {
        int k = std::rand() % 25;
        if (stan[k] == 0) {
            stan[k] = 1;
            ++skreslone;
        }
    }
    if (final == 1)
        for (int i = 0; i < 25; ++i) stan[i] = WZOR_FINALU[i] == '1' ? 1 : 0;
}

int pelna_linia(const int stan[25], int komorki[5]) {
    for (int l = 0; l < 12; ++l) {
        bool pelna = true;
        for (int k = 0; k < 5 && pelna; ++k) pelna = stan[komorka_linii(l, k)] == 1;
        if (pelna) {
            for (int k = 0; k < 5; ++k) komorki[k] = komorka_linii(l, k);
            return l;
        }
    }
    return -1;
}

void tablica(int gr) {
    SLAD("tablica");
    rozdaj(tab[gr], tk[gr], fin);
    kas_5();
    for (int i = 0; i < 25; ++i) {
        al_draw_textf(f24, al_map_rgb(155, 155, 155), liczba_x(i), liczba_y(i), ALLEGRO_ALIGN_CENTRE, "%d",
                      tab[gr][i]);
        I_FinishUpdate();
    }
    // In the main game the picture keeps the caps; in the final the caps are drawn from tk
    // whenever the board is shown, so the picture holds the numbers alone.
    if (fin == 0 && !kapsle_z_dzwiekiem(gr)) return;
    zrzut_planszy(gr);
    if (fin == 1) kapsle_z_dzwiekiem(gr);
}

void kapslef(int gr) {
    SLAD("kapslef");
    for (int i = 0; i < 25; ++i) {
        const bool kap = tk[gr][i] == 1;
        if (kap) kapsel(i);
        // The first frame also shows what the caller drew (the bare board, as a rule).
        if (kap || i == 0)
            I_FinishUpdate();
        else
            I_FinishUnchanged();
    }
}

void spr(int gr, int w_finale) {
    SLAD("spr");
    int komorki[5];
    if (pelna_linia(tk[gr], komorki) < 0) return;
    for (int raz = 0; raz < 3; ++raz) {
        pokaz_plansze(gr);
        if (w_finale == 1) kapslef(gr);
        I_FinishUpdate();
        I_Rest(0.2);
        for (int k : komorki) znak_linii(k);
        I_FinishUpdate();
        I_Rest(0.2);
    }
    if (w_finale == 1) {
        bingof = 1;
        return;
    }
    bingo(gr);
    tablica(gr);
}

void bingo(int gr) {
    SLAD("bingo");
    kas_3();
    al_draw_text(f24, al_map_rgb(0, 133, 0), 60, 510, ALLEGRO_ALIGN_LEFT, "Premia za BINGO");
    al_draw_text(f40, al_map_rgb(0, 188, 0), 350, 500, ALLEGRO_ALIGN_RIGHT, "500");
    I_StartSound(samp[DZWIEK_BINGO], 1.0f, 0.7f);
    doliczanie(gr, 500);
    kas_5();
    al_draw_text(f28, al_map_rgb(66, 166, 199), 646, 280, ALLEGRO_ALIGN_CENTRE, "Nowa tablica");
    I_FinishUpdate();
    I_Rest(1.4);
}

void los_kul(int& gr, int& ku) {
    SLAD("los_kul");
    int b = 0, kk = 0, k2 = 0;
    ikona_do_losowania(0);
    ikona_do_losowania(1);
    int zacheta_na_ekranie = -2;
    while (!wcisniety(ALLEGRO_KEY_ESCAPE)) {
        zmiany_ekranu z = zacheta_losowania(kk, k2, zacheta_na_ekranie, "Losowanie kul");
        if (wcisniety(ALLEGRO_KEY_SPACE)) {
            // A struck cell is rolled again together with the red-ball roll, so the fuller
            // the board, the likelier the red ball. With cells 0..23 all struck only a red
            // ball ends the press, which one roll in nine is.
            int los;
            for (;;) {
                if (wcisniety(ALLEGRO_KEY_ESCAPE)) return;
                I_GetKeyboardState(&klaw);
                ku = std::rand() % 9;
                if (ku == 0) {
                    kula(KULA_CZERWONA);
                    I_FinishUpdate();
                    I_Rest(1.0);
                    pech();
                    kas_4();
                    return;
                }
                los = std::rand() % 24;  // the bottom-right cell is never drawn here
                if (tk[gr][los] != 1) break;
            }
            kula_z_numerem(tab[gr][los]);
            for (int raz = 0; raz < 3; ++raz) {
                I_StartSound(samp[DZWIEK_KULA], 0.9f, 0.9f);
                kapsel(los);
                I_Rest(0.2);
                I_FinishUpdate();
                I_Rest(0.1);
                pokaz_plansze(gr);
                kapslef(gr);
                I_FinishUpdate();
                I_Rest(0.2);
            }
            tk[gr][los] = 1;
            ikona_wylosowana(1 - b);
            kapsel(los);
            I_Rest(0.2);
            zrzut_planszy(gr);
            pokaz_plansze(gr);
            spr(gr, fin);
            ++b;
            if (b >= 2) return;
            // The ball stands in the message strip until the prompt is drawn over it.
            zacheta_na_ekranie = -1;
            z.dodaj(0, 0, SZEROKOSC_EKRANU, WYSOKOSC_EKRANU);
        }
        zakoncz_klatke(z);
        I_Rest(0.001);
    }
}

void spacja() {
    SLAD("spacja");
    kas_3();
    al_draw_text(f24, al_map_rgb(0, 155, 55), 200, 510, ALLEGRO_ALIGN_CENTRE, "SPACJA - START");
    bool pierwsza = true;
    for (;;) {
        if (wcisniety(ALLEGRO_KEY_ESCAPE)) break;
        I_GetKeyboardState(&klaw);
        klatka_czekania(pierwsza);
        if (wcisniety(ALLEGRO_KEY_SPACE)) break;
    }
    I_StartSound(samp[DZWIEK_START], 0.5f, 0.8f);
    I_Rest(0.1);
    kas_3();
}

void pech() {
    SLAD("pech");
    kas_3();
    al_draw_text(f24, al_map_rgb(155, 55, 55), 200, 510, ALLEGRO_ALIGN_CENTRE, "Masz Pecha");
    I_StartSound(samp[DZWIEK_PECH], 0.5f, 0.8f);
    I_FinishUpdate();
    I_Rest(2.0);
}

void los_kulf(int& gr, int& pruba) {
    SLAD("los_kulf");
    int b = 0, ku = 0, kk = 0, k2 = 0;
    const int ee = std::min(pruba + 1, 6);
    kas_4();
    for (int k = 0; k < ee; ++k) ikona_do_losowania(k);
    int zacheta_na_ekranie = -2;
    while (!wcisniety(ALLEGRO_KEY_ESCAPE)) {
        zmiany_ekranu z = zacheta_losowania(kk, k2, zacheta_na_ekranie, "Losowanie  kul", ee - b);
        if (wcisniety(ALLEGRO_KEY_SPACE)) {
            if (wcisniety(ALLEGRO_KEY_ESCAPE)) return;
            I_GetKeyboardState(&klaw);
            ku = std::rand() % 9;
            if (ku == 0) {
                // The yellow ball forfeits the balls still due, rightmost first.
                kula(KULA_ZOLTA);
                for (int k = ee - b - 1; k >= 0; --k) {
                    ikona_wylosowana(k);
                    I_FinishUpdate();
                    I_Rest(0.5);
                }
                return;
            }
            int los = std::rand() % 25;
            kula_z_numerem(tab[gr][los]);
            if (tk[gr][los] == 1) {
                // A wasted ball: the board blinks and nothing is struck.
                for (int raz = 0; raz < 3; ++raz) {
                    pokaz_plansze(gr);
                    I_FinishUpdate();
                    I_Rest(0.2);
                    kapslef(gr);
                    I_FinishUpdate();
                    I_Rest(0.2);
                }
            } else {
                for (int raz = 0; raz < 3; ++raz) {
                    pokaz_plansze(gr);
                    kapslef(gr);
                    I_FinishUpdate();
                    I_Rest(0.2);
                    I_StartSound(samp[DZWIEK_KULA], 0.9f, 0.9f);
                    kapsel(los);
                    I_Rest(0.2);
                    I_FinishUpdate();
                    I_Rest(0.2);
                }
                tk[gr][los] = 1;
            }
            ++b;
            ikona_wylosowana(ee - b);
            kapsel(los);
            I_Rest(0.2);
            spr(gr, fin);
            if (b >= ee || bingof == 1) return;
            // The ball stands in the strip, and the count of balls due has changed.
            zacheta_na_ekranie = -1;
            z.dodaj(0, 0, SZEROKOSC_EKRANU, WYSOKOSC_EKRANU);
        }
        zakoncz_klatke(z);
        I_Rest(0.001);
    }
}
