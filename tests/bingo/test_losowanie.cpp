// Scenario tests of the ball draws of the main game and of the final, and of the Space and bad-luck screens.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "pomoc.h"

namespace {

constexpr int KULA = 270, KULA_CZERWONA = 320, KULA_ZOLTA = 370;
const char* const PUSTA = "0000000000000000000000000";

// One press of Space in a main-game draw, with Escape once the ball has struck, so the
// call ends after exactly one press. Returns the struck cell, or -1 when none was.
int jedno_nacisniecie(int& ku) {
    int przed[25];
    std::copy(tk[0], tk[0] + 25, przed);
    const size_t od = S_Sounds().size();
    S_KeyUp(S_Now(), ALLEGRO_KEY_ESCAPE);
    S_KeyPress(S_Now(), ALLEGRO_KEY_SPACE);
    klawiatura_wolna();
    S_OnPoll([od](double t) {
        size_t s4 = 0;
        for (size_t k = od; k < S_Sounds().size(); ++k) s4 += S_Sounds()[k].nazwa == "s4";
        if (s4 == 3) S_KeyDown(t, ALLEGRO_KEY_ESCAPE);
    });
    int gr = 0;
    los_kul(gr, ku);
    S_OnPoll(nullptr);
    int cel = -1;
    for (int i = 0; i < 25; ++i)
        if (tk[0][i] != przed[i]) {
            EXPECT_EQ(cel, -1) << "one press struck two cells";
            cel = i;
        }
    return cel;
}

void ustaw_stan(const char* wzor) {
    for (int i = 0; i < 25; ++i) tk[0][i] = wzor[i] == '1';
}

// The prompt's brightness counter after pass p of a waiting loop: up from 1 to 251, down to -1,
// up again from 0, so one rise and fall take 504 passes.
int jasnosc_po(int p) {
    int q = p % 504;
    return q <= 251 ? q : 502 - q;
}

// Pixels of the message strip that differ from the strip a waiting pass should show: the clean
// strip, the prompt in green g and, when ile >= 0, the count of balls still due beside it.
int roznice_zachety(ALLEGRO_BITMAP* wzor, const char* napis, int ile, int g) {
    al_set_target_bitmap(wzor);
    al_draw_bitmap_region(bufor, 32, 494, 338, 62, 32, 494, 0);
    al_draw_text(f28, al_map_rgb(0, g, 0), 60, 510, ALLEGRO_ALIGN_LEFT, napis);
    if (ile >= 0) al_draw_textf(f28, al_map_rgb(0, g, 0), 305, 510, ALLEGRO_ALIGN_LEFT, "%d", ile);
    al_set_target_bitmap(tylny);
    return roznice(wzor, 32, 494, 338, 62);
}

}  // namespace

using LosKul = ScenaBingo;

TEST_F(LosKul, ShareOfPressesEndingRedIsThreeInThreePlusOpenCellsAndCell24IsNeverDrawn) {
    struct przypadek {
        const char* wzor;  // cell 24 stays open in all of them
        int m, prob;
        double tolerancja;
    } przypadki[] = {
        {"1111111111111111111111110", 0, 40, 0},  // only a red ball can end a press here
        {"0011110011110011110001110", 9, 600, 0.07},
        {PUSTA, 24, 600, 0.05},
    };
    for (const przypadek& p : przypadki) {
        plansza(0, p.wzor);
        std::vector<int> trafienia(25, 0);
        int czerwone = 0;
        for (int n = 0; n < p.prob; ++n) {
            ustaw_stan(p.wzor);
            int ku = -1;
            int cel = jedno_nacisniecie(ku);
            ASSERT_GE(ku, 0);
            ASSERT_LE(ku, 8);
            ASSERT_EQ(cel < 0, ku == 0) << "a press ends with a red ball or with one struck cell";
            if (cel < 0) ++czerwone;
            else ++trafienia[cel];
        }
        double oczekiwane = 3.0 / (3 + p.m);
        EXPECT_NEAR(double(czerwone) / p.prob, oczekiwane, p.tolerancja) << "m = " << p.m;
        EXPECT_EQ(trafienia[24], 0) << "m = " << p.m;
        if (p.m == 24) {
            for (int i = 0; i < 24; ++i) EXPECT_GT(trafienia[i], 0) << "cell " << i;
        }
    }
    EXPECT_FALSE(S_TimedOut());
}

