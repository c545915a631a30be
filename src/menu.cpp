// The main menu, the rules and information pages, and the entry of the players' names.
#include "menu.h"

#include <allegro5/allegro_font.h>

#include <cstring>
#include <string>

#include "game.h"
#include "shell.h"
#include "state.h"
#include "word.h"

namespace {

const char* const ETYKIETY[5] = {"1 GRACZ", "2  GRACZY", "ZASADY GRY", "INFO", "WYJSCIE"};

// The text colour shared by both pages.
ALLEGRO_COLOR kolor_strony() { return al_map_rgb(99, 155, 155); }

// The panel picture both pages and the name entry are drawn on.
void panel(float x, float y, float w, float h_) { al_draw_scaled_bitmap(el, 0, 45, 130, 70, x, y, w, h_, 0); }

}  // namespace

const char* const LINIE_ZASAD[16] = {
    "Zasady gry częściowo jak w teleturnieju TV z 1995 roku.",
    "Gra polega na odgadywaniu 5-literowych słów / haseł.",
    "Czas na wpisanie słowa to 20 sekund - powinno starczyć",
    "Znana jest pierwsza litera potem 5 prób na odpowiedż.",
    "Tła liter w odgadywanym słowie mają w podpowiedzi różne kolory:",
    "        niebieskie - litera niewłaściwa,",
    "        czerwone  - litera właściwa i na dobrym miejscu,",
    "        żółte          - litera właściwa lecz w złym miejscu.",
    "Gracz, gdy odgadnie hasło losuje kule z numerkami, które",
    "kasowane są z jego planszy liczbowej zgodnie z zasadami Bingo.",
    "Premia za bingo to 500 zł ale bingo dodczas finału to Koniec Gry.",
    "Czerwona kula: przerywa losowanie i zmienia gracza.",
    "Gracz, który uzbiera więcej pieniędzy na koncie wchodzi do finału.",
    "W finale do odgadnięcia 5 haseł, za każde większa stawka.",
    "Żółta kula w finale to wybawienie - przerywa niechciane losowanie.",
    "Koniec Czasu: strata kolejki, następny gracz - we finale Koniec Gry.",
};

// Lines 3, 4 and 7 are this game's own credits; no real person is named.
const char* const LINIE_INFO[9] = {
    "Program oparty na teleturnieju TV",
    " B r o l i k ",
    "pierwsza wersja: komputery PC, rok 1995",
    "programowanie i grafika pierwszej wersji: autor gry",
    "dźwięki zapożyczone z internetu",
    "",
    "ta wersja: autor gry, biblioteka Allegro 5, rok 2018",
    "z zachowaniem pierwotnego wyglądu ",
    "",
};

int pozycja_menu(int x, int y) {
    for (int k = 1; k <= 5; ++k)
        if (x > 310 && x <= 492 && y > 50 * k + 239 && y < 50 * k + 263) return k;
    return 0;
}

void szykowanie_menu() {
    SLAD("szykowanie_menu");
    ALLEGRO_BITMAP* obraz = wczytaj_ekr();
    if (bufor) al_destroy_bitmap(bufor);
    bufor = obraz;
    al_set_target_bitmap(bufor);
    al_draw_text(f24, al_map_rgb(22, 122, 22), 400, 230, ALLEGRO_ALIGN_CENTRE, " - M E N U -");
    for (int k = 1; k <= 5; ++k) {
        al_draw_bitmap_region(el, 0, 0, 200, 41, 300, 230 + 50 * k, 0);
        ALLEGRO_COLOR kolor = k == 5 ? al_map_rgb(222, 99, 9) : al_map_rgb(105, 160, 105);
        al_draw_text(f20, kolor, 400, 240 + 50 * k, ALLEGRO_ALIGN_CENTRE, ETYKIETY[k - 1]);
    }
    al_set_target_bitmap(tylny);
}

