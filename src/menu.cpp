// The main menu, the rules, information and best results pages, and the entry of the players' names.
#include "menu.h"

#include <allegro5/allegro_font.h>

#include <cstring>
#include <string>
#include <vector>

#include "game.h"
#include "shell.h"
#include "state.h"
#include "word.h"
#include "wyniki.h"

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

// Lines 3, 4, 5 and 7 are this game's own credits; no real person is named. Every sound is
// synthesised by the game's own generator, and line 5 says so.
const char* const LINIE_INFO[9] = {
    "Program oparty na teleturnieju TV",
    " B r o l i k ",
    "pierwsza wersja: komputery PC, rok 1995",
    "programowanie i grafika pierwszej wersji: autor gry",
    "dźwięki syntezowane specjalnie dla tej gry",
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

namespace {

// The best results: a sixth, smaller item below the five, which keep their places and areas.
constexpr int WYNIKI = 6;
constexpr int WYNIKI_X = 325, WYNIKI_Y = 532, WYNIKI_W = 150, WYNIKI_H = 31;
// Its glowing band and hit area, placed in it as the large items' are in theirs.
constexpr int PASMO6_X = 333, PASMO6_Y = 539, PASMO6_W = 136, PASMO6_H = 18;

int pozycja_z_wynikami(int x, int y) {
    if (x > PASMO6_X && x <= PASMO6_X + PASMO6_W - 2 && y > PASMO6_Y && y < PASMO6_Y + PASMO6_H) return WYNIKI;
    return pozycja_menu(x, y);
}

// Alpha 0 makes the tint additive: the band glows and nothing is darkened.
void podswietl(int k) {
    const ALLEGRO_COLOR blask = al_map_rgba(50, 250, 250, 0);
    if (k >= 1 && k <= 5) al_draw_tinted_bitmap_region(bufor, blask, 310, 50 * k + 239, 184, 24, 310, 50 * k + 239, 0);
    if (k == WYNIKI)
        al_draw_tinted_bitmap_region(bufor, blask, PASMO6_X, PASMO6_Y, PASMO6_W, PASMO6_H, PASMO6_X, PASMO6_Y, 0);
}

constexpr double CZAS_WYNIKOW_PO_GRZE = 8;

// A key pressed since the last look, modifiers alone aside; the keys held are not new presses.
bool nowy_klawisz() {
    ALLEGRO_EVENT e;
    bool jest = false;
    while (I_NextTyped(&e))
        if (e.type == ALLEGRO_EVENT_KEY_DOWN && e.keyboard.keycode < ALLEGRO_KEY_MODIFIERS) jest = true;
    return jest;
}

}  // namespace

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
    al_draw_scaled_bitmap(el, 0, 0, 200, 41, WYNIKI_X, WYNIKI_Y, WYNIKI_W, WYNIKI_H, 0);
    al_draw_text(f20, al_map_rgb(105, 160, 105), 400, WYNIKI_Y + 4, ALLEGRO_ALIGN_CENTRE, "WYNIKI");
    al_set_target_bitmap(tylny);
}

// After a game that reached its end screen: both players' totals go into the table, and the
// table is shown when one of them entered it (not when the player is leaving the program).
static void wyniki_po_grze() {
    std::vector<wynik> nowe;
    for (int i = 0; i < ig; ++i)
        if (suma[i] > 0) nowe.push_back({suma[i], dzisiaj(), imie[i], true});
    if (nowe.empty()) return;
    const std::vector<wynik> tabela = uaktualnij_wyniki(nowe);
    if (wcisniety(ALLEGRO_KEY_ESCAPE)) return;
    for (const wynik& w : tabela)
        if (w.nowy) {
            najlepsze_wyniki(tabela, STRONA_NA_CZAS);
            return;
        }
}

