// The real platform: the window and its presentation, the paced clock, keyboard, mouse, close requests and the trace file.
#include <allegro5/allegro.h>
#include <allegro5/allegro_font.h>
#include <allegro5/allegro_image.h>
#include <allegro5/allegro_ttf.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "i_system.h"
#include "state.h"

ALLEGRO_BITMAP* tylny = nullptr;
void (*i_sprzatanie)() = nullptr;

namespace {

ALLEGRO_EVENT_QUEUE* zdarzenia_okna = nullptr;  // close requests, exposes
ALLEGRO_EVENT_QUEUE* pisanie = nullptr;         // typed characters
volatile std::sig_atomic_t sygnal = 0;
bool zamkniecie = false;  // a close request or a signal: Escape held from now on

// Pacing. `harmonogram` is when the game's rests say it should be; rests sleep until then,
// so drawing time is absorbed instead of added. Frames reach the window at most once per
// refresh (`okres`), and a frame not yet shown is shown before the game sleeps past it.
double harmonogram = 0;
double ostatni_pokaz = -1;
double okres = 1.0 / 60;
bool brudny = false;
long pokazy = 0;
// The game never waits for a lag longer than this to be caught up (a dragged window, a stall).
constexpr double NAJWIEKSZE_OPOZNIENIE = 0.25;
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

// A signal asks for the orderly way out (Escape held). If the game does not get there within
// this long, or a second signal comes, it leaves at once: a signal always ends the program.
constexpr unsigned CZAS_NA_WYJSCIE = 3;

void sprzataj() {
    if (i_sprzatanie) i_sprzatanie();
}

void pisz_bez_bufora(const char* tekst) {
    ssize_t n = write(STDERR_FILENO, tekst, std::strlen(tekst));
    (void)n;
}

void na_sygnal(int nr) {
    if (sygnal) {
        sprzataj();
        _exit(128 + sygnal);
    }
    sygnal = nr;
    alarm(CZAS_NA_WYJSCIE);
}

void na_alarm(int) {
    sprzataj();
    pisz_bez_bufora("brolik: no orderly exit after the signal; leaving at once\n");
    _exit(128 + (sygnal ? sygnal : SIGALRM));
}

// A crash removes the scratch picture and then ends as it would have.
void na_awarie(int nr) {
    sprzataj();
    std::signal(nr, SIG_DFL);
    std::raise(nr);
}

// Xlib would exit through the library's own shutdown, which then talks to the dead server (an abort).
int na_utrate_x(Display*) {
    sprzataj();
    pisz_bez_bufora("brolik: the connection to the display server is lost\n");
    _exit(1);
}

// The one place where the screen bitmap is mapped onto the window.
void pokaz() {
    // Refreshes are counted from when a present starts, so a slow present does not stretch the cadence.
    double poczatek = al_get_time();
    ALLEGRO_BITMAP* cel = al_get_target_bitmap();
    ALLEGRO_STATE stan;
    al_store_state(&stan, ALLEGRO_STATE_BLENDER);
    al_set_target_backbuffer(ekran);
    al_set_blender(ALLEGRO_ADD, ALLEGRO_ONE, ALLEGRO_ZERO);
    al_draw_bitmap(tylny, 0, 0, 0);
    al_flip_display();
    al_restore_state(&stan);
    al_set_target_bitmap(cel);
    ostatni_pokaz = poczatek;
    if (!w_odpoczynku) pokazy_poza += al_get_time() - poczatek;
    brudny = false;
    ++pokazy;
    SLAD("present");
}

void pompuj() {
    if (sygnal) zamkniecie = true;
    if (!zdarzenia_okna) return;
    ALLEGRO_EVENT e;
    while (al_get_next_event(zdarzenia_okna, &e)) {
        if (e.type == ALLEGRO_EVENT_DISPLAY_CLOSE) zamkniecie = true;
        if (e.type == ALLEGRO_EVENT_DISPLAY_EXPOSE || e.type == ALLEGRO_EVENT_DISPLAY_SWITCH_IN) brudny = true;
    }
}

}  // namespace

bool I_Init() {
    if (!al_init()) return false;
    // Keyboard and mouse come through the display server, so without one they fail first: say
    // what is really missing.
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) I_Error("cannot open a display: is DISPLAY set?");
    if (!al_install_keyboard() || !al_install_mouse())
        I_Error("cannot open a display: is DISPLAY set and the X server running?");
    if (!al_init_image_addon() || !al_init_font_addon() || !al_init_ttf_addon()) return false;
    for (int nr : {SIGINT, SIGTERM, SIGHUP}) std::signal(nr, na_sygnal);
    std::signal(SIGALRM, na_alarm);
    for (int nr : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) std::signal(nr, na_awarie);
    // Registered after al_init, so it runs before the library's own shutdown at exit.
    std::atexit(sprzataj);
    I_TraceOpen();
    return true;
}

