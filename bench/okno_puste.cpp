// The reference for the start-up and memory figures: an empty Allegro window, opened and flipped once.
#include <allegro5/allegro.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

int main() {
    if (!al_init()) return 1;
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