TEST_F(LosKul, ADrawEndsAfterTwoNumbersOrOnARedBallBeforeOrAfterTheFirst) {
    S_KeyDown(0, ALLEGRO_KEY_SPACE);
    bool bylo[3] = {};  // red at once, red after one number, two numbers
    for (int proba = 0; proba < 60 && !(bylo[0] && bylo[1] && bylo[2]); ++proba) {
        plansza(0, PUSTA);
        klawiatura_wolna();
        const size_t od = S_Sounds().size();
        const int klatka = S_Frames();
        const double start = S_Now();
        const int pech_przed = S_Entered("pech");
        const int spr_przed = S_Entered("spr");
        bool czerwona_pierwsza_klatka = false;
        std::vector<ikona> po_pierwszej;  // the icons as the first number has left them
        S_OnFrame([&](int n) {
            if (n == klatka + 1) czerwona_pierwsza_klatka = kula_na_ekranie(KULA_CZERWONA);
            if (po_pierwszej.empty() && S_Entered("spr") == spr_przed + 1)
                po_pierwszej = {ikona_na_ekranie(0), ikona_na_ekranie(1)};
        });
        int gr = 0, ku = -1;
        los_kul(gr, ku);
        S_OnFrame(nullptr);
        int s4 = 0;
        for (size_t k = od; k < S_Sounds().size(); ++k)
            if (S_Sounds()[k].nazwa == "s4") {
                ++s4;
                EXPECT_FLOAT_EQ(S_Sounds()[k].glosnosc, 0.9f);
                EXPECT_FLOAT_EQ(S_Sounds()[k].predkosc, 0.9f);
            }
        int n = skreslone(0);
        ASSERT_EQ(s4, 3 * n);
        EXPECT_EQ(tk[0][24], 0);
        if (n == 2 || (n == 1 && ku == 0)) {
            EXPECT_EQ(po_pierwszej, (std::vector<ikona>{DO_LOSOWANIA, WYLOSOWANA})) << "the right icon goes first";
        }
        if (ku == 0) {
            ASSERT_LE(n, 1);
            bylo[n] = true;
            EXPECT_EQ(S_Entered("pech"), pech_przed + 1);
            // The icon strip is cleared and "Masz Pecha" stays in the message strip.
            EXPECT_TRUE(ekran_jak_bufor(625, 138, 142, 23));
            EXPECT_FALSE(ekran_jak_bufor(32, 494, 338, 62, 2));
            if (n == 0) {
                EXPECT_TRUE(czerwona_pierwsza_klatka);
                EXPECT_NEAR(S_EnteredAt("pech", pech_przed) - start, 1.0, 1e-9);
                EXPECT_NEAR(S_Now() - start, 3.0, 1e-9);
            }
        } else {
            ASSERT_EQ(n, 2);
            bylo[2] = true;
            EXPECT_GE(ku, 1);
            EXPECT_LE(ku, 8);
            EXPECT_EQ(ikona_na_ekranie(0), WYLOSOWANA);
            EXPECT_EQ(ikona_na_ekranie(1), WYLOSOWANA);
            EXPECT_TRUE(tgr_jak_ekran(0));
            for (int i = 0; i < 25; ++i) EXPECT_EQ(kapsel_na_ekranie(i), tk[0][i] == 1) << "cell " << i;
        }
    }
    EXPECT_TRUE(bylo[0] && bylo[1] && bylo[2]);
}

TEST_F(LosKul, WaitingPromptPulsesBetweenGreen80And142OnePassAtATime) {
    plansza(0, PUSTA);
    S_Reset();
    klawiatura_wolna();
    ALLEGRO_BITMAP* wzor = kopia_ekranu();
    const int f0 = S_Frames();
    int zle = 0, g_min = 255, g_max = 0;
    S_OnFrame([&](int n) {
        const int g = jasnosc_po(n - f0) / 4 + 80;
        g_min = std::min(g_min, g);
        g_max = std::max(g_max, g);
        if (roznice_zachety(wzor, "Losowanie kul", -1, g) != 0 && ++zle <= 3) ADD_FAILURE() << "pass " << n - f0;
    });
    // Two rises and a fall: the turns at 251 and at -1 both pass.
    S_KeyDown(1.1, ALLEGRO_KEY_ESCAPE);
    int gr = 0, ku = 42;
    los_kul(gr, ku);
    S_OnFrame(nullptr);
    al_destroy_bitmap(wzor);
    EXPECT_GE(S_Frames() - f0, 1050);
    EXPECT_EQ(zle, 0);
    EXPECT_EQ(g_min, 80);
    EXPECT_EQ(g_max, 142);
    EXPECT_EQ(ku, 42);
}

