// libFuzzer target: the word-list parser against a model of the list's rules written out here.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "shell.h"
#include "state.h"

namespace {

void wymagaj(bool warunek) {
    if (!warunek) std::abort();
}

// The rules: lines end at LF; a line of more than 32 bytes is a fault; the first line's UTF-8
// byte-order mark and one CR before the LF are dropped; the list ends at the first line that is
// then exactly "ZZZ" or at the end of the data; blanks, tabs and CRs ending a line are dropped and
// a line left empty skipped; every other line is five bytes of the word form, a copy kept once;
// at least one word and at most NAJWIECEJ_SLOW word lines. The first line breaking a rule is named.
struct model {
    bool ok = true;
    int linia = 0;
    std::vector<std::string> slowa;
};

model wedlug_zasad(const std::string& dane) {
    model m;
    size_t poczatek = 0;
    int nr = 0, wiersze = 0;
    while (poczatek < dane.size()) {
        size_t lf = dane.find('\n', poczatek);
        size_t koniec = lf == std::string::npos ? dane.size() : lf;
        std::string linia = dane.substr(poczatek, koniec - poczatek);
        poczatek = lf == std::string::npos ? dane.size() : lf + 1;
        ++nr;
        const bool dluga = linia.size() > 32;
        if (nr == 1 && linia.rfind("\xEF\xBB\xBF", 0) == 0) linia.erase(0, 3);
        if (!linia.empty() && linia.back() == '\r') linia.pop_back();
        if (!dluga && linia == "ZZZ") break;
        while (!linia.empty() && (linia.back() == ' ' || linia.back() == '\t' || linia.back() == '\r')) linia.pop_back();
        if (!dluga && linia.empty()) continue;
        if (dluga || wiersze++ == NAJWIECEJ_SLOW || !slowo_poprawne(linia)) {
            m.ok = false;
            m.linia = nr;
            return m;
        }
        if (std::find(m.slowa.begin(), m.slowa.end(), linia) == m.slowa.end()) m.slowa.push_back(linia);
    }
    if (m.slowa.empty()) m.ok = false;
    return m;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string dane(reinterpret_cast<const char*>(data), size);
    std::istringstream we(dane);
    lista_slow l = czytaj_liste(we);
    const bool ok = l.ok();
    const std::vector<std::string>& slowa = l.slowa;
    const int nr = l.nr_linii;
    const std::string& opis = l.opis;
    model m = wedlug_zasad(dane);
    wymagaj(ok == m.ok);
    if (ok) {
        wymagaj(slowa == m.slowa);
        return 0;
    }
    wymagaj(nr == m.linia);
    // A fault is described briefly, in printable text, whatever the line held.
    wymagaj(!opis.empty() && opis.size() < 400);
    for (unsigned char c : opis) wymagaj(c >= 32 && c != 127);
    return 0;
}
