// The real platform, on every system Allegro runs on: the window and its presentation, the paced clock, keyboard, mouse, close requests, the player's settings and the trace file.
#include <allegro5/allegro.h>
#include <allegro5/allegro_font.h>
#include <allegro5/allegro_image.h>
#include <allegro5/allegro_opengl.h>
#include <allegro5/allegro_ttf.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <chrono>
#include <deque>
#include <future>
#include <string>

#include "i_local.h"
#include "i_system.h"
#include "shell.h"
#include "state.h"

ALLEGRO_BITMAP* tylny = nullptr;
void (*i_sprzatanie)() = nullptr;

namespace {

ALLEGRO_EVENT_QUEUE* zdarzenia_okna = nullptr;  // the window's events and every keystroke
// Keystroke events for the typing reader (down, char, up), passed on by the pump without the
// keys that switch fullscreen.
std::deque<ALLEGRO_EVENT> pisanie;
bool pisanie_otwarte = false;
bool zamkniecie = false;  // a close request or a request to end: Escape held from now on
bool pelny_na_starcie = false;
bool escape_od_odczytu = false;  // Escape went down since the last keyboard poll
// Buttons pressed since the last mouse poll: a tap quicker than a pass still counts as one press.
int przyciski_od_odczytu = 0;

// The latest finished frame. The game goes on drawing into tylny after a flip (the next frame,
// or pieces meant to show only at the next flip), so the window is fed from this copy alone.
ALLEGRO_BITMAP* gotowa = nullptr;

// Pacing. `harmonogram` is when the game's rests say it should be; rests sleep until then,
// so drawing time is absorbed instead of added. Frames reach the window at most once per
// refresh (`okres`), and a frame not yet shown is shown before the game sleeps past it.
double harmonogram = 0;
double ostatni_pokaz = -1;
double okres = 1.0 / 60;
bool brudny = false;  // the window does not show `gotowa` yet
// What of `gotowa` the window lacks: the whole (`caly`: the first frame, a resize, an expose) or
// the rectangle [x0, x1) x [y0, y1). With the picture drawn one to one, only that rectangle is
// drawn and copied to the window: a prompt's pulse then costs a strip, not the whole window.
bool caly = true;
// After a fullscreen switch the window's new size is not known until its resize event: until then
// every present is whole, or a copied strip could land where the old size would put it.
bool rozmiar_niepewny = false;
int zmiana_x0 = SZEROKOSC_EKRANU, zmiana_y0 = WYSOKOSC_EKRANU, zmiana_x1 = 0, zmiana_y1 = 0;
long pokazy = 0;
// Minimised, or out of sight whole: nothing is presented, and the first present after is whole.
bool niewidoczne = false;
// With nothing new to show the trace still notes, once per refresh, that the window is up to date.
double ostatnia_nota = -1;
// The game's own work between two rests is absorbed by the rests that follow only up to this
// much; longer work (loading, building a screen) starts a new schedule. A frame's drawing
// takes far less, so sequences keep their length; but loading the game background (20 to 50 ms) before the fade-in would,
// if eaten out of the fade's 0.4 s of rests, cut it short by up to an eighth. Time spent
// presenting is not the game's work and is always absorbed, or a slow present (a vertical
// retrace wait) would restart the schedule at every frame.
constexpr double NAJWIECEJ_PRACY = 0.005;
double koniec_odpoczynku = -1;
double pokazy_poza = 0;  // time spent presenting outside rests since the last rest
bool w_odpoczynku = false;

FILE* plik_sladu = nullptr;
double start_czasu = 0;

// The player's settings: read at start-up, written a second after the last change (so a window
// dragged to a new size is written once) on a thread of its own, since a synced write can take
// longer than a frame; and at shutdown if a change is still unwritten.
i_ustawienia gracza;
std::vector<std::string> pominiete;  // the file's lines not taken, carried as comments
std::string plik_ustawien;            // "" when the system gives no settings folder
bool do_zapisu = false;
double zmiana_ustawien = 0;
constexpr double ZWLOKA_ZAPISU = 1.0;
std::future<std::string> zapis;
bool ostrzezono_o_ustawieniach = false;  // the file is worth one warning a run, not one per write

void ostrzez_o_ustawieniach(const std::string& co) {
    if (!ostrzezono_o_ustawieniach) I_Warning(plik_ustawien + ": " + co);
    ostrzezono_o_ustawieniach = true;
}

void wczytaj_ustawienia() {
    const std::string katalog = I_UserFolder(false);
    if (katalog.empty()) return;
    plik_ustawien = katalog + "ustawienia.txt";
    std::string tekst, blad;
    if (!I_ReadFile(plik_ustawien, 64 * 1024, &tekst, &blad)) {
        if (!blad.empty()) ostrzez_o_ustawieniach("cannot read the settings: " + blad + "; the defaults are used");
        return;
    }
    const std::string uwaga = I_ParseSettings(tekst, &gracza, &pominiete);
    if (!uwaga.empty()) ostrzez_o_ustawieniach(uwaga + "; the defaults stand for what was not taken");
}

void zmienione() {
    do_zapisu = true;
    zmiana_ustawien = al_get_time();
}

void odbierz_zapis() {
    const std::string blad = zapis.get();
    if (!blad.empty()) ostrzez_o_ustawieniach("cannot save the settings: " + blad);
}

// Starts a write once the settings have rested long enough, and collects one finished.
void pilnuj_zapisu() {
    if (zapis.valid() && zapis.wait_for(std::chrono::seconds(0)) == std::future_status::ready) odbierz_zapis();
    if (!do_zapisu || zapis.valid() || al_get_time() < zmiana_ustawien + ZWLOKA_ZAPISU) return;
    do_zapisu = false;
    if (plik_ustawien.empty()) {
        if (!ostrzezono_o_ustawieniach) I_Warning("no settings folder can be made: the settings are not kept");
        ostrzezono_o_ustawieniach = true;
        return;
    }
    auto pisz = [sciezka = plik_ustawien, tekst = I_FormatSettings(gracza, pominiete)] {
        std::string blad;
        I_ReplaceFile(sciezka, tekst, &blad);
        return blad;
    };
    try {
        zapis = std::async(std::launch::async, pisz);
    } catch (const std::system_error&) {
        zapis = std::async(std::launch::deferred, pisz);  // no second thread: written here
        odbierz_zapis();
    }
}

// A short notice of a setting changed from the keyboard, drawn over the finished frame when it is
// presented, so the game's own frames never hold it.
std::string napis;
double napis_do = 0;
constexpr double CZAS_NAPISU = 1.5;
ALLEGRO_BITMAP* z_napisem = nullptr;  // the finished frame with the notice over it

void sprzataj() {
    if (i_sprzatanie) i_sprzatanie();
}

// The game's own icon in the sizes window managers pick from; without a file the window keeps
// the default icon, which is no reason to stop. An icon larger than any window manager shows is
// skipped: the display server may refuse it whole.
constexpr int NAJWIEKSZA_IKONA = 256;

void ustaw_ikone() {
    ALLEGRO_BITMAP* ikony[4];
    int n = 0;
    // Memory bitmaps: the window system takes the pixels, a texture of each would be made for nothing.
    const int flagi = al_get_new_bitmap_flags();
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
    for (int rozmiar : {16, 32, 48, 128}) {
        std::string plik = plik_mediow("ikona_" + std::to_string(rozmiar) + ".png");
        std::string blad;
        if (ALLEGRO_BITMAP* b = zaladuj_obraz(plik.c_str(), &blad, 1, 1, NAJWIEKSZA_IKONA, NAJWIEKSZA_IKONA))
            ikony[n++] = b;
        else
            I_Warning(plik + ": cannot use the window icon: " + blad);
    }
    al_set_new_bitmap_flags(flagi);
    if (n > 0) al_set_display_icons(ekran, n, ikony);
    for (int k = 0; k < n; ++k) al_destroy_bitmap(ikony[k]);
}

// Where the 800 x 600 picture lies in the window: as large as fits with its shape kept, centred.
struct obszar {
    int x, y, w, h;
};

obszar obszar_obrazu() {
    ALLEGRO_BITMAP* bb = al_get_backbuffer(ekran);
    const int W = al_get_bitmap_width(bb), H = al_get_bitmap_height(bb);
    const double s = std::min(W / double(SZEROKOSC_EKRANU), H / double(WYSOKOSC_EKRANU));
    const int w = std::max(1, static_cast<int>(std::lround(SZEROKOSC_EKRANU * s)));
    const int h = std::max(1, static_cast<int>(std::lround(WYSOKOSC_EKRANU * s)));
    return {(W - w) / 2, (H - h) / 2, w, h};
}

// Drawn at a whole-number scale without filtering, every game pixel is an exact square. Any
// other scale goes through `powiekszony`: the frame enlarged unfiltered by the next whole
// number, then filtered down to size, so edges stay sharp and no pixel column comes out wider
// than its neighbours.
ALLEGRO_BITMAP* powiekszony = nullptr;

void rysuj_w_oknie(ALLEGRO_BITMAP* obraz) {
    const obszar o = obszar_obrazu();
    ALLEGRO_BITMAP* bb = al_get_backbuffer(ekran);
    if (o.w != al_get_bitmap_width(bb) || o.h != al_get_bitmap_height(bb)) al_clear_to_color(al_map_rgb(0, 0, 0));
    const int k = std::max(1, (o.w + SZEROKOSC_EKRANU - 1) / SZEROKOSC_EKRANU);
    if (o.w == SZEROKOSC_EKRANU * k && o.h == WYSOKOSC_EKRANU * k) {
        al_draw_scaled_bitmap(obraz, 0, 0, SZEROKOSC_EKRANU, WYSOKOSC_EKRANU, o.x, o.y, o.w, o.h, 0);
        return;
    }
    if (!powiekszony || al_get_bitmap_width(powiekszony) != SZEROKOSC_EKRANU * k) {
        if (powiekszony) al_destroy_bitmap(powiekszony);
        ALLEGRO_STATE stan_bitmap;
        al_store_state(&stan_bitmap, ALLEGRO_STATE_NEW_BITMAP_PARAMETERS);
        al_set_new_bitmap_flags(ALLEGRO_VIDEO_BITMAP | ALLEGRO_MIN_LINEAR | ALLEGRO_MAG_LINEAR);
        powiekszony = al_create_bitmap(SZEROKOSC_EKRANU * k, WYSOKOSC_EKRANU * k);
        al_restore_state(&stan_bitmap);
    }
    if (!powiekszony) {  // no room for it: unfiltered, but still the right size
        al_draw_scaled_bitmap(obraz, 0, 0, SZEROKOSC_EKRANU, WYSOKOSC_EKRANU, o.x, o.y, o.w, o.h, 0);
        return;
    }
    al_set_target_bitmap(powiekszony);
    al_draw_scaled_bitmap(obraz, 0, 0, SZEROKOSC_EKRANU, WYSOKOSC_EKRANU, 0, 0, SZEROKOSC_EKRANU * k,
                          WYSOKOSC_EKRANU * k, 0);
    al_set_target_backbuffer(ekran);
    al_draw_scaled_bitmap(powiekszony, 0, 0, SZEROKOSC_EKRANU * k, WYSOKOSC_EKRANU * k, o.x, o.y, o.w, o.h, 0);
}

// tylny into gotowa, the whole of it or one rectangle. Through OpenGL this is a plain copy of
// texels, a fifteenth of the cost of drawing a textured rectangle with the software renderer.
void zachowaj_klatke(int x, int y, int w, int h) {
    ALLEGRO_BITMAP* cel = al_get_target_bitmap();
    bool gl = (al_get_display_flags(ekran) & ALLEGRO_OPENGL) && al_get_opengl_texture(gotowa);
    int tw = 0, th = 0, gw = 0, gh = 0;
    if (gl) {
        al_get_opengl_texture_size(tylny, &tw, &th);
        al_get_opengl_texture_size(gotowa, &gw, &gh);
        gl = tw == gw && th == gh;
    }
    if (gl) {
        al_set_target_bitmap(tylny);
        gl = al_get_opengl_fbo(tylny) != 0;
    }
    if (gl) {
        // The texture holds the bitmap bottom row first.
        glBindTexture(GL_TEXTURE_2D, al_get_opengl_texture(gotowa));
        glCopyTexSubImage2D(GL_TEXTURE_2D, 0, x, th - y - h, x, th - y - h, w, h);
    } else {
        ALLEGRO_STATE stan;
        al_store_state(&stan, ALLEGRO_STATE_BLENDER);
        al_set_target_bitmap(gotowa);
        al_set_blender(ALLEGRO_ADD, ALLEGRO_ONE, ALLEGRO_ZERO);
        al_draw_bitmap_region(tylny, x, y, w, h, x, y, 0);
        al_restore_state(&stan);
    }
    al_set_target_bitmap(cel);
}

void pokaz_napis(const std::string& tekst) {
    napis = tekst;
    napis_do = al_get_time() + CZAS_NAPISU;
    brudny = caly = true;
}

// The notice over a copy of the frame, in the picture's own pixels, so it scales with it.
ALLEGRO_BITMAP* obraz_z_napisem() {
    if (!f28) return gotowa;
    if (!z_napisem) z_napisem = al_create_bitmap(SZEROKOSC_EKRANU, WYSOKOSC_EKRANU);
    if (!z_napisem) return gotowa;
    al_set_target_bitmap(z_napisem);
    al_draw_bitmap(gotowa, 0, 0, 0);
    // Over the game's title plate (352 pixels wide, centred at 588), the least needed part of the
    // game's screens: the guess and the board stay in sight.
    const int w = std::max(352, al_get_text_width(f28, napis.c_str()) + 48), h = al_get_font_line_height(f28) + 20;
    const int x = std::min(SZEROKOSC_EKRANU - w, 588 - w / 2), y = 38;
    al_set_clipping_rectangle(x, y, w, h);
    al_clear_to_color(al_map_rgb(236, 196, 64));
    al_set_clipping_rectangle(x + 3, y + 3, w - 6, h - 6);
    al_clear_to_color(al_map_rgb(16, 24, 72));
    al_reset_clipping_rectangle();
    al_set_blender(ALLEGRO_ADD, ALLEGRO_ONE, ALLEGRO_INVERSE_ALPHA);
    al_draw_text(f28, al_map_rgb(255, 255, 255), x + w / 2, y + 10, ALLEGRO_ALIGN_CENTRE, napis.c_str());
    al_set_blender(ALLEGRO_ADD, ALLEGRO_ONE, ALLEGRO_ZERO);
    al_set_target_backbuffer(ekran);
    return z_napisem;
}

// The one place where the finished frame is mapped onto the window.
void pokaz() {
    // Refreshes are counted from when a present starts, so a slow present does not stretch the cadence.
    double poczatek = al_get_time();
    if (niewidoczne) {
        brudny = false;
        caly = true;
        ostatni_pokaz = poczatek;
        return;
    }
    ALLEGRO_BITMAP* cel = al_get_target_bitmap();
    ALLEGRO_STATE stan;
    al_store_state(&stan, ALLEGRO_STATE_BLENDER);
    al_set_target_backbuffer(ekran);
    al_set_blender(ALLEGRO_ADD, ALLEGRO_ONE, ALLEGRO_ZERO);
    ALLEGRO_BITMAP* bb = al_get_backbuffer(ekran);
    const int zw = zmiana_x1 - zmiana_x0, zh = zmiana_y1 - zmiana_y0;
    const bool napis_widac = napis_do > 0;
    if (I_ExtrasCanCopyArea() && !caly && !napis_widac && !rozmiar_niepewny && zw > 0 && zh > 0 &&
        zw * zh < SZEROKOSC_EKRANU * WYSOKOSC_EKRANU / 2 && al_get_bitmap_width(bb) == SZEROKOSC_EKRANU &&
        al_get_bitmap_height(bb) == WYSOKOSC_EKRANU) {
        al_draw_bitmap_region(gotowa, zmiana_x0, zmiana_y0, zw, zh, zmiana_x0, zmiana_y0, 0);
        I_ExtrasCopyArea(zmiana_x0, WYSOKOSC_EKRANU - zmiana_y1, zw, zh);
    } else {
        rysuj_w_oknie(napis_widac ? obraz_z_napisem() : gotowa);
        al_flip_display();
    }
    caly = false;
    zmiana_x0 = SZEROKOSC_EKRANU, zmiana_y0 = WYSOKOSC_EKRANU, zmiana_x1 = 0, zmiana_y1 = 0;
    al_restore_state(&stan);
    al_set_target_bitmap(cel);
    ostatni_pokaz = poczatek;
    if (!w_odpoczynku) pokazy_poza += al_get_time() - poczatek;
    brudny = false;
    ++pokazy;
    SLAD("present");
}

// F11 and Alt+Enter switch fullscreen; the game never sees them. Whether Alt belongs to an Enter
// is read from that Enter's own press, which carries the modifiers held at that moment (Allegro
// 5.2 fills them in for key presses on every system): an Alt remembered from earlier events would
// stick whenever the window manager takes its release (Alt+Tab). An Enter pressed with Alt stays
// hidden from the polled state until a poll finds it released.
bool enter_w_akordzie = false;  // the typed-character events of that Enter are dropped until its release
bool enter_ukryty = false;      // the polled state shows that Enter up

bool enter(int klawisz) { return klawisz == ALLEGRO_KEY_ENTER || klawisz == ALLEGRO_KEY_PAD_ENTER; }

void przelacz_pelny_ekran() {
    const bool pelny = al_get_display_flags(ekran) & ALLEGRO_FULLSCREEN_WINDOW;
    al_set_display_flag(ekran, ALLEGRO_FULLSCREEN_WINDOW, !pelny);
    brudny = caly = rozmiar_niepewny = true;
}

// The sound keys: on and off, and the volume a step down or up (never to nothing: that is "off").
// A volume key switches the sound on too: whoever changes the volume wants to hear it.
constexpr int KROK_GLOSNOSCI = 20;

void klawisz_dzwieku(int klawisz) {
    if (klawisz == ALLEGRO_KEY_F9) {
        gracza.dzwiek = !gracza.dzwiek;
    } else if (klawisz == ALLEGRO_KEY_F7) {
        gracza.dzwiek = true;
        const int nizej = (gracza.glosnosc - 1) / KROK_GLOSNOSCI * KROK_GLOSNOSCI;
        gracza.glosnosc = nizej >= KROK_GLOSNOSCI ? nizej : std::min(gracza.glosnosc, KROK_GLOSNOSCI);
    } else {
        gracza.dzwiek = true;
        gracza.glosnosc = std::min(100, (gracza.glosnosc / KROK_GLOSNOSCI + 1) * KROK_GLOSNOSCI);
    }
    I_SetSound(gracza.dzwiek, gracza.glosnosc);
    zmienione();
    if (klawisz == ALLEGRO_KEY_F9)
        pokaz_napis(gracza.dzwiek ? "Dźwięk włączony" : "Dźwięk wyłączony");
    else
        pokaz_napis("Głośność " + std::to_string(gracza.glosnosc) + " %");
}

bool klawisz_glosu(int klawisz) {
    return klawisz == ALLEGRO_KEY_F9 || klawisz == ALLEGRO_KEY_F7 || klawisz == ALLEGRO_KEY_F8;
}

// A switch asked for by the player is kept for the next run (unlike --fullscreen).
void przelacz_na_zyczenie() {
    przelacz_pelny_ekran();
    gracza.pelny_ekran = al_get_display_flags(ekran) & ALLEGRO_FULLSCREEN_WINDOW;
    zmienione();
}

void do_pisania(const ALLEGRO_EVENT& e) {
    if (pisanie_otwarte) pisanie.push_back(e);
}

// Passes a keystroke on to the typing reader, less the fullscreen switches and the sound keys.
void klawisz(const ALLEGRO_EVENT& e) {
    const int kod = e.keyboard.keycode;
    if (kod == ALLEGRO_KEY_F11) {
        if (e.type == ALLEGRO_EVENT_KEY_DOWN) przelacz_na_zyczenie();
        return;
    }
    if (klawisz_glosu(kod)) {
        if (e.type == ALLEGRO_EVENT_KEY_DOWN) klawisz_dzwieku(kod);
        return;
    }
    if (enter(kod) && e.type == ALLEGRO_EVENT_KEY_DOWN) {
        enter_w_akordzie = enter_ukryty = e.keyboard.modifiers & ALLEGRO_KEYMOD_ALT;
        if (enter_w_akordzie) {
            przelacz_na_zyczenie();
            return;
        }
    }
    const bool w_akordzie = enter(kod) && enter_w_akordzie;
    if (enter(kod) && e.type == ALLEGRO_EVENT_KEY_UP) enter_w_akordzie = false;
    if (!w_akordzie) do_pisania(e);
}

void pompuj() {
    if (I_SysQuitRequested()) zamkniecie = true;
    if (!zdarzenia_okna) return;
    if (napis_do > 0 && al_get_time() >= napis_do) {
        napis_do = 0;
        brudny = caly = true;
    }
    pilnuj_zapisu();
    ALLEGRO_EVENT e;
    while (al_get_next_event(zdarzenia_okna, &e)) {
        switch (e.type) {
        case ALLEGRO_EVENT_DISPLAY_CLOSE: zamkniecie = true; break;
        case ALLEGRO_EVENT_DISPLAY_RESIZE:
            al_acknowledge_resize(ekran);
            brudny = caly = true;
            rozmiar_niepewny = false;
            if (!(al_get_display_flags(ekran) & ALLEGRO_FULLSCREEN_WINDOW) &&
                (al_get_display_width(ekran) != gracza.szerokosc || al_get_display_height(ekran) != gracza.wysokosc)) {
                gracza.szerokosc = std::max(I_NAJMNIEJSZE_OKNO_W, al_get_display_width(ekran));
                gracza.wysokosc = std::max(I_NAJMNIEJSZE_OKNO_H, al_get_display_height(ekran));
                zmienione();
            }
            break;
        case ALLEGRO_EVENT_DISPLAY_EXPOSE: brudny = caly = true; break;
        case ALLEGRO_EVENT_DISPLAY_SWITCH_IN: brudny = caly = true; break;
        case ALLEGRO_EVENT_KEY_DOWN:
            if (e.keyboard.keycode == ALLEGRO_KEY_ESCAPE) escape_od_odczytu = true;
            [[fallthrough]];
        case ALLEGRO_EVENT_KEY_CHAR:
        case ALLEGRO_EVENT_KEY_UP: klawisz(e); break;
        case ALLEGRO_EVENT_MOUSE_BUTTON_DOWN:
            if (e.mouse.button >= 1 && e.mouse.button <= 31) przyciski_od_odczytu |= 1 << (e.mouse.button - 1);
            break;
        }
    }
    const bool ukryte = (al_get_display_flags(ekran) & ALLEGRO_MINIMIZED) || I_SysWindowMinimised(ekran) || I_ExtrasWindowHidden();
    if (ukryte != niewidoczne) {
        niewidoczne = ukryte;
        if (!ukryte) brudny = caly = true;
    }
}

// Sleeps until `koniec`, showing a finished frame not yet shown as soon as its refresh comes.
void spij_do(double koniec) {
    w_odpoczynku = true;
    for (;;) {
        pompuj();
        double teraz = al_get_time();
        if (brudny && teraz >= ostatni_pokaz + okres) {
            pokaz();
            continue;
        }
        if (teraz >= koniec) break;
        double do_kiedy = koniec;
        if (brudny && ostatni_pokaz + okres < do_kiedy) do_kiedy = ostatni_pokaz + okres;
        if (napis_do > 0 && napis_do < do_kiedy) do_kiedy = napis_do;
        // A keystroke wakes the rest, so the window's and the sound's keys act at once.
        if (zdarzenia_okna)
            al_wait_for_event_timed(zdarzenia_okna, nullptr, static_cast<float>(do_kiedy - teraz));
        else
            al_rest(do_kiedy - teraz);
    }
    w_odpoczynku = false;
    koniec_odpoczynku = al_get_time();
    pokazy_poza = 0;
}

}  // namespace

