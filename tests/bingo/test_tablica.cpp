// Scenario tests of the board display and capture, the caps, the line check and the bingo bonus.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <vector>

#include "pomoc.h"

namespace {

void wypelnij(ALLEGRO_BITMAP* b, ALLEGRO_COLOR c) {
    al_set_target_bitmap(b);
    al_clear_to_color(c);
    al_set_target_bitmap(tylny);
}

bool caly_w_kolorze(ALLEGRO_BITMAP* b, rgb c) {
    for (int y = 0; y < 240; y += 3)
        for (int x = 0; x < 240; x += 3)
            if (!(piksel_z(b, x, y) == c)) return false;
    return true;
}

}  // namespace

using Tablica = ScenaBingo;

TEST_F(Tablica, MainGameBoardIsShownWithClickingCapsAndCapturedWithThem) {
    plansza(0, "1111100000000000000000001");
    wypelnij(tgr[0], al_map_rgb(255, 0, 255));
    int tab0[25], tk0[25];
    std::copy(tab[0], tab[0] + 25, tab0);
    std::copy(tk[0], tk[0] + 25, tk0);
    S_Reset();

    tablica(1);

    EXPECT_EQ(std::set<int>(tab[1], tab[1] + 25).size(), 25u);
    EXPECT_EQ(skreslone(1), 8);
    for (int i = 0; i < 25; ++i) {
        EXPECT_EQ(kapsel_na_ekranie(i), tk[1][i] == 1) << "cell " << i;
        EXPECT_EQ(kapsel_w_tgr(1, i), tk[1][i] == 1) << "cell " << i;
    }
    EXPECT_TRUE(tgr_jak_ekran(1));
    EXPECT_TRUE(std::equal(tab0, tab0 + 25, tab[0]));
    EXPECT_TRUE(std::equal(tk0, tk0 + 25, tk[0]));
    EXPECT_TRUE(caly_w_kolorze(tgr[0], {255, 0, 255}));
    // 25 numbers one frame each, then one frame per cell of the caps.
    EXPECT_EQ(S_Frames(), 50);
    ASSERT_EQ(S_Sounds().size(), 8u);
    for (size_t k = 0; k < 8; ++k) {
        EXPECT_EQ(S_Sounds()[k].nazwa, "s1");
        EXPECT_FLOAT_EQ(S_Sounds()[k].glosnosc, 0.8f);
        EXPECT_FLOAT_EQ(S_Sounds()[k].predkosc, 1.0f);
        if (k > 0) {
            EXPECT_GE(S_Sounds()[k].t - S_Sounds()[k - 1].t, 0.1 - 1e-9);
        }
    }
    EXPECT_NEAR(S_Now(), 8 * 0.1 + 25 * 0.001, 1e-9);
}

TEST_F(Tablica, FinalBoardIsCapturedBeforeItsSixteenCaps) {
    fin = 1;
    tablica(0);
    for (int i = 0; i < 25; ++i) {
        EXPECT_EQ(tk[0][i], WZOR_FINALU[i] - '0');
        EXPECT_EQ(kapsel_na_ekranie(i), tk[0][i] == 1) << "cell " << i;
        EXPECT_FALSE(kapsel_w_tgr(0, i)) << "cell " << i;
    }
    EXPECT_EQ(dzwieki("s1"), 16);
}

TEST_F(Tablica, EscapeDuringTheCapsKeepsThePreviousPictureButDealsTheWholeBoard) {
    wypelnij(tgr[0], al_map_rgb(255, 0, 255));
    S_OnPoll([](double t) {
        if (S_Sounds().size() == 2) S_KeyDown(t, ALLEGRO_KEY_ESCAPE);
    });
    tablica(0);
    EXPECT_TRUE(wcisniety(ALLEGRO_KEY_ESCAPE));
    EXPECT_EQ(S_Sounds().size(), 2u);
    EXPECT_TRUE(caly_w_kolorze(tgr[0], {255, 0, 255}));
    EXPECT_EQ(std::set<int>(tab[0], tab[0] + 25).size(), 25u);
    EXPECT_EQ(skreslone(0), 8);
    int pokazane = 0;
    for (int i = 0; i < 25; ++i) pokazane += kapsel_na_ekranie(i);
    EXPECT_EQ(pokazane, 2);
}

TEST_F(Tablica, CapsOfAnEmptyBoardDrawNothingButStillFlipTwentyFiveTimes) {
    plansza(0, "0000000000000000000000000");
    ALLEGRO_BITMAP* przed = kopia_ekranu();
    S_Reset();
    kapslef(0);
    EXPECT_EQ(S_Frames(), 25);
    EXPECT_EQ(roznice(przed, 0, 0, 800, 600), 0);
    EXPECT_TRUE(S_Sounds().empty());
    al_destroy_bitmap(przed);
}

