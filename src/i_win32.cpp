// The operating system under Windows: console control events, a crash's last words, error boxes, leaving at once, the scratch picture's file and the check of a file before it is read.
#include <windows.h>
#include <io.h>

#include <cerrno>
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

// The scratch picture goes to the user's temporary folder, never beside the program.
wchar_t ekr_sciezka[MAX_PATH + 64] = L"";
volatile LONG ekr_nasz = 0;

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
    wchar_t katalog[MAX_PATH + 1];
    DWORD n = GetTempPathW(MAX_PATH + 1, katalog);
    if (n == 0 || n > MAX_PATH) return false;
    _snwprintf(ekr_sciezka, MAX_PATH + 63, L"%lsbrolik-%lu-ekr.png", katalog, GetCurrentProcessId());
    int dl = WideCharToMultiByte(CP_UTF8, 0, ekr_sciezka, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(dl > 0 ? dl - 1 : 0, '\0');
    if (dl > 0) WideCharToMultiByte(CP_UTF8, 0, ekr_sciezka, -1, utf8.data(), dl, nullptr, nullptr);
    ekr_nasz = 1;
    if (!al_save_bitmap(utf8.c_str(), b)) {
        DeleteFileW(ekr_sciezka);
        ekr_nasz = 0;
        return false;
    }
    return true;
}

void I_RemoveScratch() {
    if (InterlockedExchange(&ekr_nasz, 0)) DeleteFileW(ekr_sciezka);
}

std::string I_FileFault(const std::string& sciezka) {
    const std::wstring w = szerokie(sciezka);
    const DWORD cechy = GetFileAttributesW(w.c_str());
    if (cechy == INVALID_FILE_ATTRIBUTES && (GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND))
        return "missing";
    if (cechy != INVALID_FILE_ATTRIBUTES && (cechy & FILE_ATTRIBUTE_DIRECTORY)) return "is a directory, not a file";
    if (cechy != INVALID_FILE_ATTRIBUTES && (cechy & FILE_ATTRIBUTE_DEVICE)) return "is not a regular file";
    FILE* f = _wfopen(w.c_str(), L"rb");
    if (!f) return std::string("cannot be read: ") + std::strerror(errno);
    const DWORD rodzaj = GetFileType(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(f))));
    std::fclose(f);
    if (rodzaj == FILE_TYPE_PIPE) return "is a named pipe, not a file";
    return rodzaj == FILE_TYPE_DISK ? "" : "is not a regular file";
}
