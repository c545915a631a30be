// The scripted platform: the game runs on a virtual clock with input from a script, drawing into a memory screen.
#include "i_skrypt.h"

#include <allegro5/allegro_font.h>
#include <allegro5/allegro_image.h>
#include <allegro5/allegro_ttf.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <unordered_map>

#include "i_system.h"
#include "state.h"

ALLEGRO_BITMAP* tylny = nullptr;
void (*i_sprzatanie)() = nullptr;

namespace {

enum rodzaj { KLAWISZ_W_DOL, KLAWISZ_W_GORE, ZNAK, MYSZ, ZAMKNIJ, PRZESTOJ };
struct zdarzenie {
    double t;
    long nr;  // keeps events of the same time in the order they were scripted
    rodzaj r;
    int a, b, c;
    double t2;  // how long a stall lasts
};

// A key held past this delay repeats its character at this rate, as a desktop's keyboard does.
constexpr double POWTARZANIE_PO = 0.5, POWTORZENIA_NA_SEKUNDE = 30;

double teraz = 0;
// Where the rests say the clock should be; it trails `teraz` only after a stall.
double harmonogram = 0;
long licznik = 0;
std::vector<zdarzenie> skrypt;  // not yet due, kept sorted by (t, nr)
bool klawisze[ALLEGRO_KEY_MAX] = {};
int mysz_x = 0, mysz_y = 0, mysz_p = 0;
bool zamkniete = false;
bool escape_od_odczytu = false;
bool kolejka_otwarta = false;
std::deque<ALLEGRO_EVENT> kolejka;
double limit = 1e9;
bool przekroczony = false;
int klatki = 0;
std::vector<s_dzwiek> dzwieki;
std::vector<s_slad> slad;
// Entries per routine, so a driver asking at every poll does not rescan the whole trace.
std::unordered_map<std::string, int> wejscia;
std::function<void(double)> przy_odczycie;
std::function<void(int)> przy_klatce;
bool zainicjowane = false;
std::string katalog_programu;
bool sprawdzaj_niezmienione = false;
ALLEGRO_BITMAP* ostatnia_klatka = nullptr;
int niezmienione_inne = 0;
int niezmienione = 0;

void dodaj(double t, rodzaj r, int a = 0, int b = 0, int c = 0, double t2 = 0) {
    zdarzenie z{t, licznik++, r, a, b, c, t2};
    auto gdzie = std::upper_bound(skrypt.begin(), skrypt.end(), z, [](const zdarzenie& x, const zdarzenie& y) {
        return x.t < y.t || (x.t == y.t && x.nr < y.nr);
    });
    skrypt.insert(gdzie, z);
}

void do_kolejki(unsigned typ, int klawisz, int znak, bool powtorzenie = false) {
    if (!kolejka_otwarta) return;
    ALLEGRO_EVENT e;
    std::memset(&e, 0, sizeof e);
    e.type = typ;
    e.keyboard.keycode = klawisz;
    e.keyboard.unichar = znak;
    e.keyboard.repeat = powtorzenie;
    e.keyboard.timestamp = teraz;
    kolejka.push_back(e);
}

// Applies every scripted event that is due by now.
void przetworz() {
    if (teraz > limit) przekroczony = true;
    size_t n = 0;
    while (n < skrypt.size() && skrypt[n].t <= teraz) {
        const zdarzenie& z = skrypt[n++];
        switch (z.r) {
            case KLAWISZ_W_DOL:
                klawisze[z.a] = true;
                if (z.a == ALLEGRO_KEY_ESCAPE) escape_od_odczytu = true;
                do_kolejki(ALLEGRO_EVENT_KEY_DOWN, z.a, 0);
                break;
            case ZNAK:
                do_kolejki(ALLEGRO_EVENT_KEY_CHAR, z.a, z.b, z.c);
                break;
            case KLAWISZ_W_GORE:
                klawisze[z.a] = false;
                do_kolejki(ALLEGRO_EVENT_KEY_UP, z.a, 0);
                break;
            case MYSZ:
                mysz_x = z.a;
                mysz_y = z.b;
                mysz_p = z.c;
                break;
            case ZAMKNIJ:
                zamkniete = true;
                break;
            case PRZESTOJ:
                teraz += z.t2;
                break;
        }
    }
    skrypt.erase(skrypt.begin(), skrypt.begin() + static_cast<long>(n));
}

void odczyt() {
    if (przy_odczycie) {
        auto f = przy_odczycie;  // the driver may replace itself
        f(teraz);
    }
    przetworz();
}

void zapisz_dzwiek(const i_dzwiek* d, float g, float p) { dzwieki.push_back({teraz, I_SoundName(d), g, p}); }

int klawisz_znaku(unsigned kod) {
    if (kod >= 'a' && kod <= 'z') return ALLEGRO_KEY_A + int(kod - 'a');
    if (kod >= 'A' && kod <= 'Z') return ALLEGRO_KEY_A + int(kod - 'A');
    if (kod >= '0' && kod <= '9') return ALLEGRO_KEY_0 + int(kod - '0');
    if (kod == ' ') return ALLEGRO_KEY_SPACE;
    if (kod == 13) return ALLEGRO_KEY_ENTER;
    if (kod == 8) return ALLEGRO_KEY_BACKSPACE;
    if (kod == 127) return ALLEGRO_KEY_DELETE;
    if (kod == 27) return ALLEGRO_KEY_ESCAPE;
    // Polish letters come from AltGr with the Latin key; which key does not matter to the game.
    return ALLEGRO_KEY_A;
}

}  // namespace

