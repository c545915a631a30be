// Scenario tests of screen composition: the restore rectangles, the fades, the intro frame by frame, the scratch picture and the darkening at shutdown.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>

#include "obrazy.h"
#include "scena.h"

namespace fs = std::filesystem;

namespace {

// Loads media/gg1.png into bufor, as a game start does.
void tlo_gry_do_bufora() {
    ALLEGRO_BITMAP* b = al_load_bitmap("media/gg1.png");
    ASSERT_NE(b, nullptr);
    al_destroy_bitmap(bufor);
    bufor = b;
}

std::vector<std::string> ostrzezenia() {
    std::vector<std::string> w;
    for (const s_slad& s : S_Trace())
        if (s.co.rfind("warning ", 0) == 0) w.push_back(s.co);
    return w;
}

// Pixels where the fade steps are checked: a coarse grid over the whole window.
template <class F>
void na_siatce(F f) {
    for (int y = 3; y < 600; y += 37)
        for (int x = 5; x < 800; x += 41) f(x, y);
}

// One step of a tinted draw at weight a/255 over what was there, as the default blender does it.
bool krok_mieszania(rgb stary, rgb zrodlo, rgb nowy, int a) {
    auto kanal = [&](unsigned char s, unsigned char z, unsigned char n) {
        double oczekiwany = s * (1.0 - a / 255.0) + z * (a / 255.0);
        return std::fabs(n - oczekiwany) <= 1.0;
    };
    return kanal(stary.r, zrodlo.r, nowy.r) && kanal(stary.g, zrodlo.g, nowy.g) && kanal(stary.b, zrodlo.b, nowy.b);
}

}  // namespace

// --- The restore rectangles -------------------------------------------------------------------

TEST_F(Scena, EachRestoreRoutineCopiesExactlyItsRectangleFromBuforAndDoesNotPresent) {
    struct przypadek {
        const char* nazwa;
        void (*f)();
        prostokat r;
    } przypadki[] = {
        {"kas_1", kas_1, {30, 30, 341, 65}},    {"kas_2", kas_2, {30, 124, 341, 341}},
        {"kas_3", kas_3, {32, 494, 338, 62}},   {"kas_4", kas_4, {625, 138, 142, 23}},
        {"kas_5", kas_5, {530, 175, 236, 236}},
    };
    wzorek(bufor, 17);
    for (const przypadek& p : przypadki) {
        SCOPED_TRACE(p.nazwa);
        wypelnij(tylny, al_map_rgb(10, 20, 30));
        ALLEGRO_BITMAP* przed = kopia_ekranu();
        int klatki = S_Frames();
        p.f();
        EXPECT_EQ(S_Frames(), klatki);
        EXPECT_EQ(al_get_target_bitmap(), tylny);
        long poza = 0, zmienione = 0;
        rozne_piksele(tylny, przed, [&](int x, int y) {
            ++zmienione;
            if (!p.r.zawiera(x, y)) ++poza;
        });
        long rozne_od_bufora = 0;
        rozne_piksele(tylny, bufor, [&](int x, int y) { rozne_od_bufora += p.r.zawiera(x, y); });
        EXPECT_EQ(poza, 0);
        EXPECT_EQ(rozne_od_bufora, 0);
        // The pattern differs from the flat colour nearly everywhere, so the whole rectangle moved.
        EXPECT_GT(zmienione, long(p.r.w) * p.r.h * 9 / 10);
        al_destroy_bitmap(przed);
    }
}

// --- The fades --------------------------------------------------------------------------------

TEST_F(Scena, AFadeInOfTheScreenItselfLeavesItUnchanged) {
    tlo_gry_do_bufora();
    przepisz(tylny, bufor);
    double t0 = S_Now();
    ukazywanie_obrazu();
    EXPECT_EQ(liczba_roznic(tylny, bufor), 0);
    EXPECT_EQ(S_Frames(), 40);
    EXPECT_NEAR(S_Now() - t0, 0.40, 1e-9);
}

