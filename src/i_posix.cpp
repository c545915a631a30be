// The operating system under POSIX: signals, a crash's last words, leaving at once, and the scratch picture's file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "i_local.h"
#include "i_system.h"

namespace {

volatile std::sig_atomic_t sygnal = 0;
void (*sprzataj_przy_wyjsciu)() = nullptr;

// A signal asks for the orderly way out (Escape held). If the game does not get there within
// this long, or a second signal comes, it leaves at once: a signal always ends the program.
constexpr unsigned CZAS_NA_WYJSCIE = 3;

void sprzataj() {
    if (sprzataj_przy_wyjsciu) sprzataj_przy_wyjsciu();
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
    I_SysWriteError("brolik: no orderly exit after the signal; leaving at once\n");
    _exit(128 + (sygnal ? sygnal : SIGALRM));
}

// A crash removes the scratch picture and then ends as it would have.
void na_awarie(int nr) {
    sprzataj();
    std::signal(nr, SIG_DFL);
    std::raise(nr);
}

// The scratch picture written: its identity, so removing it takes that file and no other.
volatile std::sig_atomic_t ekr_nasz = 0;
dev_t ekr_urzadzenie = 0;
ino_t ekr_wezel = 0;
char ekr_nazwa[256] = "";
// The new file while it is being written, so a way out at that moment removes it too.
char tymczasowy[256 + 8] = "";
volatile std::sig_atomic_t pisany = 0;

// True when the name still holds the regular file written (not a link or a directory put in its place).
bool ekr_nietkniety() {
    struct stat st;
    return ekr_nasz && lstat(ekr_nazwa, &st) == 0 && S_ISREG(st.st_mode) && st.st_dev == ekr_urzadzenie &&
           st.st_ino == ekr_wezel;
}

}  // namespace

void I_SysInstallHandlers(void (*sprzataj_)()) {
    sprzataj_przy_wyjsciu = sprzataj_;
    for (int nr : {SIGINT, SIGTERM, SIGHUP}) std::signal(nr, na_sygnal);
    std::signal(SIGALRM, na_alarm);
    for (int nr : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) std::signal(nr, na_awarie);
}

bool I_SysQuitRequested() { return sygnal != 0; }

void I_SysWriteError(const char* tekst) {
    ssize_t n = write(STDERR_FILENO, tekst, std::strlen(tekst));
    (void)n;
}

void I_SysShowError(const std::string& komunikat) {
    std::fprintf(stderr, "brolik: %s\n", komunikat.c_str());
    std::fflush(stderr);
}

void I_SysExit(int status) { _exit(status); }

bool I_WriteScratch(const char* nazwa, ALLEGRO_BITMAP* b) {
    if (std::strlen(nazwa) >= sizeof ekr_nazwa) return false;
    std::snprintf(tymczasowy, sizeof tymczasowy, "%s.XXXXXX", nazwa);
    int fd = mkstemp(tymczasowy);
    if (fd < 0) return false;
    pisany = 1;
    struct stat st;
    bool ok = fstat(fd, &st) == 0;
    ALLEGRO_FILE* f = al_fopen_fd(fd, "wb");
    if (!f) close(fd);
    ok = ok && f && al_save_bitmap_f(f, ".png", b);
    if (f) ok = al_fclose(f) && ok;
    if (ok) {
        // Ours before the rename: a way out just after it still finds the file by its identity.
        std::strcpy(ekr_nazwa, nazwa);
        ekr_urzadzenie = st.st_dev;
        ekr_wezel = st.st_ino;
        ekr_nasz = 1;
        ok = std::rename(tymczasowy, nazwa) == 0;
    }
    if (!ok) {
        ekr_nasz = 0;
        unlink(tymczasowy);
    }
    pisany = 0;
    return ok;
}

void I_RemoveScratch() {
    if (pisany) unlink(tymczasowy);
    if (ekr_nietkniety()) unlink(ekr_nazwa);
    ekr_nasz = 0;
}
