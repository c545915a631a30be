// The soak: seeded random whole runs of the game on the scripted platform, with the game's invariants checked at every frame.
//
// Usage: soak FIRST_SEED COUNT [--draw]
// Each seed is one run of the program (start-up, intro, menu, games, shutdown) in a scratch
// directory, played by a random player: the pages, one or two players, names with Polish letters,
// right and wrong words, refusals, typing mistakes, time-outs, draws, the final, and Escape or the
// close button at a random moment. Without --draw nothing is painted (the screen bitmaps clip everything),
// so a run takes about 0.2 s of processor time (4 s with --draw). A failing seed is printed and replays exactly.
#include <allegro5/allegro.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <cstdint>
#include <set>
#include <string>
#include <unistd.h>

#include "i_skrypt.h"
#include "menu.h"
#include "shell.h"
#include "state.h"

namespace fs = std::filesystem;

namespace {

std::mt19937 los;
std::string blad;  // the first broken invariant of this run
bool rysuj = false;

int z_przedzialu(int a, int b) { return std::uniform_int_distribution<int>(a, b)(los); }
double czas(double a, double b) { return std::uniform_real_distribution<double>(a, b)(los); }
bool szansa(double p) { return czas(0, 1) < p; }

void zle(const std::string& co) {
    if (blad.empty()) blad = co + " (at t = " + std::to_string(S_Now()) + " s)";
}

// A word of the internal form as a player types it, the Polish letters in UTF-8.
std::string do_pisania(const std::string& slowo) {
    static const char* const ZNAKI = "ACELNOSXZ";
    static const char* const POLSKIE[] = {"ą", "ć", "ę", "ł", "ń", "ó", "ś", "ź", "ż"};
    std::string w;
    for (char c : slowo) {
        const char* p = std::strchr(ZNAKI, c);
        if (c && p) w += POLSKIE[p - ZNAKI];
        else w += c;
    }
    return w;
}

// --- The invariants, at every frame ----------------------------------------------------------

struct obserwator {
    int sumy[2] = {0, 0};
    int tk_przed[2][25] = {};
    int tab_przed[2][25] = {};
    int gry = 0, tablice = 0, panele = 0, konce = 0;
    long klatki = 0;
};
obserwator o;

// A dealt board: 25 distinct numbers 1 to 50 (all zero before the first deal); cells 0 or 1.
void sprawdz_plansze(int g) {
    for (int i = 0; i < 25; ++i)
        if (tk[g][i] != 0 && tk[g][i] != 1) zle("a cell state is " + std::to_string(tk[g][i]));
    if (std::memcmp(tab[g], o.tab_przed[g], sizeof tab[g]) == 0) return;
    std::memcpy(o.tab_przed[g], tab[g], sizeof tab[g]);
    uint64_t widziane = 0;
    int zera = 0;
    for (int i = 0; i < 25; ++i) {
        int n = tab[g][i];
        if (n == 0) ++zera;
        else if (n < 1 || n > 50) zle("board " + std::to_string(g) + " holds " + std::to_string(n));
        else widziane |= uint64_t{1} << n;
    }
    if (zera == 25) return;
    if (zera > 0 || __builtin_popcountll(widziane) != 25) zle("board " + std::to_string(g) + " is not 25 distinct numbers");
}

void przy_klatce(int) {
    ++o.klatki;
    if (!rysuj)
        for (ALLEGRO_BITMAP* b : {tylny, bufor, tgr[0], tgr[1]})
            if (b) {
                ALLEGRO_BITMAP* cel = al_get_target_bitmap();
                al_set_target_bitmap(b);
                al_set_clipping_rectangle(0, 0, 0, 0);
                al_set_target_bitmap(cel);
            }
    int gry = S_Entered("gra");
    bool nowa_gra = gry != o.gry;
    o.gry = gry;
    for (int g = 0; g < 2; ++g) {
        // A new game starts both totals again from 0; otherwise they only grow.
        if (suma[g] < o.sumy[g] && !(nowa_gra || suma[g] == 0)) zle("a total fell");
        if (suma[g] < 0) zle("a negative total");
        o.sumy[g] = suma[g];
    }
    int panele = S_Entered("dane_gracza") + S_Entered("koniec_fin");
    if (panele != o.panele && S_Entered("gra") > 0)
        for (int g = 0; g < 2; ++g)
            if (suma[g] % 100 != 0) zle("total " + std::to_string(suma[g]) + " is not whole hundreds between words");
    o.panele = panele;
    int tablice = S_Entered("tablica");
    for (int g = 0; g < 2; ++g) {
        sprawdz_plansze(g);
        if (tablice == o.tablice)
            for (int i = 0; i < 25; ++i)
                if (o.tk_przed[g][i] == 1 && tk[g][i] != 1) zle("a struck cell came back on an old board");
        for (int i = 0; i < 25; ++i) o.tk_przed[g][i] = tk[g][i];
    }
    o.tablice = tablice;
    if (!hh.empty()) {
        if (hh.size() != 5 || !slowo_poprawne(hh)) zle("the password \"" + hh + "\" is not a word");
        if (h1.size() != 5 || h1[0] != hh[0]) zle("the hint \"" + h1 + "\" does not start the password \"" + hh + "\"");
        for (size_t i = 0; i < h1.size() && i < hh.size(); ++i)
            if (h1[i] != '[' && h1[i] != hh[i]) zle("the hint \"" + h1 + "\" shows a letter not in \"" + hh + "\"");
    }
}

// --- The player -------------------------------------------------------------------------------

struct gracz_losowy {
    int menu = 0, imie = 0, spacja = 0, proby = 0, kule = 0, kulef = 0, konce = 0;
    int rozegrane = 0;
    double ucieczka = -1;  // Escape or the close button at this time, or never
    bool ucieczka_zamknieciem = false;
    double ostatnie_t = -1;
    long w_miejscu = 0;
};
gracz_losowy p;

void kliknij(double t, int pozycja, double trzymaj) {
    int y = 50 * pozycja + 250;
    S_Mouse(t, 400, y, 1);
    S_Mouse(t + trzymaj, 400, y, 0);
}

// A guess: the password, another word of the list, a word outside it (refused), a typing
// mistake mended with Backspace, or nothing at all (the clock runs out).
void zgadnij(double t) {
    int r = z_przedzialu(0, 19);
    std::string slowo;
    if (r <= 7) slowo = hh;
    else if (r <= 13) slowo = h[z_przedzialu(0, ih - 1)];
    else if (r <= 15) slowo = "qqqqq";
    else if (r <= 18) {
        t = S_Type(t, "x", czas(0.15, 0.3));
        S_KeyPress(t, ALLEGRO_KEY_BACKSPACE, 8);
        t += 0.3;
        slowo = hh;
    } else
        return;
    double koniec = S_Type(t, do_pisania(slowo), czas(0.15, 0.4));
    if (slowo == "qqqqq" && szansa(0.5)) S_Type(koniec + 1.2, do_pisania(hh), 0.2);
}

void przy_odczycie(double t) {
    // Virtual time stands only while a page is held with no rest: let go of the button.
    if (t == p.ostatnie_t) {
        if (++p.w_miejscu == 2000) S_Mouse(t, 400, 550, 0);
        if (p.w_miejscu > 2000000) zle("virtual time stopped");
    } else {
        p.ostatnie_t = t;
        p.w_miejscu = 0;
    }
    if (p.ucieczka >= 0 && t >= p.ucieczka) {
        if (p.ucieczka_zamknieciem) S_Close(t);
        else S_KeyDown(t, ALLEGRO_KEY_ESCAPE);
        p.ucieczka = -1;
    }
    if (int n = S_Entered("szykowanie_menu"); n > p.menu) {
        p.menu = n;
        // One game per run: back in the menu after it, the player leaves.
        if (S_Entered("gra") > 0) p.rozegrane = 1;
        double t0 = t + czas(0.5, 1.0);
        int r = z_przedzialu(0, 9);
        if (p.rozegrane > 0 || r == 9) {
            if (szansa(0.5)) kliknij(t0, 5, 0.1);
            else S_KeyDown(t0, ALLEGRO_KEY_ESCAPE);
        } else if (r <= 1) {
            kliknij(t0, r == 0 ? 3 : 4, czas(0.2, 2.0));
        } else {
            kliknij(t0, r <= 5 ? 1 : 2, 0.1);
        }
    }
    if (int n = S_Entered("imie_gracza"); n > p.imie) {
        p.imie = n;
        static const char* const IMIONA[] = {"Łukasz", "Żaneta", "Ścibor", "Ola", "Ćma", "Źdźbło", "Jan Óll"};
        double u = t + 1.2;
        for (int i = 0; i < ig; ++i) {
            u = S_Type(u, IMIONA[z_przedzialu(0, 6)], czas(0.2, 0.4));
            if (szansa(0.3)) {
                S_KeyPress(u, ALLEGRO_KEY_BACKSPACE, 8);
                u += 0.3;
            }
            S_KeyPress(u, ALLEGRO_KEY_ENTER, 13);
            u += 0.5;
        }
    }
    if (int n = S_Entered("spacja"); n > p.spacja) {
        p.spacja = n;
        S_KeyUp(t, ALLEGRO_KEY_SPACE);
        S_KeyPress(t + czas(0.05, 0.5), ALLEGRO_KEY_SPACE, ' ');
    }
    if (int n = S_Entered("wpisywanie_z_klawiatury"); n > p.proby) {
        p.proby = n;
        S_KeyUp(t, ALLEGRO_KEY_SPACE);
        zgadnij(t + czas(0.05, 0.5));
    }
    if (int n = S_Entered("los_kul") + S_Entered("los_kulf"); n > p.kule) {
        p.kule = n;
        S_KeyDown(t + czas(0.0, 0.4), ALLEGRO_KEY_SPACE);
    }
    if (int n = S_Entered("koniec_fin"); n > p.konce) {
        p.konce = n;
        S_KeyPress(t + czas(1.0, 3.0), ALLEGRO_KEY_ENTER, 13);
    }
}

// --- One run ----------------------------------------------------------------------------------

struct wynik_gry {
    long klatki;
    double czas_gry;
    int gry, finaly;
};

bool jedna_gra(unsigned ziarno, const fs::path& media, wynik_gry& w) {
    blad.clear();
    los.seed(ziarno);
    o = obserwator{};
    p = gracz_losowy{};
    if (szansa(0.3)) {
        p.ucieczka = czas(2.0, 400.0);
        p.ucieczka_zamknieciem = szansa(0.5);
    }
    char wzor[] = "/tmp/brolik-soak-XXXXXX";
    if (!mkdtemp(wzor)) {
        blad = "no scratch directory";
        return false;
    }
    fs::path katalog = wzor;
    fs::create_directory(katalog / "media");
    for (const auto& plik : fs::directory_iterator(media))
        fs::create_symlink(plik.path(), katalog / "media" / plik.path().filename());
    fs::path poprzedni = fs::current_path();
    fs::current_path(katalog);
    // Each run keeps its table of results beside its directory, fresh, so a seed replays alike.
    const fs::path dane = katalog.string() + "-dane";
    setenv("XDG_DATA_HOME", dane.c_str(), 1);

    S_Reset();
    S_SetLimit(20000);
    S_OnFrame(przy_klatce);
    S_OnPoll(przy_odczycie);
    imie[0] = imie[1] = "";
    hh = h1 = "";
    suma[0] = suma[1] = 0;
    for (int g = 0; g < 2; ++g)
        for (int i = 0; i < 25; ++i) tab[g][i] = tk[g][i] = 0;
    try {
        ustawienia();
        std::srand(ziarno);
        pocz();
        menu();
        koniec();
    } catch (const s_blad_startu& b) {
        zle("start-up stopped: " + b.komunikat);
        zwolnij_zasoby();
    }
    S_OnFrame(nullptr);
    S_OnPoll(nullptr);
    if (S_TimedOut()) zle("the run did not end within its time limit");
    fs::current_path(poprzedni);
    std::set<std::string> reszta;
    for (const auto& plik : fs::directory_iterator(katalog))
        if (plik.path().filename() != "media") reszta.insert(plik.path().filename().string());
    for (const std::string& r : reszta) zle("left behind: " + r);
    fs::remove_all(katalog);
    fs::remove_all(dane);
    w = {o.klatki, S_Now(), S_Entered("gra"), S_Entered("final_pocz")};
    return blad.empty();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s FIRST_SEED COUNT [--draw]   (run from the repository root)\n", argv[0]);
        return 2;
    }
    unsigned pierwsze = static_cast<unsigned>(std::strtoul(argv[1], nullptr, 10));
    long ile = std::strtol(argv[2], nullptr, 10);
    rysuj = argc > 3 && std::string(argv[3]) == "--draw";
    fs::path media = fs::absolute("media");
    if (!fs::exists(media / "data_lista.txt")) {
        std::fprintf(stderr, "soak: run it from the repository root (no media/ here)\n");
        return 2;
    }
    auto start = std::chrono::steady_clock::now();
    long zle_gry = 0, klatki = 0, gry = 0, finaly = 0;
    double wirtualny = 0;
    for (long n = 0; n < ile; ++n) {
        unsigned ziarno = pierwsze + static_cast<unsigned>(n);
        wynik_gry w{};
        if (!jedna_gra(ziarno, media, w)) {
            ++zle_gry;
            std::printf("seed %u: FAIL: %s   (replay: %s %u 1)\n", ziarno, blad.c_str(), argv[0], ziarno);
        }
        klatki += w.klatki;
        gry += w.gry;
        finaly += w.finaly;
        wirtualny += w.czas_gry;
        std::fflush(stdout);
    }
    double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%ld runs (seeds %u to %u): %ld games, %ld finals, %ld frames, %.0f s of play in %.1f s; %ld failed\n",
                ile, pierwsze, pierwsze + static_cast<unsigned>(ile) - 1, gry, finaly, klatki, wirtualny, s, zle_gry);
    return zle_gry == 0 ? 0 : 1;
}