void menu() {
    SLAD("menu");
    for (;;) {
        szykowanie_menu();
        ukazywanie_obrazu();
        I_ShowMouseCursor();
        al_draw_bitmap(bufor, 0, 0, 0);
        fin = 0;
        I_OpenTyping();
        // The item whose highlight the screen shows; -1 when the screen must be drawn anew.
        int na_ekranie = -1;
        // The highlight follows whichever was used last: the mouse (moved or pressed) or the keys.
        int wybor = 0, mysz_x = -1, mysz_y = -1, przyciski = 0;
        bool mysz_ostatnia = true, shift = false;
        bool od_nowa = false;
        while (!od_nowa) {
            I_GetKeyboardState(&klaw);
            I_GetMouseState(&myszka);
            int x = myszka.x, y = myszka.y;
            int k = pozycja_z_wynikami(x, y);
            if (x != mysz_x || y != mysz_y || (myszka.buttons && myszka.buttons != przyciski)) mysz_ostatnia = true;
            mysz_x = x;
            mysz_y = y;
            przyciski = myszka.buttons;
            // Up, Down and Tab move (also as the system repeats them); Enter, Space and W act once per press.
            int z_klawiatury = 0;
            ALLEGRO_EVENT e;
            while (I_NextTyped(&e)) {
                const int kod = e.keyboard.keycode;
                if (kod == ALLEGRO_KEY_LSHIFT || kod == ALLEGRO_KEY_RSHIFT) shift = e.type != ALLEGRO_EVENT_KEY_UP;
                const bool wcisniecie = e.type == ALLEGRO_EVENT_KEY_DOWN;
                if (!wcisniecie && !(e.type == ALLEGRO_EVENT_KEY_CHAR && e.keyboard.repeat)) continue;
                const int teraz = mysz_ostatnia ? k : wybor;
                if (kod == ALLEGRO_KEY_UP || kod == ALLEGRO_KEY_DOWN || kod == ALLEGRO_KEY_TAB) {
                    const bool wstecz = kod == ALLEGRO_KEY_UP ||
                                        (kod == ALLEGRO_KEY_TAB && (shift || wcisniety(ALLEGRO_KEY_LSHIFT) ||
                                                                    wcisniety(ALLEGRO_KEY_RSHIFT)));
                    wybor = teraz == 0 ? (wstecz ? WYNIKI : 1) : (teraz + (wstecz ? WYNIKI - 2 : 0)) % WYNIKI + 1;
                    mysz_ostatnia = false;
                } else if (wcisniecie && (kod == ALLEGRO_KEY_ENTER || kod == ALLEGRO_KEY_PAD_ENTER ||
                                          kod == ALLEGRO_KEY_SPACE)) {
                    // With nothing lit the first press shows where the keys start.
                    if (teraz) z_klawiatury = teraz;
                    wybor = teraz ? teraz : 1;
                    mysz_ostatnia = false;
                } else if (wcisniecie && kod == ALLEGRO_KEY_W) {
                    z_klawiatury = WYNIKI;
                }
            }
            const int swieci = mysz_ostatnia ? k : wybor;
            // Only a change of the item lit changes the picture.
            const bool rysuj = swieci != na_ekranie;
            if (rysuj) {
                al_draw_bitmap(bufor, 0, 0, 0);
                podswietl(swieci);
                na_ekranie = swieci;
            }
            // The mouse acts as it always has, on the item under it while the button is held.
            const int akcja = myszka.buttons == 1 && k ? k : z_klawiatury;
            const int strona = z_klawiatury && akcja == z_klawiatury ? STRONA_DO_KLAWISZA : STRONA_TRZYMANA;
            if (akcja == 1 || akcja == 2) {
                ig = akcja;
                imie_gracza();
                // Escape in the name entry leaves the program, as it does everywhere else, even
                // when names from an earlier game are still held.
                if (imie[0].empty() || wcisniety(ALLEGRO_KEY_ESCAPE)) return;
                znikanie_obrazu();
                gra();
                if (gra_ukonczona) wyniki_po_grze();
                // The game's own last poll decides: it unwound because of Escape, so leave too.
                if (wcisniety(ALLEGRO_KEY_ESCAPE)) return;
                od_nowa = true;
                continue;
            }
            // A page leaves the menu faded in again, not yet exactly as composed; keys pressed
            // while it was shown were for the page.
            if (akcja == 3) zasady_gry(strona);
            if (akcja == 4) info(strona);
            if (akcja == WYNIKI) najlepsze_wyniki(uaktualnij_wyniki({}), strona);
            if (akcja == 3 || akcja == 4 || akcja == WYNIKI) {
                na_ekranie = -1;
                I_FlushTyping();
                shift = false;  // its release may have gone with the rest
            }
            if (akcja == 5) return;
            if (wcisniety(ALLEGRO_KEY_ESCAPE)) return;
            if (rysuj || akcja)
                I_FinishUpdate();
            else
                I_FinishUnchanged();
            I_Rest(0.001);
        }
    }
}

