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

enum rodzaj { KLAWISZ_W_DOL, KLAWISZ_W_GORE, ZNAK, MYSZ, ZAMKNIJ };
struct zdarzenie {
    double t;
    long nr;  // keeps events of the same time in the order they were scripted
    rodzaj r;
    int a, b, c;
};

double teraz = 0;
long licznik = 0;
std::vector<zdarzenie> skrypt;  // not yet due, kept sorted by (t, nr)
bool klawisze[ALLEGRO_KEY_MAX] = {};
int mysz_x = 0, mysz_y = 0, mysz_p = 0;
bool zamkniete = false;
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

void dodaj(double t, rodzaj r, int a = 0, int b = 0, int c = 0) {
    zdarzenie z{t, licznik++, r, a, b, c};
    auto gdzie = std::upper_bound(skrypt.begin(), skrypt.end(), z, [](const zdarzenie& x, const zdarzenie& y) {
        return x.t < y.t || (x.t == y.t && x.nr < y.nr);
    });
    skrypt.insert(gdzie, z);
}

void do_kolejki(unsigned typ, int klawisz, int znak) {
    if (!kolejka_otwarta) return;
    ALLEGRO_EVENT e;
    std::memset(&e, 0, sizeof e);
    e.type = typ;
    e.keyboard.keycode = klawisz;
    e.keyboard.unichar = znak;
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
                do_kolejki(ALLEGRO_EVENT_KEY_DOWN, z.a, 0);
                break;
            case ZNAK:
                do_kolejki(ALLEGRO_EVENT_KEY_CHAR, z.a, z.b);
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
    licznik = 0;
    skrypt.clear();
    std::fill(std::begin(klawisze), std::end(klawisze), false);
    mysz_x = mysz_y = mysz_p = 0;
    zamkniete = false;
    kolejka.clear();
    limit = 1e9;
    przekroczony = false;
    klatki = 0;
    dzwieki.clear();
    slad.clear();
    wejscia.clear();
    przy_odczycie = nullptr;
    przy_klatce = nullptr;
}

double S_Now() { return teraz; }

void S_KeyPress(double t, int klawisz, int znak, double trzymaj) {
    dodaj(t, KLAWISZ_W_DOL, klawisz);
    if (znak) dodaj(t, ZNAK, klawisz, znak);
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

bool I_InitGraphics(const char*) {
    ekran = nullptr;
    tylny = al_create_bitmap(800, 600);
    al_set_target_bitmap(tylny);
    al_clear_to_color(al_map_rgb(0, 0, 0));
    return true;
}

void I_ShutdownGraphics() {
    I_CloseTyping();
    if (tylny) al_destroy_bitmap(tylny);
    tylny = nullptr;
}

void I_Error(const std::string& komunikat) { throw s_blad_startu{komunikat}; }
void I_Warning(const std::string& komunikat) { slad.push_back({teraz, "warning " + komunikat}); }

void I_FinishUpdate() {
    ++klatki;
    if (przy_klatce) przy_klatce(klatki);
}

void I_Rest(double sekundy) {
    if (sekundy > 0) teraz += sekundy;
    przetworz();
}

double I_GetTime() { return teraz; }

long I_Presents() { return klatki; }

void I_GetKeyboardState(ALLEGRO_KEYBOARD_STATE* stan) {
    odczyt();
    std::memset(stan, 0, sizeof *stan);
    for (int k = 0; k < ALLEGRO_KEY_MAX; ++k)
        if (klawisze[k] || (k == ALLEGRO_KEY_ESCAPE && (zamkniete || przekroczony)))
            stan->__key_down__internal__[k / 32] |= 1u << (k % 32);
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
