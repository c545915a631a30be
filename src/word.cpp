// The word round: the internal word form and its glyphs, one timed try with its colouring, and the round's outcome displays.
#include "word.h"

#include <allegro5/allegro_font.h>

#include <algorithm>
#include <cstring>

#include "shell.h"
#include "state.h"

namespace {

// The nine Polish letters stand in a word as these capitals, in glyph order from 26.
const char* const POLSKIE = "ACELNOSXZ";

// Capital and small code point of each Polish letter, in the order of POLSKIE.
const int KODY_POLSKIE[9][2] = {
    {u'Ą', u'ą'}, {u'Ć', u'ć'}, {u'Ę', u'ę'}, {u'Ł', u'ł'}, {u'Ń', u'ń'}, {u'Ó', u'ó'}, {u'Ś', u'ś'}, {u'Ź', u'ź'}, {u'Ż', u'ż'},
};

// The byte at i, or -1 past the end: a short word simply has no letter there.
int bajt(const std::string& s, int i) { return i >= 0 && i < static_cast<int>(s.size()) ? static_cast<unsigned char>(s[i]) : -1; }

constexpr int X_WIERSZA = 31, Y_WIERSZA = 31, D = 69;

int y_rzedu(int pruba, int dd) { return 125 + D * (pruba - dd); }

void tekst_w_pasku(ALLEGRO_FONT* f, ALLEGRO_COLOR kolor, const char* tekst) {
    al_draw_text(f, kolor, 200, 510, ALLEGRO_ALIGN_CENTRE, tekst);
}

// Draws one evaluated guess tile by tile, each letter with its own sound, and reveals the letters placed exactly.
void ocen_i_pokaz(int& pruba, int dd, const std::string& wp) {
    // The typed guess stays readable but steps back, so the grid row draws the eye.
    al_draw_tinted_bitmap_region(bufor, al_map_rgba(99, 99, 99, 99), 30, 30, 340, 65, 30, 30, 0);
    ocena_proby o = ocen(hh, wp, h1);
    h1 = o.h1;
    const int y = y_rzedu(pruba, dd);
    for (int i = 0; i < 5; ++i) {
        I_Rest(0.01);
        const int tlo = o.tlo[i];
        rysuj_kafel(tlo, 30 + D * i, y);
        const float predkosc = tlo == 2 ? 0.8f : tlo == 3 ? 0.9f : 0.6f;
        I_StartSound(samp[DZWIEK_KAFEL], 0.8f, predkosc);
        const int c = bajt(wp, i);
        if (c >= 0) rysuj_glif(bajt_na_glif(static_cast<char>(c)), 35 + D * i, y);
        I_FinishUpdate();
        I_Rest(0.2);
    }
    if (hh != h1) ++pruba;
}

}  // namespace

bool polska_litera(int kod, int* wielka, int* mala) {
    for (const auto& k : KODY_POLSKIE)
        if (kod == k[0] || kod == k[1]) {
            *wielka = k[0];
            *mala = k[1];
            return true;
        }
    return false;
}

char znak_na_bajt(int kod) {
    if (kod >= 'A' && kod <= 'Z') kod += 'a' - 'A';
    if (kod >= 'a' && kod <= 'z') return static_cast<char>(kod);
    for (int k = 0; k < 9; ++k)
        if (kod == KODY_POLSKIE[k][0] || kod == KODY_POLSKIE[k][1]) return POLSKIE[k];
    return 0;
}

int bajt_na_glif(char c) {
    if (c >= 'a' && c <= 'z') return c - 'a';
    if (c == '[') return 35;
    if (c != 0)
        if (const char* p = std::strchr(POLSKIE, c)) return 26 + static_cast<int>(p - POLSKIE);
    return -1;
}

void rysuj_glif(int k, int x, int y) {
    if (k < 0 || k > 35) return;
    al_draw_bitmap_region(lit, 52 * k, 0, 52, 62, x, y, 0);
}

void rysuj_kafel(int t, int x, int y) {
    if (t < 0 || t > 3) return;
    al_draw_bitmap_region(el, 65 * t, 166, 66, 66, x, y, 0);
}

