// libFuzzer target: the word-list parser against a model of the list's rules written out here.
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

// The rules: lines end at LF with one CR before it dropped; the list ends at the first line that
// is exactly "ZZZ" or at the end of the data; every line before is five bytes of the word form;
// at least one word and at most NAJWIECEJ_SLOW. The first line breaking a rule is the one named.
struct model {
    bool ok = true;
    int linia = 0;
    std::vector<std::string> slowa;
};

model wedlug_zasad(const std::string& dane) {
    model m;
    size_t poczatek = 0;
    int nr = 0;
    while (poczatek < dane.size()) {
        size_t lf = dane.find('\n', poczatek);
        size_t koniec = lf == std::string::npos ? dane.size() : lf;
        std::string linia = dane.substr(poczatek, koniec - poczatek);
        poczatek = lf == std::string::npos ? dane.size() : lf + 1;
        ++nr;
        if (!linia.empty() && linia.back() == '\r') linia.pop_back();
        if (linia == "ZZZ") break;
        if (static_cast<int>(m.slowa.size()) == NAJWIECEJ_SLOW || !slowo_poprawne(linia)) {
            m.ok = false;
            m.linia = nr;
            return m;
        }
        m.slowa.push_back(linia);
    }
    if (m.slowa.empty()) m.ok = false;
    return m;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string dane(reinterpret_cast<const char*>(data), size);
    std::istringstream we(dane);
    std::vector<std::string> slowa = {"stale"};
    int nr = -1;
    std::string opis;
    bool ok = czytaj_liste(we, slowa, nr, opis);
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
