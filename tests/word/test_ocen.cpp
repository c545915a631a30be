// Unit tests of the word form (typed code to byte, byte to glyph) and of the colouring of one guess.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "word.h"

namespace {

std::vector<int> kafle(const ocena_proby& o) { return std::vector<int>(o.tlo, o.tlo + 5); }

constexpr int NIEBIESKI = 1, CZERWONY = 2, ZOLTY = 3;

}  // namespace

TEST(ZnakNaBajt, CapitalAndSmallLatinLettersGiveTheSmallByte) {
    for (int k = 0; k < 26; ++k) {
        EXPECT_EQ(znak_na_bajt('A' + k), 'a' + k) << "capital " << char('A' + k);
        EXPECT_EQ(znak_na_bajt('a' + k), 'a' + k) << "small " << char('a' + k);
    }
}

TEST(ZnakNaBajt, BothCasesOfEachPolishLetterGiveItsSubstituteCapital) {
    const struct {
        int wielka, mala;
        char bajt;
    } polskie[] = {{260, 261, 'A'}, {262, 263, 'C'}, {280, 281, 'E'}, {321, 322, 'L'}, {323, 324, 'N'},
                   {211, 243, 'O'}, {346, 347, 'S'}, {377, 378, 'X'}, {379, 380, 'Z'}};
    for (const auto& p : polskie) {
        EXPECT_EQ(znak_na_bajt(p.wielka), p.bajt) << p.wielka;
        EXPECT_EQ(znak_na_bajt(p.mala), p.bajt) << p.mala;
    }
}

TEST(ZnakNaBajt, NothingElseIsALetter) {
    // Brackets and backquote sit between the capitals and the small letters; folding must not make them letters.
    for (int kod : {0, 8, 13, 27, 32, 48, 57, 64, 91, 92, 96, 123, 126, 127, 128, 196, 214, 220, 228, 252, 259, 264,
                    279, 282, 320, 325, 345, 348, 376, 381, 1040, 0x10FFFF, -1, -65})
        EXPECT_EQ(znak_na_bajt(kod), 0) << kod;
}

TEST(BajtNaGlif, LettersSubstitutesAndTheHiddenMark) {
    for (int k = 0; k < 26; ++k) EXPECT_EQ(bajt_na_glif(static_cast<char>('a' + k)), k);
    const std::string polskie = "ACELNOSXZ";
    for (int k = 0; k < 9; ++k) EXPECT_EQ(bajt_na_glif(polskie[k]), 26 + k) << polskie[k];
    EXPECT_EQ(bajt_na_glif('['), 35);
    // Latin x and z are not the Polish letters that their capitals stand for.
    EXPECT_EQ(bajt_na_glif('x'), 23);
    EXPECT_EQ(bajt_na_glif('z'), 25);
    EXPECT_EQ(bajt_na_glif('X'), 33);
    EXPECT_EQ(bajt_na_glif('Z'), 34);
}

TEST(BajtNaGlif, BytesOutsideTheWordFormHaveNoGlyph) {
    for (char c : {'/', 'B', 'D', 'Q', 'Y', '{', '~', '@', '\\', ']', '0', ' ', '\0', '\x7f', '\xc4', '\x85', '\xff'})
        EXPECT_EQ(bajt_na_glif(c), -1) << int(static_cast<unsigned char>(c));
}

TEST(BajtNaGlif, TypedLettersRoundTripToTheirGlyph) {
    EXPECT_EQ(bajt_na_glif(znak_na_bajt(321)), 29);  // Ł
    EXPECT_EQ(bajt_na_glif(znak_na_bajt(322)), 29);  // ł
    EXPECT_EQ(bajt_na_glif(znak_na_bajt(65)), 0);    // capital A is a, not ą
    EXPECT_EQ(bajt_na_glif(znak_na_bajt(378)), 33);  // ź
    EXPECT_EQ(bajt_na_glif(znak_na_bajt(380)), 34);  // ż
}

TEST(Ocen, KotekGuessedWithTokko) {
    // t takes the t of position 2, o is exact, the first k takes the k of position 4, the second k
    // finds only position 0 (never searched), the last o finds position 1 already matched.
    ocena_proby o = ocen("kotek", "tokko", "k[[[[");
    EXPECT_EQ(kafle(o), (std::vector<int>{ZOLTY, CZERWONY, ZOLTY, NIEBIESKI, NIEBIESKI}));
    EXPECT_EQ(o.h1, "ko[[[");
}

TEST(Ocen, MisplacedMatchesHideLettersRevealedEarlier) {
    ocena_proby o = ocen("kotek", "tokko", "k[t[k");
    EXPECT_EQ(o.h1, "ko[[[");
    EXPECT_EQ(kafle(o), (std::vector<int>{ZOLTY, CZERWONY, ZOLTY, NIEBIESKI, NIEBIESKI}));
}

