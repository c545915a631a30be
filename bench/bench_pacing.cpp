// Pacing benchmark: the game's timed sequences run through the real platform and are measured against the sum of their rests.
#include <allegro5/allegro.h>
#include <allegro5/allegro_font.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "i_system.h"
#include "shell.h"
#include "state.h"
#include "word.h"

namespace {

struct pomiar {
    std::string nazwa;
    double odpoczynki;  // the sum of the rests the sequence asked for
    double czas;        // how long it really took
    long pokazy;        // frames that reached the window meanwhile
    long klatki;        // frames the sequence finished
    bool tylko_informacja = false;  // printed, but not held to the 5% target
};

std::vector<pomiar> wyniki;
double t_start;
long pokazy_start;

void start() {
    t_start = I_GetTime();
    pokazy_start = I_Presents();
}

void stop(const char* nazwa, double odpoczynki, long klatki) {
    wyniki.push_back({nazwa, odpoczynki, I_GetTime() - t_start, I_Presents() - pokazy_start, klatki, false});
}

// The prize count-up of the game loop: one zł per frame, the total field restored from bufor and redrawn.
void liczenie(int ile, double odpoczynek) {
    for (int n = 1; n <= ile; ++n) {
        al_draw_bitmap_region(bufor, 640, 545, 120, 22, 640, 545, 0);
        al_draw_textf(f24, al_map_rgb(200, 144, 44), 695, 542, ALLEGRO_ALIGN_CENTRE, "%d", n);
        I_FinishUpdate();
        I_Rest(odpoczynek);
    }
}

// The try clock: a pass per millisecond with the keyboard polled, the word looked up and the
// timer bar drawn, until 121 ticks of more than 0.17 s have gone by. Returns the passes made.
long zegar_proby() {
    int cw = 0;
    long przebiegi = 0;
    double czas = I_GetTime();
    std::string wp = "kotek";
    for (;;) {
        I_GetKeyboardState(&klaw);
        int b = 0;
        for (int i = 0; i < ih; ++i)
            if (h[i] == wp) ++b;
        if (I_GetTime() > czas + 0.17) {
            ++cw;
            czas = I_GetTime();
        }
        al_draw_scaled_bitmap(el, 190, 235, 2, 10, 640, 524, cw, 13, 0);
        if (cw > 120) break;
        I_FinishUpdate();
        I_Rest(0.001);
        ++przebiegi;
    }
    return przebiegi;
}

}  // namespace

int main() {
    ustawienia();

    // The intro follows start-up at once, as in the game, so time spent loading must not eat its rests.
    start();
    pocz();
    stop("intro (400 x 0.002)", 400 * 0.002, 400);

    // A game start: the background is loaded into bufor and faded in.
    ALLEGRO_BITMAP* tlo = al_load_bitmap("media/gg1.png");
    if (tlo) {
        al_destroy_bitmap(bufor);
        bufor = tlo;
    }
    start();
    ukazywanie_obrazu();
    stop("fade-in (40 x 0.01)", 40 * 0.01, 40);
    al_draw_bitmap(bufor, 0, 0, 0);

    start();
    liczenie(500, 0.004);
    stop("count-up 500 zl (500 x 0.004)", 500 * 0.004, 500);

    start();
    liczenie(8000, 0.001);
    stop("count-up 8000 zl (8000 x 0.001)", 8000 * 0.001, 8000);

    start();
    long przebiegi = zegar_proby();
    stop("try clock, 121 ticks (passes x 0.001)", przebiegi * 0.001, przebiegi);
    double zegar = wyniki.back().czas;

    start();
    przesuwanie_diagramu();
    stop("grid scroll (69 x 0.005)", 69 * 0.005, 69);

    start();
    znikanie_obrazu();
    stop("fade-out (40 x 0.01)", 40 * 0.01, 40);

    // Shutdown's darkening, drawn as koniec draws it, then koniec itself, which also closes the
    // window and the audio device after its darkening (10 to 30 ms that no rest covers).
    start();
    for (int k = 0; k < 25; ++k) {
        al_draw_tinted_scaled_bitmap(el, al_map_rgba(0, 0, 0, k), 350, 110, 10, 10, 0, 0, 800, 600, 0);
        I_FinishUpdate();
        I_Rest(0.02);
    }
    stop("shutdown darkening (25 x 0.02)", 25 * 0.02, 25);

    start();
    koniec();
    stop("koniec: darkening, then closing", 25 * 0.02, 25);
    wyniki.back().tylko_informacja = true;

    std::printf("%-40s %9s %9s %7s %7s %7s\n", "sequence", "rests s", "took s", "ratio", "frames", "presents");
    bool wszystkie = true;
    for (const pomiar& p : wyniki) {
        double r = p.czas / p.odpoczynki;
        bool ok = r >= 0.95 && r <= 1.05;
        if (!p.tylko_informacja) wszystkie = wszystkie && ok;
        std::printf("%-40s %9.3f %9.3f %7.3f %7ld %7ld%s\n", p.nazwa.c_str(), p.odpoczynki, p.czas, r, p.klatki,
                    p.pokazy, p.tylko_informacja ? "  (for information)" : ok ? "" : "  MISSES 5%");
    }
    std::printf("try clock: 121 ticks took %.3f s, %.3f of the least possible 20.57 s\n", zegar, zegar / 20.57);
    std::printf("%s\n", wszystkie ? "all sequences within 5% of their rests" : "some sequences miss the 5% target");
    return wszystkie ? 0 : 1;
}