TEST_F(Tablica, LineCheckWithoutALineDrawsNothing) {
    plansza(0, "1111011110111101111000000");
    ALLEGRO_BITMAP* przed = kopia_ekranu();
    S_Reset();
    spr(0, 0);
    EXPECT_EQ(S_Frames(), 0);
    EXPECT_EQ(S_Now(), 0);
    EXPECT_EQ(roznice(przed, 0, 0, 800, 600), 0);
    al_destroy_bitmap(przed);
}

TEST_F(Tablica, RowAndColumnCompleteTogetherPayOneBonusForTheRowAndDealANewBoard) {
    plansza(0, "0010000100111110010000100");
    int stary[25];
    std::copy(tk[0], tk[0] + 25, stary);
    S_Reset();
    suma[0] = 700;
    suma[1] = 300;
    std::vector<int> na_znakach;  // marks on cells of row 2 and on the column's other cells, per frame
    S_OnFrame([&](int n) {
        if (n > 6) return;
        int wiersz = 0, kolumna = 0;
        for (int i = 10; i < 15; ++i) wiersz += znak_na_ekranie(i);
        for (int i : {2, 7, 17, 22}) kolumna += znak_na_ekranie(i);
        na_znakach.push_back(wiersz * 10 + kolumna);
    });
    spr(0, 0);
    // Three blinks: the board, then the marks on the five cells of the row.
    EXPECT_EQ(na_znakach, (std::vector<int>{0, 50, 0, 50, 0, 50}));
    EXPECT_EQ(S_Entered("bingo"), 1);
    EXPECT_EQ(S_Entered("tablica"), 1);
    EXPECT_EQ(suma[0], 1200);
    EXPECT_EQ(suma[1], 300);
    EXPECT_EQ(skreslone(0), 8);
    EXPECT_FALSE(std::equal(stary, stary + 25, tk[0]));
    EXPECT_TRUE(tgr_jak_ekran(0));
    EXPECT_EQ(bingof, 0);
}

TEST_F(Tablica, InTheFinalALineRaisesTheFlagAndLeavesBoardAndMoneyAlone) {
    fin = 1;
    // Column 0 and the main diagonal: the column goes first.
    plansza(0, "1000011000101001001010001");
    int stary[25];
    std::copy(tk[0], tk[0] + 25, stary);
    S_Reset();
    suma[0] = 4000;
    spr(0, 1);
    EXPECT_EQ(bingof, 1);
    EXPECT_EQ(suma[0], 4000);
    EXPECT_TRUE(std::equal(stary, stary + 25, tk[0]));
    EXPECT_EQ(S_Entered("bingo"), 0);
    EXPECT_EQ(S_Entered("tablica"), 0);
    // Each blink redraws the caps over the number picture: 3 x (25 + 2) frames.
    EXPECT_EQ(S_Entered("kapslef"), 3);
    EXPECT_EQ(S_Frames(), 81);
    for (int i : {0, 5, 10, 15, 20}) EXPECT_TRUE(znak_na_ekranie(i)) << i;
    for (int i : {6, 12, 18, 24}) EXPECT_FALSE(znak_na_ekranie(i)) << i;
    EXPECT_NEAR(S_Now(), 1.2, 1e-9);
}

TEST_F(Tablica, BonusCountsExactlyFiveHundredOneByOneWithItsSound) {
    suma[1] = 1234;
    suma[0] = 99;
    std::vector<int> widziane;
    std::vector<double> czasy;
    S_OnFrame([&](int) {
        widziane.push_back(suma[1]);
        czasy.push_back(S_Now());
    });
    bingo(1);
    EXPECT_EQ(suma[1], 1734);
    EXPECT_EQ(suma[0], 99);
    ASSERT_EQ(widziane.size(), 501u);  // 500 steps, then "Nowa tablica"
    for (int k = 0; k < 500; ++k) {
        ASSERT_EQ(widziane[k], 1235 + k);
        ASSERT_NEAR(czasy[k], 0.004 * k, 1e-9);
    }
    ASSERT_EQ(S_Sounds().size(), 1u);
    EXPECT_EQ(S_Sounds()[0].nazwa, "s0");
    EXPECT_EQ(S_Sounds()[0].t, 0);
    EXPECT_FLOAT_EQ(S_Sounds()[0].glosnosc, 1.0f);
    EXPECT_FLOAT_EQ(S_Sounds()[0].predkosc, 0.7f);
    EXPECT_NEAR(S_Now(), 3.4, 1e-9);
    // The board area is cleared for the new board's message; the message strip holds the bonus.
    EXPECT_FALSE(ekran_jak_bufor(32, 494, 338, 62, 2));
    EXPECT_FALSE(ekran_jak_bufor(530, 175, 236, 236, 2));
    EXPECT_TRUE(ekran_jak_bufor(530, 175, 236, 90, 1));
}