TEST_F(Scena, AFadeInMovesEveryPixelTowardBuforByStepIOver255InFrameI) {
    tlo_gry_do_bufora();
    wzorek(tylny, 99);
    ALLEGRO_BITMAP* poprzednia = kopia_ekranu();
    int zle = 0;
    S_OnFrame([&](int n) {
        int i = n - 1;
        na_siatce([&](int x, int y) {
            if (!krok_mieszania(piksel_z(poprzednia, x, y), piksel_bufora(x, y), piksel(x, y), i) && zle++ < 5)
                ADD_FAILURE() << "frame " << i << " at (" << x << ", " << y << "): was " << piksel_z(poprzednia, x, y)
                              << ", bufor " << piksel_bufora(x, y) << ", now " << piksel(x, y);
        });
        przepisz(poprzednia, tylny);
    });
    ukazywanie_obrazu();
    S_OnFrame(nullptr);
    EXPECT_EQ(S_Frames(), 40);
    EXPECT_EQ(zle, 0);
    al_destroy_bitmap(poprzednia);
}

TEST_F(Scena, AfterAFadeInAbout4PercentOfTheOldPictureIsLeftAndDrawingBuforAgainMakesItExact) {
    // White under a black bufor: what is left of the white is the product of (1 - i/255), about
    // 0.040, so 10 levels; a blender that rounds each step down leaves a few less.
    wypelnij(bufor, al_map_rgb(0, 0, 0));
    wypelnij(tylny, al_map_rgb(255, 255, 255));
    ukazywanie_obrazu();
    rgb c = piksel(400, 300);
    EXPECT_GE(c.r, 5);
    EXPECT_LE(c.r, 13);
    EXPECT_EQ(liczba_roznic(tylny, kopia_ekranu()), 0);
    long niejednolite = 0;
    ALLEGRO_BITMAP* wzor = al_create_bitmap(800, 600);
    wypelnij(wzor, al_map_rgb(c.r, c.g, c.b));
    niejednolite = liczba_roznic(tylny, wzor);
    EXPECT_EQ(niejednolite, 0) << "the fade treats some pixels differently";
    al_destroy_bitmap(wzor);

    // A real picture over another: every channel within about 4% of the old distance from bufor.
    // An 8-bit screen stalls a step that would move a channel by less than one level, so up to
    // 255/39 levels more can be left where the distance is small.
    tlo_gry_do_bufora();
    wzorek(tylny, 5);
    ALLEGRO_BITMAP* stary = kopia_ekranu();
    ukazywanie_obrazu();
    double najwiecej = 0;
    na_siatce([&](int x, int y) {
        rgb s = piksel_z(stary, x, y), b = piksel_bufora(x, y), n = piksel(x, y);
        for (auto [sk, bk, nk] : {std::tuple{s.r, b.r, n.r}, std::tuple{s.g, b.g, n.g}, std::tuple{s.b, b.b, n.b}}) {
            double odleglosc = std::abs(int(sk) - int(bk)), zostalo = std::abs(int(nk) - int(bk));
            EXPECT_LE(zostalo, 0.045 * odleglosc + 7) << "at (" << x << ", " << y << ")";
            if (odleglosc >= 100) najwiecej = std::max(najwiecej, zostalo / odleglosc);
        }
    });
    EXPECT_GT(najwiecej, 0.025) << "the fade left less of the old picture than its 40 steps can";
    al_draw_bitmap(bufor, 0, 0, 0);
    EXPECT_EQ(liczba_roznic(tylny, bufor), 0);
    al_destroy_bitmap(stary);
}

TEST_F(Scena, AFadeOutMovesTheScreenTowardTheFlatColourOfTheSpriteSheet) {
    rgb cel = piksel_z(el, 222, 2);
    unsigned char a = 0;
    {
        ALLEGRO_COLOR k = al_get_pixel(el, 222, 2);
        float r, g, b, al;
        al_unmap_rgba_f(k, &r, &g, &b, &al);
        a = static_cast<unsigned char>(al * 255);
    }
    ASSERT_EQ(a, 255) << "the fade colour region of el must be opaque";
    wzorek(tylny, 3);
    ALLEGRO_BITMAP* poprzednia = kopia_ekranu();
    int zle = 0;
    double t0 = S_Now();
    S_OnFrame([&](int n) {
        int i = n - 1;
        na_siatce([&](int x, int y) {
            if (!krok_mieszania(piksel_z(poprzednia, x, y), cel, piksel(x, y), i) && zle++ < 5)
                ADD_FAILURE() << "frame " << i << " at (" << x << ", " << y << "): was " << piksel_z(poprzednia, x, y)
                              << ", now " << piksel(x, y) << ", toward " << cel;
        });
        przepisz(poprzednia, tylny);
    });
    znikanie_obrazu();
    S_OnFrame(nullptr);
    EXPECT_EQ(S_Frames(), 40);
    EXPECT_NEAR(S_Now() - t0, 0.40, 1e-9);
    EXPECT_EQ(zle, 0);
    al_destroy_bitmap(poprzednia);
}

