// The scripted player and screen readers for the game-flow scenarios.
#include "gracz.h"

#include <cstdlib>

namespace {

struct widziane {
    int spacja = 0, wpisywanie = 0, los_kul = 0, los_kulf = 0, koniec_fin = 0;
};
widziane w;
int poprzednie[2];
bool spadek = false;
std::vector<przyrost> zmiany;

bool linia(const int s[25]) {
    for (int j = 0; j < 5; ++j) {
        bool r = true, k = true;
        for (int i = 0; i < 5; ++i) {
            r = r && s[5 * j + i];
            k = k && s[j + 5 * i];
        }
        if (r || k) return true;
    }
    bool d1 = true, d2 = true;
    for (int i = 0; i < 5; ++i) {
        d1 = d1 && s[6 * i];
        d2 = d2 && s[4 + 4 * i];
    }
    return d1 || d2;
}

// Two numbers struck on this board by the main game's draw, as the draw spends rand().
bool dwie_liczby(const int stan[25]) {
    int s[25];
    for (int i = 0; i < 25; ++i) s[i] = stan[i];
    for (int b = 0; b < 2;) {
        if (std::rand() % 9 == 0) return false;
        int los = std::rand() % 24;
        if (s[los]) continue;
        s[los] = 1;
        if (linia(s)) return false;
        ++b;
    }
    return true;
}

}  // namespace

void zasiej(const std::function<bool(unsigned)>& warunek) {
    for (unsigned s = 1; s < 1000000; ++s) {
        std::srand(s);
        if (warunek(s)) {
            std::srand(s);
            return;
        }
    }
    ADD_FAILURE() << "no seed gives the wanted draw";
}

void zasiej_bez_czerwonej() {
    zasiej([](unsigned s) {
        if (!dwie_liczby(tk[0])) return false;
        std::srand(s);
        return dwie_liczby(tk[1]);
    });
}

void zasiej_zerowy_rzut() {
    zasiej([](unsigned) { return std::rand() % 9 == 0; });
}

void podlacz(const gracz& g) {
    w = widziane{};
    spadek = false;
    zmiany.clear();
    poprzednie[0] = suma[0];
    poprzednie[1] = suma[1];
    S_OnFrame([g](int) {
        if (suma[0] != poprzednie[0] || suma[1] != poprzednie[1]) zmiany.push_back({S_Now(), suma[0], suma[1]});
        for (int i = 0; i < 2; ++i) {
            if (suma[i] < poprzednie[i]) spadek = true;
            poprzednie[i] = suma[i];
        }
        g.klatka();
    });
    S_OnPoll([g](double t) {
        if (int n = S_Entered("spacja"); n > w.spacja) {
            w.spacja = n;
            S_KeyUp(t, ALLEGRO_KEY_SPACE);
            if (g.spacja(n - 1))
                S_KeyPress(t + 0.02, ALLEGRO_KEY_SPACE);
            else
                S_KeyDown(t + 0.02, ALLEGRO_KEY_ESCAPE);
        }
        if (int n = S_Entered("wpisywanie_z_klawiatury"); n > w.wpisywanie) {
            w.wpisywanie = n;
            S_KeyUp(t, ALLEGRO_KEY_SPACE);
            std::string s = g.proba(n - 1);
            if (s == UCIECZKA)
                S_KeyDown(t + 0.3, ALLEGRO_KEY_ESCAPE);
            else if (!s.empty())
                S_Type(t + 0.05, s, 0.15);
        }
        if (int n = S_Entered("los_kul"); n > w.los_kul) {
            w.los_kul = n;
            S_KeyDown(t, g.los_kul(n - 1) ? ALLEGRO_KEY_SPACE : ALLEGRO_KEY_ESCAPE);
        }
        if (int n = S_Entered("los_kulf"); n > w.los_kulf) {
            w.los_kulf = n;
            S_KeyDown(t, g.los_kulf(n - 1) ? ALLEGRO_KEY_SPACE : ALLEGRO_KEY_ESCAPE);
        }
        if (int n = S_Entered("koniec_fin"); n > w.koniec_fin) {
            w.koniec_fin = n;
            S_KeyDown(t + g.enter_po, ALLEGRO_KEY_ENTER);
        }
    });
}

bool suma_spadla() { return spadek; }
const std::vector<przyrost>& przyrosty() { return zmiany; }

int aktywny() {
    int p0 = 0, p1 = 0;
    for (int y = 487; y < 516; ++y)
        for (int x = 535; x < 761; ++x) {
            rgb c = piksel(x, y);
            if (c == piksel_bufora(x, y)) continue;
            if (c == rgb{188, 188, 88}) ++p0;
            if (c == rgb{88, 188, 188}) ++p1;
        }
    if (p0 > 0 && p1 == 0) return 0;
    if (p1 > 0 && p0 == 0) return 1;
    return -1;
}

std::string obce_slowo() {
    for (int i = 0; i < ih; ++i)
        if (h[i].find_first_of(hh) == std::string::npos) return h[i];
    ADD_FAILURE() << "the list has no word foreign to " << hh;
    return hh;
}
