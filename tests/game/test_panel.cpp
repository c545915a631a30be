// Tests of the players' panel, the game start, the change of player, the entry into the final, the end screen and the best results' table.
#include <gtest/gtest.h>

#include <cstring>

#include <sys/wait.h>
#include <unistd.h>

#include "bingo.h"
#include "game.h"
#include "gracz.h"
#include "menu.h"
#include "word.h"
#include "wyniki.h"

namespace {

// The screen pixel at (x, y) is one of the pixels of this source region of el.
bool z_obszaru(int x, int y, int sx, int sy, int sw, int sh) {
    rgb c = piksel(x, y);
    for (int j = sy; j < sy + sh; ++j)
        for (int i = sx; i < sx + sw; ++i)
            if (piksel_z(el, i, j) == c) return true;
    return false;
}

void wypelnij(ALLEGRO_BITMAP* b, rgb c) {
    al_set_target_bitmap(b);
    al_clear_to_color(al_map_rgb(c.r, c.g, c.b));
    al_set_target_bitmap(tylny);
}

class Panel : public Scena {
protected:
    void SetUp() override {
        Scena::SetUp();
        ALLEGRO_BITMAP* gg = al_load_bitmap("media/gg1.png");
        al_destroy_bitmap(bufor);
        bufor = gg;
        al_set_target_bitmap(tylny);
        al_draw_bitmap(bufor, 0, 0, 0);
        imie[0] = "Ala";
        imie[1] = "Olek";
    }
    void TearDown() override {
        S_OnPoll(nullptr);
        S_OnFrame(nullptr);
        Scena::TearDown();
    }
};

}  // namespace

TEST(Nagroda, PrizeFallsBy100PerFailedTryAndNeverBelow100) {
    EXPECT_EQ(nagroda(0), 500);
    EXPECT_EQ(nagroda(3), 200);
    EXPECT_EQ(nagroda(4), 100);
    EXPECT_EQ(nagroda(5), 100);
    EXPECT_EQ(nagroda(6), 100);
}

TEST(Nagroda, CountUpRestChangesExactlyAtTheStakeBoundaries) {
    EXPECT_DOUBLE_EQ(przerwa_liczenia(500), 0.004);
    EXPECT_DOUBLE_EQ(przerwa_liczenia(501), 0.003);
    EXPECT_DOUBLE_EQ(przerwa_liczenia(1000), 0.003);
    EXPECT_DOUBLE_EQ(przerwa_liczenia(1001), 0.002);
    EXPECT_DOUBLE_EQ(przerwa_liczenia(2000), 0.002);
    EXPECT_DOUBLE_EQ(przerwa_liczenia(2001), 0.001);
}

TEST_F(Panel, SecondPlayerPanelShowsTheirNameColourBothTotalsAndTheirBoard) {
    ig = 2;
    suma[0] = 700;
    suma[1] = 1200;
    wypelnij(tgr[0], {10, 20, 30});
    wypelnij(tgr[1], {40, 50, 60});
    dane_gracza(1);
    EXPECT_EQ(aktywny(), 1);
    EXPECT_GT(ile_koloru(640, 545, 120, 22, {200, 144, 44}), 0) << "the active total";
    EXPECT_GT(ile_koloru(640, 574, 150, 22, {130, 120, 110}), 0) << "the other total";
    EXPECT_EQ(piksel(600, 250), (rgb{40, 50, 60})) << "player 1's board";
    EXPECT_TRUE(z_obszaru(700, 530, 642, 523, 116, 16)) << "the empty timer bar";
    EXPECT_EQ(S_Frames(), 0) << "the panel waits for the caller's flip";
    EXPECT_EQ(S_Entered("kapslef"), 0) << "no caps in the main stage";

    dane_gracza(0);
    EXPECT_EQ(aktywny(), 0);
    EXPECT_EQ(piksel(600, 250), (rgb{10, 20, 30}));
}

TEST_F(Panel, OnePlayerPanelHasNoSecondTotalAndTheFinalAddsCaps) {
    ig = 1;
    suma[1] = 999;  // must not show
    dane_gracza(0);
    EXPECT_EQ(ile_koloru(640, 574, 150, 22, {130, 120, 110}), 0);
    // The second box is a patch of the background from x = 10, not from its own place.
    for (int x = 640; x < 790; x += 13)
        for (int y = 574; y < 596; y += 5) ASSERT_EQ(piksel(x, y), piksel_bufora(x - 630, y)) << x << "," << y;
    fin = 1;
    dane_gracza(0);
    EXPECT_EQ(S_Entered("kapslef"), 1);
}

