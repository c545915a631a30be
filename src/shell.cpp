// Start-up and shutdown, the restore rectangles, the two fades and the intro.
#include "shell.h"

#include <allegro5/allegro_ttf.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>

#include "state.h"

namespace {

std::string pokaz_linie(const std::string& s) {
    std::string w;
    for (unsigned char c : s) {
        if (c >= 32 && c < 127) {
            w += static_cast<char>(c);
        } else {
            char b[8];
            std::snprintf(b, sizeof b, "\\x%02X", c);
            w += b;
        }
    }
    return w;
}

bool bajt_slowa(unsigned char c) {
    if (c >= 'a' && c <= 'z') return true;
    for (const char* p = "ACELNOSXZ"; *p; ++p)
        if (c == static_cast<unsigned char>(*p)) return true;
    return false;
}

ALLEGRO_BITMAP* wczytaj_obraz(const char* plik, int min_w, int min_h) {
    ALLEGRO_BITMAP* b = al_load_bitmap(plik);
    if (!b) I_Error(std::string(plik) + ": cannot load the picture (missing, or not a PNG file)");
    if (al_get_bitmap_width(b) < min_w || al_get_bitmap_height(b) < min_h) {
        char opis[160];
        std::snprintf(opis, sizeof opis, ": the picture is %d x %d, it must be at least %d x %d",
                      al_get_bitmap_width(b), al_get_bitmap_height(b), min_w, min_h);
        I_Error(std::string(plik) + opis);
    }
    return b;
}

void wczytaj_slowa() {
    std::ifstream we(PLIK_LISTY);
    if (!we) I_Error(std::string(PLIK_LISTY) + ": cannot open the word list");
    std::vector<std::string> slowa;
    int nr = 0;
    std::string opis;
    if (!czytaj_liste(we, slowa, nr, opis)) {
        if (nr > 0) I_Error(std::string(PLIK_LISTY) + ": line " + std::to_string(nr) + ": " + opis);
        I_Error(std::string(PLIK_LISTY) + ": " + opis);
    }
    ih = 0;
    for (const std::string& s : slowa) h[ih++] = s;
    h[ih] = "ZZZ";
}

}  // namespace

bool slowo_poprawne(const std::string& s) {
    if (s.size() != 5) return false;
    for (unsigned char c : s)
        if (!bajt_slowa(c)) return false;
    return true;
}

bool czytaj_liste(std::istream& we, std::vector<std::string>& slowa, int& nr_linii, std::string& opis) {
    slowa.clear();
    nr_linii = 0;
    std::string linia;
    int nr = 0;
    while (std::getline(we, linia)) {
        ++nr;
        if (!linia.empty() && linia.back() == '\r') linia.pop_back();
        if (linia == "ZZZ") break;
        if (static_cast<int>(slowa.size()) == NAJWIECEJ_SLOW) {
            nr_linii = nr;
            opis = "more than " + std::to_string(NAJWIECEJ_SLOW) + " words before \"ZZZ\"";
            return false;
        }
        if (!slowo_poprawne(linia)) {
            nr_linii = nr;
            if (linia.size() != 5)
                opis = "\"" + pokaz_linie(linia) + "\" is " + std::to_string(linia.size()) +
                       " bytes long; a word is five letters";
            else
                opis = "\"" + pokaz_linie(linia) +
                       "\" holds a byte that is not a letter of the word form (a-z, or A C E L N O S X Z "
                       "for the Polish letters)";
            return false;
        }
        slowa.push_back(linia);
    }
    if (slowa.empty()) {
        nr_linii = 0;
        opis = "the word list holds no words";
        return false;
    }
    return true;
}

void ustawienia() {
    if (!I_Init()) I_Error("cannot initialise the Allegro library");
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    I_InitSound();
    if (!I_InitGraphics(TYTUL_OKNA)) I_Error("cannot open a display: is DISPLAY set?");

    bufor = al_create_bitmap(800, 600);
    tgr[0] = al_create_bitmap(240, 240);
    tgr[1] = al_create_bitmap(240, 240);
    al_set_target_bitmap(bufor);
    al_clear_to_color(al_map_rgb(0, 0, 0));
    // A board picture is captured 239 pixels square; its last row and column stay see-through
    // so drawing it back never paints a dark line along the board's frame.
    for (ALLEGRO_BITMAP* t : tgr) {
        al_set_target_bitmap(t);
        al_clear_to_color(al_map_rgba(0, 0, 0, 0));
    }
    al_set_target_bitmap(tylny);

    for (const czcionka_mediow& c : CZCIONKI) {
        *c.cel = al_load_ttf_font(c.plik, c.rozmiar, 0);
        if (!*c.cel) I_Error(std::string(c.plik) + ": cannot load the font (missing, or not a TrueType file)");
    }

    // The panel's timer-bar area reaches y = 539, and the grid scroll needs 880 columns.
    el = wczytaj_obraz("media/el.png", 880, 540);
    lit = wczytaj_obraz("media/literki.png", 52 * 36, 62);
    al_convert_mask_to_alpha(el, al_map_rgb(200, 200, 200));

    for (int n : KOLEJNOSC_DZWIEKOW) {
        std::string plik = "media/s" + std::to_string(n) + ".ogg";
        std::string blad;
        samp[n] = I_LoadSound(plik.c_str(), &blad);
        if (!samp[n]) I_Error(plik + ": " + blad);
    }

    wczytaj_slowa();

    // The game background is loaded at each game start; check it now so a broken file stops
    // the program here and not in the middle of the menu.
    al_destroy_bitmap(wczytaj_obraz("media/gg1.png", 800, 600));
    al_set_target_bitmap(tylny);
}

