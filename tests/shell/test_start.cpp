// Scenario tests of start-up: every media file missing or broken, word-list faults named with their line, CR LF lists, the settings file.
#include <gtest/gtest.h>

#include <allegro5/allegro_image.h>
#include <sys/resource.h>

#include <csignal>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "i_local.h"
#include "obrazy.h"
#include "scena.h"

namespace fs = std::filesystem;

namespace {

class Start : public KatalogTestowy {
protected:
    // Runs ustawienia and returns its fault message, or "" when it started. A game that started
    // is shut down again, one that failed is cleaned up, so each case starts from nothing.
    std::string uruchom() {
        try {
            ustawienia();
        } catch (const s_blad_startu& b) {
            sprzatnij_po_starcie();
            return b.komunikat.empty() ? "(an empty message)" : b.komunikat;
        }
        koniec();
        return "";
    }

    // Everything in the scratch directory apart from the media folder.
    std::set<std::string> inne_pliki() {
        std::set<std::string> w;
        for (const auto& p : fs::directory_iterator(katalog))
            if (p.path().filename() != "media") w.insert(p.path().filename().string());
        return w;
    }

    std::string lista(const std::vector<std::string>& linie, const char* koniec_linii = "\n") {
        std::string s;
        for (const std::string& l : linie) s += l + koniec_linii;
        return s;
    }

    // The fault of a start-up with this word list.
    std::string blad_listy(const std::string& tresc) {
        podmien_plik("data_lista.txt", tresc);
        return uruchom();
    }
};

const char* const PLIKI_MEDIOW[] = {"arialbd.ttf", "georgiab.ttf", "el.png", "literki.png", "gg1.png",
                                    "s0.ogg",      "s1.ogg",       "s2.ogg", "s3.ogg",      "s4.ogg",
                                    "s5.ogg",      "s6.ogg",       "s7.ogg", "s8.ogg",      "s9.ogg",
                                    "data_lista.txt"};

}  // namespace

TEST_F(Start, WithAllMediaPresentStartUpSucceedsAndWritesNothing) {
    EXPECT_EQ(uruchom(), "");
    EXPECT_TRUE(inne_pliki().empty());
}

TEST_F(Start, EachMissingMediaFileStopsStartUpNamingThatFile) {
    for (const char* plik : PLIKI_MEDIOW) {
        SCOPED_TRACE(plik);
        fs::path sciezka = fs::path(katalog) / "media" / plik;
        fs::path schowek = fs::path(katalog) / "schowek";
        fs::rename(sciezka, schowek);
        std::string blad = uruchom();
        EXPECT_NE(blad.find(std::string("media/") + plik), std::string::npos) << blad;
        fs::rename(schowek, sciezka);
        EXPECT_TRUE(inne_pliki().empty());
    }
    EXPECT_FALSE(fs::exists(fs::path(katalog) / "ekr.png"));
}

TEST_F(Start, EachUndecodableMediaFileStopsStartUpNamingThatFile) {
    for (const char* plik : PLIKI_MEDIOW) {
        if (std::string(plik) == "data_lista.txt") continue;  // any text is a list; its faults are below
        SCOPED_TRACE(plik);
        fs::path sciezka = fs::path(katalog) / "media" / plik;
        fs::path cel = fs::read_symlink(sciezka);
        podmien_plik(plik, "this is not a picture, a font or a sound\n");
        std::string blad = uruchom();
        EXPECT_NE(blad.find(std::string("media/") + plik), std::string::npos) << blad;
        EXPECT_TRUE(inne_pliki().empty());
        fs::remove(sciezka);
        fs::create_symlink(cel, sciezka);
    }
}

TEST_F(Start, AnEmptyOrCutSoundFileIsCaughtAtStartUp) {
    std::ifstream we(fs::path(katalog) / "media" / "s4.ogg", std::ios::binary);
    std::string cale((std::istreambuf_iterator<char>(we)), {});
    ASSERT_GT(cale.size(), 200u);
    podmien_plik("s4.ogg", "");
    std::string blad = uruchom();
    EXPECT_NE(blad.find("media/s4.ogg"), std::string::npos) << blad;
    // The Ogg headers alone: no sound to play.
    podmien_plik("s4.ogg", cale.substr(0, 100));
    blad = uruchom();
    EXPECT_NE(blad.find("media/s4.ogg"), std::string::npos) << blad;
}