TEST_F(Panel, ChangeOfPlayerSwitchesOnlyInTheTwoPlayerMainStageAndGivesPosition1Or2) {
    hh = "kotek";
    struct przypadek {
        int ig, fin, gr_przed, gr_po;
        std::string h1_przed, h1_po;
    } przypadki[] = {
        {2, 0, 0, 1, "k[[[[", "ko[[["},
        {2, 0, 1, 0, "ko[[[", "kot[["},
        {2, 0, 1, 0, "kot[[", "kot[["},  // positions 3 and 4 are never given here
        {2, 0, 0, 1, "kote[", "kote["},
        {2, 0, 0, 1, "k[tek", "kotek"},  // even the last hidden letter
        {2, 1, 1, 1, "k[[[[", "ko[[["},
        {1, 0, 0, 0, "k[[[[", "ko[[["},
    };
    for (const przypadek& p : przypadki) {
        ig = p.ig;
        fin = p.fin;
        h1 = p.h1_przed;
        int gr = p.gr_przed;
        double t0 = S_Now();
        int klatki = S_Frames();
        zmiana_gracza(gr);
        EXPECT_EQ(gr, p.gr_po) << p.h1_przed << " ig " << p.ig << " fin " << p.fin;
        EXPECT_EQ(h1, p.h1_po) << p.h1_przed;
        EXPECT_NEAR(S_Now() - t0, 1.4, 1e-9);
        EXPECT_GE(S_Frames() - klatki, 1);
        EXPECT_EQ(aktywny(), gr);
    }
    EXPECT_EQ(S_Entered("dane_gracza"), 7);
}

TEST_F(Panel, ChangeOfPlayerShowsItsMessageOverTheBoard) {
    ig = 2;
    hh = h1 = "kotek";
    int gr = 0;
    int widziany = -1;
    S_OnFrame([&](int) {
        if (S_Entered("zmiana_gracza") == 1 && S_Entered("dane_gracza") == 0)
            widziany = ile_koloru(530, 275, 236, 40, {200, 144, 44});
    });
    zmiana_gracza(gr);
    EXPECT_GT(widziany, 0);
    EXPECT_EQ(h1, "kotek") << "nothing given after a guessed word";
    EXPECT_EQ(gr, 1);
}

TEST_F(Panel, StartLoadsTheBackgroundAndDealsABoardPerPlayerWithItsMessage) {
    ALLEGRO_BITMAP* gg = al_load_bitmap("media/gg1.png");
    al_set_target_bitmap(bufor);
    al_clear_to_color(al_map_rgb(1, 2, 3));
    al_set_target_bitmap(tylny);
    ig = 2;
    std::vector<int> komunikaty;
    S_OnFrame([&](int) {
        // The message strip while each board is dealt.
        int n = S_Entered("tablica");
        if (n > 0 && int(komunikaty.size()) < n)
            komunikaty.push_back(ile_koloru(32, 505, 338, 40, {50, 150, 150}));
    });
    start();
    EXPECT_EQ(S_Entered("ukazywanie_obrazu"), 1);
    ASSERT_EQ(S_Entered("tablica"), 2);
    EXPECT_GE(S_EnteredAt("tablica", 1) - S_EnteredAt("tablica", 0), 1.0);
    ASSERT_EQ(komunikaty.size(), 2u);
    EXPECT_GT(komunikaty[0], 0);
    EXPECT_GT(komunikaty[1], 0);
    for (int x = 0; x < 800; x += 97)
        for (int y = 0; y < 600; y += 61) ASSERT_EQ(piksel_bufora(x, y), piksel_z(gg, x, y));
    for (int i = 0; i < 25; ++i) EXPECT_GT(tab[1][i], 0) << "player 1's board dealt";
    al_destroy_bitmap(gg);
}

TEST_F(Panel, OnePlayerStartDealsOneBoardWithoutMessageOrRest) {
    ig = 1;
    start();
    EXPECT_EQ(S_Entered("tablica"), 1);
    EXPECT_EQ(ile_koloru(32, 494, 338, 62, {50, 150, 150}), 0);
    for (int i = 0; i < 25; ++i) EXPECT_EQ(tab[1][i], 0) << "no board for a second player";
    EXPECT_LT(S_Now() - S_EnteredAt("tablica"), 1.0) << "no 1.0 s rest after the board";
}

