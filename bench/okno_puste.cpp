// The references for the start-up and memory figures: an empty Allegro window, opened and flipped once; built with Z_DODATKAMI, the same after the add-ons, audio, keyboard and mouse the game installs.
#include <allegro5/allegro.h>

#ifdef Z_DODATKAMI
#include <allegro5/allegro_acodec.h>
#include <allegro5/allegro_audio.h>
#include <allegro5/allegro_font.h>
#include <allegro5/allegro_image.h>
#include <allegro5/allegro_ttf.h>
#endif

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

int main() {
    if (!al_init()) return 1;
#ifdef Z_DODATKAMI
    // What any game of this kind pays before its first frame; the game's own work is what it adds.
    if (!al_install_keyboard() || !al_install_mouse()) return 1;
    if (!al_init_image_addon() || !al_init_font_addon() || !al_init_ttf_addon()) return 1;
    if (al_install_audio()) {
        al_init_acodec_addon();
        al_reserve_samples(13);
    }
    al_set_new_display_flags(ALLEGRO_WINDOWED | ALLEGRO_RESIZABLE);
#endif
    ALLEGRO_DISPLAY* d = al_create_display(800, 600);
    if (!d) return 1;
    al_clear_to_color(al_map_rgb(0, 0, 0));
    al_flip_display();
    // The same mark the game's trace writes for a frame that reached the window.
    if (const char* plik = std::getenv("BROLIK_TRACE")) {
        if (FILE* f = std::fopen(plik, "w")) {
            std::fprintf(f, "%.4f present\n", al_get_time());
            std::fclose(f);
        }
    }
    // Stays open until told to go, so its peak memory can be read.
    sigset_t s;
    sigemptyset(&s);
    sigaddset(&s, SIGTERM);
    sigaddset(&s, SIGINT);
    sigprocmask(SIG_BLOCK, &s, nullptr);
    int sygnal;
    sigwait(&s, &sygnal);
    al_destroy_display(d);
    return 0;
}