void S_Reset() {
    teraz = 0;
    harmonogram = 0;
    licznik = 0;
    skrypt.clear();
    std::fill(std::begin(klawisze), std::end(klawisze), false);
    mysz_x = mysz_y = mysz_p = 0;
    zamkniete = false;
    escape_od_odczytu = false;
    kolejka.clear();
    limit = 1e9;
    przekroczony = false;
    klatki = 0;
    niezmienione = 0;
    dzwieki.clear();
    slad.clear();
    wejscia.clear();
    przy_odczycie = nullptr;
    przy_klatce = nullptr;
    katalog_programu.clear();
}

double S_Now() { return teraz; }

void S_KeyPress(double t, int klawisz, int znak, double trzymaj) {
    dodaj(t, KLAWISZ_W_DOL, klawisz);
    if (znak) dodaj(t, ZNAK, klawisz, znak);
    for (double r = t + POWTARZANIE_PO; r < t + trzymaj; r += 1.0 / POWTORZENIA_NA_SEKUNDE) dodaj(r, ZNAK, klawisz, znak, 1);
    dodaj(t + trzymaj, KLAWISZ_W_GORE, klawisz);
}
void S_KeyDown(double t, int klawisz) { dodaj(t, KLAWISZ_W_DOL, klawisz); }
void S_KeyUp(double t, int klawisz) { dodaj(t, KLAWISZ_W_GORE, klawisz); }

double S_Type(double t, const std::string& tekst, double odstep) {
    size_t i = 0;
    while (i < tekst.size()) {
        unsigned char c = static_cast<unsigned char>(tekst[i]);
        unsigned kod;
        int n;
        if (c < 0x80) { kod = c; n = 1; }
        else if ((c & 0xE0) == 0xC0) { kod = c & 0x1F; n = 2; }
        else if ((c & 0xF0) == 0xE0) { kod = c & 0x0F; n = 3; }
        else { kod = c & 0x07; n = 4; }
        for (int k = 1; k < n && i + k < tekst.size(); ++k) kod = (kod << 6) | (static_cast<unsigned char>(tekst[i + k]) & 0x3F);
        i += n;
        S_KeyPress(t, klawisz_znaku(kod), static_cast<int>(kod));
        t += odstep;
    }
    return t;
}