void menu() {
    SLAD("menu");
    for (;;) {
        szykowanie_menu();
        ukazywanie_obrazu();
        I_ShowMouseCursor();
        al_draw_bitmap(bufor, 0, 0, 0);
        fin = 0;
        // The item whose highlight the screen shows; -1 when the screen must be drawn anew.
        int na_ekranie = -1;
        bool od_nowa = false;
        while (!od_nowa) {
            I_GetKeyboardState(&klaw);
            I_GetMouseState(&myszka);
            int x = myszka.x, y = myszka.y;
            int k = pozycja_menu(x, y);
            // Only a change of the item under the mouse changes the picture.
            const bool rysuj = k != na_ekranie;
            if (rysuj) {
                al_draw_bitmap(bufor, 0, 0, 0);
                // Alpha 0 makes the tint additive: the band glows and nothing is darkened.
                if (k)
                    al_draw_tinted_bitmap_region(bufor, al_map_rgba(50, 250, 250, 0), 310, 50 * k + 239, 184, 24,
                                                 310, 50 * k + 239, 0);
                na_ekranie = k;
            }
            bool wcisnieta = myszka.buttons == 1;
            if ((k == 1 || k == 2) && wcisnieta) {
                ig = k;
                imie_gracza();
                // Escape in the name entry leaves the program, as it does everywhere else, even
                // when names from an earlier game are still held.
                if (imie[0].empty() || wcisniety(ALLEGRO_KEY_ESCAPE)) return;
                znikanie_obrazu();
                gra();
                // The game's own last poll decides: it unwound because of Escape, so leave too.
                if (wcisniety(ALLEGRO_KEY_ESCAPE)) return;
                od_nowa = true;
                continue;
            }
            // A page leaves the menu faded in again, not yet exactly as composed.
            const bool strona = (k == 3 || k == 4) && wcisnieta;
            if (k == 3 && wcisnieta) zasady_gry();
            if (k == 4 && myszka.buttons == 1) info();
            if (strona) na_ekranie = -1;
            if (k == 5 && myszka.buttons == 1) return;
            if (wcisniety(ALLEGRO_KEY_ESCAPE)) return;
            if (rysuj || strona)
                I_FinishUpdate();
            else
                I_FinishUnchanged();
            I_Rest(0.001);
        }
    }
}

// A page drawn into bufor fades in, stays while any mouse button is held, and gives way to the
// menu again. A close request or a signal (Escape) does not wait for the button: the menu
// that called the page sees it in klaw and leaves at once.
static void pokaz_strone() {
    al_set_target_bitmap(tylny);
    ukazywanie_obrazu();
    while (myszka.buttons != 0) {
        I_GetKeyboardState(&klaw);
        if (wcisniety(ALLEGRO_KEY_ESCAPE)) return;
        I_GetMouseState(&myszka);
        I_Rest(0.001);
    }
    szykowanie_menu();
    ukazywanie_obrazu();
}

void zasady_gry() {
    SLAD("zasady_gry");
    al_set_target_bitmap(bufor);
    panel(0, 5, 800, 590);
    al_draw_text(f32, al_map_rgb(0, 22, 22), 402, 6, ALLEGRO_ALIGN_CENTRE, "Zasady gry w  Brolik");
    al_draw_text(f32, al_map_rgb(55, 155, 155), 400, 4, ALLEGRO_ALIGN_CENTRE, "Zasady gry w  Brolik");
    for (int n = 0; n < 16; ++n) al_draw_text(f20, kolor_strony(), 80, 98 + 23 * n, 0, LINIE_ZASAD[n]);
    al_draw_text(f20, kolor_strony(), 80, 475, 0, "W bazie dostępnych haseł: ");
    al_draw_textf(f24, al_map_rgb(200, 200, 155), 370, 472, ALLEGRO_ALIGN_CENTRE, "%d", ih);
    al_draw_text(f20, kolor_strony(), 400, 475, 0, " - rzeczowniki 5-literowe");
    for (int m = 0; m < 3; ++m) al_draw_bitmap_region(el, 396 + 23 * m, 170, 22, 22, 100, 213 + 23 * m, 0);
    pokaz_strone();
}

void info() {
    SLAD("info");
    al_set_target_bitmap(bufor);
    panel(80, 150, 640, 300);
    al_draw_text(f32, al_map_rgb(0, 0, 0), 410, 20, ALLEGRO_ALIGN_CENTRE, "Informacje");
    al_draw_text(f32, al_map_rgb(55, 99, 99), 412, 22, ALLEGRO_ALIGN_CENTRE, "Informacje");
    for (int n = 0; n < 9; ++n) al_draw_text(f20, kolor_strony(), 400, 200 + 22 * n, ALLEGRO_ALIGN_CENTRE, LINIE_INFO[n]);
    pokaz_strone();
}

// The last character of a name in UTF-8, whole.
static void usun_ostatnia_litere(std::string& wp) {
    while (!wp.empty() && (static_cast<unsigned char>(wp.back()) & 0xC0) == 0x80) wp.pop_back();
    if (!wp.empty()) wp.pop_back();
}

