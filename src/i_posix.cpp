// The operating system under POSIX: signals, a crash's last words, leaving at once, the scratch picture's file, the check of a file before it is read, and the files kept between runs.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

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

bool I_SysWindowMinimised(ALLEGRO_DISPLAY*) { return false; }

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

namespace {

std::string opis(int nr) { return std::strerror(nr); }

bool zapisz_calosc(int fd, const std::string& tresc) {
    size_t zapisane = 0;
    while (zapisane < tresc.size()) {
        ssize_t n = write(fd, tresc.data() + zapisane, tresc.size() - zapisane);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        zapisane += static_cast<size_t>(n);
    }
    return true;
}

int blokada = -1;

}  // namespace

bool I_ReadFile(const std::string& sciezka, size_t najwiecej, std::string* tresc, std::string* blad) {
    blad->clear();
    // Non-blocking, so a pipe put in the file's place cannot stop the game at its open.
    int fd = open(sciezka.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT) *blad = opis(errno);
        return false;
    }
    struct stat st = {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        *blad = S_ISDIR(st.st_mode) ? "a directory, not a file" : "not a regular file";
        close(fd);
        return false;
    }
    std::string t;
    char kawalek[4096];
    for (;;) {
        ssize_t n = read(fd, kawalek, sizeof kawalek);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) *blad = opis(errno);
        if (n > 0 && t.size() + n > najwiecej) *blad = "larger than " + std::to_string(najwiecej) + " bytes";
        if (n <= 0 || !blad->empty()) break;
        t.append(kawalek, static_cast<size_t>(n));
    }
    close(fd);
    if (!blad->empty()) return false;
    *tresc = std::move(t);
    return true;
}

bool I_ReplaceFile(const std::string& sciezka, const std::string& tresc, std::string* blad) {
    std::string nazwa = sciezka + ".XXXXXX";
    int fd = mkostemp(nazwa.data(), O_CLOEXEC);
    if (fd < 0) {
        *blad = "cannot create a new file beside it: " + opis(errno);
        return false;
    }
    // mkostemp makes it private to the user; a file a person may read and edit is not secret.
    bool ok = fchmod(fd, 0644) == 0 && zapisz_calosc(fd, tresc) && fsync(fd) == 0;
    int nr = errno;
    if (close(fd) != 0 && ok) ok = false, nr = errno;
    if (ok && std::rename(nazwa.c_str(), sciezka.c_str()) != 0) ok = false, nr = errno;
    if (!ok) {
        unlink(nazwa.c_str());
        *blad = opis(nr);
        return false;
    }
    // The rename itself reaches the disk only with its folder.
    std::string katalog = sciezka.substr(0, sciezka.find_last_of('/') + 1);
    int k = open(katalog.empty() ? "." : katalog.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (k >= 0) {
        fsync(k);
        close(k);
    }
    return true;
}

bool I_LockFile(const std::string& sciezka) {
    I_UnlockFile();
    int fd = open(sciezka.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    // Polled rather than blocking, so a holder that hangs costs at most the 2 s.
    for (int proba = 0; proba < 100; ++proba) {
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
            blokada = fd;
            return true;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) break;
        const timespec chwila = {0, 20 * 1000 * 1000};
        nanosleep(&chwila, nullptr);
    }
    close(fd);
    return false;
}

void I_UnlockFile() {
    if (blokada >= 0) close(blokada);
    blokada = -1;
}

std::string I_FileFault(const std::string& sciezka) {
    // Opened without waiting: a named pipe in a file's place would block a plain open for good.
    int fd = open(sciezka.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? "missing" : std::string("cannot be read: ") + std::strerror(errno);
    struct stat st;
    const bool stat_ok = fstat(fd, &st) == 0;
    close(fd);
    if (!stat_ok || S_ISREG(st.st_mode)) return "";
    if (S_ISDIR(st.st_mode)) return "is a directory, not a file";
    if (S_ISFIFO(st.st_mode)) return "is a named pipe, not a file";
    return "is not a regular file";
}