// --- The intro --------------------------------------------------------------------------------

namespace {

// Where frame i of the intro may draw: the copy of its figure at that frame's size, and the bar.
std::vector<prostokat> obszary_intra(int i) {
    std::vector<prostokat> w;
    if (i <= 149) w.push_back({300 - i, 130, i, i});
    if (i >= 151 && i <= 249) {
        int b = i - 150;
        w.push_back({400 - b / 2, 100, b, b});
        w.push_back({300, 210, 2 * (b + 1), 5});
    }
    if (i >= 251) w.push_back({500, 130, i - 250, i - 250});
    return w;
}

const int KLATKI_DZWIEKU[] = {20, 150, 280};

}  // namespace

TEST_F(Scena, TheIntroFrameByFrame) {
    ALLEGRO_BITMAP* poprzednia = kopia_ekranu();
    ALLEGRO_BITMAP* po_249 = nullptr;
    struct klatka {
        long zmienione, poza;
        size_t dzwieki;
        double t;
    };
    std::vector<klatka> klatki;
    S_OnFrame([&](int n) {
        int i = n - 1;
        std::vector<prostokat> obszary = obszary_intra(i);
        klatka k{0, 0, S_Sounds().size(), S_Now()};
        rozne_piksele(tylny, poprzednia, [&](int x, int y) {
            ++k.zmienione;
            bool w_obszarze = false;
            for (const prostokat& r : obszary) w_obszarze = w_obszarze || r.zawiera(x, y);
            if (!w_obszarze) ++k.poza;
        });
        klatki.push_back(k);
        przepisz(poprzednia, tylny);
        if (i == 249) po_249 = kopia_ekranu();
    });
    pocz();
    S_OnFrame(nullptr);

    ASSERT_EQ(klatki.size(), 400u);
    EXPECT_NEAR(S_Now(), 400 * 0.002, 1e-9);
    EXPECT_EQ(al_get_target_bitmap(), tylny);
    for (int i = 0; i < 400; ++i) {
        SCOPED_TRACE("frame " + std::to_string(i));
        const klatka& k = klatki[i];
        EXPECT_EQ(k.poza, 0) << "drawn outside this frame's figure and bar";
        if (i == 150 || i == 250) {
            EXPECT_EQ(k.zmienione, 0);
        }
        // The frame is finished, not yet rested: the sounds before it have played, its own not yet.
        size_t przed = 0;
        for (int f : KLATKI_DZWIEKU) przed += f < i;
        EXPECT_EQ(k.dzwieki, przed);
        EXPECT_NEAR(k.t, i * 0.002, 1e-9);
    }
    // Each figure is really drawn, up to its last frame.
    for (int i : {100, 149, 200, 249, 300, 399}) EXPECT_GT(klatki[i].zmienione, 0) << "frame " << i;

    // Each sound is s7 at gain 0.5 and speed 1, after the rest of its frame.
    ASSERT_EQ(S_Sounds().size(), 3u);
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(S_Sounds()[k].nazwa, "s7");
        EXPECT_FLOAT_EQ(S_Sounds()[k].glosnosc, 0.5f);
        EXPECT_FLOAT_EQ(S_Sounds()[k].predkosc, 1.0f);
        EXPECT_NEAR(S_Sounds()[k].t, (KLATKI_DZWIEKU[k] + 1) * 0.002, 1e-9);
    }

    // After frame 249 the bar covers x 300 to 499 exactly, in the colours of its sheet region,
    // and nothing draws over it afterwards.
    ASSERT_NE(po_249, nullptr);
    for (int y = 210; y < 215; ++y) {
        rgb a = piksel_z(el, 330, 81 + (y - 210)), b = piksel_z(el, 331, 81 + (y - 210));
        for (int x = 300; x < 500; ++x) {
            rgb c = piksel_z(po_249, x, y);
            EXPECT_TRUE(c == a || c == b) << "bar at (" << x << ", " << y << ") is " << c;
            EXPECT_EQ(piksel(x, y), c);
        }
        EXPECT_EQ(piksel_z(po_249, 500, y), (rgb{0, 0, 0})) << "bar longer than 200 pixels";
    }
    al_destroy_bitmap(po_249);
    al_destroy_bitmap(poprzednia);
}