void zwolnij_zasoby() {
    // Bitmaps and fonts go before the display, so none outlives the context it lives in.
    ALLEGRO_BITMAP** bitmapy[] = {&bufor, &el, &lit, &tgr[0], &tgr[1], &ekr_w_pamieci};
    for (ALLEGRO_BITMAP** b : bitmapy) {
        if (*b) al_destroy_bitmap(*b);
        *b = nullptr;
    }
    for (const czcionka_mediow& c : CZCIONKI) {
        if (*c.cel) al_destroy_font(*c.cel);
        *c.cel = nullptr;
    }
    for (i_dzwiek*& s : samp) {
        I_FreeSound(s);
        s = nullptr;
    }
    I_ShutdownGraphics();
    I_ShutdownSound();
}

void koniec() {
    SLAD("koniec");
    for (int k = 0; k < 25; ++k) {
        al_draw_tinted_scaled_bitmap(el, al_map_rgba(0, 0, 0, k), 350, 110, 10, 10, 0, 0, 800, 600, 0);
        I_FinishUpdate();
        I_Rest(0.02);
    }
    std::remove("ekr.png");

    zwolnij_zasoby();
}

static void kas(int x, int y, int w, int h_) { al_draw_bitmap_region(bufor, x, y, w, h_, x, y, 0); }

void kas_1() { kas(30, 30, 341, 65); }
void kas_2() { kas(30, 124, 341, 341); }
void kas_3() { kas(32, 494, 338, 62); }
void kas_4() { kas(625, 138, 142, 23); }
void kas_5() { kas(530, 175, 236, 236); }

void zmiany_ekranu::dodaj(int x, int y, int w, int h_) {
    x0 = std::min(x0, x);
    y0 = std::min(y0, y);
    x1 = std::max(x1, x + w);
    y1 = std::max(y1, y + h_);
}

void zakoncz_klatke(const zmiany_ekranu& z) {
    if (z.puste())
        I_FinishUnchanged();
    else
        I_FinishArea(z.x0, z.y0, z.x1 - z.x0, z.y1 - z.y0);
}

void krok_jasnosci(int& kk, int& k2) {
    if (k2 == 0) ++kk;
    if (k2 == 1) --kk;
    if (kk > 250) k2 = 1;
    if (kk < 0) k2 = 0;
}

void ukazywanie_obrazu() {
    SLAD("ukazywanie_obrazu");
    for (int i = 0; i < 40; ++i) {
        al_draw_tinted_bitmap(bufor, al_map_rgba(i, i, i, i), 0, 0, 0);
        I_FinishUpdate();
        I_Rest(0.01);
    }
}

void znikanie_obrazu() {
    SLAD("znikanie_obrazu");
    for (int i = 0; i < 40; ++i) {
        al_draw_tinted_scaled_bitmap(el, al_map_rgba(i, i, i, i), 220, 0, 5, 5, 0, 0, 800, 600, 0);
        I_FinishUpdate();
        I_Rest(0.01);
    }
}

void pocz() {
    SLAD("pocz");
    int b = 0;
    for (int i = 0; i < 400; ++i) {
        ALLEGRO_COLOR tint = al_map_rgba(b, b, b, b);
        if (i == 150 || i == 250) b = 0;
        if (i <= 149) al_draw_tinted_scaled_bitmap(el, tint, 218, 0, 91, 121, 300 - b, 130, b, b, 0);
        if (i >= 151 && i <= 249) al_draw_tinted_scaled_bitmap(el, tint, 310, 0, 90, 96, 400 - b / 2, 100, b, b, 0);
        if (i >= 251) al_draw_tinted_scaled_bitmap(el, tint, 218, 0, 91, 121, 500, 130, b, b, 0);
        ++b;
        if (i >= 151 && i <= 249) al_draw_scaled_bitmap(el, 330, 81, 2, 5, 300, 210, 2 * b, 5, 0);
        I_FinishUpdate();
        I_Rest(0.002);
        if (i == 20 || i == 150 || i == 280) I_StartSound(samp[7], 0.5f, 1.0f);
    }
    if (!al_save_bitmap("ekr.png", tylny)) {
        I_Warning("cannot write ekr.png in the working directory; the intro picture is kept in memory");
        ekr_w_pamieci = al_clone_bitmap(tylny);
    }
}

ALLEGRO_BITMAP* wczytaj_ekr() {
    ALLEGRO_BITMAP* b = ekr_w_pamieci ? al_clone_bitmap(ekr_w_pamieci) : al_load_bitmap("ekr.png");
    if (!b) {
        // Removed behind our back: carry on with a black picture rather than fail mid-game.
        I_Warning("ekr.png is gone from the working directory; the menu is drawn on black");
        ALLEGRO_BITMAP* cel = al_get_target_bitmap();
        b = al_create_bitmap(800, 600);
        al_set_target_bitmap(b);
        al_clear_to_color(al_map_rgb(0, 0, 0));
        al_set_target_bitmap(cel);
    }
    return b;
}