TEST_F(Start, AFontCutToHalfLoadsButDrawsNothingAndIsRefusedNamingTheFile) {
    for (const char* plik : {"arialbd.ttf", "georgiab.ttf"}) {
        SCOPED_TRACE(plik);
        fs::path sciezka = fs::path(katalog) / "media" / plik;
        fs::path cel = fs::read_symlink(sciezka);
        std::ifstream we(cel, std::ios::binary);
        std::string cale((std::istreambuf_iterator<char>(we)), {});
        podmien_plik(plik, cale.substr(0, cale.size() / 2));
        std::string blad = uruchom();
        EXPECT_NE(blad.find(std::string("media/") + plik + ": the font draws nothing"), std::string::npos) << blad;
        EXPECT_TRUE(inne_pliki().empty());
        fs::remove(sciezka);
        fs::create_symlink(cel, sciezka);
    }
}

TEST_F(Start, ASpriteSheetTooSmallForTheRegionsTheGameUsesIsRefused) {
    // A valid PNG of 10 x 10: every region of the sheet would fall outside it.
    ALLEGRO_BITMAP* maly = nullptr;
    ASSERT_TRUE(al_init());
    al_init_image_addon();
    maly = al_create_bitmap(10, 10);
    ASSERT_NE(maly, nullptr);
    fs::path p = fs::path(katalog) / "media" / "el.png";
    fs::remove(p);
    ASSERT_TRUE(al_save_bitmap(p.c_str(), maly));
    al_destroy_bitmap(maly);
    std::string blad = uruchom();
    EXPECT_NE(blad.find("media/el.png"), std::string::npos) << blad;
    EXPECT_NE(blad.find("10 x 10"), std::string::npos) << blad;
}

TEST_F(Start, WordListFaultsNameTheFileTheLineAndWhatIsWrong) {
    struct przypadek {
        std::vector<std::string> linie;
        std::string linia;    // "" when the fault has no line
        std::string co;       // a piece of the description
    } przypadki[] = {
        {{"kotek", "lampa", "kot", "ZZZ"}, "line 3", "3 bytes"},
        {{"kotek", "lampy!", "ZZZ"}, "line 2", "6 bytes"},
        {{"kotek", "lampa", "mysza", "kot  ", "ZZZ"}, "line 4", "3 bytes"},
        {{"Kotek", "ZZZ"}, "line 1", "not a letter"},
        {{"kotek", "ZZZ ", "ZZZ"}, "line 2", "exactly ZZZ"},
        {{"ZZZ", "kotek"}, "", "no words"},
        {{"kotek", std::string(1000, 'x'), "ZZZ"}, "line 2", "past 32 bytes"},
        {{}, "", "no words"},
    };
    for (const przypadek& p : przypadki) {
        std::string blad = blad_listy(lista(p.linie));
        SCOPED_TRACE(blad);
        EXPECT_NE(blad.find("media/data_lista.txt"), std::string::npos);
        if (!p.linia.empty()) EXPECT_NE(blad.find(p.linia + ":"), std::string::npos);
        else EXPECT_EQ(blad.find("line "), std::string::npos);
        EXPECT_NE(blad.find(p.co), std::string::npos);
        EXPECT_LT(blad.size(), 200u);
        EXPECT_TRUE(inne_pliki().empty());
    }
}

TEST_F(Start, ADirectoryInPlaceOfTheWordListIsCalledADirectory) {
    usun_plik("data_lista.txt");
    fs::create_directory(fs::path(katalog) / "media" / "data_lista.txt");
    std::string blad = uruchom();
    EXPECT_NE(blad.find("media/data_lista.txt: is a directory"), std::string::npos) << blad;
}

TEST_F(Start, TheListOfAcceptedGuessesIsOptionalAndOneNamingAPasswordStopsOnItsLine) {
    podmien_plik("data_lista.txt", "kotek\nlampa\n");
    usun_plik("data_zgadywane.txt");
    ASSERT_EQ(uruchom(), "");
    EXPECT_TRUE(zg.empty());
    podmien_plik("data_zgadywane.txt", "balon\nbabka\nlampa\nZZZ\n");
    EXPECT_NE(uruchom().find("media/data_zgadywane.txt: line 3: \"lampa\" is a password"), std::string::npos);
}