TEST(Ocen, LampaGuessedWithFiveAs) {
    // The first a may not take positions 1 or 4: the guess matches them exactly later on.
    ocena_proby o = ocen("lampa", "aaaaa", "l[[[[");
    EXPECT_EQ(kafle(o), (std::vector<int>{NIEBIESKI, CZERWONY, NIEBIESKI, NIEBIESKI, CZERWONY}));
    EXPECT_EQ(o.h1, "la[[a");
}

TEST(Ocen, ALetterOnlyAtPositionZeroIsNeverMisplaced) {
    ocena_proby o = ocen("kotek", "akkkk", "k[[[[");
    EXPECT_EQ(kafle(o), (std::vector<int>{NIEBIESKI, NIEBIESKI, NIEBIESKI, NIEBIESKI, CZERWONY}));
    EXPECT_EQ(o.h1, "k[[[k");
}

TEST(Ocen, SurplusCopiesAreBlueAndServedLeftToRight) {
    // One a free for a misplaced match (position 4); the first wrong-placed a takes it, the next one is blue.
    ocena_proby o = ocen("kobra", "aaxyz", "k[[[[");
    EXPECT_EQ(kafle(o), (std::vector<int>{ZOLTY, NIEBIESKI, NIEBIESKI, NIEBIESKI, NIEBIESKI}));
    EXPECT_EQ(o.h1, "k[[[[");
}

TEST(Ocen, ExactMatchAtZeroAndTheFullPassword) {
    ocena_proby o = ocen("LOdka", "LOdka", "L[[[[");
    EXPECT_EQ(kafle(o), (std::vector<int>{CZERWONY, CZERWONY, CZERWONY, CZERWONY, CZERWONY}));
    EXPECT_EQ(o.h1, "LOdka");
}

TEST(Ocen, AGuessWithOtherFirstLetterKeepsTheGivenOne) {
    ocena_proby o = ocen("kotek", "motek", "k[[[[");
    EXPECT_EQ(o.h1, "kotek");
    EXPECT_EQ(o.tlo[0], NIEBIESKI);
}

TEST(Ocen, PasswordCompletedAcrossTwoGuesses) {
    ocena_proby a = ocen("kotek", "sober", "k[[[[");
    EXPECT_EQ(a.h1, "ko[e[");
    ocena_proby b = ocen("kotek", "matek", a.h1);
    EXPECT_EQ(b.h1, "kotek");
}

TEST(Ocen, LetterRevealedInOneGuessIsHiddenByALaterMisplacedMatch) {
    ocena_proby a = ocen("lampa", "lampy", "l[[[[");
    EXPECT_EQ(a.h1, "lamp[");
    ocena_proby b = ocen("lampa", "pasta", a.h1);
    EXPECT_EQ(kafle(b), (std::vector<int>{ZOLTY, CZERWONY, NIEBIESKI, NIEBIESKI, CZERWONY}));
    EXPECT_EQ(b.h1, "lam[a");
}

TEST(Ocen, PolishSubstitutesAreOrdinaryLetters) {
    ocena_proby o = ocen("LOdka", "kOLda", "L[[[[");
    // k misplaced (position 3), O exact, L only at position 0, d misplaced (2), a exact.
    EXPECT_EQ(kafle(o), (std::vector<int>{ZOLTY, CZERWONY, NIEBIESKI, ZOLTY, CZERWONY}));
    EXPECT_EQ(o.h1, "LO[[a");
}

TEST(Ocen, ShortWordsAreReadOnlyAsFarAsTheyGo) {
    ocena_proby o = ocen("kotek", "ko", "k[[[[");
    EXPECT_EQ(kafle(o), (std::vector<int>{CZERWONY, CZERWONY, NIEBIESKI, NIEBIESKI, NIEBIESKI}));
    EXPECT_EQ(o.h1, "ko[[[");
    ocena_proby p = ocen("kot", "kotek", "k[");
    EXPECT_EQ(kafle(p), (std::vector<int>{CZERWONY, CZERWONY, CZERWONY, NIEBIESKI, NIEBIESKI}));
    EXPECT_EQ(p.h1, "ko");
    ocena_proby q = ocen("", "", "");
    EXPECT_EQ(kafle(q), (std::vector<int>{NIEBIESKI, NIEBIESKI, NIEBIESKI, NIEBIESKI, NIEBIESKI}));
    EXPECT_EQ(q.h1, "");
}

TEST(Ocen, TheMatchedMarkNeverPairsWithItself) {
    // "/" is what a matched password letter becomes; a guess holding it must not match such a letter.
    ocena_proby o = ocen("abcba", "b/c//", "a[[[[");
    EXPECT_EQ(kafle(o), (std::vector<int>{ZOLTY, NIEBIESKI, CZERWONY, NIEBIESKI, NIEBIESKI}));
    EXPECT_EQ(o.h1, "a[c[[");
}