void S_Mouse(double t, int x, int y, int przyciski) { dodaj(t, MYSZ, x, y, przyciski); }
void S_Close(double t) { dodaj(t, ZAMKNIJ); }
void S_Stall(double t, double ile) { dodaj(t, PRZESTOJ, 0, 0, 0, ile); }

void S_CheckUnchanged(bool wlacz) {
    sprawdzaj_niezmienione = wlacz;
    niezmienione_inne = 0;
    if (ostatnia_klatka) al_destroy_bitmap(ostatnia_klatka);
    ostatnia_klatka = wlacz && tylny ? al_clone_bitmap(tylny) : nullptr;
}
int S_UnchangedFaults() { return niezmienione_inne; }
int S_UnchangedFrames() { return niezmienione; }
void S_OnPoll(std::function<void(double)> f) { przy_odczycie = std::move(f); }
void S_OnFrame(std::function<void(int)> f) { przy_klatce = std::move(f); }
void S_SetLimit(double t) { limit = t; }
bool S_TimedOut() { return przekroczony; }
int S_Frames() { return klatki; }
const std::vector<s_dzwiek>& S_Sounds() { return dzwieki; }
const std::vector<s_slad>& S_Trace() { return slad; }

int S_Entered(const std::string& nazwa) {
    auto it = wejscia.find(nazwa);
    return it == wejscia.end() ? 0 : it->second;
}

double S_EnteredAt(const std::string& nazwa, int n) {
    for (const s_slad& s : slad)
        if (s.co == nazwa && n-- == 0) return s.t;
    return -1;
}

void S_Pixel(int x, int y, unsigned char* r, unsigned char* g, unsigned char* b) {
    al_unmap_rgb(al_get_pixel(tylny, x, y), r, g, b);
}

bool I_Init() {
    if (!zainicjowane) {
        if (!al_init()) return false;
        al_init_image_addon();
        al_init_font_addon();
        al_init_ttf_addon();
        zainicjowane = true;
    }
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
    i_slad_wlaczony = true;
    return true;
}

void I_InitSound() {
    I_SilenceSound();
    i_sluchacz_dzwiekow = zapisz_dzwiek;
}

void I_StartFullscreen() {}  // no window to fill

bool I_InitGraphics(const char*) {
    ekran = nullptr;
    tylny = al_create_bitmap(SZEROKOSC_EKRANU, WYSOKOSC_EKRANU);
    al_set_target_bitmap(tylny);
    al_clear_to_color(al_map_rgb(0, 0, 0));
    return true;
}

void I_ShutdownGraphics() {
    I_CloseTyping();
    S_CheckUnchanged(false);
    if (tylny) al_destroy_bitmap(tylny);
    tylny = nullptr;
}

void S_SetProgramDirectory(const std::string& katalog) { katalog_programu = katalog; }
std::string I_ProgramDirectory() { return katalog_programu; }

void I_Error(const std::string& komunikat) { throw s_blad_startu{komunikat}; }
void I_Warning(const std::string& komunikat) { slad.push_back({teraz, "warning " + komunikat}); }

void I_FinishUpdate() {
    if (sprawdzaj_niezmienione) {
        if (ostatnia_klatka) al_destroy_bitmap(ostatnia_klatka);
        ostatnia_klatka = al_clone_bitmap(tylny);
    }
    ++klatki;
    if (przy_klatce) przy_klatce(klatki);
}

