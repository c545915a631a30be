// Helpers of the Bingo scenario tests: the game screen as a game start leaves it, hand-made boards and sprite readers.
#pragma once

#include <allegro5/allegro_font.h>

#include <cstring>
#include <string>

#include "bingo.h"
#include "scena.h"

// The game's background on bufor and on the screen, as the game start leaves them.
class ScenaBingo : public Scena {
protected:
    void SetUp() override {
        Scena::SetUp();
        al_destroy_bitmap(bufor);
        bufor = al_load_bitmap("media/gg1.png");
        ASSERT_NE(bufor, nullptr);
        al_set_target_bitmap(tylny);
        al_draw_bitmap(bufor, 0, 0, 0);
    }
    // Hooks may hold a test's locals; shutdown flips frames after those are gone.
    void TearDown() override {
        S_OnFrame(nullptr);
        S_OnPoll(nullptr);
        Scena::TearDown();
    }
};

inline int kx(int i) { return 536 + 48 * (i % 5); }
inline int ky(int i) { return 182 + 48 * (i / 5); }

// True when every opaque pixel of the sheet's region shows unchanged at (x, y) of the bitmap.
inline bool sprite_na(ALLEGRO_BITMAP* cel, int sx, int sy, int w, int h, int x, int y) {
    int nieprzezroczyste = 0;
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            unsigned char r, g, b, a;
            al_unmap_rgba(al_get_pixel(el, sx + i, sy + j), &r, &g, &b, &a);
            if (a != 255) continue;
            ++nieprzezroczyste;
            if (!(piksel_z(cel, x + i, y + j) == rgb{r, g, b})) return false;
        }
    return nieprzezroczyste > 0;
}
inline bool kapsel_na(ALLEGRO_BITMAP* cel, int i, int dx = 0, int dy = 0) {
    return sprite_na(cel, 410, 0, 33, 33, kx(i) - dx, ky(i) - dy);
}
inline bool kapsel_na_ekranie(int i) { return kapsel_na(tylny, i); }
// tgr holds the board rectangle whose corner is (528, 174) on the screen.
inline bool kapsel_w_tgr(int gr, int i) { return kapsel_na(tgr[gr], i, 528, 174); }
inline bool znak_na_ekranie(int i) { return sprite_na(tylny, 450, 0, 33, 33, kx(i), ky(i)); }

enum ikona { PUSTO, DO_LOSOWANIA, WYLOSOWANA, INNA };
inline ikona ikona_na_ekranie(int k) {
    int x = 627 + 24 * k;
    if (sprite_na(tylny, 0, 235, 18, 18, x, 141)) return WYLOSOWANA;
    if (sprite_na(tylny, 18, 235, 18, 18, x, 141)) return DO_LOSOWANIA;
    if (ekran_jak_bufor(x, 141, 18, 18)) return PUSTO;
    return INNA;
}
// True when the ball sprite at sx (scaled to 50 x 50 at (290, 500)) shows on the screen,
// judged left and right of the number drawn over its middle.
inline bool kula_na_ekranie(int sx) {
    ALLEGRO_BITMAP* wzor = al_create_bitmap(50, 50);
    al_set_target_bitmap(wzor);
    al_clear_to_color(al_map_rgba(0, 0, 0, 0));
    al_draw_scaled_bitmap(el, sx, 200, 45, 45, 0, 0, 50, 50, 0);
    al_set_target_bitmap(tylny);
    int zgodne = 0, rozne = 0;
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 50; ++x) {
            if (x >= 8 && x <= 42) continue;
            unsigned char r, g, b, a;
            al_unmap_rgba(al_get_pixel(wzor, x, y), &r, &g, &b, &a);
            if (a != 255) continue;
            (piksel(290 + x, 500 + y) == rgb{r, g, b} ? zgodne : rozne)++;
        }
    al_destroy_bitmap(wzor);
    return zgodne > 0 && rozne == 0;
}

// True when tgr[gr] holds exactly the screen's board rectangle.
inline bool tgr_jak_ekran(int gr) {
    for (int y = 0; y < 239; ++y)
        for (int x = 0; x < 239; ++x)
            if (!(piksel_z(tgr[gr], x, y) == piksel(528 + x, 174 + y))) return false;
    return true;
}

// A hand-made board for player gr: numbers 1..25 mixed up, cells struck where wzor has '1';
// shown and captured as dealing would leave it (caps in the picture only in the main game).
inline void plansza(int gr, const char* wzor) {
    for (int i = 0; i < 25; ++i) {
        tab[gr][i] = 50 - 2 * i;
        tk[gr][i] = wzor[i] == '1' ? 1 : 0;
    }
    kas_5();
    for (int i = 0; i < 25; ++i)
        al_draw_textf(f24, al_map_rgb(155, 155, 155), 550 + 48 * (i % 5), 184 + 48 * (i / 5), ALLEGRO_ALIGN_CENTRE,
                      "%d", tab[gr][i]);
    if (fin == 0) kapslef(gr);
    al_set_target_bitmap(tgr[gr]);
    al_draw_bitmap_region(tylny, 528, 174, 239, 239, 0, 0, 0);
    al_set_target_bitmap(tylny);
    if (fin == 1) kapslef(gr);
}

inline int skreslone(int gr) {
    int n = 0;
    for (int i = 0; i < 25; ++i) n += tk[gr][i] == 1;
    return n;
}

inline int dzwieki(const std::string& nazwa) {
    int n = 0;
    for (const s_dzwiek& d : S_Sounds()) n += d.nazwa == nazwa;
    return n;
}

// The keyboard as a caller leaves it before a draw: nothing down.
inline void klawiatura_wolna() { std::memset(&klaw, 0, sizeof klaw); }