TEST_F(Start, AListOf1999WordsLoadsAndOneMoreWordIsRefusedOnLine2000) {
    std::vector<std::string> linie;
    const char* litery = "abcdefghijklmnoprstuwyzACELNOSXZ";
    for (int i = 0; i < 1999; ++i) {
        std::string s = "ko";
        s += litery[i % 32];
        s += litery[(i / 32) % 32];
        s += litery[i / 1024];
        linie.push_back(s);
    }
    usun_plik("data_zgadywane.txt");  // it may hold some of these made-up words
    podmien_plik("data_lista.txt", lista(linie) + "ZZZ\n");
    ASSERT_NO_THROW(ustawienia());
    EXPECT_EQ(ih, 1999);
    EXPECT_EQ(h[1998], linie[1998]);
    EXPECT_EQ(h[1999], "ZZZ");
    koniec();

    linie.push_back("lampa");
    std::string blad = blad_listy(lista(linie) + "ZZZ\n");
    EXPECT_NE(blad.find("media/data_lista.txt: line 2000:"), std::string::npos) << blad;
    EXPECT_NE(blad.find("1999"), std::string::npos) << blad;
}

TEST_F(Start, ACrLfListLoadsTheSameWordsAsAnLfListAndTheTerminatorFollowsTheLastWord) {
    std::vector<std::string> slowa = {"kotek", "LOdka", "Xrebi", "mysza", "ZZZ", "potem"};
    auto wczytaj = [&](const char* eol) {
        podmien_plik("data_lista.txt", lista(slowa, eol));
        ustawienia();
        std::vector<std::string> w(h, h + ih + 1);
        koniec();
        return w;
    };
    std::vector<std::string> lf = wczytaj("\n");
    std::vector<std::string> crlf = wczytaj("\r\n");
    EXPECT_EQ(lf, (std::vector<std::string>{"kotek", "LOdka", "Xrebi", "mysza", "ZZZ"}));
    EXPECT_EQ(crlf, lf);
}

TEST_F(Start, AListWithoutTheTerminatorEndsAtTheEndOfTheFileWithTheTerminatorSet) {
    podmien_plik("data_lista.txt", "kotek\r\nlampa");
    h[2] = "stale";
    ustawienia();
    EXPECT_EQ(ih, 2);
    EXPECT_EQ(h[1], "lampa");
    EXPECT_EQ(h[2], "ZZZ");
    koniec();
}

TEST_F(Start, TheRealWordListLoadsWithinItsCapacity) {
    ustawienia();
    EXPECT_GT(ih, 0);
    EXPECT_LE(ih, 1999);
    EXPECT_EQ(h[ih], "ZZZ");
    for (int i = 0; i < ih; ++i) EXPECT_TRUE(slowo_poprawne(h[i])) << i << ": " << h[i];
    EXPECT_GT(zg.size(), 0u);
    EXPECT_TRUE(std::is_sorted(zg.begin(), zg.end())) << "a guess is looked up by halving";
    koniec();
}

// --- An installed game: media beside the program, a working directory that is the player's --------

TEST_F(Start, AnInstalledGameReadsItsMediaFromBesideTheProgramAndLeavesTheWorkingDirectoryAlone) {
    // katalog/inst/bin holds the program, katalog/inst/share/brolik/media the media; the player
    // works in katalog/praca, with a media folder and an ekr.png of their own.
    fs::path inst = fs::path(katalog) / "inst";
    fs::create_directories(inst / "bin");
    fs::create_directories(inst / "share" / "brolik");
    fs::rename(fs::path(katalog) / "media", inst / "share" / "brolik" / "media");
    fs::path praca = fs::path(katalog) / "praca";
    fs::create_directories(praca / "media");
    std::ofstream(praca / "media" / "wakacje.jpg") << "a photo";
    std::ofstream(praca / "ekr.png") << "the player's own picture";
    fs::current_path(praca);
    S_SetProgramDirectory((inst / "bin").string() + "/");

    ASSERT_NO_THROW(ustawienia());
    EXPECT_EQ(katalog_mediow, (inst / "share" / "brolik" / "media").string() + "/");
    EXPECT_GT(ih, 0);
    pocz();
    ALLEGRO_BITMAP* ekr = wczytaj_ekr();
    ASSERT_NE(ekr, nullptr);
    al_destroy_bitmap(ekr);
    koniec();
    std::set<std::string> w_pracy;
    for (const auto& p : fs::recursive_directory_iterator(praca)) w_pracy.insert(p.path().filename().string());
    EXPECT_EQ(w_pracy, (std::set<std::string>{"media", "wakacje.jpg", "ekr.png"}));
    std::ifstream we(praca / "ekr.png");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(we), {}), "the player's own picture");

    // A fault of an installed file names it where it lies.
    fs::remove(inst / "share" / "brolik" / "media" / "el.png");
    std::string blad = uruchom();
    EXPECT_NE(blad.find((inst / "share" / "brolik" / "media" / "el.png").string() + ": "), std::string::npos) << blad;
}