// Whether the screen differs from the last frame finished anywhere outside the rectangle.
bool zmiana_poza(int rx, int ry, int rw, int rh) {
    ALLEGRO_LOCKED_REGION* a = al_lock_bitmap(tylny, ALLEGRO_PIXEL_FORMAT_ANY, ALLEGRO_LOCK_READONLY);
    ALLEGRO_LOCKED_REGION* b = al_lock_bitmap(ostatnia_klatka, ALLEGRO_PIXEL_FORMAT_ANY, ALLEGRO_LOCK_READONLY);
    const int p = a->pixel_size;
    auto rozne = [&](int y, int x0, int x1) {
        return x1 > x0 && std::memcmp(static_cast<const char*>(a->data) + y * a->pitch + x0 * p,
                                      static_cast<const char*>(b->data) + y * b->pitch + x0 * p, (x1 - x0) * p) != 0;
    };
    bool inna = a->format != b->format;
    for (int y = 0; y < WYSOKOSC_EKRANU && !inna; ++y) {
        if (y >= ry && y < ry + rh)
            inna = rozne(y, 0, std::max(0, rx)) ||
                   rozne(y, std::min(SZEROKOSC_EKRANU, rx + rw), SZEROKOSC_EKRANU);
        else
            inna = rozne(y, 0, SZEROKOSC_EKRANU);
    }
    al_unlock_bitmap(ostatnia_klatka);
    al_unlock_bitmap(tylny);
    return inna;
}

void I_FinishArea(int x, int y, int w, int h) {
    if (sprawdzaj_niezmienione && ostatnia_klatka && zmiana_poza(x, y, w, h)) ++niezmienione_inne;
    I_FinishUpdate();
}

bool I_PresentDue() { return true; }

void I_FinishUnchanged() {
    if (sprawdzaj_niezmienione && ostatnia_klatka && zmiana_poza(0, 0, 0, 0)) ++niezmienione_inne;
    ++niezmienione;
    ++klatki;
    if (przy_klatce) przy_klatce(klatki);
}

// Rests move the clock to where the schedule says; after a stall the clock is ahead of it, and
// a rest sleeps only what is left (the lag forgiven beyond NAJWIEKSZE_OPOZNIENIE), as on the real platform.
void I_Rest(double sekundy) {
    if (sekundy > 0) harmonogram += sekundy;
    if (harmonogram < teraz - NAJWIEKSZE_OPOZNIENIE) harmonogram = teraz - NAJWIEKSZE_OPOZNIENIE;
    if (harmonogram > teraz) teraz = harmonogram;
    przetworz();
}

void I_RestFull(double sekundy) {
    if (sekundy > 0) teraz += sekundy;
    harmonogram = teraz;
    przetworz();
}

double I_GetTime() { return teraz; }

long I_Presents() { return klatki; }

void I_GetKeyboardState(i_klawiatura* stan) {
    odczyt();
    for (int k = 0; k < ALLEGRO_KEY_MAX; ++k)
        I_SetKey(stan, k, klawisze[k] || (k == ALLEGRO_KEY_ESCAPE && (zamkniete || przekroczony || escape_od_odczytu)));
    escape_od_odczytu = false;
}

void I_GetMouseState(ALLEGRO_MOUSE_STATE* stan) {
    odczyt();
    std::memset(stan, 0, sizeof *stan);
    stan->x = mysz_x;
    stan->y = mysz_y;
    stan->buttons = mysz_p;
}

void I_ShowMouseCursor() { slad.push_back({teraz, "cursor shown"}); }
void I_HideMouseCursor() { slad.push_back({teraz, "cursor hidden"}); }

void I_OpenTyping() {
    kolejka_otwarta = true;
    kolejka.clear();
}

bool I_NextTyped(ALLEGRO_EVENT* e) {
    odczyt();
    if (kolejka.empty()) return false;
    *e = kolejka.front();
    kolejka.pop_front();
    return true;
}

void I_FlushTyping() { kolejka.clear(); }

void I_CloseTyping() {
    kolejka_otwarta = false;
    kolejka.clear();
}

bool i_slad_wlaczony = true;
void I_TraceOpen() {}
void I_TraceLine(const char* co) {
    slad.push_back({teraz, co});
    ++wejscia[co];
}
void I_TraceClose() {}
