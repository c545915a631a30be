// Scenario fixtures and screen readers for the tests.
#include "scena.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

std::ostream& operator<<(std::ostream& o, const rgb& c) {
    return o << "(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ")";
}

void KatalogTestowy::SetUp() {
    poprzedni = fs::current_path().string();
    // A fresh folder of our own in the system's temporary folder (mkdtemp is POSIX only).
    std::random_device los;
    fs::path k;
    do k = fs::temp_directory_path() / ("brolik-test-" + std::to_string(los()));
    while (!fs::create_directory(k));
    katalog = k.string();
    fs::create_directory(katalog + "/media");
    for (const auto& p : fs::directory_iterator(fs::path(BROLIK_ZRODLA) / "media"))
        przywroc_plik(p.path().filename().string());
    fs::current_path(katalog);
    // The game's kept files go to the scratch directory, never to the user's own folders (under
    // Wine they go to the test prefix's own).
#ifndef _WIN32
    setenv("XDG_DATA_HOME", (katalog + "/dane").c_str(), 1);
#endif
    S_Reset();
}

void KatalogTestowy::TearDown() {
    fs::current_path(poprzedni);
    std::error_code blad;
    fs::remove_all(katalog, blad);
}

void KatalogTestowy::podmien_plik(const std::string& plik, const std::string& tresc) {
    fs::path p = fs::path(katalog) / "media" / plik;
    fs::remove(p);
    std::ofstream(p, std::ios::binary) << tresc;
}

// A link to the real file where the system has them; a copy elsewhere (Windows).
void KatalogTestowy::przywroc_plik(const std::string& plik) {
    fs::path cel = fs::path(katalog) / "media" / plik;
    fs::remove(cel);
    std::error_code blad;
    fs::create_symlink(fs::path(BROLIK_ZRODLA) / "media" / plik, cel, blad);
    if (blad) fs::copy_file(fs::path(BROLIK_ZRODLA) / "media" / plik, cel);
}

void KatalogTestowy::usun_plik(const std::string& plik) { fs::remove(fs::path(katalog) / "media" / plik); }

void Scena::SetUp() {
    KatalogTestowy::SetUp();
    ig = 1;
    imie[0] = imie[1] = "";
    for (int g = 0; g < 2; ++g)
        for (int i = 0; i < 25; ++i) tab[g][i] = tk[g][i] = 0;
    hh = h1 = "";
    suma[0] = suma[1] = 0;
    fin = bingof = 0;
    std::memset(&klaw, 0, sizeof klaw);
    std::memset(&myszka, 0, sizeof myszka);
    std::memset(&ev, 0, sizeof ev);
    ustawienia();
    std::srand(1);
}

void Scena::TearDown() {
    if (!zamkniety) koniec();
    KatalogTestowy::TearDown();
}

void Scena::slowa(const std::vector<std::string>& lista, std::vector<std::string> zgadywane) {
    ih = 0;
    for (const std::string& s : lista) h[ih++] = s;
    h[ih] = "ZZZ";
    std::sort(zgadywane.begin(), zgadywane.end());
    zg = zgadywane;
}

rgb piksel_z(ALLEGRO_BITMAP* b, int x, int y) {
    rgb c;
    al_unmap_rgb(al_get_pixel(b, x, y), &c.r, &c.g, &c.b);
    return c;
}
rgb piksel(int x, int y) { return piksel_z(tylny, x, y); }
rgb piksel_bufora(int x, int y) { return piksel_z(bufor, x, y); }

int ile_koloru(ALLEGRO_BITMAP* b, int x, int y, int w, int h_, rgb c) {
    int n = 0;
    al_lock_bitmap(b, ALLEGRO_PIXEL_FORMAT_ANY, ALLEGRO_LOCK_READONLY);
    for (int j = y; j < y + h_; ++j)
        for (int i = x; i < x + w; ++i)
            if (piksel_z(b, i, j) == c) ++n;
    al_unlock_bitmap(b);
    return n;
}
int ile_koloru(int x, int y, int w, int h_, rgb c) { return ile_koloru(tylny, x, y, w, h_, c); }

bool ekran_jak_bufor(int x, int y, int w, int h_, int krok) {
    for (int j = y; j < y + h_; j += krok)
        for (int i = x; i < x + w; i += krok)
            if (!(piksel(i, j) == piksel_bufora(i, j))) return false;
    return true;
}

ALLEGRO_BITMAP* kopia_ekranu() { return al_clone_bitmap(tylny); }

int roznice(ALLEGRO_BITMAP* kopia, int x, int y, int w, int h_) {
    int n = 0;
    for (int j = y; j < y + h_; ++j)
        for (int i = x; i < x + w; ++i)
            if (!(piksel(i, j) == piksel_z(kopia, i, j))) ++n;
    return n;
}