TEST_F(Panel, StartWithoutItsBackgroundKeepsTheOldOneAndWarnsOnceNamingTheFile) {
    ig = 1;
    ALLEGRO_BITMAP* stary = bufor;
    usun_plik("gg1.png");
    for (int gra = 0; gra < 2; ++gra) start();
    EXPECT_EQ(bufor, stary);
    int ostrzezenia = 0;
    for (const s_slad& s : S_Trace())
        if (s.co.rfind("warning ", 0) == 0) {
            ++ostrzezenia;
            EXPECT_NE(s.co.find("media/gg1.png"), std::string::npos) << s.co;
        }
    EXPECT_EQ(ostrzezenia, 1);
}

TEST_F(Panel, FinalistIsTheRicherPlayerAndOnATieThePlayerWhoseTurnItIs) {
    ig = 2;
    struct przypadek {
        int s0, s1, gr_przed, gr_po;
    } przypadki[] = {{3200, 2700, 1, 0}, {2700, 3200, 0, 1}, {1500, 1500, 1, 1}, {1500, 1500, 0, 0}};
    for (const przypadek& p : przypadki) {
        suma[0] = p.s0;
        suma[1] = p.s1;
        int gr = p.gr_przed;
        int ogloszenie = 0;
        S_OnFrame([&](int) { ogloszenie = std::max(ogloszenie, ile_koloru(32, 494, 338, 62, {0, 155, 55})); });
        final_pocz(gr);
        EXPECT_EQ(gr, p.gr_po) << p.s0 << ":" << p.s1;
        EXPECT_GT(ogloszenie, 0) << "\"Do finału przechodzi\"";
        EXPECT_EQ(suma[0], p.s0);
        EXPECT_EQ(suma[1], p.s1);
    }
}

TEST_F(Panel, FinalEntryPacesItsAnimationsPlaysItsStingAndBlanksTheArrowColumn) {
    for (int gracze = 1; gracze <= 2; ++gracze) {
        S_Reset();
        ig = gracze;
        int gr = 0;
        suma[0] = 100;
        suma[1] = 900;
        int ogloszenie = 0;
        S_OnFrame([&](int) { ogloszenie = std::max(ogloszenie, ile_koloru(32, 494, 338, 62, {0, 155, 55})); });
        final_pocz(gr);
        // 56 band steps, 1 s, 301 curtain steps, [1 s announcement], 40 banner steps, 0.5 s [+ 2 s].
        double oczekiwany = 0.56 + 1.0 + 3.01 + 0.4 + 0.5 + (gracze == 2 ? 1.0 + 2.0 : 0.0);
        EXPECT_NEAR(S_Now(), oczekiwany, 1e-6) << gracze;
        EXPECT_EQ(S_Frames(), 56 + 301 + 40 + (gracze == 2 ? 1 : 0)) << gracze;
        EXPECT_EQ(gr, gracze == 2 ? 1 : 0);
        if (gracze == 1) {
            EXPECT_EQ(ogloszenie, 0) << "no announcement with one player";
        }
        ASSERT_EQ(S_Sounds().size(), 1u);
        EXPECT_EQ(S_Sounds()[0].nazwa, "s6");
        EXPECT_FLOAT_EQ(S_Sounds()[0].glosnosc, 0.8f);
        EXPECT_FLOAT_EQ(S_Sounds()[0].predkosc, 0.7f);
        for (int k = 0; k < 5; ++k) EXPECT_TRUE(z_obszaru(420, 156 + 69 * k, 220, 0, 2, 2)) << k;
        // The curtains closed the clean background over everything else.
        EXPECT_TRUE(ekran_jak_bufor(0, 450, 800, 40, 7));
    }
}

TEST_F(Panel, EscapeDuringTheFinalBandLeavesTheFinalistUnchosen) {
    ig = 2;
    suma[0] = 5000;
    int gr = 1;
    S_KeyDown(0.2, ALLEGRO_KEY_ESCAPE);
    final_pocz(gr);
    EXPECT_EQ(gr, 1);
    EXPECT_LT(S_Now(), 0.56);
    EXPECT_TRUE(wcisniety(ALLEGRO_KEY_ESCAPE));
}