bool I_Init() {
    if (!al_init()) return false;
    // Keyboard and mouse come through the display server, so without one they fail first: say
    // what is really missing.
    if (!al_install_keyboard() || !al_install_mouse())
        I_Error("cannot open a display: the keyboard and mouse could not be installed (no display server to reach)");
    if (!al_init_image_addon() || !al_init_font_addon() || !al_init_ttf_addon()) return false;
    I_SysInstallHandlers(sprzataj);
    // Registered after al_init, so it runs before the library's own shutdown at exit.
    std::atexit(sprzataj);
    I_TraceOpen();
    wczytaj_ustawienia();
    return true;
}

void I_InitSound() {
    if (!I_InstallMixer()) I_Warning("no audio device: the game plays silently");
    I_SetSound(gracza.dzwiek, gracza.glosnosc);
}

void I_StartFullscreen() { pelny_na_starcie = true; }

bool I_InitGraphics(const char* tytul) {
    // A window uncovered or restored must be drawn again: without a compositor it keeps what covered it.
    const int flagi = ALLEGRO_WINDOWED | ALLEGRO_RESIZABLE | ALLEGRO_GENERATE_EXPOSE_EVENTS;
    // The window kept from the last run, but never larger than the screen it opens on.
    int w = gracza.szerokosc, h = gracza.wysokosc;
    ALLEGRO_MONITOR_INFO monitor;
    if (al_get_monitor_info(0, &monitor)) {
        w = std::max(I_NAJMNIEJSZE_OKNO_W, std::min(w, monitor.x2 - monitor.x1));
        h = std::max(I_NAJMNIEJSZE_OKNO_H, std::min(h, monitor.y2 - monitor.y1));
    }
    // OpenGL where it has framebuffer objects: the finished frame is kept with a texel copy there
    // (under X11 the only driver; on Windows Direct3D through Wine costs ten times the CPU).
    // Elsewhere, or where it is missing, the system's default driver.
    al_set_new_display_flags(flagi | ALLEGRO_OPENGL);
    ekran = al_create_display(w, h);
    if (ekran && al_get_opengl_version() < 0x03000000 && !al_have_opengl_extension("GL_EXT_framebuffer_object")) {
        al_destroy_display(ekran);
        ekran = nullptr;
    }
    if (!ekran) {
        al_set_new_display_flags(flagi);
        ekran = al_create_display(w, h);
    }
    if (!ekran) {
        const std::string powod = I_ExtrasNoWindowReason();
        if (!powod.empty()) I_Error("cannot open a display: no OpenGL window could be created: " + powod);
        return false;
    }
    al_set_window_constraints(ekran, I_NAJMNIEJSZE_OKNO_W, I_NAJMNIEJSZE_OKNO_H, 0, 0);
    al_apply_window_constraints(ekran, true);
    I_ExtrasInit(ekran, sprzataj);
    al_set_window_title(ekran, tytul);
    ustaw_ikone();
    int hz = al_get_display_refresh_rate(ekran);
    if (hz >= 24 && hz <= 500) okres = 1.0 / hz;
    tylny = al_create_bitmap(SZEROKOSC_EKRANU, WYSOKOSC_EKRANU);
    gotowa = al_create_bitmap(SZEROKOSC_EKRANU, WYSOKOSC_EKRANU);
    al_set_target_bitmap(gotowa);
    al_clear_to_color(al_map_rgb(0, 0, 0));
    al_set_target_bitmap(tylny);
    al_clear_to_color(al_map_rgb(0, 0, 0));
    zdarzenia_okna = al_create_event_queue();
    al_register_event_source(zdarzenia_okna, al_get_display_event_source(ekran));
    al_register_event_source(zdarzenia_okna, al_get_keyboard_event_source());
    al_register_event_source(zdarzenia_okna, al_get_mouse_event_source());
    // --fullscreen wins for this run, and is not kept unless the player switches.
    if (pelny_na_starcie || gracza.pelny_ekran) przelacz_pelny_ekran();
    pokaz();
    // The first present sets up the context and is slow; the schedule starts after it.
    harmonogram = koniec_odpoczynku = al_get_time();
    pokazy_poza = 0;
    return true;
}

