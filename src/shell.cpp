// Start-up and shutdown, the restore rectangles, the two fades and the intro.
#include "shell.h"

#include <allegro5/allegro_ttf.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
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

ALLEGRO_BITMAP* wczytaj_obraz(const char* nazwa, int min_w, int min_h) {
    const std::string plik = plik_mediow(nazwa);
    ALLEGRO_BITMAP* b = al_load_bitmap(plik.c_str());
    if (!b) I_Error(plik + ": cannot load the picture (missing, or not a PNG file)");
    if (al_get_bitmap_width(b) < min_w || al_get_bitmap_height(b) < min_h) {
        char opis[160];
        std::snprintf(opis, sizeof opis, ": the picture is %d x %d, it must be at least %d x %d",
                      al_get_bitmap_width(b), al_get_bitmap_height(b), min_w, min_h);
        I_Error(plik + opis);
    }
    return b;
}

std::string plik_dzwieku(int n) { return plik_mediow("s" + std::to_string(n) + ".ogg"); }

void wczytaj_slowa() {
    const std::string plik = plik_mediow(PLIK_LISTY);
    std::ifstream we(plik);
    if (!we) I_Error(plik + ": cannot open the word list");
    std::vector<std::string> slowa;
    int nr = 0;
    std::string opis;
    if (!czytaj_liste(we, slowa, nr, opis)) {
        if (nr > 0) I_Error(plik + ": line " + std::to_string(nr) + ": " + opis);
        I_Error(plik + ": " + opis);
    }
    ih = 0;
    for (const std::string& s : slowa) h[ih++] = s;
    h[ih] = "ZZZ";
}

// Where the installed media lie, seen from the folder of the installed program.
#ifndef BROLIK_MEDIA_OD_PROGRAMU
#define BROLIK_MEDIA_OD_PROGRAMU "../share/brolik/media"
#endif

// A media/ folder holding neither the sprite sheet nor the word list is not ours: a player's
// home may well have a folder of that name, and the desktop menu starts the game there.
bool media_gry(const std::filesystem::path& k) {
    std::error_code blad;
    return std::filesystem::is_regular_file(k / "el.png", blad) ||
           std::filesystem::is_regular_file(k / PLIK_LISTY, blad);
}

void znajdz_media() {
    namespace fs = std::filesystem;
    katalog_mediow = "media/";
    if (media_gry("media")) return;
    std::error_code blad;
    std::string szukane = fs::absolute("media", blad).string();
    std::string program = I_ProgramDirectory();
    if (!program.empty()) {
        fs::path zainstalowane = (fs::path(program) / BROLIK_MEDIA_OD_PROGRAMU).lexically_normal();
        if (media_gry(zainstalowane)) {
            katalog_mediow = (zainstalowane / "").string();
            return;
        }
        szukane += " and in " + zainstalowane.string();
    } else {
        szukane += " (the folder of the program itself could not be found)";
    }
    I_Error("cannot find the game's media: looked in " + szukane +
            "; run the game from its source folder (build/brolik) or install it (cmake --install)");
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
    znajdz_media();
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    I_InitSound();
    // The sounds decode while the window opens.
    std::vector<std::string> dzwieki;
    for (int n : KOLEJNOSC_DZWIEKOW) dzwieki.push_back(plik_dzwieku(n));
    I_PrepareSounds(dzwieki);
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
        const std::string plik = plik_mediow(c.plik);
        *c.cel = al_load_ttf_font(plik.c_str(), c.rozmiar, 0);
        if (!*c.cel) I_Error(plik + ": cannot load the font (missing, or not a TrueType file)");
    }

    // The panel's timer-bar area reaches y = 539, and the grid scroll needs 880 columns.
    el = wczytaj_obraz("el.png", 880, 540);
    lit = wczytaj_obraz("literki.png", 52 * 36, 62);
    al_convert_mask_to_alpha(el, al_map_rgb(200, 200, 200));

    for (int n : KOLEJNOSC_DZWIEKOW) {
        std::string plik = plik_dzwieku(n);
        std::string blad;
        samp[n] = I_LoadSound(plik.c_str(), &blad);
        if (!samp[n]) I_Error(plik + ": " + blad);
    }

    wczytaj_slowa();

    // The game background is loaded at each game start; check it now so a broken file stops
    // the program here and not in the middle of the menu.
    al_destroy_bitmap(wczytaj_obraz("gg1.png", 800, 600));
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
    if (media_z_katalogu_roboczego()) std::remove("ekr.png");

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
    // Run from an installation, the working directory is the player's own: nothing goes there.
    if (!media_z_katalogu_roboczego()) {
        ekr_w_pamieci = al_clone_bitmap(tylny);
    } else if (!al_save_bitmap("ekr.png", tylny)) {
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