TEST_F(LosKul, EscapeWithTheSpaceBarDrawsNothingAndKeepsTheLastRoll) {
    plansza(0, PUSTA);
    S_Reset();
    S_KeyDown(0, ALLEGRO_KEY_SPACE);
    S_KeyDown(0, ALLEGRO_KEY_ESCAPE);
    klawiatura_wolna();
    int gr = 0, ku = 42;
    los_kul(gr, ku);
    EXPECT_EQ(ku, 42);
    EXPECT_EQ(skreslone(0), 0);
    EXPECT_TRUE(S_Sounds().empty());
    EXPECT_EQ(S_Entered("spr"), 0);
    // Escape already in the state the caller read: not even a frame.
    S_Reset();
    los_kul(gr, ku);
    EXPECT_EQ(ku, 42);
    EXPECT_EQ(S_Frames(), 0);
}

TEST_F(LosKul, ALineCompleteFromDealingPaysAtTheNextBallWhateverItStrikes) {
    unsigned ziarno = 1;
    for (;; ++ziarno) {
        int l[25], s[25], k[5];
        std::srand(ziarno);
        rozdaj(l, s, 0);
        if (pelna_linia(s, k) >= 0) break;
    }
    std::srand(ziarno);
    tablica(0);
    int k[5];
    ASSERT_GE(pelna_linia(tk[0], k), 0);
    S_KeyDown(S_Now(), ALLEGRO_KEY_SPACE);
    for (int proba = 0; proba < 30 && S_Entered("spr") == 0; ++proba) {
        klawiatura_wolna();
        int gr = 0, ku = 0;
        los_kul(gr, ku);
    }
    ASSERT_GE(S_Entered("spr"), 1);
    ASSERT_GE(S_Entered("bingo"), 1);
    double drugi = S_EnteredAt("spr", 1);
    EXPECT_TRUE(drugi < 0 || S_EnteredAt("bingo", 0) < drugi);
    EXPECT_EQ(suma[0], 500 * S_Entered("bingo"));
}

TEST_F(LosKul, ABallCompletingSeveralLinesPaysOnceForItsRowAndTheNextBallStrikesTheNewBoard) {
    // Every line has one open cell, so any number completes its row and its column.
    const char* wzor = "1011101111110111111011101";
    plansza(0, wzor);
    S_KeyDown(0, ALLEGRO_KEY_SPACE);
    int pierwsza_po_spr = -1;
    std::vector<int> znaki, stan(tk[0], tk[0] + 25);
    S_OnFrame([&](int n) {
        if (pierwsza_po_spr < 0 && S_Entered("spr") == 1) pierwsza_po_spr = n;
        if (pierwsza_po_spr > 0 && n == pierwsza_po_spr + 1) {
            stan.assign(tk[0], tk[0] + 25);
            for (int i = 0; i < 25; ++i)
                if (znak_na_ekranie(i)) znaki.push_back(i);
        }
    });
    for (int proba = 0; proba < 30 && S_Entered("spr") == 0; ++proba) {
        klawiatura_wolna();
        int gr = 0, ku = 0;
        los_kul(gr, ku);
    }
    ASSERT_GE(S_Entered("spr"), 1);
    int cel = -1;
    for (int i = 0; i < 25; ++i)
        if (stan[i] != (wzor[i] == '1')) cel = i;
    ASSERT_GE(cel, 0);
    int r = cel / 5;
    EXPECT_EQ(znaki, (std::vector<int>{5 * r, 5 * r + 1, 5 * r + 2, 5 * r + 3, 5 * r + 4})) << "cell " << cel;
    double drugi = S_EnteredAt("spr", 1);
    EXPECT_GE(S_Entered("tablica"), 1);
    EXPECT_LT(S_EnteredAt("bingo", 0), S_EnteredAt("tablica", 0));
    if (drugi >= 0) {
        EXPECT_GT(drugi, S_EnteredAt("tablica", 0));
        EXPECT_TRUE(S_EnteredAt("bingo", 1) < 0 || S_EnteredAt("bingo", 1) > drugi);
    }
    EXPECT_EQ(suma[0], 500 * S_Entered("bingo"));
}

TEST_F(LosKul, SpaceScreenWaitsForSpaceOrEscapeAndClicksEitherWay) {
    for (int klawisz : {ALLEGRO_KEY_SPACE, ALLEGRO_KEY_ESCAPE}) {
        S_Reset();
        klawiatura_wolna();
        S_KeyPress(0.5, klawisz, 0, 0.2);
        bool napis = false;
        S_OnFrame([&](int n) {
            if (n == 1) napis = !ekran_jak_bufor(32, 494, 338, 62, 2);
        });
        spacja();
        EXPECT_TRUE(napis);
        ASSERT_EQ(S_Sounds().size(), 1u);
        EXPECT_EQ(S_Sounds()[0].nazwa, "s3");
        EXPECT_NEAR(S_Sounds()[0].t, 0.5, 0.0015);
        EXPECT_FLOAT_EQ(S_Sounds()[0].glosnosc, 0.5f);
        EXPECT_FLOAT_EQ(S_Sounds()[0].predkosc, 0.8f);
        EXPECT_NEAR(S_Now(), S_Sounds()[0].t + 0.1, 1e-9);
        EXPECT_TRUE(ekran_jak_bufor(32, 494, 338, 62));
    }
}

