// Start-up and shutdown, the restore rectangles, the two fades and the intro.
#include "shell.h"

#include <allegro5/allegro_ttf.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <system_error>
#include <unordered_map>

#include "state.h"

namespace {

const char* const PLIK_EKR = "ekr.png";

// A bad line is quoted only this far: a list saved wrong can hold one line of megabytes.
constexpr size_t NAJDLUZSZY_CYTAT = 40;

std::string pokaz_linie(const std::string& s) {
    std::string w;
    for (unsigned char c : s.substr(0, NAJDLUZSZY_CYTAT)) {
        if (c >= 32 && c < 127) {
            w += static_cast<char>(c);
        } else {
            char b[8];
            std::snprintf(b, sizeof b, "\\x%02X", c);
            w += b;
        }
    }
    if (s.size() > NAJDLUZSZY_CYTAT) w += "...";
    return w;
}

// True when s is five letters written in UTF-8 rather than in the word form: Latin letters and
// at least one Polish letter of two bytes (U+00D3, U+00F3, U+0104 ... U+017C).
bool slowo_w_utf8(const std::string& s) {
    int litery = 0;
    bool polska = false;
    for (size_t i = 0; i < s.size(); ++litery) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
            ++i;
            continue;
        }
        if (i + 1 >= s.size() || (c != 0xC3 && c != 0xC4 && c != 0xC5)) return false;
        unsigned kod = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(s[i + 1]) & 0x3Fu);
        if ((static_cast<unsigned char>(s[i + 1]) & 0xC0) != 0x80) return false;
        static const unsigned POLSKIE[] = {0x104, 0x105, 0x106, 0x107, 0x118, 0x119, 0x141, 0x142, 0x143,
                                           0x144, 0xD3,  0xF3,  0x15A, 0x15B, 0x179, 0x17A, 0x17B, 0x17C};
        bool znana = false;
        for (unsigned p : POLSKIE) znana = znana || p == kod;
        if (!znana) return false;
        polska = true;
        i += 2;
    }
    return polska && litery == 5;
}

bool bajt_slowa(unsigned char c) {
    if (c >= 'a' && c <= 'z') return true;
    for (const char* p = "ACELNOSXZ"; *p; ++p)
        if (c == static_cast<unsigned char>(*p)) return true;
    return false;
}

// Every letter and digit the game draws with its fonts, the Polish letters of the names and pages included.
const char* const ZNAKI_CZCIONEK =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"
    "\u0104\u0106\u0118\u0141\u0143\u00D3\u015A\u0179\u017B\u0105\u0107\u0119\u0142\u0144\u00F3\u015B\u017A\u017C";

// A sheet may be drawn larger than the game reads it, up to this many times in each direction;
// beyond that its declared size is refused before any decoding (a few kilobytes can declare
// gigabytes of pixels).
constexpr int ZAPAS_ARKUSZA = 4;

// A picture of the media decoded into a memory bitmap, on whichever thread: null, with "file: fault"
// in *blad, when it cannot be. The size its header declares must be at least what the game reads.
ALLEGRO_BITMAP* obraz_w_pamieci(const char* nazwa, int min_w, int min_h, std::string* blad) {
    const std::string plik = plik_mediow(nazwa);
    const int flagi = al_get_new_bitmap_flags();
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
    ALLEGRO_BITMAP* b = zaladuj_obraz(plik.c_str(), blad, min_w, min_h, std::min(ZAPAS_ARKUSZA * min_w, NAJWIEKSZY_BOK),
                                      std::min(ZAPAS_ARKUSZA * min_h, NAJWIEKSZY_BOK));
    al_set_new_bitmap_flags(flagi);
    if (!b) *blad = plik + ": " + *blad;
    return b;
}

// A checked memory picture made the window's, on the thread that has the window; kept as it is
// when there is no room for the copy (it still draws, only slower).
ALLEGRO_BITMAP* na_ekran(ALLEGRO_BITMAP* b) {
    ALLEGRO_BITMAP* w = b ? al_clone_bitmap(b) : nullptr;
    if (!w) return b;
    al_destroy_bitmap(b);
    return w;
}

