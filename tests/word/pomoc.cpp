// Helpers for the word-round tests: scene set-up as the game loop does it, and screen readers.
#include "pomoc.h"

#include "state.h"
#include "word.h"

namespace {

bool nieprzezroczysty(ALLEGRO_BITMAP* b, int x, int y) {
    unsigned char r, g, bl, a;
    al_unmap_rgba(al_get_pixel(b, x, y), &r, &g, &bl, &a);
    return a == 255;
}

// The number of opaque pixels of the source rectangle inside the mask when they all match the
// screen, else -1.
template <typename M>
int zgodny(ALLEGRO_BITMAP* zrodlo, int sx, int sy, int w, int h_, int x, int y, M maska) {
    int sprawdzone = 0;
    for (int j = 0; j < h_; ++j)
        for (int i = 0; i < w; ++i) {
            if (!maska(i, j) || !nieprzezroczysty(zrodlo, sx + i, sy + j)) continue;
            ++sprawdzone;
            if (!(piksel_z(zrodlo, sx + i, sy + j) == piksel(x + i, y + j))) return -1;
        }
    return sprawdzone;
}

}  // namespace

void przygotuj_ekran() {
    if (bufor) al_destroy_bitmap(bufor);
    bufor = al_load_bitmap("media/gg1.png");
    ASSERT_NE(bufor, nullptr);
    al_set_target_bitmap(tylny);
    al_draw_bitmap(bufor, 0, 0, 0);
}

void zacznij_haslo(const std::string& haslo) {
    hh = haslo;
    h1 = hh;
    for (int i = 1; i < 5 && i < static_cast<int>(h1.size()); ++i) h1[i] = '[';
}

void przed_proba(int pruba, int dd) {
    kas_1();
    al_draw_scaled_bitmap(el, 60, 235, 100, 14, 640, 524, 120, 14, 0);
    for (int i = 0; i < 5; ++i) rysuj_glif(bajt_na_glif(h1[i]), 35 + 69 * i, 125 + 69 * (pruba - dd));
    I_GetKeyboardState(&klaw);
}

int glif_w(int x, int y) {
    // A letter with a mark (z and its dotted form) holds the plain letter's pixels and more: of the
    // glyphs that match, the one with the most pixels is the one drawn.
    int znaleziony = -1, najwiecej = 0;
    bool remis = false;
    for (int k = 0; k < 36; ++k) {
        const int n = zgodny(lit, 52 * k, 0, 52, 62, x, y, [](int, int) { return true; });
        if (n <= 0 || n < najwiecej) continue;
        remis = n == najwiecej;
        najwiecej = n;
        znaleziony = k;
    }
    return remis ? -2 : znaleziony;
}

int kafel_w(int x, int y) {
    // Only the frame that a glyph (52 x 62, 5 pixels in) leaves uncovered.
    auto rama = [](int i, int j) { return i < 5 || i >= 57 || j >= 62; };
    int znaleziony = -1;
    for (int t = 0; t < 4; ++t) {
        if (zgodny(el, 65 * t, 166, 66, 66, x, y, rama) <= 0) continue;
        if (znaleziony != -1) return -2;
        znaleziony = t;
    }
    return znaleziony;
}

bool region_na_ekranie(ALLEGRO_BITMAP* zrodlo, int sx, int sy, int w, int h_, int x, int y) {
    return zgodny(zrodlo, sx, sy, w, h_, x, y, [](int, int) { return true; }) > 0;
}

std::vector<s_dzwiek> dzwieki(const std::string& nazwa) {
    std::vector<s_dzwiek> w;
    for (const s_dzwiek& d : S_Sounds())
        if (d.nazwa == nazwa) w.push_back(d);
    return w;
}

std::vector<int> glify_rzedu(int y) {
    std::vector<int> w;
    for (int i = 0; i < 5; ++i) w.push_back(glif_w(35 + 69 * i, y));
    return w;
}

std::vector<int> kafle_rzedu(int y) {
    std::vector<int> w;
    for (int i = 0; i < 5; ++i) w.push_back(kafel_w(30 + 69 * i, y));
    return w;
}