ocena_proby ocen(const std::string& haslo, const std::string& proba, const std::string& podpowiedz) {
    ocena_proby o{{1, 1, 1, 1, 1}, podpowiedz};
    std::string aa = haslo;
    auto ustaw = [](std::string& s, int i, char c) {
        if (i < static_cast<int>(s.size())) s[i] = c;
    };
    // A matched letter of the password becomes "/", so it colours at most one letter of the guess;
    // a guess byte that is "/" itself (never typed) must not pair with such a mark.
    auto litera = [&](int i) {
        int c = bajt(proba, i);
        return c == '/' ? -1 : c;
    };
    for (int i = 0; i < 5; ++i) {
        const int w = litera(i);
        if (w < 0) continue;
        if (bajt(aa, i) == w) {
            ustaw(o.h1, i, static_cast<char>(w));
            ustaw(aa, i, '/');
            o.tlo[i] = 2;
            continue;
        }
        // Position 0 is given at the start of the round, so it is never a misplaced match; nor is a
        // position that the guess itself places exactly, however late in the guess that comes.
        for (int j = 1; j < 5; ++j) {
            if (bajt(aa, j) == w && bajt(aa, j) != litera(j)) {
                ustaw(o.h1, j, '[');
                ustaw(aa, j, '/');
                o.tlo[i] = 3;
                break;
            }
        }
    }
    return o;
}

void koniec_czasu() {
    SLAD("koniec_czasu");
    kas_3();
    tekst_w_pasku(f28, al_map_rgb(200, 44, 44), "Koniec czasu");
    I_StartSound(samp[DZWIEK_KONIEC_CZASU], 0.8f, 1.0f);
    I_FinishUpdate();
    I_Rest(1);
}

void wpisz_haslo(int& kk, int& k2, int pruba, bool strzalka) {
    SLAD("wpisz_haslo");
    krok_jasnosci(kk, k2);
    kas_3();
    tekst_w_pasku(f28, al_map_rgb(0, kk / 4 + 80, 0), "Wpisz Hasło");
    if (!strzalka) return;
    al_draw_bitmap_region(bufor, 385, 140, 71, 310, 385, 140, 0);
    al_draw_bitmap_region(el, 60 * pruba, 260, 58, 21, 392, 146 + D * pruba, 0);
    // The sixth try is played in the fifth row once the grid has scrolled, so that row's arrow shows too.
    if (pruba > 4) al_draw_bitmap_region(el, 240, 260, 58, 21, 392, 422, 0);
}

