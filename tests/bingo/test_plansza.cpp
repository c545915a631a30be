// Unit tests of dealing a board and of finding its first complete line.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <vector>

#include "bingo.h"

namespace {

const std::vector<int> OTWARTE_W_FINALE = {1, 3, 5, 9, 12, 15, 19, 21, 23};

void wzor(int stan[25], const char* w) {
    for (int i = 0; i < 25; ++i) stan[i] = w[i] == '1';
}

}  // namespace

TEST(Rozdaj, MainGameBoardsHoldDistinctNumbersAndEightCapsAnywhere) {
    std::vector<int> ile_razy_skreslona(25, 0);
    std::set<int> liczby_widziane;
    int z_linia = 0;
    for (unsigned ziarno = 1; ziarno <= 3000; ++ziarno) {
        std::srand(ziarno);
        int liczby[25], stan[25], komorki[5];
        rozdaj(liczby, stan, 0);
        std::set<int> rozne(liczby, liczby + 25);
        ASSERT_EQ(rozne.size(), 25u) << "seed " << ziarno;
        ASSERT_GE(*rozne.begin(), 1);
        ASSERT_LE(*rozne.rbegin(), 50);
        liczby_widziane.insert(rozne.begin(), rozne.end());
        int struck = 0;
        for (int i = 0; i < 25; ++i) {
            ASSERT_TRUE(stan[i] == 0 || stan[i] == 1);
            struck += stan[i];
            ile_razy_skreslona[i] += stan[i];
        }
        ASSERT_EQ(struck, 8) << "seed " << ziarno;
        z_linia += pelna_linia(stan, komorki) >= 0;
    }
    EXPECT_EQ(liczby_widziane.size(), 50u);
    // 8 of 25 over 3000 boards is 960 per cell on average; a cell left out would show as 0.
    for (int i = 0; i < 25; ++i) EXPECT_GT(ile_razy_skreslona[i], 800) << "cell " << i;
    // Dealing does not avoid lines: about 1.3 % of boards come with one.
    EXPECT_GT(z_linia, 10);
    EXPECT_LT(z_linia, 100);
}

TEST(Rozdaj, FinalBoardIsThePatternWithTheNineOpenCellsAndRollsLikeAMainBoard) {
    for (unsigned ziarno = 1; ziarno <= 200; ++ziarno) {
        int liczby[25], stan[25], liczby_glowne[25], stan_glowny[25];
        std::srand(ziarno);
        rozdaj(liczby, stan, 1);
        int po_finale = std::rand();
        std::srand(ziarno);
        rozdaj(liczby_glowne, stan_glowny, 0);
        ASSERT_EQ(std::rand(), po_finale) << "the discarded caps are still rolled";
        std::vector<int> otwarte;
        for (int i = 0; i < 25; ++i) {
            ASSERT_EQ(liczby[i], liczby_glowne[i]);
            ASSERT_EQ(stan[i], WZOR_FINALU[i] - '0');
            if (stan[i] == 0) otwarte.push_back(i);
        }
        ASSERT_EQ(otwarte, OTWARTE_W_FINALE);
    }
}

TEST(PelnaLinia, EachOfTheTwelveLinesIsFoundWithItsCellsInOrder) {
    const int linie[12][5] = {
        {0, 1, 2, 3, 4},     {5, 6, 7, 8, 9},     {10, 11, 12, 13, 14}, {15, 16, 17, 18, 19},
        {20, 21, 22, 23, 24}, {0, 5, 10, 15, 20},  {1, 6, 11, 16, 21},   {2, 7, 12, 17, 22},
        {3, 8, 13, 18, 23},   {4, 9, 14, 19, 24},  {0, 6, 12, 18, 24},   {4, 8, 12, 16, 20},
    };
    for (int l = 0; l < 12; ++l) {
        int stan[25] = {}, komorki[5] = {-1, -1, -1, -1, -1};
        for (int k : linie[l]) stan[k] = 1;
        ASSERT_EQ(pelna_linia(stan, komorki), l);
        for (int k = 0; k < 5; ++k) EXPECT_EQ(komorki[k], linie[l][k]) << "line " << l;
        // Four of the five struck is not a line.
        for (int k : linie[l]) {
            stan[k] = 0;
            EXPECT_EQ(pelna_linia(stan, komorki), -1) << "line " << l << " without cell " << k;
            stan[k] = 1;
        }
    }
}

TEST(PelnaLinia, RowsComeBeforeColumnsBeforeTheMainThenTheOtherDiagonal) {
    int stan[25], k[5];
    struct przypadek {
        const char* wzor;
        int linia;
    } przypadki[] = {
        {"0000000000000000000000000", -1},
        {"0010000100111110010000100", 2},   // row 2 and column 2: the row
        {"1111100000111110000000000", 0},   // rows 0 and 2: the upper
        {"0101001010010100101001010", 6},   // columns 1 and 3: the left one
        {"1000111010101001101010001", 5},   // column 0 and both diagonals: the column
        {"1000101010001000101010001", 10},  // both diagonals: the main one
        {"1111111111111111111111111", 0},
        {"1010101110110110111010101", -1},  // the final's board as dealt
        {"1010101110111110111010101", 2},   // ... with its centre struck: row 2
    };
    for (const przypadek& p : przypadki) {
        wzor(stan, p.wzor);
        EXPECT_EQ(pelna_linia(stan, k), p.linia) << p.wzor;
    }
}