TEST_F(LosKul, BadLuckShowsForTwoSecondsWithItsSound) {
    pech();
    EXPECT_NEAR(S_Now(), 2.0, 1e-9);
    EXPECT_EQ(S_Frames(), 1);
    ASSERT_EQ(S_Sounds().size(), 1u);
    EXPECT_EQ(S_Sounds()[0].nazwa, "s5");
    EXPECT_FLOAT_EQ(S_Sounds()[0].glosnosc, 0.5f);
    EXPECT_FLOAT_EQ(S_Sounds()[0].predkosc, 0.8f);
    EXPECT_FALSE(ekran_jak_bufor(32, 494, 338, 62, 2));
}

class LosKulf : public ScenaBingo {
protected:
    void SetUp() override {
        ScenaBingo::SetUp();
        fin = 1;
    }
    // One final draw on a fresh board; counts its balls (line checks) and its strikes.
    struct wynik {
        int kule, nowe, s4;
        bool zolta;
    };
    wynik losuj(const char* wzor, int pruba) {
        plansza(0, wzor);
        bingof = 0;
        klawiatura_wolna();
        const int spr_przed = S_Entered("spr"), skreslone_przed = skreslone(0);
        const size_t od = S_Sounds().size();
        int gr = 0;
        los_kulf(gr, pruba);
        wynik w{S_Entered("spr") - spr_przed, skreslone(0) - skreslone_przed, 0, kula_na_ekranie(KULA_ZOLTA)};
        for (size_t k = od; k < S_Sounds().size(); ++k) w.s4 += S_Sounds()[k].nazwa == "s4";
        return w;
    }
};

TEST_F(LosKulf, OneBallMoreThanTheTriesAtMostSix) {
    S_KeyDown(0, ALLEGRO_KEY_SPACE);
    for (int pruba = 0; pruba <= 6; ++pruba) {
        const int ee = std::min(pruba + 1, 6);
        bool pelne = false;
        for (int proba = 0; proba < 30 && !pelne; ++proba) {
            wynik w = losuj(PUSTA, pruba);
            ASSERT_LE(w.kule, ee) << "pruba " << pruba;
            if (w.zolta || bingof == 0) {
                for (int k = 0; k < 6; ++k)
                    EXPECT_EQ(ikona_na_ekranie(k), k < ee ? WYLOSOWANA : PUSTO) << pruba << " " << k;
            }
            if (w.zolta) {
                EXPECT_LT(w.kule, ee);
            } else if (bingof == 0) {
                ASSERT_EQ(w.kule, ee) << "pruba " << pruba;
                EXPECT_TRUE(kula_na_ekranie(KULA));
                pelne = true;
            }
        }
        EXPECT_TRUE(pelne) << "pruba " << pruba;
    }
}

TEST_F(LosKulf, AYellowFirstBallTurnsTheIconsRightToLeftEveryHalfSecond) {
    S_KeyDown(0, ALLEGRO_KEY_SPACE);
    for (int proba = 0; proba < 60; ++proba) {
        std::vector<std::vector<ikona>> ikony;
        std::vector<double> czasy;
        const int spr_przed = S_Entered("spr"), kulf = S_Entered("los_kulf") + 1;
        const size_t dzwieki_przed = S_Sounds().size();
        S_OnFrame([&](int) {
            if (S_Entered("los_kulf") != kulf || S_Entered("spr") != spr_przed) return;
            czasy.push_back(S_Now());
            ikony.emplace_back();
            for (int k = 0; k < 6; ++k) ikony.back().push_back(ikona_na_ekranie(k));
        });
        wynik w = losuj(WZOR_FINALU, 4);
        S_OnFrame(nullptr);
        if (!(w.zolta && w.kule == 0)) continue;
        EXPECT_EQ(w.nowe, 0);
        EXPECT_EQ(bingof, 0);
        EXPECT_EQ(S_Sounds().size(), dzwieki_przed);
        ASSERT_EQ(ikony.size(), 5u);
        for (int j = 0; j < 5; ++j) {
            for (int k = 0; k < 5; ++k) EXPECT_EQ(ikony[j][k], k >= 4 - j ? WYLOSOWANA : DO_LOSOWANIA) << j << " " << k;
            EXPECT_EQ(ikony[j][5], PUSTO);
            if (j > 0) {
                EXPECT_NEAR(czasy[j] - czasy[j - 1], 0.5, 1e-9);
            }
        }
        EXPECT_NEAR(S_Now() - czasy[4], 0.5, 1e-9);
        return;
    }
    FAIL() << "no draw began with the yellow ball";
}

