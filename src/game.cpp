// The game flow: the game loop with its prizes and turns, the players' panel, the final and the end screen.
#include "game.h"

#include <allegro5/allegro_font.h>

#include <cstdlib>

#include "bingo.h"
#include "shell.h"
#include "state.h"
#include "word.h"

namespace {

constexpr char UKRYTA = '[';

// A stretched region of the sprite sheet; a region stretched to no area draws nothing, and the
// growing frames start from such sizes, so they are skipped rather than handed to the blitter.
void rozciagnij(ALLEGRO_BITMAP* z, float sx, float sy, float sw, float sh, float x, float y, float w, float h_,
                int flagi = 0) {
    if (w <= 0 || h_ <= 0 || sw <= 0 || sh <= 0) return;
    al_draw_scaled_bitmap(z, sx, sy, sw, sh, x, y, w, h_, flagi);
}

void wycinek(ALLEGRO_BITMAP* z, float sx, float sy, float sw, float sh, float x, float y) {
    if (sw <= 0 || sh <= 0) return;
    al_draw_bitmap_region(z, sx, sy, sw, sh, x, y, 0);
}

int drugi_gracz(int gr) { return gr + 1 > 1 ? 0 : gr + 1; }

// The total field of the active player, shared by the panel and the count-up so one continues the other.
void pole_sumy(int gr) {
    al_draw_bitmap_region(bufor, 640, 545, 120, 22, 640, 545, 0);
    al_draw_textf(f24, al_map_rgb(200, 144, 44), 695, 542, ALLEGRO_ALIGN_CENTRE, "%d", suma[gr]);
}

// Hint word for a fresh password: the first letter shown, the rest hidden.
std::string podpowiedz(const std::string& haslo) {
    std::string w = haslo;
    for (size_t i = 1; i < w.size() && i <= 4; ++i) w[i] = UKRYTA;
    return w;
}

// Uncovers the first hidden letter among positions od..do_ of h1; a word shorter than the
// positions named gives nothing away beyond its end.
void odkryj_pierwsza(int od, int do_) {
    for (int k = od; k <= do_; ++k) {
        if (k >= static_cast<int>(h1.size()) || k >= static_cast<int>(hh.size())) return;
        if (h1[k] != hh[k]) {
            h1[k] = hh[k];
            return;
        }
    }
}

void rzad_podpowiedzi(int pruba, int dd) {
    for (int i = 0; i < 5 && i < static_cast<int>(h1.size()); ++i)
        rysuj_glif(bajt_na_glif(h1[i]), 35 + 69 * i, 125 + 69 * (pruba - dd));
}

bool escape() { return wcisniety(ALLEGRO_KEY_ESCAPE); }

}  // namespace

int nagroda(int pruba) {
    int pkt = 500 - 100 * pruba;
    if (pkt <= 99) pkt = 100;
    return pkt;
}

double przerwa_liczenia(int pkt) {
    if (pkt <= 500) return 0.004;
    if (pkt <= 1000) return 0.003;
    if (pkt <= 2000) return 0.002;
    return 0.001;
}

bool gra_ukonczona = false;

void doliczanie(int gr, int pkt) {
    double przerwa = przerwa_liczenia(pkt);
    for (int j = 0; j < pkt; ++j) {
        suma[gr] += 1;
        pole_sumy(gr);
        I_FinishUpdate();
        I_Rest(przerwa);
    }
}