TEST_F(Scena, EkrPngHoldsTheFinishedLogoOnBlackAndWczytajEkrGivesItBack) {
    // A file left over from an earlier run is replaced.
    std::ofstream("ekr.png") << "stale";
    pocz();
    ALLEGRO_BITMAP* zapisany = al_load_bitmap("ekr.png");
    ASSERT_NE(zapisany, nullptr);
    EXPECT_EQ(liczba_roznic(zapisany, tylny), 0);

    const prostokat logo[] = {{151, 130, 149, 149}, {351, 100, 99, 99}, {300, 210, 200, 5}, {500, 130, 149, 149}};
    long poza_czarne = 0;
    long w_logo[4] = {};
    {
        zamek z(zapisany);
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x) {
                const uint8_t* p = z.piksel(x, y);
                bool czarny = p[0] == 0 && p[1] == 0 && p[2] == 0;
                bool gdzies = false;
                for (int k = 0; k < 4; ++k)
                    if (logo[k].zawiera(x, y)) {
                        gdzies = true;
                        w_logo[k] += !czarny;
                    }
                if (!gdzies && !czarny) ++poza_czarne;
            }
    }
    EXPECT_EQ(poza_czarne, 0) << "something outside the logo";
    for (int k = 0; k < 4; ++k) EXPECT_GT(w_logo[k], long(logo[k].w) * logo[k].h / 2) << "logo piece " << k;

    ALLEGRO_BITMAP* ekr = wczytaj_ekr();
    ASSERT_NE(ekr, nullptr);
    EXPECT_EQ(liczba_roznic(ekr, zapisany), 0);
    EXPECT_TRUE(ostrzezenia().empty());
    al_destroy_bitmap(ekr);
    al_destroy_bitmap(zapisany);
}

// --- An unwritable working directory -------------------------------------------------------------

namespace {

// The intro in a directory where ekr.png cannot be written: one warning, the frame kept in memory.
void intro_bez_zapisu() {
    pocz();
    ALLEGRO_BITMAP* klatka = kopia_ekranu();
    std::vector<std::string> w = ostrzezenia();
    ASSERT_EQ(w.size(), 1u);
    EXPECT_NE(w[0].find("ekr.png"), std::string::npos) << w[0];
    // The menu reads it each time it is prepared, and destroys what it got.
    for (int k = 0; k < 2; ++k) {
        ALLEGRO_BITMAP* ekr = wczytaj_ekr();
        ASSERT_NE(ekr, nullptr);
        EXPECT_EQ(liczba_roznic(ekr, klatka), 0);
        al_destroy_bitmap(ekr);
    }
    EXPECT_EQ(ostrzezenia().size(), 1u);
    al_destroy_bitmap(klatka);
}

}  // namespace

TEST_F(Scena, WhenEkrPngCannotBeSavedTheIntroFrameIsKeptInMemoryWithOneWarning) {
    // A directory in the file's place makes the save fail for any user, root included.
    fs::create_directory("ekr.png");
    intro_bez_zapisu();
    EXPECT_TRUE(fs::is_directory("ekr.png"));
    koniec();
    zamkniety = true;
    EXPECT_TRUE(fs::is_directory("ekr.png")) << "shutdown removed a directory the game did not make";
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 2) << "a temporary file is left";
}

TEST_F(Scena, ALinkNamedEkrPngIsReplacedNeverWrittenThroughAndOnlyTheGamesOwnFileIsRemoved) {
    std::ofstream("cudzy.txt") << "someone's file";
    fs::create_symlink("cudzy.txt", "ekr.png");
    pocz();
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status("ekr.png")));
    std::ifstream we("cudzy.txt");
    std::string tresc((std::istreambuf_iterator<char>(we)), {});
    EXPECT_EQ(tresc, "someone's file");
    // Someone puts a link in place of the picture while the game runs: shutdown leaves it alone.
    fs::remove("ekr.png");
    fs::create_symlink("cudzy.txt", "ekr.png");
    koniec();
    zamkniety = true;
    EXPECT_TRUE(fs::is_symlink("ekr.png"));
    EXPECT_TRUE(fs::exists("cudzy.txt"));
}