// The size a PNG file declares in its header; false when the file does not begin as a PNG.
bool rozmiar_png(const char* plik, long& w, long& h) {
    static const unsigned char POCZATEK[16] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    unsigned char b[24];
    ALLEGRO_FILE* f = al_fopen(plik, "rb");
    if (!f) return false;
    const size_t n = al_fread(f, b, sizeof b);
    al_fclose(f);
    if (n != sizeof b || std::memcmp(b, POCZATEK, sizeof POCZATEK) != 0) return false;
    auto liczba = [&](int i) { return (long(b[i]) << 24) | (long(b[i + 1]) << 16) | (long(b[i + 2]) << 8) | long(b[i + 3]); };
    w = liczba(16);
    h = liczba(20);
    return true;
}

// The first character the game draws that the font does not cover (0 when it covers them all).
// A face without a letter still draws its box for it, so drawing alone cannot tell.
int znak_spoza_czcionki(ALLEGRO_FONT* f) {
    std::vector<int> zakresy(2 * static_cast<size_t>(std::max(0, al_get_font_ranges(f, 0, nullptr))));
    al_get_font_ranges(f, static_cast<int>(zakresy.size() / 2), zakresy.data());
    ALLEGRO_USTR_INFO info;
    const ALLEGRO_USTR* znaki = al_ref_cstr(&info, ZNAKI_CZCIONEK);
    int pozycja = 0;
    for (int32_t z; (z = al_ustr_get_next(znaki, &pozycja)) >= 0;) {
        bool jest = false;
        for (size_t i = 0; i + 1 < zakresy.size() && !jest; i += 2) jest = z >= zakresy[i] && z <= zakresy[i + 1];
        if (!jest) return z;
    }
    return 0;
}

// A damaged face can load and then draw nothing: draw each character in a cell of its own and
// return the first one that paints no pixel, or 0 when all of them paint. The face is opened a
// second time with its glyphs in memory, so the check draws and reads back without the display
// (much cheaper with a software renderer); the game's own copy still caches its glyphs as it draws.
int znak_bez_ksztaltu(const std::string& plik, int rozmiar) {
    ALLEGRO_STATE stan;
    al_store_state(&stan, ALLEGRO_STATE_NEW_BITMAP_PARAMETERS | ALLEGRO_STATE_TARGET_BITMAP);
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
    ALLEGRO_FONT* f = al_load_ttf_font(plik.c_str(), rozmiar, 0);
    if (!f) {
        al_restore_state(&stan);
        return '?';
    }
    ALLEGRO_USTR_INFO info;
    const ALLEGRO_USTR* znaki = al_ref_cstr(&info, ZNAKI_CZCIONEK);
    int ile = static_cast<int>(al_ustr_length(znaki));
    const int kolumny = 10, bok = 2 * rozmiar;
    int wiersze = (ile + kolumny - 1) / kolumny;
    ALLEGRO_BITMAP* proba = al_create_bitmap(kolumny * bok, wiersze * bok);
    if (!proba) {
        al_destroy_font(f);
        al_restore_state(&stan);
        return '?';
    }
    al_set_target_bitmap(proba);
    al_clear_to_color(al_map_rgba(0, 0, 0, 0));
    int pozycja = 0;
    for (int n = 0; n < ile; ++n) {
        int32_t z = al_ustr_get_next(znaki, &pozycja);
        al_draw_glyph(f, al_map_rgb(255, 255, 255), (n % kolumny) * bok + rozmiar / 4, (n / kolumny) * bok, z);
    }
    int brak = 0;
    ALLEGRO_LOCKED_REGION* r = al_lock_bitmap(proba, ALLEGRO_PIXEL_FORMAT_ABGR_8888, ALLEGRO_LOCK_READONLY);
    if (!r) {
        al_restore_state(&stan);
        al_destroy_bitmap(proba);
        al_destroy_font(f);
        return 0;  // cannot read it back: no evidence against the face
    }
    pozycja = 0;
    for (int n = 0; n < ile && !brak; ++n) {
        int32_t z = al_ustr_get_next(znaki, &pozycja);
        bool slad = false;
        for (int y = (n / kolumny) * bok; y < (n / kolumny + 1) * bok && !slad; ++y) {
            const uint8_t* w = static_cast<const uint8_t*>(r->data) + static_cast<long>(y) * r->pitch;
            for (int x = (n % kolumny) * bok; x < (n % kolumny + 1) * bok && !slad; ++x) slad = w[4 * x + 3] != 0;
        }
        if (!slad) brak = z;
    }
    al_unlock_bitmap(proba);
    al_restore_state(&stan);
    al_destroy_bitmap(proba);
    al_destroy_font(f);
    return brak;
}