void gra() {
    SLAD("gra");
    gra_ukonczona = false;
    // A word is drawn by a remainder of division by the list's length: with no words there is
    // nothing to play, and the game goes back to the menu untouched.
    if (ih < 1) return;

    start();
    suma[0] = suma[1] = 0;
    int gr = std::rand() % ig;
    int nrh = 0, pkt = 0;
    bingof = 0;
    fin = 0;

    while (!escape()) {
        I_GetKeyboardState(&klaw);
        if (nrh == 10) {
            final_pocz(gr);
            // Dealing the final board polls again, and a tap of Escape reads as held only once.
            if (escape()) return;
            nrh = 0;
            fin = 1;
            pkt = 250;
            tablica(gr);
        }
        if (fin == 1 && nrh > 4) {
            koniec_fin(gr);
            return;
        }
        int pruba = 0, cw = 0;
        int los = std::rand() % ih;
        hh = h[los];
        h1 = podpowiedz(hh);
        int dd = 0;
        dane_gracza(gr);
        al_draw_bitmap_region(el, 40, 235, 19, 19, 530 + 24 * nrh, 426, 0);
        if (fin == 0) spacja();
        if (fin == 1) {
            pkt *= 2;
            kas_3();
            al_draw_text(f28, al_map_rgb(0, 155, 55), 60, 510, ALLEGRO_ALIGN_LEFT, "Hasło za: ");
            al_draw_textf(f40, al_map_rgb(200, 55, 55), 340, 502, ALLEGRO_ALIGN_RIGHT, "%d", pkt);
            I_FinishUpdate();
            I_Rest(0.5);
        }
        kas_2();

        while (!escape()) {
            I_GetKeyboardState(&klaw);
            kas_1();
            al_draw_scaled_bitmap(el, 60, 235, 100, 14, 640, 524, 120, 14, 0);
            rzad_podpowiedzi(pruba, dd);
            wpisywanie_z_klawiatury(pruba, cw, dd);

            if (cw > TAKTY_PROBY && ig == 2 && pruba <= 4) {
                if (fin == 0) zmiana_gracza(gr);
                dane_gracza(gr);
            }
            if (fin == 1 && cw > TAKTY_PROBY) {
                to_jest_haslo();
                koniec_fin(gr);
                return;
            }
            if (hh == h1) {
                gratulacje();
                // In the final the stake is paid whatever the number of tries.
                if (fin == 0) pkt = nagroda(pruba);
                if (fin == 1)
                    al_draw_textf(f24, al_map_rgb(55, 155, 55), 450, 143 + 69 * nrh, ALLEGRO_ALIGN_RIGHT, "%d", pkt);
                doliczanie(gr, pkt);
                I_Rest(0.5);
                if (fin == 0) {
                    // -1 is never a roll, so a draw left before its first ball cannot read as a red ball.
                    int ku = -1;
                    los_kul(gr, ku);
                    if (ku == 0 && ig == 2 && pruba <= 4) {
                        kas_3();
                        al_draw_text(f28, al_map_rgb(200, 144, 44), 200, 510, ALLEGRO_ALIGN_CENTRE, "Strata kolejki");
                        if (nrh <= 8) zmiana_gracza(gr);
                    }
                }
                if (fin == 1 && nrh <= 3) los_kulf(gr, pruba);
                if (fin == 1 && bingof == 1) {
                    koniec_fin(gr);
                    return;
                }
                nrh += 1;
                break;
            }
            if ((pruba == 5 && ig == 1) || (pruba == 6 && ig == 2)) {
                to_jest_haslo();
                nrh += 1;
                if (fin == 0 && ig == 2) gr = drugi_gracz(gr);
                if (fin == 0) {
                    kas_1();
                    kas_2();
                }
                if (fin == 1 && nrh <= 4) los_kulf(gr, pruba);
                if (fin == 1 && bingof == 1) {
                    pech();
                    koniec_fin(gr);
                    return;
                }
                break;
            }
            if (pruba == 5 && ig == 2 && dd == 0) {
                dd = 1;
                if (fin == 0) gr = drugi_gracz(gr);
                dane_gracza(gr);
                przesuwanie_diagramu();
                int c = 0;
                for (int i = 0; i < 5 && i < static_cast<int>(h1.size()); ++i)
                    if (h1[i] == UKRYTA) ++c;
                // The last hidden letter is never given: the sixth try must still find something.
                if (c >= 2) odkryj_pierwsza(1, 3);
            }
        }
    }
}

void start() {
    SLAD("start");
    // Keep the old background if the new one cannot be read: a null bufor would break every restore.
    ALLEGRO_BITMAP* nowy = zaladuj_obraz(plik_mediow("gg1.png").c_str());
    if (nowy) {
        if (bufor) al_destroy_bitmap(bufor);
        bufor = nowy;
    } else {
        static bool powiedziane = false;
        if (!powiedziane)
            I_Warning(plik_mediow("gg1.png") + ": cannot load the game background; the game is drawn on the menu picture");
        powiedziane = true;
    }
    ukazywanie_obrazu();
    if (ig == 2) {
        for (int i = 0; i < 2; ++i) {
            kas_3();
            al_draw_textf(f24, al_map_rgb(50, 150, 150), 200, 510, ALLEGRO_ALIGN_CENTRE, "Tablica gracza: %d ", i + 1);
            tablica(i);
            // A tap of Escape reads as held at one poll only: the next board must not poll it away.
            if (escape()) return;
            I_Rest(1.0);
        }
    } else {
        tablica(0);
    }
}

void dane_gracza(int gr) {
    SLAD("dane_gracza");
    al_draw_bitmap_region(bufor, 535, 490, 226, 26, 535, 490, 0);
    ALLEGRO_COLOR kolor_imienia = gr == 0 ? al_map_rgb(188, 188, 88) : al_map_rgb(88, 188, 188);
    al_draw_text(f22, kolor_imienia, 650, 487, ALLEGRO_ALIGN_CENTRE, imie[gr].c_str());
    pole_sumy(gr);
    // The second box is patched from x = 10 of the background, not from its own place.
    al_draw_bitmap_region(bufor, 10, 574, 150, 22, 640, 574, 0);
    if (ig == 2)
        al_draw_textf(f20, al_map_rgb(130, 120, 110), 695, 572, ALLEGRO_ALIGN_CENTRE, "%d", suma[drugi_gracz(gr)]);
    al_draw_bitmap(tgr[gr], 528, 174, 0);
    al_draw_bitmap_region(el, 642, 523, 116, 16, 642, 523, 0);
    // In the final the board picture holds the numbers only; the caps come from tk.
    if (fin == 1) kapslef(gr);
}