void wpisywanie_z_klawiatury(int& pruba, int& cw, int& dd) {
    SLAD("wpisywanie_z_klawiatury");
    I_OpenTyping();
    // Only keys pressed during this try type: a character left in ev by an earlier try (a letter
    // held through its evaluation), or by an Enter held at the end of the name entry, must not.
    std::memset(&ev, 0, sizeof ev);
    int kod = 0;
    std::string wp;
    int v = 0, b = 0, nz = 0;
    double czas = I_GetTime();
    cw = 0;
    int kk = 0, k2 = 0;
    // Lookup bound: the list never holds more than its slots, whatever ih says.
    const int ile_slow = ih < 0 ? 0 : ih > POJEMNOSC_LISTY ? POJEMNOSC_LISTY : ih;
    // What the screen shows: the prompt's step of green (kk / 4) and the timer bar's width; -1
    // when it must be drawn anew. A pass draws only what differs, and looks a guess up only once.
    int zacheta_na_ekranie = -1, pasek_na_ekranie = -1;
    bool strzalka_na_ekranie = false, pierwsza = true;
    std::string szukane;

    for (;;) {
        if (wcisniety(ALLEGRO_KEY_ESCAPE)) break;
        zmiany_ekranu z;
        // The first frame also shows what the game loop drew for the try (entry row, bar, hint word).
        if (pierwsza) z.dodaj(0, 0, SZEROKOSC_EKRANU, WYSOKOSC_EKRANU);
        pierwsza = false;
        if (fin == 0) {
            int kk_dalej = kk, k2_dalej = k2;
            krok_jasnosci(kk_dalej, k2_dalej);
            if (zacheta_do_rysowania(kk_dalej, zacheta_na_ekranie)) {
                wpisz_haslo(kk, k2, pruba, !strzalka_na_ekranie);
                z.dodaj(32, 494, 338, 62);
                if (!strzalka_na_ekranie) z.dodaj(385, 140, 71, 310);
                strzalka_na_ekranie = true;
                zacheta_na_ekranie = kk / 4;
            } else {
                kk = kk_dalej;
                k2 = k2_dalej;
            }
        }

        b = 0;
        I_GetKeyboardState(&klaw);
        // Only a character that has arrived types: a key held on types again when the system
        // repeats it, never because its last event is read again.
        if (!I_NextTyped(&ev)) std::memset(&ev, 0, sizeof ev);
        kod = ev.keyboard.unichar;
        // Capitals fold to small letters. The range runs on past 'Z' to '`', so an underscore
        // folds too, to 127, Delete's character: '_' deletes a letter as Delete does.
        if (kod >= 'A' && kod <= '`') kod += 'a' - 'A';
        if (const char c = znak_na_bajt(kod)) {
            wp += c;
            nz = bajt_na_glif(c);
            b = 1;
        }
        if ((kod == '\b' || kod == '\x7f') && !wp.empty()) {  // Backspace or Delete
            wp.pop_back();
            --v;
            al_draw_bitmap_region(el, 1, 166, 64, 64, X_WIERSZA + D * static_cast<int>(wp.size()), Y_WIERSZA, 0);
            z.dodaj(X_WIERSZA + D * static_cast<int>(wp.size()), Y_WIERSZA, 64, 64);
            I_StartSound(samp[DZWIEK_KLAWISZ], 0.5f, 0.8f);
        }
        if (b == 1) {
            rysuj_glif(nz, 35 + D * v, 30);
            z.dodaj(35 + D * v, 30, 52, 62);
            ++v;
            I_StartSound(samp[DZWIEK_KLAWISZ], 0.5f, 0.8f);
        }
        if (kod > 0) {
            // One keystroke brings several events; drop the rest of it so it types one letter.
            // These waits are for the key's release to arrive, so they last their real length
            // even when the game runs late: cut short, they would find the key still down.
            I_RestFull(0.1);
            porzuc_reszte_klawisza(100);
        }
        if (I_GetTime() > czas + TAKT_PROBY) {
            ++cw;
            czas = I_GetTime();
        }
        if (cw != pasek_na_ekranie) {
            al_draw_scaled_bitmap(el, 190, 235, 2, 10, 640, 524, cw, 13, 0);
            z.dodaj(640, 524, cw, 13);
            pasek_na_ekranie = cw;
        }
        if (cw > TAKTY_PROBY) {
            ++pruba;
            koniec_czasu();
            break;
        }
        zakoncz_klatke(z);

        b = 0;
        if (wp != szukane) {
            for (int i = 0; i < ile_slow; ++i)
                if (h[i] == wp) ++b;
            if (b == 0 && std::binary_search(zg.begin(), zg.end(), wp)) b = 1;
            szukane = wp;
        }
        const bool odmowa = b == 0 && wp.size() == 5;
        if (odmowa) {
            kas_3();
            tekst_w_pasku(f24, al_map_rgb(140, 160, 10), "nie znam tego słowa");
            I_FinishUpdate();
            I_Rest(1);
            kas_1();
            kas_3();
            wp.clear();
            v = 0;
            kod = 0;
            nz = 0;
            I_FlushTyping();
            // The flush took the held key's release too: what ev holds was typed before the refusal.
            std::memset(&ev, 0, sizeof ev);
            zacheta_na_ekranie = -1;
        }
        if (b > 0) {
            ocen_i_pokaz(pruba, dd, wp);
            break;
        }
        if (odmowa)
            I_FinishUpdate();
        else
            I_FinishUnchanged();
        I_Rest(0.001);
    }
    I_CloseTyping();
}

void gratulacje() {
    SLAD("gratulacje");
    kas_3();
    al_draw_textf(f28, al_map_rgb(0, 166, 166), 200, 510, ALLEGRO_ALIGN_CENTRE, "%s", "GRATULACJE !!!");
    I_StartSound(samp[DZWIEK_GRATULACJE], 0.5f, 1.0f);
}

void to_jest_haslo() {
    SLAD("to_jest_haslo");
    kas_3();
    tekst_w_pasku(f24, al_map_rgb(188, 18, 0), "Oto Hasło");
    I_FinishUpdate();
    I_Rest(1);
    kas_3();
    for (int i = 0; i < 5; ++i) {
        const int c = bajt(hh, i);
        if (c >= 0) rysuj_glif(bajt_na_glif(static_cast<char>(c)), 35 + D * i, 494);
    }
    I_FinishUpdate();
    I_Rest(1.5);
}

void przesuwanie_diagramu() {
    SLAD("przesuwanie_diagramu");
    // A scratch bitmap of its own keeps the sprite sheet's artwork untouched.
    ALLEGRO_BITMAP* kopia = al_create_bitmap(340, 340);
    al_set_target_bitmap(kopia);
    al_clear_to_color(al_map_rgba(0, 0, 0, 0));
    al_draw_bitmap_region(tylny, 30, 125, 340, 340, 0, 0, 0);
    al_set_target_bitmap(tylny);
    for (int i = 0; i < 69; ++i) {
        kas_2();
        al_draw_bitmap_region(kopia, 0, i, 340, 340 - i, 30, 124, 0);
        I_FinishUpdate();
        I_Rest(0.005);
    }
    al_destroy_bitmap(kopia);
}
