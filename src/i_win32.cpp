// The operating system under Windows: console control events, a crash's last words, error boxes, leaving at once, and the scratch picture's file.
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "i_local.h"
#include "i_system.h"

namespace {

volatile LONG prosba = 0;  // Ctrl+C, the console closed, a logoff or a shutdown
void (*sprzataj_przy_wyjsciu)() = nullptr;

// The orderly way out gets this long; a second request, or none taken in time, leaves at once.
constexpr DWORD CZAS_NA_WYJSCIE_MS = 3000;

void sprzataj() {
    if (sprzataj_przy_wyjsciu) sprzataj_przy_wyjsciu();
}

// Runs on a thread of its own, so it may wait for the game to leave by itself.
BOOL WINAPI na_zdarzenie_konsoli(DWORD) {
    if (InterlockedExchange(&prosba, 1)) {
        sprzataj();
        ExitProcess(128 + SIGINT);
    }
    Sleep(CZAS_NA_WYJSCIE_MS);
    sprzataj();
    I_SysWriteError("brolik: no orderly exit after the request to end; leaving at once\n");
    ExitProcess(128 + SIGINT);
    return TRUE;
}

void na_awarie(int nr) {
    sprzataj();
    std::signal(nr, SIG_DFL);
    std::raise(nr);
}

std::wstring szerokie(const std::string& s) {
    int n = MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, nullptr, 0);
    std::wstring w(n > 0 ? n : 1, L'\0');
    if (n > 0) MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, w.data(), n);
    return w;
}

// The scratch picture lives in the user's temporary folder, never beside the program, in a file
// the system deletes when its last handle closes: at I_RemoveScratch, or however the program ends.
void* volatile ekr_uchwyt = INVALID_HANDLE_VALUE;

}  // namespace

void I_SysInstallHandlers(void (*sprzataj_)()) {
    sprzataj_przy_wyjsciu = sprzataj_;
    SetConsoleCtrlHandler(na_zdarzenie_konsoli, TRUE);
    for (int nr : {SIGSEGV, SIGFPE, SIGILL, SIGABRT}) std::signal(nr, na_awarie);
}

bool I_SysQuitRequested() { return prosba != 0; }

void I_SysWriteError(const char* tekst) {
    int n = _write(2, tekst, static_cast<unsigned>(std::strlen(tekst)));
    (void)n;
}

void I_SysShowError(const std::string& komunikat) {
    std::fprintf(stderr, "brolik: %s\n", komunikat.c_str());
    std::fflush(stderr);
    const char* na_wyjscie = std::getenv("BROLIK_STDERR");
    if (na_wyjscie && *na_wyjscie) return;
    MessageBoxW(nullptr, szerokie(komunikat).c_str(), L"Brolik", MB_OK | MB_ICONERROR);
}

void I_SysExit(int status) { ExitProcess(static_cast<UINT>(status)); }

bool I_WriteScratch(const char*, ALLEGRO_BITMAP* b) {
    I_RemoveScratch();
    wchar_t katalog[MAX_PATH + 1], sciezka[MAX_PATH + 64];
    DWORD n = GetTempPathW(MAX_PATH + 1, katalog);
    if (n == 0 || n > MAX_PATH) return false;
    _snwprintf(sciezka, MAX_PATH + 63, L"%lsbrolik-%lu-ekr.png", katalog, GetCurrentProcessId());
    HANDLE h = CreateFileW(sciezka, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    // The picture is written through a second handle; the first keeps the file alive until the end.
    HANDLE do_zapisu = INVALID_HANDLE_VALUE;
    int fd = -1;
    if (DuplicateHandle(GetCurrentProcess(), h, GetCurrentProcess(), &do_zapisu, 0, FALSE, DUPLICATE_SAME_ACCESS))
        fd = _open_osfhandle(reinterpret_cast<intptr_t>(do_zapisu), _O_BINARY);
    if (fd < 0 && do_zapisu != INVALID_HANDLE_VALUE) CloseHandle(do_zapisu);
    ALLEGRO_FILE* f = fd >= 0 ? al_fopen_fd(fd, "wb") : nullptr;
    if (!f && fd >= 0) _close(fd);
    bool ok = f && al_save_bitmap_f(f, ".png", b);
    if (f) ok = al_fclose(f) && ok;
    if (!ok) {
        CloseHandle(h);
        return false;
    }
    ekr_uchwyt = h;
    return true;
}

void I_RemoveScratch() {
    void* h = InterlockedExchangePointer(&ekr_uchwyt, INVALID_HANDLE_VALUE);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
}