std::string znak_utf8(int z) {
    char b[5] = {};
    al_utf8_encode(b, z);
    return b;
}

std::string plik_dzwieku(int n) { return plik_mediow("s" + std::to_string(n) + ".ogg"); }

// Opens a list of words: "" when it is open or missing (then *jest is false), else the fault. Only
// a regular file is opened: a named pipe in its place would keep the opening waiting for a writer.
std::string otworz_liste(const std::string& plik, std::ifstream& we, bool* jest) {
    const std::string blad = I_FileFault(plik);
    *jest = blad.empty();
    if (blad == "missing") return "";
    if (!blad.empty()) return plik + ": " + blad;
    we.open(plik, std::ios::binary);
    return we ? "" : plik + ": cannot be read";
}

// Reads an opened list into *slowa: "" or the fault, "file: line N: ..."; a word listed twice
// adds its warning to *uwagi.
std::string czytaj_plik_listy(const std::string& plik, std::istream& we, int najwiecej,
                              const std::vector<std::string>& zakazane, bool z_koncem,
                              std::vector<std::string>* slowa, std::vector<std::string>* uwagi) {
    lista_slow l = czytaj_liste(we, najwiecej, zakazane, z_koncem);
    if (!l.ok()) return plik + ": " + (l.nr_linii > 0 ? "line " + std::to_string(l.nr_linii) + ": " : "") + l.opis;
    if (!l.powtorki.empty()) uwagi->push_back(plik + ": " + l.powtorki);
    *slowa = std::move(l.slowa);
    return "";
}

// The passwords and the accepted guesses (sorted), read on whichever thread: "" or the first fault.
std::string wczytaj_slowa(std::vector<std::string>* hasla, std::vector<std::string>* zgadywane,
                          std::vector<std::string>* uwagi) {
    const std::string plik = plik_mediow(PLIK_LISTY);
    std::ifstream we;
    bool jest = false;
    std::string blad = otworz_liste(plik, we, &jest);
    if (blad.empty() && !jest) blad = plik + ": cannot open the word list";
    if (blad.empty()) blad = czytaj_plik_listy(plik, we, NAJWIECEJ_SLOW, {}, false, hasla, uwagi);
    if (!blad.empty()) return blad;

    // The accepted guesses are optional: without them a guess must be a password, as ever.
    const std::string plik_zg = plik_mediow(PLIK_ZGADYWANYCH);
    std::ifstream we_zg;
    if (!(blad = otworz_liste(plik_zg, we_zg, &jest)).empty() || !jest) return blad;
    std::vector<std::string> posortowane(*hasla);
    std::sort(posortowane.begin(), posortowane.end());
    // Its terminator is required: a list of guesses cut short would lose words without a trace.
    blad = czytaj_plik_listy(plik_zg, we_zg, NAJWIECEJ_ZGADYWANYCH, posortowane, true, zgadywane, uwagi);
    std::sort(zgadywane->begin(), zgadywane->end());
    return blad;
}

// Loads the faces into czcionki and checks that each draws every character the game uses:
// "" or the first fault. Each face is opened on this thread alone: FreeType must not open faces
// on two threads at once, and the intro draws no text.
std::string przygotuj_czcionki(ALLEGRO_FONT* czcionki[]) {
    for (size_t i = 0; i < std::size(CZCIONKI); ++i) {
        const czcionka_mediow& c = CZCIONKI[i];
        const std::string plik = plik_mediow(c.plik);
        const std::string blad = I_FileFault(plik);
        if (!blad.empty()) return plik + ": " + blad;
        if (!(czcionki[i] = al_load_ttf_font(plik.c_str(), c.rozmiar, 0)))
            return plik + ": cannot load the font (not a TrueType file)";
        // Whether a face has its glyphs does not depend on the size: each file is drawn once.
        auto ten_plik = [&](const czcionka_mediow& d) { return std::strcmp(d.plik, c.plik) == 0; };
        if (std::find_if(CZCIONKI, &c, ten_plik) != &c) continue;
        if (int z = znak_spoza_czcionki(czcionki[i]))
            return plik + ": the font has no \"" + znak_utf8(z) + "\" (the game draws every Polish letter)";
        if (int z = znak_bez_ksztaltu(plik, c.rozmiar))
            return plik + ": the font draws nothing for \"" + znak_utf8(z) + "\" (a damaged or cut TrueType file)";
    }
    return "";
}