TEST_F(Start, WithTheMediaNowhereTheMessageNamesEveryPlaceLookedAt) {
    fs::remove_all(fs::path(katalog) / "media");
    S_SetProgramDirectory(katalog + "/bin/");
    std::string blad = uruchom();
    EXPECT_NE(blad.find("cannot find the game's media"), std::string::npos) << blad;
    EXPECT_NE(blad.find(katalog + "/media"), std::string::npos) << blad;
    EXPECT_NE(blad.find(katalog + "/share/brolik/media"), std::string::npos) << blad;
    EXPECT_NE(blad.find("cmake --install"), std::string::npos) << blad;
    EXPECT_TRUE(inne_pliki().empty());
}

TEST(PlikUstawien, WhatATextSaysAndWhatIsLeftOutOfIt) {
    struct przypadek {
        const char* tekst;
        i_ustawienia oczekiwane;
        bool ostrzezenie;
        size_t pominietych;
    } przypadki[] = {
        {"", {}, false, 0},
        {"\xef\xbb\xbf DZWIEK = Nie\r\nglosnosc=60 %\r\n# a note\r\npelny_ekran = tak\r\nokno = 1024 x 768", {false, 60, true, 1024, 768}, false, 0},
        {"kolor = zielony\ndzwiek = nie\n", {false, 100, false, 800, 600}, true, 1},
        {"glosnosc = 150\nokno = 399x300\ndzwiek = chyba\npelny_ekran\nglosnosc = -5\n", {}, true, 5},
        {"dzwiek = nie\nglosnosc = 40\n\x01\x7f", {}, true, 0},
        {"dzwiek = nie\nglosnosc = \xc5\n", {}, true, 0},
    };
    for (const przypadek& p : przypadki) {
        SCOPED_TRACE(p.tekst);
        i_ustawienia u;
        std::vector<std::string> pominiete;
        EXPECT_EQ(!I_ParseSettings(p.tekst, &u, &pominiete).empty(), p.ostrzezenie);
        EXPECT_EQ(std::tie(u.dzwiek, u.glosnosc, u.pelny_ekran, u.szerokosc, u.wysokosc),
                  std::tie(p.oczekiwane.dzwiek, p.oczekiwane.glosnosc, p.oczekiwane.pelny_ekran, p.oczekiwane.szerokosc,
                           p.oczekiwane.wysokosc));
        EXPECT_EQ(pominiete.size(), p.pominietych);
        // Written back, the lines left out are carried but never read as settings again.
        i_ustawienia znowu{!u.dzwiek, 0, !u.pelny_ekran, 400, 300};
        std::vector<std::string> znowu_pominiete;
        EXPECT_EQ(I_ParseSettings(I_FormatSettings(u, pominiete), &znowu, &znowu_pominiete), "");
        EXPECT_EQ(std::tie(znowu.dzwiek, znowu.glosnosc, znowu.pelny_ekran, znowu.szerokosc, znowu.wysokosc),
                  std::tie(u.dzwiek, u.glosnosc, u.pelny_ekran, u.szerokosc, u.wysokosc));
        EXPECT_EQ(znowu_pominiete, pominiete);
    }
}

TEST_F(Start, AFailedReplacementLeavesTheOldFileAloneAndNothingBesideIt) {
    const std::string plik = katalog + "/ustawienia.txt";
    std::string tresc, blad;
    EXPECT_FALSE(I_ReadFile(plik, 100, &tresc, &blad));
    EXPECT_EQ(blad, "");  // no such file: no fault to report
    ASSERT_TRUE(I_ReplaceFile(plik, "stare\n", &blad)) << blad;
    // A full disk, as far as this process can tell.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit bylo, teraz = {3, RLIM_INFINITY};
    getrlimit(RLIMIT_FSIZE, &bylo);
    setrlimit(RLIMIT_FSIZE, &teraz);
    const bool zapisany = I_ReplaceFile(plik, "nowe, dłuższe\n", &blad);
    setrlimit(RLIMIT_FSIZE, &bylo);
    EXPECT_FALSE(zapisany || blad.empty());
    ASSERT_TRUE(I_ReadFile(plik, 100, &tresc, &blad)) << blad;
    EXPECT_EQ(tresc, "stare\n");
    EXPECT_EQ(inne_pliki(), std::set<std::string>{"ustawienia.txt"});
    EXPECT_FALSE(I_ReadFile(plik, 3, &tresc, &blad));
    EXPECT_FALSE(I_ReadFile(katalog + "/media", 100, &tresc, &blad) || blad.empty());
}
