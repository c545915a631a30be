// Scenario fixtures: a fresh game state on the scripted platform, in a scratch working directory.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "i_skrypt.h"
#include "shell.h"
#include "state.h"

struct rgb {
    unsigned char r, g, b;
    bool operator==(const rgb&) const = default;
};
std::ostream& operator<<(std::ostream& o, const rgb& c);

// A scratch working directory whose media/ links to the game's media files, so a test can
// replace one of them (the word list, say) without touching the real ones.
class KatalogTestowy : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Replaces media/<plik> in the scratch directory with this content.
    void podmien_plik(const std::string& plik, const std::string& tresc);
    void usun_plik(const std::string& plik);
    std::string katalog;

private:
    std::string poprzedni;
};

// The same, with the game started (ustawienia) in SetUp and shut down (koniec) in TearDown,
// the random generator seeded with 1, and the game state's numbers and strings cleared.
class Scena : public KatalogTestowy {
protected:
    void SetUp() override;
    void TearDown() override;
    // Sets the word list to these words (internal form), and the accepted guesses to the others.
    void slowa(const std::vector<std::string>& lista, std::vector<std::string> zgadywane = {});
    bool zamkniety = false;
};

// Reading the screen bitmap and the composition bitmap.
rgb piksel(int x, int y);
rgb piksel_bufora(int x, int y);
rgb piksel_z(ALLEGRO_BITMAP* b, int x, int y);
// Pixels of exactly this colour in the rectangle of the bitmap, or of the screen.
int ile_koloru(ALLEGRO_BITMAP* b, int x, int y, int w, int h, rgb c);
int ile_koloru(int x, int y, int w, int h, rgb c);
// True when the screen equals bufor everywhere in the rectangle (every `krok`-th pixel).
bool ekran_jak_bufor(int x, int y, int w, int h, int krok = 1);
// Copies the screen bitmap, for comparing before and after.
ALLEGRO_BITMAP* kopia_ekranu();
// Number of pixels in the rectangle where the screen differs from the copy.
int roznice(ALLEGRO_BITMAP* kopia, int x, int y, int w, int h);
