// Helpers of the shell's tests: fast whole-bitmap comparisons and the clean-up after a start-up that failed.
#pragma once

#include <allegro5/allegro.h>
#include <allegro5/allegro_font.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>

#include "i_system.h"
#include "shell.h"
#include "state.h"

struct prostokat {
    int x, y, w, h;
    bool zawiera(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + h; }
};

// Both bitmaps locked read-only in one 32-bit format, row by row.
struct zamek {
    ALLEGRO_LOCKED_REGION* r;
    ALLEGRO_BITMAP* b;
    zamek(ALLEGRO_BITMAP* bmp, int tryb = ALLEGRO_LOCK_READONLY) : b(bmp) {
        r = al_lock_bitmap(bmp, ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE, tryb);
    }
    ~zamek() { al_unlock_bitmap(b); }
    const uint8_t* piksel(int x, int y) const {
        return static_cast<const uint8_t*>(r->data) + static_cast<long>(y) * r->pitch + 4L * x;
    }
    uint8_t* piksel_rw(int x, int y) { return static_cast<uint8_t*>(r->data) + static_cast<long>(y) * r->pitch + 4L * x; }
};

// Calls f(x, y) for every pixel whose red, green or blue differs between a and b (same size).
inline void rozne_piksele(ALLEGRO_BITMAP* a, ALLEGRO_BITMAP* b, const std::function<void(int, int)>& f) {
    int w = al_get_bitmap_width(a), h_ = al_get_bitmap_height(a);
    zamek za(a), zb(b);
    for (int y = 0; y < h_; ++y) {
        const uint8_t* pa = za.piksel(0, y);
        const uint8_t* pb = zb.piksel(0, y);
        if (std::memcmp(pa, pb, 4L * w) == 0) continue;
        for (int x = 0; x < w; ++x)
            if (pa[4 * x] != pb[4 * x] || pa[4 * x + 1] != pb[4 * x + 1] || pa[4 * x + 2] != pb[4 * x + 2]) f(x, y);
    }
}

inline long liczba_roznic(ALLEGRO_BITMAP* a, ALLEGRO_BITMAP* b) {
    long n = 0;
    rozne_piksele(a, b, [&](int, int) { ++n; });
    return n;
}

// Copies src onto dst pixel for pixel (same size).
inline void przepisz(ALLEGRO_BITMAP* dst, ALLEGRO_BITMAP* src) {
    int w = al_get_bitmap_width(src), h_ = al_get_bitmap_height(src);
    zamek zs(src);
    zamek zd(dst, ALLEGRO_LOCK_WRITEONLY);
    for (int y = 0; y < h_; ++y) std::memcpy(zd.piksel_rw(0, y), zs.piksel(0, y), 4L * w);
}

// Fills the bitmap with one colour, or with a pattern in which neighbouring pixels differ.
inline void wypelnij(ALLEGRO_BITMAP* b, ALLEGRO_COLOR c) {
    ALLEGRO_BITMAP* cel = al_get_target_bitmap();
    al_set_target_bitmap(b);
    al_clear_to_color(c);
    al_set_target_bitmap(cel);
}
inline void wzorek(ALLEGRO_BITMAP* b, int ziarno) {
    int w = al_get_bitmap_width(b), h_ = al_get_bitmap_height(b);
    zamek z(b, ALLEGRO_LOCK_WRITEONLY);
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = z.piksel_rw(x, y);
            p[0] = static_cast<uint8_t>(x * 7 + y * 13 + ziarno);
            p[1] = static_cast<uint8_t>(x * 3 + y * 5 + 2 * ziarno + 1);
            p[2] = static_cast<uint8_t>(x ^ y ^ ziarno);
            p[3] = 255;
        }
}

// A start-up that threw leaves part of the game state loaded: release it so the next test starts clean.
inline void sprzatnij_po_starcie() { zwolnij_zasoby(); }