// A page drawn into bufor fades in and stays as its opening asked (STRONA_* in menu.h), then gives way
// to the menu again. A close request or a signal (Escape) does not wait: the menu that called the
// page sees it in klaw and leaves at once.
static void pokaz_strone(int jak) {
    al_set_target_bitmap(tylny);
    ukazywanie_obrazu();
    if (jak == STRONA_TRZYMANA) {
        while (myszka.buttons != 0) {
            I_GetKeyboardState(&klaw);
            if (wcisniety(ALLEGRO_KEY_ESCAPE)) return;
            I_GetMouseState(&myszka);
            I_Rest(0.001);
        }
    } else {
        I_OpenTyping();
        const double koniec = I_GetTime() + CZAS_WYNIKOW_PO_GRZE;
        // A click ends the page when the button is let go, so the menu does not take it as its own.
        bool klik = false;
        for (;;) {
            I_GetKeyboardState(&klaw);
            if (wcisniety(ALLEGRO_KEY_ESCAPE)) return;
            I_GetMouseState(&myszka);
            if (myszka.buttons) klik = true;
            if ((klik && !myszka.buttons) || nowy_klawisz()) break;
            if (jak == STRONA_NA_CZAS && I_GetTime() >= koniec) break;
            I_FinishUnchanged();
            I_Rest(0.001);
        }
        // After a game the menu is composed and faded in by the menu itself.
        if (jak == STRONA_NA_CZAS) return;
    }
    szykowanie_menu();
    ukazywanie_obrazu();
}

void zasady_gry(int jak) {
    SLAD("zasady_gry");
    al_set_target_bitmap(bufor);
    panel(0, 5, SZEROKOSC_EKRANU, 590);
    al_draw_text(f32, al_map_rgb(0, 22, 22), 402, 6, ALLEGRO_ALIGN_CENTRE, "Zasady gry w  Brolik");
    al_draw_text(f32, al_map_rgb(55, 155, 155), 400, 4, ALLEGRO_ALIGN_CENTRE, "Zasady gry w  Brolik");
    for (int n = 0; n < 16; ++n) al_draw_text(f20, kolor_strony(), 80, 98 + 23 * n, 0, LINIE_ZASAD[n]);
    al_draw_text(f20, kolor_strony(), 80, 475, 0, "W bazie dostępnych haseł: ");
    al_draw_textf(f24, al_map_rgb(200, 200, 155), 370, 472, ALLEGRO_ALIGN_CENTRE, "%d", ih);
    al_draw_text(f20, kolor_strony(), 400, 475, 0, " - rzeczowniki 5-literowe");
    for (int m = 0; m < 3; ++m) al_draw_bitmap_region(el, 396 + 23 * m, 170, 22, 22, 100, 213 + 23 * m, 0);
    pokaz_strone(jak);
}

void info(int jak) {
    SLAD("info");
    al_set_target_bitmap(bufor);
    panel(80, 150, 640, 300);
    al_draw_text(f32, al_map_rgb(0, 0, 0), 410, 20, ALLEGRO_ALIGN_CENTRE, "Informacje");
    al_draw_text(f32, al_map_rgb(55, 99, 99), 412, 22, ALLEGRO_ALIGN_CENTRE, "Informacje");
    for (int n = 0; n < 9; ++n) al_draw_text(f20, kolor_strony(), 400, 200 + 22 * n, ALLEGRO_ALIGN_CENTRE, LINIE_INFO[n]);
    pokaz_strone(jak);
}