// The sprite sheet, all the intro draws, decoded and made see-through on a second thread while
// the window opens.
struct arkusz_z_watku {
    ALLEGRO_BITMAP* el = nullptr;
    std::string blad;
};

arkusz_z_watku przygotuj_arkusz() {
    arkusz_z_watku a;
    // The furthest region the game reads is the panel's timer-bar area, 116 x 16 at (642, 523).
    a.el = obraz_w_pamieci("el.png", 758, 539, &a.blad);
    if (a.el) al_convert_mask_to_alpha(a.el, al_map_rgb(200, 200, 200));
    return a;
}

// The rest of the media, made on a second thread while the intro plays. Work stops at the first
// fault; each fault keeps its place so that they are reported in the order of the checks.
struct media_z_watku {
    ALLEGRO_FONT* czcionki[std::size(CZCIONKI)] = {};
    ALLEGRO_BITMAP* lit = nullptr;
    std::vector<std::string> hasla, zgadywane, uwagi;
    std::string blad_czcionki, blad_liter, blad_listy, blad_tla;
};

// The faces take the window's bitmap settings, so their glyphs are cached where the game draws them.
media_z_watku przygotuj_reszte(int flagi, int format) {
    media_z_watku m;
    al_set_new_bitmap_flags(flagi);
    al_set_new_bitmap_format(format);
    if (!(m.blad_czcionki = przygotuj_czcionki(m.czcionki)).empty()) return m;
    if (!(m.lit = obraz_w_pamieci("literki.png", 52 * 36, 62, &m.blad_liter))) return m;
    if (!(m.blad_listy = wczytaj_slowa(&m.hasla, &m.zgadywane, &m.uwagi)).empty()) return m;
    // The game background is loaded at each game start; check it now so a broken file stops
    // the program here and not in the middle of the menu.
    if (ALLEGRO_BITMAP* tlo = obraz_w_pamieci("gg1.png", SZEROKOSC_EKRANU, WYSOKOSC_EKRANU, &m.blad_tla))
        al_destroy_bitmap(tlo);
    return m;
}

// Runs f on a second thread, or here, when it is asked for, if no thread can be had.
template <class F, class... A>
auto w_tle(F f, A... a) {
    try {
        return std::async(std::launch::async, f, a...);
    } catch (const std::system_error&) {
        return std::async(std::launch::deferred, f, a...);
    }
}

// Start-up under way: the work going on beside the intro, and the faults found so far.
std::future<media_z_watku> reszta_w_toku;
media_z_watku reszta;
std::string blad_arkusza, blad_dzwieku;
bool sprawdzanie_rozpoczete = false, dzwieki_zaladowane = false, ustawienia_skonczone = false;

// Paths go through std::filesystem as UTF-8 on every system: a plain narrow string there is the
// ANSI code page on Windows, which mangles a folder with Polish letters.
std::filesystem::path sciezka_utf8(const std::string& s) { return std::u8string(s.begin(), s.end()); }
std::string utf8(const std::filesystem::path& p) {
    const std::u8string u = p.u8string();
    return std::string(u.begin(), u.end());
}

// A media/ folder holding neither the sprite sheet nor the word list is not ours: a player's
// home may well have a folder of that name, and the desktop menu starts the game there.
bool media_gry(const std::filesystem::path& k) {
    std::error_code blad;
    return std::filesystem::is_regular_file(k / "el.png", blad) ||
           std::filesystem::is_regular_file(k / PLIK_LISTY, blad);
}

void znajdz_media() {
    namespace fs = std::filesystem;
    katalog_mediow = "media/";
    if (media_gry("media")) return;
    std::error_code blad;
    std::string szukane = utf8(fs::absolute("media", blad));
    std::string program = I_ProgramDirectory();
    if (!program.empty()) {
        fs::path zainstalowane = (sciezka_utf8(program) / BROLIK_MEDIA_OD_PROGRAMU).lexically_normal();
        if (media_gry(zainstalowane)) {
            katalog_mediow = utf8(zainstalowane / "");
            return;
        }
        szukane += " and in " + utf8(zainstalowane);
    } else {
        szukane += " (the folder of the program itself could not be found)";
    }
    I_Error("cannot find the game's media: looked in " + szukane +
            "; " BROLIK_RADA_MEDIOW);
}

}  // namespace