TEST_F(Panel, EndScreenGrowsItsFrameShowsTheWinningsAndWaitsForEnter) {
    suma[1] = 12345;
    int gr = 1;
    al_draw_bitmap(bufor, 0, 0, 0);
    S_KeyDown(5.0, ALLEGRO_KEY_ENTER);
    koniec_fin(gr);
    EXPECT_NEAR(S_Now(), 5.0, 0.01);
    EXPECT_EQ(suma[1], 12345);
    // Outer band of the first patch, a band of the second, the inside of the first.
    EXPECT_TRUE(z_obszaru(98, 300, 10, 130, 5, 5));
    EXPECT_TRUE(z_obszaru(103, 300, 140, 170, 9, 9));
    EXPECT_TRUE(z_obszaru(110, 365, 10, 130, 5, 5));
    EXPECT_TRUE(z_obszaru(400, 228, 140, 170, 9, 9));
    EXPECT_TRUE(z_obszaru(701, 376, 10, 130, 5, 5));
    EXPECT_EQ(piksel(95, 300), piksel_bufora(95, 300)) << "nothing left of the frame";
    EXPECT_EQ(piksel(400, 220), piksel_bufora(400, 220)) << "nothing above the frame";
    EXPECT_GT(ile_koloru(96, 230, 608, 45, {0, 110, 210}), 0) << "\"Koniec gry\"";
    EXPECT_GT(ile_koloru(96, 275, 608, 55, {66, 188, 66}), 0) << "the winnings";
    EXPECT_GT(ile_koloru(96, 330, 608, 35, {133, 133, 133}), 0) << "\" Enter to MENU \"";
}

TEST_F(Panel, EndScreenHeldEnterOrEscapeEndsTheWaitAtOnce) {
    for (int klawisz : {ALLEGRO_KEY_ENTER, ALLEGRO_KEY_ESCAPE}) {
        S_Reset();
        S_KeyDown(0, klawisz);
        I_GetKeyboardState(&klaw);
        int gr = 0;
        koniec_fin(gr);
        EXPECT_NEAR(S_Now(), 300 * 0.003, 0.002) << klawisz;
        EXPECT_TRUE(wcisniety(klawisz));
    }
}

TEST_F(Panel, WaitingScreensDrawOnlyWhatChangesAndFinishTheRestAsUnchanged) {
    // Every frame finished as unchanged is compared with the last one finished: a pass that drew
    // something and called its frame unchanged would keep that drawing from the window.
    S_CheckUnchanged(true);
    const int f0 = S_Frames();
    S_KeyPress(1.0, ALLEGRO_KEY_SPACE);
    spacja();
    EXPECT_GE(S_UnchangedFrames(), 900) << "the Space prompt redrew an unchanged screen";

    // A try with letters, a deletion and a refusal, then the word after a second's idling.
    slowa({"kotek"});
    hh = "kotek";
    h1 = "k[[[[";
    int pruba = 0, cw = 0, dd = 0;
    // The game loop's own drawing before a try shows with the try's first frame.
    al_draw_scaled_bitmap(el, 60, 235, 100, 14, 640, 524, 120, 14, 0);
    double t = S_Type(S_Now() + 0.3, "xy\bzqwr");
    S_Type(t + 2.0, "kotek");
    wpisywanie_z_klawiatury(pruba, cw, dd);
    EXPECT_EQ(h1, "kotek");

    rozdaj(tab[0], tk[0], 0);
    int gr = 0, ku = -1;
    S_KeyPress(S_Now() + 0.6, ALLEGRO_KEY_SPACE);
    S_KeyPress(S_Now() + 4.0, ALLEGRO_KEY_ESCAPE);
    los_kul(gr, ku);
    S_KeyUp(S_Now(), ALLEGRO_KEY_ESCAPE);
    I_GetKeyboardState(&klaw);

    fin = 1;
    rozdaj(tab[0], tk[0], 1);
    bingof = 0;
    pruba = 2;
    S_KeyPress(S_Now() + 0.6, ALLEGRO_KEY_SPACE);
    S_KeyPress(S_Now() + 4.0, ALLEGRO_KEY_ESCAPE);
    los_kulf(gr, pruba);
    S_KeyUp(S_Now(), ALLEGRO_KEY_ESCAPE);
    I_GetKeyboardState(&klaw);

    S_KeyDown(S_Now() + 2.0, ALLEGRO_KEY_ENTER);
    koniec_fin(gr);
    EXPECT_EQ(S_UnchangedFaults(), 0);
    // The prompts pulse one step of green per four passes; the rest of the passes change nothing.
    EXPECT_GE(S_UnchangedFrames(), (S_Frames() - f0) / 2);
    S_CheckUnchanged(false);
}

namespace {
std::vector<int> kwoty(const std::vector<wynik>& t) {
    std::vector<int> k;
    for (const wynik& w : t) k.push_back(w.kwota);
    return k;
}
}  // namespace