void I_InitSound() {
    if (!I_InstallMixer()) I_Warning("no audio device: the game plays silently");
}

bool I_InitGraphics(const char* tytul) {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) return false;
    ekran = al_create_display(800, 600);
    if (!ekran) return false;
    XSetIOErrorHandler(na_utrate_x);
    al_set_window_title(ekran, tytul);
    int hz = al_get_display_refresh_rate(ekran);
    if (hz >= 24 && hz <= 500) okres = 1.0 / hz;
    tylny = al_create_bitmap(800, 600);
    al_set_target_bitmap(tylny);
    al_clear_to_color(al_map_rgb(0, 0, 0));
    zdarzenia_okna = al_create_event_queue();
    al_register_event_source(zdarzenia_okna, al_get_display_event_source(ekran));
    pokaz();
    // The first present sets up the context and is slow; the schedule starts after it.
    harmonogram = koniec_odpoczynku = al_get_time();
    pokazy_poza = 0;
    return true;
}

void I_ShutdownGraphics() {
    I_CloseTyping();
    if (zdarzenia_okna) al_destroy_event_queue(zdarzenia_okna);
    zdarzenia_okna = nullptr;
    if (tylny) al_destroy_bitmap(tylny);
    tylny = nullptr;
    if (ekran) al_destroy_display(ekran);
    ekran = nullptr;
    I_TraceClose();
}

// Leaves without touching the display or the library's shutdown: after a failed load they may
// never return, and the process's end releases them anyway.
void I_Error(const std::string& komunikat) {
    std::fprintf(stderr, "brolik: %s\n", komunikat.c_str());
    std::fflush(stderr);
    sprzataj();
    I_TraceClose();
    _exit(1);
}

void I_Warning(const std::string& komunikat) { std::fprintf(stderr, "brolik: warning: %s\n", komunikat.c_str()); }

void I_FinishUpdate() {
    SLAD("flip");
    brudny = true;
    pompuj();
    if (al_get_time() >= ostatni_pokaz + okres) pokaz();
}

void I_Rest(double sekundy) {
    double teraz = al_get_time();
    if (teraz - koniec_odpoczynku - pokazy_poza > NAJWIECEJ_PRACY)
        harmonogram = teraz - pokazy_poza - NAJWIECEJ_PRACY;
    harmonogram += sekundy;
    if (harmonogram < teraz - NAJWIEKSZE_OPOZNIENIE) harmonogram = teraz - NAJWIEKSZE_OPOZNIENIE;
    w_odpoczynku = true;
    for (;;) {
        pompuj();
        teraz = al_get_time();
        if (brudny && teraz >= ostatni_pokaz + okres) {
            pokaz();
            continue;
        }
        if (teraz >= harmonogram) break;
        double do_kiedy = harmonogram;
        if (brudny && ostatni_pokaz + okres < do_kiedy) do_kiedy = ostatni_pokaz + okres;
        al_rest(do_kiedy - teraz);
    }
    w_odpoczynku = false;
    koniec_odpoczynku = al_get_time();
    pokazy_poza = 0;
}

double I_GetTime() { return al_get_time(); }

long I_Presents() { return pokazy; }

void I_GetKeyboardState(ALLEGRO_KEYBOARD_STATE* stan) {
    pompuj();
    al_get_keyboard_state(stan);
    if (zamkniecie) stan->__key_down__internal__[ALLEGRO_KEY_ESCAPE / 32] |= 1u << (ALLEGRO_KEY_ESCAPE % 32);
}

void I_GetMouseState(ALLEGRO_MOUSE_STATE* stan) {
    pompuj();
    al_get_mouse_state(stan);
}

void I_ShowMouseCursor() {
    if (ekran) al_show_mouse_cursor(ekran);
}

void I_HideMouseCursor() {
    if (ekran) al_hide_mouse_cursor(ekran);
}

void I_OpenTyping() {
    if (!pisanie) {
        pisanie = al_create_event_queue();
        al_register_event_source(pisanie, al_get_keyboard_event_source());
    }
    al_flush_event_queue(pisanie);
}

bool I_NextTyped(ALLEGRO_EVENT* e) { return pisanie && al_get_next_event(pisanie, e); }

void I_FlushTyping() {
    if (pisanie) al_flush_event_queue(pisanie);
}

void I_CloseTyping() {
    if (pisanie) al_destroy_event_queue(pisanie);
    pisanie = nullptr;
}

bool i_slad_wlaczony = false;

void I_TraceOpen() {
    const char* plik = std::getenv("BROLIK_TRACE");
    if (!plik || !*plik || plik_sladu) return;
    plik_sladu = std::fopen(plik, "w");
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