void usun_ekr() { I_RemoveScratch(); }

ALLEGRO_BITMAP* zaladuj_obraz(const char* plik, std::string* blad, int min_w, int min_h, int max_w, int max_h) {
    std::string brak;
    std::string& opis = blad ? *blad : brak;
    opis = I_FileFault(plik);
    if (!opis.empty()) return nullptr;
    long w = 0, h = 0;
    if (!rozmiar_png(plik, w, h)) {
        opis = "not a PNG file";
        return nullptr;
    }
    if (w < min_w || h < min_h || w > max_w || h > max_h) {
        char b[160];
        std::snprintf(b, sizeof b, w < min_w || h < min_h ? "the picture is %ld x %ld, it must be at least %d x %d"
                                                          : "the picture is %ld x %ld, larger than the %d x %d the game takes",
                      w, h, w < min_w || h < min_h ? min_w : max_w, w < min_w || h < min_h ? min_h : max_h);
        opis = b;
        return nullptr;
    }
    opis = "the PNG data is damaged";
    int flagi = al_get_new_bitmap_flags();
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
    ALLEGRO_BITMAP* w_pamieci = al_load_bitmap(plik);
    al_set_new_bitmap_flags(flagi);
    if (w_pamieci) opis.clear();
    if (!w_pamieci || (flagi & ALLEGRO_MEMORY_BITMAP)) return w_pamieci;
    ALLEGRO_BITMAP* b = al_clone_bitmap(w_pamieci);
    al_destroy_bitmap(w_pamieci);
    if (b) opis.clear();
    else opis = "no room for the picture";
    return b;
}

bool slowo_poprawne(const std::string& s) {
    if (s.size() != 5) return false;
    for (unsigned char c : s)
        if (!bajt_slowa(c)) return false;
    return true;
}

namespace {

// The longest line a list is read to: five letters in UTF-8 take ten bytes, and an editor may
// leave blanks and a CR after them. Past it the line is a fault without being read on.
constexpr size_t NAJDLUZSZA_LINIA = 32;

// Takes the next line, without its LF, into linia: false at the end of the data. A line longer
// than NAJDLUZSZA_LINIA is cut one byte past it, the rest left unread.
bool nastepna_linia(std::streambuf& we, std::string& linia) {
    using znaki = std::char_traits<char>;
    linia.clear();
    int c = we.sbumpc();
    if (znaki::eq_int_type(c, znaki::eof())) return false;
    for (; !znaki::eq_int_type(c, znaki::eof()) && c != '\n'; c = we.sbumpc()) {
        linia += znaki::to_char_type(c);
        if (linia.size() > NAJDLUZSZA_LINIA) break;
    }
    return true;
}

std::string zla_linia(const std::string& linia) {
    if (slowo_w_utf8(linia))
        return "\"" + linia +
               "\" is written in UTF-8; the list must use the word form, with the Polish letters as "
               "capitals: A for \u0105, C for \u0107, E for \u0119, L for \u0142, N for \u0144, O for \u00F3, "
               "S for \u015B, X for \u017A, Z for \u017C";
    if (linia == "ZZZ") return "\"ZZZ\" with blanks after it is no end of the list: that line is exactly ZZZ";
    if (linia.size() != 5)
        return "\"" + pokaz_linie(linia) + "\" is " + std::to_string(linia.size()) + " bytes long; a word is five letters";
    return "\"" + pokaz_linie(linia) +
           "\" holds a byte that is not a letter of the word form (a-z, or A C E L N O S X Z for the Polish letters)";
}

}  // namespace