void I_ShutdownGraphics() {
    if (zapis.valid()) odbierz_zapis();
    zmiana_ustawien = -ZWLOKA_ZAPISU;
    pilnuj_zapisu();
    if (zapis.valid()) odbierz_zapis();
    I_CloseTyping();
    if (zdarzenia_okna) al_destroy_event_queue(zdarzenia_okna);
    zdarzenia_okna = nullptr;
    if (tylny) al_destroy_bitmap(tylny);
    tylny = nullptr;
    if (powiekszony) al_destroy_bitmap(powiekszony);
    powiekszony = nullptr;
    if (z_napisem) al_destroy_bitmap(z_napisem);
    z_napisem = nullptr;
    if (gotowa) al_destroy_bitmap(gotowa);
    gotowa = nullptr;
    if (ekran) al_destroy_display(ekran);
    ekran = nullptr;
    I_TraceClose();
}

std::string I_ProgramDirectory() {
    ALLEGRO_PATH* p = al_get_standard_path(ALLEGRO_EXENAME_PATH);
    if (!p) return "";
    al_set_path_filename(p, nullptr);
    std::string katalog = al_path_cstr(p, ALLEGRO_NATIVE_PATH_SEP);
    al_destroy_path(p);
    return katalog;
}

// Leaves without touching the display or the library's shutdown: after a failed load they may
// never return, and the process's end releases them anyway.
void I_Error(const std::string& komunikat) {
    sprzataj();
    I_SysShowError(komunikat);
    I_TraceClose();
    I_SysExit(1);
}