void imie_gracza() {
    SLAD("imie_gracza");
    for (int i = 0; i < 20; ++i) {
        al_draw_tinted_scaled_bitmap(el, al_map_rgba(i, i, i, i), 220, 0, 5, 5, 0, 0, 800, 600, 0);
        I_FinishUpdate();
        I_Rest(0.05);
    }
    I_HideMouseCursor();
    I_OpenTyping();
    // A character left in ev by an earlier routine was typed before this entry began.
    std::memset(&ev, 0, sizeof ev);
    const ALLEGRO_COLOR zolt = al_map_rgb(140, 160, 10);
    int kod = 0, v = 0, b = 0, kk = 50, dt = 0;
    std::string wp;
    // What the panel shows: whose prompt, the cursor's brightness and place, the name.
    int i_na_ekranie = -1, kk_na_ekranie = -1, dt_na_ekranie = -1;
    std::string wp_na_ekranie;
    auto panel_z_pytaniem = [](int i) {
        panel(250, 285, 300, 130);
        al_draw_textf(f20, al_map_rgb(50, 158, 50), 400, 315, ALLEGRO_ALIGN_CENTRE, "Wpisz imię gracza  %d", i + 1);
    };
    for (int i = 0; i < ig; ++i) {
        v = 0;
        while (v != 1) {
            I_GetKeyboardState(&klaw);
            if (wcisniety(ALLEGRO_KEY_ESCAPE)) {
                // The pass drew its panel before it looked at the keys; the next frame shows it so.
                panel_z_pytaniem(i);
                I_CloseTyping();
                return;
            }
            // Only a character that has arrived types; a held key repeats at the system's pace.
            if (!I_NextTyped(&ev)) std::memset(&ev, 0, sizeof ev);
            kod = ev.keyboard.unichar;
            dt = al_get_text_width(f24, wp.c_str());
            if (kod >= 97 && kod <= 122 && wp.empty()) kod -= 32;
            if (kod >= 65 && kod <= 95 && !wp.empty()) kod += 32;
            // Polish letters fold the same way: the first one capital, the rest small.
            int wielka = 0, mala = 0;
            const bool polska = polska_litera(kod, &wielka, &mala);
            if (polska) kod = wp.empty() ? wielka : mala;
            if ((kod == 32 || (kod >= 65 && kod <= 122) || polska) && dt <= 179) {
                char utf8[4];
                wp.append(utf8, al_utf8_encode(utf8, kod));
            }
            if (kod == 8 && !wp.empty()) usun_ostatnia_litere(wp);
            ++b;
            if (b > 3) kk = 0;
            if (b <= 2) kk = 30;
            if (b > 6) b = 0;
            if (i != i_na_ekranie || kk != kk_na_ekranie || dt != dt_na_ekranie || wp != wp_na_ekranie) {
                panel_z_pytaniem(i);
                al_draw_bitmap_region(el, 0, 126, 240, 34, 280, 349, 0);
                ALLEGRO_COLOR kol = al_map_rgb(kk + 50, kk + 70, kk + 70);
                if (wp.empty())
                    al_draw_text(f24, kol, 400 + dt / 2, 350, ALLEGRO_ALIGN_CENTRE, "?");
                else
                    al_draw_text(f24, kol, 407 + dt / 2, 348, ALLEGRO_ALIGN_CENTRE, "_");
                al_draw_text(f22, zolt, 400, 351, ALLEGRO_ALIGN_CENTRE, wp.c_str());
                i_na_ekranie = i;
                kk_na_ekranie = kk;
                dt_na_ekranie = dt;
                wp_na_ekranie = wp;
                I_FinishUpdate();
            } else {
                I_FinishUnchanged();
            }
            // The pause lets a key's release arrive before the skip below looks for it.
            I_RestFull(0.1);
            if ((kod == 13 || kod == 27) && !wp.empty()) {
                v = 1;
                imie[i] = wp;
                wp.clear();
            }
            int zk = 0;
            while (kod > 0) {
                I_NextTyped(&ev);
                kod = ev.keyboard.unichar;
                if (kod == 0 || zk > 6) break;
                ++zk;
                I_RestFull(0.001);
            }
            // An Enter still held must not reach the next entry, nor the first try.
            if (v == 1) std::memset(&ev, 0, sizeof ev);
        }
    }
    I_CloseTyping();
    znikanie_obrazu();
}
