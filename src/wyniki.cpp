// The best results: the table's text read and written, a new total put in its place, and the kept file.
#include "wyniki.h"

#include <algorithm>
#include <ctime>

#include "i_system.h"

namespace {

const char* const PLIK_WYNIKOW = "wyniki.txt";
const char* const NAGLOWEK = "# Brolik: najlepsze wyniki. Kwota w zł, data i imię, rozdzielone tabulatorem.\n";
// Far more than ten lines of the table; a larger file is not one.
constexpr size_t NAJWIEKSZY_PLIK = 64 * 1024;
constexpr size_t NAJDLUZSZE_IMIE = 64;
constexpr int NAJWIEKSZA_KWOTA = 9999999;

// UTF-8 with no control characters: what a name may hold.
bool imie_poprawne(const std::string& s) {
    if (s.empty() || s.size() > NAJDLUZSZE_IMIE) return false;
    for (size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        const int dalsze = c < 0x80 ? 0 : c >= 0xC2 && c <= 0xDF ? 1 : c >= 0xE0 && c <= 0xEF ? 2 : c >= 0xF0 && c <= 0xF4 ? 3 : -1;
        if (dalsze < 0 || c < 0x20 || c == 0x7F || i + dalsze >= s.size()) return false;
        for (int k = 1; k <= dalsze; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += 1 + dalsze;
    }
    return true;
}

bool data_poprawna(const std::string& d) {
    if (d.size() != 10 || d[4] != '-' || d[7] != '-') return false;
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (d[i] < '0' || d[i] > '9') return false;
    const int miesiac = std::stoi(d.substr(5, 2)), dzien = std::stoi(d.substr(8, 2));
    return miesiac >= 1 && miesiac <= 12 && dzien >= 1 && dzien <= 31;
}

// One line of the table, or the reason it is not one.
std::string czytaj_wpis(const std::string& linia, wynik* w) {
    const size_t t1 = linia.find('\t'), t2 = t1 == std::string::npos ? t1 : linia.find('\t', t1 + 1);
    if (t2 == std::string::npos) return "not an amount, a date and a name separated by tabs";
    const std::string kwota = linia.substr(0, t1);
    if (kwota.empty() || kwota.size() > 7 || kwota.find_first_not_of("0123456789") != std::string::npos ||
        std::stoi(kwota) < 1)
        return "the amount is not a whole number from 1 to " + std::to_string(NAJWIEKSZA_KWOTA);
    w->kwota = std::stoi(kwota);
    w->data = linia.substr(t1 + 1, t2 - t1 - 1);
    if (!data_poprawna(w->data)) return "the date is not written as year-month-day";
    w->imie = linia.substr(t2 + 1);
    if (!imie_poprawne(w->imie)) return "the name is empty, too long, or not UTF-8 text";
    return "";
}

void ostrzez_raz(bool& powiedziane, const std::string& komunikat) {
    if (!powiedziane) I_Warning(komunikat);
    powiedziane = true;
}

// A damaged table is copied to the first free name beside it before a new one replaces it.
bool odloz(const std::string& plik, const std::string& tresc, const std::string& blad) {
    for (int n = 1; n < 100; ++n) {
        const std::string obok = plik + ".uszkodzony" + (n > 1 ? "-" + std::to_string(n) : "");
        std::string stara, blad_odczytu;
        if (I_ReadFile(obok, NAJWIEKSZY_PLIK, &stara, &blad_odczytu) || !blad_odczytu.empty()) continue;
        std::string blad_zapisu;
        if (!I_ReplaceFile(obok, tresc, &blad_zapisu)) break;
        I_Warning(plik + ": the table of best results is damaged (" + blad + "); it is kept as " + obok +
                  " and a new table is started");
        return true;
    }
    I_Warning(plik + ": the table of best results is damaged (" + blad + ") and cannot be set aside; it is left as it is");
    return false;
}

}  // namespace

bool czytaj_wyniki(const std::string& tekst, std::vector<wynik>* tabela, std::string* blad) {
    tabela->clear();
    const std::vector<std::string> linie = I_TextLines(tekst);
    for (size_t nr = 1; nr <= linie.size(); ++nr) {
        const std::string& linia = linie[nr - 1];
        if (linia.empty() || linia[0] == '#') continue;
        wynik w;
        const std::string zle = czytaj_wpis(linia, &w);
        if (!zle.empty()) {
            *blad = "line " + std::to_string(nr) + ": " + zle;
            tabela->clear();
            return false;
        }
        tabela->push_back(w);
    }
    std::stable_sort(tabela->begin(), tabela->end(), [](const wynik& a, const wynik& b) { return a.kwota > b.kwota; });
    if (tabela->size() > MIEJSC_W_TABELI) tabela->resize(MIEJSC_W_TABELI);
    return true;
}

std::string tekst_wynikow(const std::vector<wynik>& tabela) {
    std::string t = NAGLOWEK;
    for (const wynik& w : tabela) t += std::to_string(w.kwota) + "\t" + w.data + "\t" + w.imie + "\n";
    return t;
}

void wstaw_wynik(std::vector<wynik>& tabela, const wynik& w) {
    auto gdzie = std::find_if(tabela.begin(), tabela.end(), [&](const wynik& x) { return x.kwota < w.kwota; });
    tabela.insert(gdzie, w);
    if (tabela.size() > MIEJSC_W_TABELI) tabela.resize(MIEJSC_W_TABELI);
}

std::string dzisiaj() {
    const std::time_t teraz = std::time(nullptr);
    char d[16] = "";
    std::strftime(d, sizeof d, "%Y-%m-%d", std::localtime(&teraz));
    return d;
}

std::vector<wynik> uaktualnij_wyniki(const std::vector<wynik>& nowe) {
    static std::vector<wynik> w_pamieci;
    static bool bez_folderu = false, bez_zamka = false, nieczytelny = false, niezapisany = false;
    const std::string folder = I_UserFolder(true);
    if (folder.empty()) {
        ostrzez_raz(bez_folderu, "no data folder for the table of best results: it lasts until the game ends");
        for (wynik& w : w_pamieci) w.nowy = false;
        for (const wynik& w : nowe) wstaw_wynik(w_pamieci, w);
        return w_pamieci;
    }
    const std::string plik = folder + PLIK_WYNIKOW;
    const bool zamek = I_LockFile(plik + ".lock");
    if (!zamek) ostrzez_raz(bez_zamka, plik + ": another game has held its lock for too long; the table is written without it");
    std::vector<wynik> tabela;
    std::string tresc, blad;
    bool zapisz = !nowe.empty();
    if (I_ReadFile(plik, NAJWIEKSZY_PLIK, &tresc, &blad)) {
        if (!czytaj_wyniki(tresc, &tabela, &blad)) zapisz = odloz(plik, tresc, blad);
    } else if (!blad.empty()) {
        ostrzez_raz(nieczytelny, plik + ": the table of best results cannot be read (" + blad + "); it is left as it is");
        zapisz = false;
    }
    for (const wynik& w : nowe) wstaw_wynik(tabela, w);
    if (zapisz && !I_ReplaceFile(plik, tekst_wynikow(tabela), &blad))
        ostrzez_raz(niezapisany, plik + ": the table of best results cannot be written (" + blad + ")");
    if (zamek) I_UnlockFile();
    return tabela;
}