void I_Warning(const std::string& komunikat) { std::fprintf(stderr, "brolik: warning: %s\n", komunikat.c_str()); }

void I_FinishUpdate() { I_FinishArea(0, 0, SZEROKOSC_EKRANU, WYSOKOSC_EKRANU); }

void I_FinishArea(int x, int y, int w, int h) {
    SLAD("flip");
    if (x < 0) w += x, x = 0;
    if (y < 0) h += y, y = 0;
    if (x + w > SZEROKOSC_EKRANU) w = SZEROKOSC_EKRANU - x;
    if (y + h > WYSOKOSC_EKRANU) h = WYSOKOSC_EKRANU - y;
    if (w > 0 && h > 0) {
        zachowaj_klatke(x, y, w, h);
        zmiana_x0 = std::min(zmiana_x0, x), zmiana_y0 = std::min(zmiana_y0, y);
        zmiana_x1 = std::max(zmiana_x1, x + w), zmiana_y1 = std::max(zmiana_y1, y + h);
    }
    brudny = true;
    pompuj();
    if (I_PresentDue()) pokaz();
}

bool I_PresentDue() { return al_get_time() >= ostatni_pokaz + okres; }

void I_FinishUnchanged() {
    pompuj();
    double teraz = al_get_time();
    if (brudny) {
        if (I_PresentDue()) pokaz();
        return;
    }
    if (i_slad_wlaczony && !niewidoczne && teraz >= ostatni_pokaz + okres && teraz >= ostatnia_nota + okres) {
        SLAD("flip =");
        SLAD("present");
        ostatnia_nota = teraz;
    }
}