TEST_F(LosKulf, BallsOnStruckCellsAreWastedAndALineEndsTheDraw) {
    S_KeyDown(0, ALLEGRO_KEY_SPACE);
    int zmarnowane = 0, bingo_f = 0;
    for (int proba = 0; proba < 40; ++proba) {
        // The line check that first sees a line must be the draw's last.
        int spr_przy_linii = -1;
        S_OnFrame([&](int) {
            int k[5];
            if (spr_przy_linii < 0 && pelna_linia(tk[0], k) >= 0) spr_przy_linii = S_Entered("spr");
        });
        wynik w = losuj(WZOR_FINALU, 5);
        S_OnFrame(nullptr);
        ASSERT_EQ(w.s4, 3 * w.nowe) << "a wasted ball makes no sound";
        ASSERT_LE(w.kule, 6);
        zmarnowane += w.kule - w.nowe;
        int k[5];
        if (bingof == 1) {
            ++bingo_f;
            EXPECT_EQ(S_Entered("spr"), spr_przy_linii);
            ASSERT_GE(pelna_linia(tk[0], k), 0);
            for (int i : k) EXPECT_TRUE(znak_na_ekranie(i)) << i;
        } else {
            EXPECT_EQ(pelna_linia(tk[0], k), -1);
            if (!w.zolta) {
                EXPECT_EQ(w.kule, 6);
            }
        }
    }
    EXPECT_EQ(suma[0], 0);
    EXPECT_EQ(S_Entered("bingo"), 0);
    EXPECT_GT(zmarnowane, 0);
    EXPECT_GT(bingo_f, 0);
}

TEST_F(LosKulf, WaitingPromptShowsTheBallsStillDueAndPulsesAsInTheMainGame) {
    plansza(0, WZOR_FINALU);
    bingof = 0;
    S_Reset();
    klawiatura_wolna();
    ALLEGRO_BITMAP* wzor = kopia_ekranu();
    const int f0 = S_Frames();
    int zle = 0;
    bool kula = false;
    S_OnFrame([&](int n) {
        // From the pass that reads the Space the ball's own frames follow.
        kula = kula || wcisniety(ALLEGRO_KEY_SPACE);
        if (kula) return;
        if (roznice_zachety(wzor, "Losowanie  kul", 3, jasnosc_po(n - f0) / 4 + 80) != 0 && ++zle <= 3)
            ADD_FAILURE() << "pass " << n - f0;
    });
    // One ball that is neither yellow nor on the centre cell, which would end the draw with a line.
    unsigned ziarno = 1;
    for (;; ++ziarno) {
        std::srand(ziarno);
        int rzut = std::rand() % 9, komorka = std::rand() % 25;
        if (rzut != 0 && komorka != 12) break;
    }
    std::srand(ziarno);
    S_KeyPress(0.6, ALLEGRO_KEY_SPACE);
    S_KeyDown(8.0, ALLEGRO_KEY_ESCAPE);
    int gr = 0, pruba = 2;
    los_kulf(gr, pruba);
    S_OnFrame(nullptr);
    EXPECT_EQ(zle, 0);
    ASSERT_EQ(S_Entered("spr"), 1);
    EXPECT_EQ(bingof, 0);
    // After the ball the count shows two; the brightness has gone on meanwhile, so any green will do.
    bool dwie = false;
    for (int g = 80; g <= 142 && !dwie; ++g) dwie = roznice_zachety(wzor, "Losowanie  kul", 2, g) == 0;
    al_destroy_bitmap(wzor);
    EXPECT_TRUE(dwie);
}

TEST_F(LosKulf, EscapeWithTheSpaceBarDrawsNothing) {
    S_KeyDown(0, ALLEGRO_KEY_SPACE);
    S_KeyDown(0, ALLEGRO_KEY_ESCAPE);
    wynik w = losuj(WZOR_FINALU, 5);
    EXPECT_EQ(w.kule, 0);
    EXPECT_EQ(w.nowe, 0);
    EXPECT_TRUE(S_Sounds().empty());
    EXPECT_EQ(bingof, 0);
}
