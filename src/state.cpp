// Definitions of the game state and of the media tables.
#include "state.h"

ALLEGRO_DISPLAY* ekran = nullptr;
ALLEGRO_BITMAP* bufor = nullptr;
ALLEGRO_BITMAP* el = nullptr;
ALLEGRO_BITMAP* lit = nullptr;
ALLEGRO_BITMAP* tgr[2] = {nullptr, nullptr};
ALLEGRO_FONT* f20 = nullptr;
ALLEGRO_FONT* f22 = nullptr;
ALLEGRO_FONT* f24 = nullptr;
ALLEGRO_FONT* f28 = nullptr;
ALLEGRO_FONT* f32 = nullptr;
ALLEGRO_FONT* f40 = nullptr;
i_klawiatura klaw;
ALLEGRO_MOUSE_STATE myszka;
ALLEGRO_EVENT ev;
i_dzwiek* samp[MIEJSCA_NA_DZWIEKI] = {};
int ih = 0;
std::string h[POJEMNOSC_LISTY];
std::vector<std::string> zg;
int ig = 0;
std::string imie[2];
int tab[2][25] = {};
int tk[2][25] = {};
std::string hh;
std::string h1;
int suma[2] = {0, 0};
int fin = 0;
int bingof = 0;

ALLEGRO_BITMAP* ekr_w_pamieci = nullptr;

const char* const TYTUL_OKNA = " Gra w/g teleturnieju 'Brolik'  (2018)";
const char* const PLIK_LISTY = "data_lista.txt";
const char* const PLIK_ZGADYWANYCH = "data_zgadywane.txt";

std::string katalog_mediow = "media/";
std::string plik_mediow(const std::string& nazwa) { return katalog_mediow + nazwa; }
bool media_z_katalogu_roboczego() { return katalog_mediow == "media/"; }

// The two faces: a sans-serif one and a serif one.
static const char* const KROJ_BEZSZERYFOWY = "arialbd.ttf";
static const char* const KROJ_SZERYFOWY = "georgiab.ttf";

// f22 is the 24-pixel serif face and f32 the 46-pixel one: the names are historical.
const czcionka_mediow CZCIONKI[6] = {
    {KROJ_BEZSZERYFOWY, 20, &f20}, {KROJ_SZERYFOWY, 24, &f22},    {KROJ_BEZSZERYFOWY, 24, &f24},
    {KROJ_BEZSZERYFOWY, 28, &f28}, {KROJ_SZERYFOWY, 46, &f32},    {KROJ_BEZSZERYFOWY, 40, &f40},
};

const int KOLEJNOSC_DZWIEKOW[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0};

bool wcisniety(int k) { return I_KeyDown(&klaw, k); }