void I_RestFull(double sekundy) {
    spij_do(al_get_time() + sekundy);
    // What this rest owed the schedule is settled: the rests after it start from now.
    harmonogram = koniec_odpoczynku;
}

void I_Rest(double sekundy) {
    double teraz = al_get_time();
    if (teraz - koniec_odpoczynku - pokazy_poza > NAJWIECEJ_PRACY)
        harmonogram = teraz - pokazy_poza - NAJWIECEJ_PRACY;
    harmonogram += sekundy;
    if (harmonogram < teraz - NAJWIEKSZE_OPOZNIENIE) harmonogram = teraz - NAJWIEKSZE_OPOZNIENIE;
    spij_do(harmonogram);
}

double I_GetTime() { return al_get_time(); }

long I_Presents() { return pokazy; }

void I_GetKeyboardState(i_klawiatura* stan) {
    ALLEGRO_KEYBOARD_STATE al;
    al_get_keyboard_state(&al);
    // A key the state shows down has its press queued already: pumping again classifies it.
    pompuj();
    for (int k = 0; k < ALLEGRO_KEY_MAX; ++k) I_SetKey(stan, k, al_key_down(&al, k));
    for (int k : {ALLEGRO_KEY_F11, ALLEGRO_KEY_F9, ALLEGRO_KEY_F7, ALLEGRO_KEY_F8}) I_SetKey(stan, k, false);
    if (enter_ukryty) {
        if (I_KeyDown(stan, ALLEGRO_KEY_ENTER) || I_KeyDown(stan, ALLEGRO_KEY_PAD_ENTER)) {
            I_SetKey(stan, ALLEGRO_KEY_ENTER, false);
            I_SetKey(stan, ALLEGRO_KEY_PAD_ENTER, false);
        } else {
            enter_ukryty = false;
        }
    }
    if (zamkniecie || escape_od_odczytu) I_SetKey(stan, ALLEGRO_KEY_ESCAPE, true);
    escape_od_odczytu = false;
}