void zmiana_gracza(int& gr) {
    SLAD("zmiana_gracza");
    kas_5();
    al_draw_text(f24, al_map_rgb(200, 144, 44), 646, 280, ALLEGRO_ALIGN_CENTRE, "Zmiana gracza");
    I_FinishUpdate();
    I_Rest(1.4);
    if (fin == 0 && ig == 2) gr = drugi_gracz(gr);
    dane_gracza(gr);
    odkryj_pierwsza(1, 2);
}

void final_pocz(int& gr) {
    SLAD("final_pocz");
    al_draw_bitmap(bufor, 0, 0, 0);
    I_StartSound(samp[DZWIEK_FINAL], 0.8f, 0.7f);

    int b = 0;
    for (int i = 0; i <= 55; ++i) {
        I_GetKeyboardState(&klaw);
        if (escape()) return;
        rozciagnij(el, 460, 10, 5, 5, 0, 290 - i, SZEROKOSC_EKRANU, 2 * i);
        rozciagnij(el, 220, 252, 2, 5, 0, 290 - i, SZEROKOSC_EKRANU, i / 4);
        rozciagnij(el, 220, 252, 2, 5, 0, 290 + i, SZEROKOSC_EKRANU, i / 4, ALLEGRO_FLIP_VERTICAL);
        if (i > 10) ++b;
        wycinek(el, 80, 330 - b, 360, 2 * b, 200, 290 - b);
        I_FinishUpdate();
        I_Rest(0.01);
    }
    I_Rest(1.0);

    b = 0;
    for (int i = 0; i <= 300; ++i) {
        I_GetKeyboardState(&klaw);
        if (escape()) return;
        if (i > 181) ++b;
        wycinek(bufor, 0, 0, SZEROKOSC_EKRANU, i, 0, 0);
        wycinek(bufor, 0, WYSOKOSC_EKRANU - i, SZEROKOSC_EKRANU, i, 0, WYSOKOSC_EKRANU - i);
        wycinek(el, 270, 170, b, 24, 767 - b, 425);
        I_FinishUpdate();
        I_Rest(0.01);
    }

    if (ig == 2) {
        // On equal totals the player whose turn it is goes through.
        if (suma[0] > suma[1]) gr = 0;
        if (suma[1] > suma[0]) gr = 1;
        al_draw_text(f20, al_map_rgb(0, 155, 55), 200, 498, ALLEGRO_ALIGN_CENTRE, "Do finału przechodzi");
        al_draw_text(f22, al_map_rgb(200, 200, 0), 200, 522, ALLEGRO_ALIGN_CENTRE, imie[gr].c_str());
        I_FinishUpdate();
        I_Rest(1.0);
    }

    for (int i = 0; i <= 39; ++i) {
        rozciagnij(el, 40, 380, 400, 40, 525 - 3 * i, 65 - i / 2, 6 * i + 125, i);
        I_FinishUpdate();
        I_Rest(0.01);
    }
    for (int k = 0; k <= 4; ++k) rozciagnij(el, 220, 0, 2, 2, 389, 144 + 69 * k, 65, 25);
    I_Rest(0.5);
    if (ig == 2) I_Rest(2.0);
}

void koniec_fin(int& gr) {
    SLAD("koniec_fin");
    gra_ukonczona = true;
    for (int i = 0; i <= 299; ++i) {
        rozciagnij(el, 10, 130, 5, 5, 395 - i, 295 - i / 4, 2 * i + 10, 2 * (i / 4) + 10);
        rozciagnij(el, 140, 170, 9, 9, 400 - i, 300 - i / 4, 2 * i, 2 * (i / 4));
        rozciagnij(el, 10, 130, 5, 5, 405 - i, 305 - i / 4, 2 * i - 10, 2 * (i / 4) - 10);
        I_FinishUpdate();
        I_Rest(0.003);
    }
    al_draw_text(f40, al_map_rgb(0, 110, 210), 400, 235, ALLEGRO_ALIGN_CENTRE, "Koniec gry");
    al_draw_textf(f40, al_map_rgb(66, 188, 66), 400, 280, ALLEGRO_ALIGN_CENTRE, "Twoja wygrana to: %d zł", suma[gr]);
    al_draw_text(f24, al_map_rgb(133, 133, 133), 400, 335, ALLEGRO_ALIGN_CENTRE, " Enter to MENU ");
    bool pierwsza = true;
    while (!wcisniety(ALLEGRO_KEY_ENTER)) {
        I_GetKeyboardState(&klaw);
        if (escape()) break;
        klatka_czekania(pierwsza);  // the texts show at the first frame
    }
}
