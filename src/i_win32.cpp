// The operating system under Windows: console control events, a crash's last words, error boxes, leaving at once, the scratch picture's file, the check of a file before it is read, and the files kept between runs.
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <allegro5/allegro.h>
#include <allegro5/allegro_windows.h>

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
    w.pop_back();  // the terminator counted by n: the string is joined with others
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
    // On top of the game's window, which may be fullscreen.
    MessageBoxW(nullptr, szerokie(komunikat).c_str(), L"Brolik", MB_OK | MB_ICONERROR | MB_TOPMOST | MB_SETFOREGROUND);
}

void I_SysExit(int status) { ExitProcess(static_cast<UINT>(status)); }

bool I_SysWindowMinimised(ALLEGRO_DISPLAY* d) { return d && IsIconic(al_get_win_window_handle(d)); }

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

namespace {

std::string utf8(const wchar_t* w, int n = -1) {
    int dl = WideCharToMultiByte(CP_UTF8, 0, w, n, nullptr, 0, nullptr, nullptr);
    std::string s(dl > 0 ? dl : 0, '\0');
    if (dl > 0) WideCharToMultiByte(CP_UTF8, 0, w, n, s.data(), dl, nullptr, nullptr);
    if (n < 0 && !s.empty()) s.pop_back();  // the terminator counted
    return s;
}

// The system's own words for an error, without the line end it appends.
std::string opis(DWORD nr) {
    wchar_t* tekst = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, nr, 0, reinterpret_cast<wchar_t*>(&tekst), 0, nullptr);
    std::string s = n ? utf8(tekst, static_cast<int>(n)) : "error " + std::to_string(nr);
    if (tekst) LocalFree(tekst);
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == '.')) s.pop_back();
    return s;
}

HANDLE blokada = INVALID_HANDLE_VALUE;
LONG licznik_nowych = 0;

}  // namespace

bool I_ReadFile(const std::string& sciezka, size_t najwiecej, std::string* tresc, std::string* blad) {
    blad->clear();
    const std::wstring w = szerokie(sciezka);
    DWORD atrybuty = GetFileAttributesW(w.c_str());
    if (atrybuty == INVALID_FILE_ATTRIBUTES) {
        DWORD nr = GetLastError();
        if (nr != ERROR_FILE_NOT_FOUND && nr != ERROR_PATH_NOT_FOUND) *blad = opis(nr);
        return false;
    }
    if (atrybuty & FILE_ATTRIBUTE_DIRECTORY) {
        *blad = "a directory, not a file";
        return false;
    }
    HANDLE f = CreateFileW(w.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) {
        *blad = opis(GetLastError());
        return false;
    }
    LARGE_INTEGER rozmiar;
    if (GetFileType(f) != FILE_TYPE_DISK) {
        *blad = "not a regular file";
    } else if (!GetFileSizeEx(f, &rozmiar)) {
        *blad = opis(GetLastError());
    } else if (static_cast<unsigned long long>(rozmiar.QuadPart) > najwiecej) {
        *blad = "larger than " + std::to_string(najwiecej) + " bytes";
    } else {
        std::string t(static_cast<size_t>(rozmiar.QuadPart), '\0');
        size_t przeczytane = 0;
        DWORD n = 0;
        while (przeczytane < t.size() &&
               ReadFile(f, t.data() + przeczytane, static_cast<DWORD>(t.size() - przeczytane), &n, nullptr) && n > 0)
            przeczytane += n;
        if (przeczytane < t.size()) {
            *blad = "cannot read the whole file";
        } else {
            *tresc = std::move(t);
        }
    }
    CloseHandle(f);
    return blad->empty();
}

bool I_ReplaceFile(const std::string& sciezka, const std::string& tresc, std::string* blad) {
    // A name of our own beside the old file: the process and a count keep two writers apart.
    const std::wstring cel = szerokie(sciezka);
    const std::wstring nowy = cel + L"." + std::to_wstring(GetCurrentProcessId()) + L"." +
                              std::to_wstring(InterlockedIncrement(&licznik_nowych)) + L".tmp";
    HANDLE f = CreateFileW(nowy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) {
        *blad = "cannot create a new file beside it: " + opis(GetLastError());
        return false;
    }
    size_t zapisane = 0;
    DWORD n = 0;
    bool ok = true;
    while (ok && zapisane < tresc.size()) {
        ok = WriteFile(f, tresc.data() + zapisane, static_cast<DWORD>(tresc.size() - zapisane), &n, nullptr) && n > 0;
        zapisane += n;
    }
    ok = ok && FlushFileBuffers(f);
    DWORD nr = ok ? 0 : GetLastError();
    if (!CloseHandle(f) && ok) ok = false, nr = GetLastError();
    if (ok && !MoveFileExW(nowy.c_str(), cel.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        ok = false, nr = GetLastError();
    if (!ok) {
        DeleteFileW(nowy.c_str());
        *blad = opis(nr);
    }
    return ok;
}

bool I_LockFile(const std::string& sciezka) {
    I_UnlockFile();
    HANDLE f = CreateFileW(szerokie(sciezka).c_str(), GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    // Polled rather than blocking, so a holder that hangs costs at most the 2 s.
    for (int proba = 0; proba < 100; ++proba) {
        OVERLAPPED od = {};
        if (LockFileEx(f, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &od)) {
            blokada = f;
            return true;
        }
        if (GetLastError() != ERROR_LOCK_VIOLATION) break;
        Sleep(20);
    }
    CloseHandle(f);
    return false;
}

void I_UnlockFile() {
    // Closing the handle releases its lock.
    if (blokada != INVALID_HANDLE_VALUE) CloseHandle(blokada);
    blokada = INVALID_HANDLE_VALUE;
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