// The game sees the mouse in its own 800 x 600 pixels; over the black bars it is outside them.
void I_GetMouseState(ALLEGRO_MOUSE_STATE* stan) {
    pompuj();
    al_get_mouse_state(stan);
    stan->buttons |= przyciski_od_odczytu;
    przyciski_od_odczytu = 0;
    if (!ekran) return;
    const obszar o = obszar_obrazu();
    if (stan->x < o.x || stan->y < o.y || stan->x >= o.x + o.w || stan->y >= o.y + o.h) {
        stan->x = stan->y = -1;
        return;
    }
    // A window pixel belongs to the game pixel under its centre.
    stan->x = static_cast<int>(std::floor((stan->x - o.x + 0.5) * SZEROKOSC_EKRANU / o.w));
    stan->y = static_cast<int>(std::floor((stan->y - o.y + 0.5) * WYSOKOSC_EKRANU / o.h));
}

void I_ShowMouseCursor() {
    if (ekran) al_show_mouse_cursor(ekran);
}

void I_HideMouseCursor() {
    if (ekran) al_hide_mouse_cursor(ekran);
}

void I_OpenTyping() {
    pompuj();  // keystrokes and taps made before the opening are dropped
    pisanie.clear();
    przyciski_od_odczytu = 0;
    pisanie_otwarte = true;
}

bool I_NextTyped(ALLEGRO_EVENT* e) {
    pompuj();
    if (pisanie.empty()) return false;
    *e = pisanie.front();
    pisanie.pop_front();
    return true;
}

void I_FlushTyping() {
    pompuj();
    pisanie.clear();
}

void I_CloseTyping() {
    pisanie_otwarte = false;
    pisanie.clear();
}

bool i_slad_wlaczony = false;

void I_TraceOpen() {
    const char* plik = std::getenv("BROLIK_TRACE");
    if (!plik || !*plik || plik_sladu) return;
    plik_sladu = std::fopen(plik, "wb");  // binary: lines end in LF on every system
    i_slad_wlaczony = plik_sladu != nullptr;
    start_czasu = al_get_time();
}

void I_TraceLine(const char* co) {
    if (!plik_sladu) return;
    std::fprintf(plik_sladu, "%.4f %s\n", al_get_time() - start_czasu, co);
    std::fflush(plik_sladu);
}

void I_TraceClose() {
    if (plik_sladu) {
        I_TraceLine("exit");
        std::fclose(plik_sladu);
    }
    plik_sladu = nullptr;
    i_slad_wlaczony = false;
}