lista_slow czytaj_liste(std::istream& we, int najwiecej, const std::vector<std::string>& zakazane, bool z_koncem) {
    lista_slow l;
    std::streambuf* zrodlo = we.rdbuf();
    // Where each word stood first, to name a copy's original line.
    std::unordered_map<std::string, int> pierwsza;
    std::string linia;
    int nr = 0, wiersze_slow = 0, kopie = 0;
    bool koniec_listy = false;
    while (!koniec_listy && zrodlo && nastepna_linia(*zrodlo, linia)) {
        l.nr_linii = ++nr;
        if (linia.size() > NAJDLUZSZA_LINIA) {
            l.opis = "\"" + pokaz_linie(linia) + "\" goes on past " + std::to_string(NAJDLUZSZA_LINIA) +
                     " bytes without a line end; a word is five letters";
            return l;
        }
        if (nr == 1 && linia.compare(0, 3, "\xEF\xBB\xBF") == 0) linia.erase(0, 3);
        if (!linia.empty() && linia.back() == '\r') linia.pop_back();
        koniec_listy = linia == "ZZZ";
        if (koniec_listy) continue;
        // What an editor leaves is no fault: blanks after a word, lines of blanks alone.
        const size_t koniec = linia.find_last_not_of(" \t\r");
        if (koniec == std::string::npos) continue;
        linia.erase(koniec + 1);
        if (wiersze_slow++ == najwiecej) {
            l.opis = "more than " + std::to_string(najwiecej) + " words before \"ZZZ\"";
            return l;
        }
        if (!slowo_poprawne(linia)) {
            l.opis = zla_linia(linia);
            return l;
        }
        if (std::binary_search(zakazane.begin(), zakazane.end(), linia)) {
            l.opis = "\"" + linia + "\" is a password too; this list holds the accepted guesses that are no password";
            return l;
        }
        auto [gdzie, nowe] = pierwsza.emplace(linia, nr);
        if (nowe) {
            l.slowa.push_back(linia);
        } else if (kopie++ == 0) {
            l.powtorki = "line " + std::to_string(nr) + ": \"" + linia + "\" repeats line " +
                         std::to_string(gdzie->second);
        }
    }
    if (z_koncem && !koniec_listy) {
        l.nr_linii = nr + 1;
        l.opis = "the file ends before the line \"ZZZ\" that ends the list (cut short?)";
        return l;
    }
    l.nr_linii = 0;
    if (kopie > 1) l.powtorki += " (" + std::to_string(kopie) + " repeated lines in all)";
    if (!l.powtorki.empty()) l.powtorki += "; each word is kept once";
    if (l.slowa.empty()) l.opis = "the list holds no words";
    return l;
}

void rozpocznij_ustawienia() {
    i_sprzatanie = usun_ekr;
    if (!I_Init()) I_Error("cannot initialise the Allegro library");
    znajdz_media();
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    blad_arkusza.clear();
    blad_dzwieku.clear();
    sprawdzanie_rozpoczete = dzwieki_zaladowane = ustawienia_skonczone = false;
    // The sheet decodes while audio starts and the window opens, the longest step of start-up.
    std::future<arkusz_z_watku> arkusz = w_tle(przygotuj_arkusz);
    I_InitSound();
    const bool okno = I_InitGraphics(TYTUL_OKNA);
    arkusz_z_watku a = arkusz.get();
    el = a.el;  // the game state's now: shutdown releases it
    if (!okno)
        I_Error("cannot open a display: no window could be created (no display server, or no OpenGL or Direct3D on it)");
    blad_arkusza = a.blad;
    if (!blad_arkusza.empty()) dokoncz_ustawienia();
    el = na_ekran(el);
}

void rozpocznij_sprawdzanie() {
    if (sprawdzanie_rozpoczete) return;
    sprawdzanie_rozpoczete = true;
    reszta_w_toku = w_tle(przygotuj_reszte, al_get_new_bitmap_flags(), al_get_new_bitmap_format());
    std::vector<std::string> dzwieki;
    for (int n : KOLEJNOSC_DZWIEKOW) dzwieki.push_back(plik_dzwieku(n));
    I_PrepareSounds(dzwieki);
}

void wczytaj_dzwieki() {
    if (dzwieki_zaladowane) return;
    rozpocznij_sprawdzanie();
    dzwieki_zaladowane = true;
    for (int n : KOLEJNOSC_DZWIEKOW) {
        std::string plik = plik_dzwieku(n);
        std::string blad;
        samp[n] = I_LoadSound(plik.c_str(), &blad);
        if (!samp[n] && blad_dzwieku.empty()) blad_dzwieku = plik + ": " + blad;
    }
    if (!blad_dzwieku.empty()) dokoncz_ustawienia();
}