TEST(TabelaWynikow, ATextReadsBestFirstAndAnyLineThatIsNoEntrySpoilsIt) {
    // -1: the text is refused.
    std::vector<std::pair<std::string, std::vector<int>>> przypadki = {
        {"", {}},
        {"\xEF\xBB\xBF# uwaga\r\n\r\n300\t2024-01-02\tOla\r\n9000\t2023-12-31\t\xC5\x81ucja \xC5\xBB\r\n300\t2024-01-01\t Jan ",
         {9000, 300, 300}}};
    for (std::string zly : {"300 2024-01-02 Ola", "0\t2024-01-02\tOla", "-3\t2024-01-02\tOla", "12345678\t2024-01-02\tOla",
                            "300\t2024-13-02\tOla", "300\t02.01.2024\tOla", "300\t2024-01-02\t", "300\t2024-01-02\tOl\xC5",
                            "300\t2024-01-02\tO\x01la", "300\t2024-01-02\tOla\n\x89PNG\r\n\x1A"})
        przypadki.push_back({zly + "\n", {-1}});
    przypadki.push_back({std::string("300\t2024-01-02\tOla\0\n", 20), {-1}});
    for (const auto& [tekst, oczekiwane] : przypadki) {
        SCOPED_TRACE(tekst);
        std::vector<wynik> t;
        std::string blad;
        const bool dobry = czytaj_wyniki(tekst, &t, &blad);
        EXPECT_EQ(dobry ? kwoty(t) : std::vector<int>{-1}, oczekiwane) << blad;
        // Written out, a table reads back the same, names and dates included.
        std::vector<wynik> znowu;
        ASSERT_TRUE(czytaj_wyniki(tekst_wynikow(t), &znowu, &blad));
        for (size_t i = 0; dobry && i < t.size(); ++i) EXPECT_EQ(znowu[i].imie + znowu[i].data, t[i].imie + t[i].data);
    }
}

TEST(TabelaWynikow, ANewTotalGoesBelowTheEqualOnesAndTheTableKeepsTen) {
    std::vector<wynik> t;
    for (int k = 10; k >= 1; --k) wstaw_wynik(t, {100 * k, "2024-01-01", "A"});
    wstaw_wynik(t, {500, "2024-02-02", "B", true});
    wstaw_wynik(t, {100, "2024-02-02", "C", true});
    EXPECT_EQ(kwoty(t), (std::vector<int>{1000, 900, 800, 700, 600, 500, 500, 400, 300, 200}));
    EXPECT_EQ(t[6].imie, "B");
}

TEST_F(Panel, TwoGamesWritingAtOnceKeepAllTheirTotalsAndADamagedTableIsSetAsideOnce) {
    const std::string plik = I_UserFolder(true) + "wyniki.txt";
    std::string blad, tresc;
    ASSERT_TRUE(I_ReplaceFile(plik, "\x89PNG\r\n", &blad)) << blad;
    pid_t gry[2];
    for (int g = 0; g < 2; ++g)
        if ((gry[g] = fork()) == 0) {
            for (int i = 0; i < 10; ++i) uaktualnij_wyniki({{700 + 2 * i + g, "2024-01-01", "Żaneta", true}});
            _exit(0);
        }
    for (pid_t p : gry) waitpid(p, nullptr, 0);
    ASSERT_TRUE(I_ReadFile(plik + ".uszkodzony", 100, &tresc, &blad));
    EXPECT_EQ(tresc, "\x89PNG\r\n");
    EXPECT_FALSE(I_ReadFile(plik + ".uszkodzony-2", 100, &tresc, &blad));
    const std::vector<wynik> t = uaktualnij_wyniki({{750, "2024-01-03", "Jan", true}});
    EXPECT_EQ(kwoty(t), (std::vector<int>{750, 719, 718, 717, 716, 715, 714, 713, 712, 711}));
    EXPECT_TRUE(t[0].nowy && !t[1].nowy);
    // Shown after a game, the new entry has its star; with no key pressed the table goes after 8 s.
    const double od = S_Now();
    najlepsze_wyniki(t, STRONA_NA_CZAS);
    EXPECT_NEAR(S_Now() - od, 8.4, 0.05);
    EXPECT_EQ(piksel_bufora(129, 80 + 18), piksel_z(el, 49, 244));
    EXPECT_NE(piksel_bufora(129, 80 + 44 + 18), piksel_z(el, 49, 244));
}
