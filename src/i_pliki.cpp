// Files kept between runs, the part every system shares: the user's settings and data folders, and the settings file's text.
#include <allegro5/allegro.h>

#include <string>
#include <vector>

#include "i_local.h"
#include "i_system.h"

std::string I_UserFolder(bool dane) {
    if (!al_is_system_installed()) return "";
    // The folders end in the program's name; without this they would take the running file's
    // name, which differs for the tests and a renamed program.
    al_set_org_name("");
    al_set_app_name("brolik");
    ALLEGRO_PATH* p = al_get_standard_path(dane ? ALLEGRO_USER_DATA_PATH : ALLEGRO_USER_SETTINGS_PATH);
    if (!p) return "";
    std::string katalog = al_path_cstr(p, ALLEGRO_NATIVE_PATH_SEP);
    al_destroy_path(p);
    if (katalog.empty() || !al_make_directory(katalog.c_str())) return "";
    if (katalog.back() != ALLEGRO_NATIVE_PATH_SEP) katalog += ALLEGRO_NATIVE_PATH_SEP;
    return katalog;
}

namespace {

const char* const NAGLOWEK =
    "# Brolik: ustawienia zapisywane przez grę. Można je zmieniać, gdy gra nie działa.\n"
    "# dzwiek i pelny_ekran: tak albo nie; glosnosc: od 0 do 100 (%); okno: szerokość x wysokość.\n";
// A line the game could not take is kept under this mark, so a person sees what was not taken.
const std::string POMINIETY = "# pominięty: ";
constexpr size_t NAJWIECEJ_POMINIETYCH = 20, NAJDLUZSZY_POMINIETY = 120;

std::string przyciete(const std::string& s) {
    size_t a = s.find_first_not_of(" \t"), b = s.find_last_not_of(" \t");
    return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}

std::string male(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

bool tak_nie(const std::string& w, bool* b) {
    if (w != "tak" && w != "nie") return false;
    *b = w == "tak";
    return true;
}

bool liczba(const std::string& w, int od, int do_, int* n) {
    if (w.empty() || w.size() > 5 || w.find_first_not_of("0123456789") != std::string::npos) return false;
    const int v = std::stoi(w);
    if (v < od || v > do_) return false;
    *n = v;
    return true;
}

// Text a person wrote: UTF-8 without control characters other than tabs and line ends.
bool tekstowy(const std::string& s) {
    for (size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7f) return false;
            ++i;
            continue;
        }
        const size_t n = c >= 0xf0 ? 3 : c >= 0xe0 ? 2 : c >= 0xc2 ? 1 : 0;
        if (n == 0 || c > 0xf4 || i + n >= s.size()) return false;
        for (size_t k = 1; k <= n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xc0) != 0x80) return false;
        i += n + 1;
    }
    return true;
}

// Cut to at most `n` bytes, never inside a letter.
std::string skrocony(const std::string& s, size_t n) {
    if (s.size() <= n) return s;
    while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xc0) == 0x80) --n;
    return s.substr(0, n) + "…";
}

// One "name = value" line into *u; "" or what is wrong with it.
std::string ustawienie(const std::string& linia, i_ustawienia* u) {
    const size_t rowna = linia.find('=');
    if (rowna == std::string::npos) return "not \"name = value\"";
    const std::string klucz = male(przyciete(linia.substr(0, rowna)));
    const std::string w = male(przyciete(linia.substr(rowna + 1)));
    const std::string zly = "\"" + skrocony(w, 40) + "\" is not a value of " + klucz;
    if (klucz == "dzwiek") return tak_nie(w, &u->dzwiek) ? "" : zly + " (tak or nie)";
    if (klucz == "pelny_ekran") return tak_nie(w, &u->pelny_ekran) ? "" : zly + " (tak or nie)";
    if (klucz == "glosnosc") {
        const std::string bez_procentu = !w.empty() && w.back() == '%' ? przyciete(w.substr(0, w.size() - 1)) : w;
        return liczba(bez_procentu, 0, 100, &u->glosnosc) ? "" : zly + " (0 to 100)";
    }
    if (klucz == "okno") {
        const size_t x = w.find('x');
        int sz = 0, wy = 0;
        if (x == std::string::npos || !liczba(przyciete(w.substr(0, x)), I_NAJMNIEJSZE_OKNO_W, 16384, &sz) ||
            !liczba(przyciete(w.substr(x + 1)), I_NAJMNIEJSZE_OKNO_H, 16384, &wy))
            return zly + " (width x height, at least " + std::to_string(I_NAJMNIEJSZE_OKNO_W) + "x" +
                   std::to_string(I_NAJMNIEJSZE_OKNO_H) + ")";
        u->szerokosc = sz, u->wysokosc = wy;
        return "";
    }
    return "unknown setting \"" + skrocony(klucz, 40) + "\"";
}

}  // namespace

std::vector<std::string> I_TextLines(const std::string& tekst) {
    std::vector<std::string> linie;
    for (size_t i = tekst.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0; i < tekst.size();) {
        size_t koniec = tekst.find('\n', i);
        if (koniec == std::string::npos) koniec = tekst.size();
        linie.push_back(tekst.substr(i, koniec - i));
        if (!linie.back().empty() && linie.back().back() == '\r') linie.back().pop_back();
        i = koniec + 1;
    }
    return linie;
}

std::string I_ParseSettings(const std::string& tekst, i_ustawienia* u, std::vector<std::string>* pominiete) {
    if (!tekstowy(tekst)) return "not a text file";
    std::string pierwszy;
    int zlych = 0;
    const std::vector<std::string> linie = I_TextLines(tekst);
    for (size_t nr = 1; nr <= linie.size(); ++nr) {
        std::string linia = przyciete(linie[nr - 1]);
        const bool pominiety = linia.compare(0, POMINIETY.size(), POMINIETY) == 0;
        if (linia.empty() || (linia[0] == '#' && !pominiety)) continue;
        std::string blad = pominiety ? "" : ustawienie(linia, u);
        if (!blad.empty() && zlych++ == 0) pierwszy = "line " + std::to_string(nr) + ": " + blad;
        if ((pominiety || !blad.empty()) && pominiete->size() < NAJWIECEJ_POMINIETYCH)
            pominiete->push_back(pominiety ? linia : POMINIETY + skrocony(linia, NAJDLUZSZY_POMINIETY));
    }
    if (zlych > 1) pierwszy += " (and " + std::to_string(zlych - 1) + " more bad lines)";
    return pierwszy;
}

std::string I_FormatSettings(const i_ustawienia& u, const std::vector<std::string>& pominiete) {
    std::string s = NAGLOWEK;
    s += std::string("dzwiek = ") + (u.dzwiek ? "tak" : "nie") + "\n";
    s += "glosnosc = " + std::to_string(u.glosnosc) + "\n";
    s += std::string("pelny_ekran = ") + (u.pelny_ekran ? "tak" : "nie") + "\n";
    s += "okno = " + std::to_string(u.szerokosc) + "x" + std::to_string(u.wysokosc) + "\n";
    for (const std::string& p : pominiete) s += p + "\n";
    return s;
}