void dokoncz_ustawienia() {
    if (ustawienia_skonczone) return;
    rozpocznij_sprawdzanie();
    // Whatever comes next, what the thread made belongs to the game state, which shutdown releases.
    if (reszta_w_toku.valid()) {
        reszta = reszta_w_toku.get();
        for (size_t i = 0; i < std::size(CZCIONKI); ++i) *CZCIONKI[i].cel = reszta.czcionki[i];
        lit = reszta.lit;
    }
    // The first fault in the order of the checks stops the game.
    for (const std::string* b : {&reszta.blad_czcionki, &blad_arkusza, &reszta.blad_liter})
        if (!b->empty()) I_Error(*b);
    wczytaj_dzwieki();
    for (const std::string* b : {&blad_dzwieku, &reszta.blad_listy, &reszta.blad_tla})
        if (!b->empty()) I_Error(*b);
    for (const std::string& u : reszta.uwagi) I_Warning(u);
    ustawienia_skonczone = true;
    lit = na_ekran(lit);
    ih = 0;
    for (const std::string& s : reszta.hasla) h[ih++] = s;
    h[ih] = "ZZZ";
    zg = std::move(reszta.zgadywane);
    reszta = {};

    ALLEGRO_BITMAP* cel = al_get_target_bitmap();
    bufor = al_create_bitmap(SZEROKOSC_EKRANU, WYSOKOSC_EKRANU);
    tgr[0] = al_create_bitmap(240, 240);
    tgr[1] = al_create_bitmap(240, 240);
    al_set_target_bitmap(bufor);
    al_clear_to_color(al_map_rgb(0, 0, 0));
    // A board picture is captured 239 pixels square; its last row and column stay see-through
    // so drawing it back never paints a dark line along the board's frame.
    for (ALLEGRO_BITMAP* t : tgr) {
        al_set_target_bitmap(t);
        al_clear_to_color(al_map_rgba(0, 0, 0, 0));
    }
    al_set_target_bitmap(cel);
}

void ustawienia() {
    rozpocznij_ustawienia();
    dokoncz_ustawienia();
}

void zwolnij_zasoby() {
    // Bitmaps and fonts go before the display, so none outlives the context it lives in.
    ALLEGRO_BITMAP** bitmapy[] = {&bufor, &el, &lit, &tgr[0], &tgr[1], &ekr_w_pamieci};
    for (ALLEGRO_BITMAP** b : bitmapy) {
        if (*b) al_destroy_bitmap(*b);
        *b = nullptr;
    }
    for (const czcionka_mediow& c : CZCIONKI) {
        if (*c.cel) al_destroy_font(*c.cel);
        *c.cel = nullptr;
    }
    for (i_dzwiek*& s : samp) {
        I_FreeSound(s);
        s = nullptr;
    }
    I_ShutdownGraphics();
    I_ShutdownSound();
}

void koniec() {
    SLAD("koniec");
    for (int k = 0; k < 25; ++k) {
        al_draw_tinted_scaled_bitmap(el, al_map_rgba(0, 0, 0, k), 350, 110, 10, 10, 0, 0, SZEROKOSC_EKRANU,
                                     WYSOKOSC_EKRANU, 0);
        I_FinishUpdate();
        I_Rest(0.02);
    }
    usun_ekr();

    zwolnij_zasoby();
}

static void kas(int x, int y, int w, int h_) { al_draw_bitmap_region(bufor, x, y, w, h_, x, y, 0); }

void kas_1() { kas(30, 30, 341, 65); }
void kas_2() { kas(30, 124, 341, 341); }
void kas_3() { kas(32, 494, 338, 62); }
void kas_4() { kas(625, 138, 142, 23); }
void kas_5() { kas(530, 175, 236, 236); }

void zmiany_ekranu::dodaj(int x, int y, int w, int h_) {
    x0 = std::min(x0, x);
    y0 = std::min(y0, y);
    x1 = std::max(x1, x + w);
    y1 = std::max(y1, y + h_);
}

void zakoncz_klatke(const zmiany_ekranu& z) {
    if (z.puste())
        I_FinishUnchanged();
    else
        I_FinishArea(z.x0, z.y0, z.x1 - z.x0, z.y1 - z.y0);
}

void klatka_czekania(bool& pierwsza) {
    if (pierwsza)
        I_FinishUpdate();
    else
        I_FinishUnchanged();
    pierwsza = false;
    I_Rest(0.001);
}

void porzuc_reszte_klawisza(int najwiecej) {
    for (int zk = 0;; ++zk) {
        I_NextTyped(&ev);
        if (ev.keyboard.unichar <= 0 || zk > najwiecej) return;
        I_RestFull(0.001);
    }
}