TEST_F(Scena, InAReadOnlyWorkingDirectoryTheIntroFrameIsKeptInMemoryWithOneWarning) {
    const auto zapis = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(katalog, zapis, fs::perm_options::remove);
    if (std::ofstream("proba")) {
        fs::remove("proba");
        fs::permissions(katalog, zapis, fs::perm_options::add);
        GTEST_SKIP() << "the directory is still writable (as root, or where permissions do not "
                        "bind); the case of a directory named ekr.png covers the failed save";
    }
    intro_bez_zapisu();
    EXPECT_FALSE(fs::exists("ekr.png"));
    fs::permissions(katalog, zapis, fs::perm_options::add);
}

// The menu is composed from the picture in memory: whatever happens to the file does not reach it.
TEST_F(Scena, EkrPngRemovedOrReplacedBehindTheGamesBackLeavesTheMenuPictureWhole) {
    pocz();
    ALLEGRO_BITMAP* intro = kopia_ekranu();
    ASSERT_TRUE(fs::remove("ekr.png"));
    std::ofstream("ekr.png") << "another program's file";
    ALLEGRO_BITMAP* ekr = wczytaj_ekr();
    ASSERT_NE(ekr, nullptr);
    EXPECT_EQ(liczba_roznic(ekr, intro), 0);
    EXPECT_TRUE(ostrzezenia().empty());
    EXPECT_EQ(al_get_target_bitmap(), tylny);
    al_destroy_bitmap(intro);
    al_destroy_bitmap(ekr);
}

// --- Shutdown ----------------------------------------------------------------------------------

TEST_F(Scena, ShutdownDarkensTo30PercentInTwentyFiveStepsAndDeletesEkrPngOnly) {
    pocz();
    ASSERT_TRUE(fs::exists("ekr.png"));
    std::set<std::string> media_przed;
    for (const auto& p : fs::directory_iterator("media")) media_przed.insert(p.path().filename().string());

    wypelnij(tylny, al_map_rgb(255, 255, 255));
    ALLEGRO_BITMAP* poprzednia = kopia_ekranu();
    int klatki_przed = S_Frames();
    double t0 = S_Now();
    rgb ostatnia{};
    int zle = 0;
    S_OnFrame([&](int n) {
        int k = n - klatki_przed - 1;
        na_siatce([&](int x, int y) {
            if (!krok_mieszania(piksel_z(poprzednia, x, y), rgb{0, 0, 0}, piksel(x, y), k) && zle++ < 5)
                ADD_FAILURE() << "step " << k << " at (" << x << ", " << y << "): was " << piksel_z(poprzednia, x, y)
                              << ", now " << piksel(x, y);
        });
        przepisz(poprzednia, tylny);
        ostatnia = piksel(400, 300);
    });
    koniec();
    zamkniety = true;
    S_OnFrame(nullptr);
    al_destroy_bitmap(poprzednia);

    EXPECT_EQ(S_Frames() - klatki_przed, 25);
    EXPECT_NEAR(S_Now() - t0, 0.5, 1e-9);
    EXPECT_EQ(zle, 0);
    // The product of (1 - k/255) for k = 0 ... 24 is 0.297.
    EXPECT_GE(ostatnia.r, 70);
    EXPECT_LE(ostatnia.r, 82);
    EXPECT_EQ(ostatnia.g, ostatnia.r);
    EXPECT_EQ(ostatnia.b, ostatnia.r);

    EXPECT_FALSE(fs::exists("ekr.png"));
    std::set<std::string> reszta, media_po;
    for (const auto& p : fs::directory_iterator(".")) reszta.insert(p.path().filename().string());
    for (const auto& p : fs::directory_iterator("media")) media_po.insert(p.path().filename().string());
    EXPECT_EQ(reszta, std::set<std::string>{"media"});
    EXPECT_EQ(media_po, media_przed);
    EXPECT_EQ(bufor, nullptr);
    EXPECT_EQ(el, nullptr);
    EXPECT_EQ(samp[DZWIEK_WSTEP], nullptr);
}