void najlepsze_wyniki(const std::vector<wynik>& tabela, int jak) {
    SLAD("najlepsze_wyniki");
    // Over the picture in bufor, as the other pages: the menu's, or after a game the game's own.
    al_set_target_bitmap(bufor);
    panel(0, 5, 800, 590);
    al_draw_text(f32, al_map_rgb(0, 22, 22), 402, 6, ALLEGRO_ALIGN_CENTRE, "Najlepsze wyniki");
    al_draw_text(f32, al_map_rgb(55, 155, 155), 400, 4, ALLEGRO_ALIGN_CENTRE, "Najlepsze wyniki");
    if (tabela.empty())
        al_draw_text(f20, kolor_strony(), 400, 280, ALLEGRO_ALIGN_CENTRE, "Tabela jest jeszcze pusta.");
    for (size_t n = 0; n < tabela.size(); ++n) {
        const wynik& w = tabela[n];
        const int y = 80 + 44 * static_cast<int>(n);
        al_draw_scaled_bitmap(el, 0, 126, 240, 34, 110, y, 580, 36, 0);
        // The entries of the game just played glow, as the menu's lit item does, with a star.
        if (w.nowy) {
            al_draw_tinted_scaled_bitmap(el, al_map_rgba(50, 250, 250, 0), 0, 126, 240, 34, 110, y, 580, 36, 0);
            al_draw_bitmap_region(el, 40, 235, 19, 19, 120, y + 9, 0);
        }
        al_draw_textf(f24, kolor_strony(), 165, y + 5, ALLEGRO_ALIGN_RIGHT, "%d.", static_cast<int>(n) + 1);
        // A long name typed into the file by hand is cut at its column.
        al_set_clipping_rectangle(175, y, 250, 36);
        al_draw_text(f24, al_map_rgb(140, 160, 10), 180, y + 5, 0, w.imie.c_str());
        al_reset_clipping_rectangle();
        al_draw_textf(f24, al_map_rgb(200, 144, 44), 555, y + 5, ALLEGRO_ALIGN_RIGHT, "%d zł", w.kwota);
        al_draw_text(f20, al_map_rgb(130, 120, 110), 570, y + 8, 0, w.data.c_str());
    }
    if (jak != STRONA_TRZYMANA)
        al_draw_text(f20, al_map_rgb(133, 133, 133), 400, 535, ALLEGRO_ALIGN_CENTRE, " Enter to MENU ");
    pokaz_strone(jak);
}

// The last character of a name in UTF-8, whole.
static void usun_ostatnia_litere(std::string& wp) {
    while (!wp.empty() && (static_cast<unsigned char>(wp.back()) & 0xC0) == 0x80) wp.pop_back();
    if (!wp.empty()) wp.pop_back();
}

void imie_gracza() {
    SLAD("imie_gracza");
    przyciemnianie(20, 0.05);
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
            if (kod >= 'a' && kod <= 'z' && wp.empty()) kod -= 'a' - 'A';
            if (kod >= 'A' && kod <= 'Z' && !wp.empty()) kod += 'a' - 'A';
            // Polish letters fold the same way: the first one capital, the rest small.
            int wielka = 0, mala = 0;
            const bool polska = polska_litera(kod, &wielka, &mala);
            if (polska) kod = wp.empty() ? wielka : mala;
            // A name is letters and spaces; the signs between 'Z' and 'a' are not letters.
            const bool litera = (kod >= 'A' && kod <= 'Z') || (kod >= 'a' && kod <= 'z') || polska;
            if ((kod == ' ' || litera) && dt <= 179) {
                char utf8[4];
                wp.append(utf8, al_utf8_encode(utf8, kod));
            }
            if (kod == '\b' && !wp.empty()) usun_ostatnia_litere(wp);
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
            if ((kod == '\r' || kod == '\x1b') && !wp.empty()) {  // Enter or Escape
                v = 1;
                imie[i] = wp;
                wp.clear();
            }
            if (kod > 0) porzuc_reszte_klawisza(6);
            // An Enter still held must not reach the next entry, nor the first try.
            if (v == 1) std::memset(&ev, 0, sizeof ev);
        }
    }
    I_CloseTyping();
    znikanie_obrazu();
}