bool zacheta_do_rysowania(int kk, int na_ekranie) {
    return kk / 4 != na_ekranie && (na_ekranie < 0 || I_PresentDue());
}

void krok_jasnosci(int& kk, int& k2) {
    if (k2 == 0) ++kk;
    if (k2 == 1) --kk;
    if (kk > 250) k2 = 1;
    if (kk < 0) k2 = 0;
}

void ukazywanie_obrazu() {
    SLAD("ukazywanie_obrazu");
    for (int i = 0; i < 40; ++i) {
        al_draw_tinted_bitmap(bufor, al_map_rgba(i, i, i, i), 0, 0, 0);
        I_FinishUpdate();
        I_Rest(0.01);
    }
}

void przyciemnianie(int kroki, double odpoczynek) {
    for (int i = 0; i < kroki; ++i) {
        al_draw_tinted_scaled_bitmap(el, al_map_rgba(i, i, i, i), 220, 0, 5, 5, 0, 0, SZEROKOSC_EKRANU,
                                     WYSOKOSC_EKRANU, 0);
        I_FinishUpdate();
        I_Rest(odpoczynek);
    }
}

void znikanie_obrazu() {
    SLAD("znikanie_obrazu");
    przyciemnianie(40, 0.01);
}

void pocz() {
    SLAD("pocz");
    int b = 0;
    for (int i = 0; i < 400; ++i) {
        ALLEGRO_COLOR tint = al_map_rgba(b, b, b, b);
        if (i == 150 || i == 250) b = 0;
        if (i <= 149) al_draw_tinted_scaled_bitmap(el, tint, 218, 0, 91, 121, 300 - b, 130, b, b, 0);
        if (i >= 151 && i <= 249) al_draw_tinted_scaled_bitmap(el, tint, 310, 0, 90, 96, 400 - b / 2, 100, b, b, 0);
        if (i >= 251) al_draw_tinted_scaled_bitmap(el, tint, 218, 0, 91, 121, 500, 130, b, b, 0);
        ++b;
        if (i >= 151 && i <= 249) al_draw_scaled_bitmap(el, 330, 81, 2, 5, 300, 210, 2 * b, 5, 0);
        I_FinishUpdate();
        // The rest of the media is checked beside the intro once its first frame is shown.
        if (i == 0) rozpocznij_sprawdzanie();
        I_Rest(0.002);
        if (i == 20) wczytaj_dzwieki();
        if (i == 20 || i == 150 || i == 280) I_StartSound(samp[DZWIEK_WSTEP], 0.5f, 1.0f);
    }
    dokoncz_ustawienia();
    // The menu is composed from the copy in memory: the file is the intro's trace for whoever
    // looks, and another program (a second copy of the game) may replace it. Run from an
    // installation, the working directory is the player's own: nothing goes there.
    ekr_w_pamieci = al_clone_bitmap(tylny);
    if (!media_z_katalogu_roboczego()) return;
    // The PNG writer gets a copy of its own: a write that fails (a full disk) leaves the picture
    // it wrote from locked, and a locked screen takes no drawing and gives no copies.
    int flagi = al_get_new_bitmap_flags();
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
    ALLEGRO_BITMAP* do_zapisu = al_clone_bitmap(tylny);
    al_set_new_bitmap_flags(flagi);
    if (!do_zapisu || !I_WriteScratch(PLIK_EKR, do_zapisu))
        I_Warning("cannot write ekr.png; the intro picture is kept in memory");
    if (do_zapisu) al_destroy_bitmap(do_zapisu);
}

ALLEGRO_BITMAP* wczytaj_ekr() {
    ALLEGRO_BITMAP* b = ekr_w_pamieci ? al_clone_bitmap(ekr_w_pamieci) : nullptr;
    if (!b) {
        // No memory for the copy: carry on with a black picture rather than fail mid-game.
        I_Warning("the intro picture could not be kept; the menu is drawn on black");
        ALLEGRO_BITMAP* cel = al_get_target_bitmap();
        b = al_create_bitmap(SZEROKOSC_EKRANU, WYSOKOSC_EKRANU);
        al_set_target_bitmap(b);
        al_clear_to_color(al_map_rgb(0, 0, 0));
        al_set_target_bitmap(cel);
    }
    return b;
}
