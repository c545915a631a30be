// Unit tests of the word-list parser.
#include <gtest/gtest.h>

#include <sstream>

#include "shell.h"

namespace {

struct wynik {
    bool ok;
    std::vector<std::string> slowa;
    int linia;
    std::string opis;
};

wynik czytaj(const std::string& tresc) {
    std::istringstream we(tresc);
    wynik w;
    w.ok = czytaj_liste(we, w.slowa, w.linia, w.opis);
    return w;
}

}  // namespace

TEST(ListaSlow, CrLfAndLfReadAlikeAndLinesAfterTheTerminatorAreIgnored) {
    wynik lf = czytaj("kotek\nLOdka\nZZZ\nbzdura dalej\n");
    wynik crlf = czytaj("kotek\r\nLOdka\r\nZZZ\r\nbzdura dalej\r\n");
    ASSERT_TRUE(lf.ok) << lf.opis;
    ASSERT_TRUE(crlf.ok) << crlf.opis;
    EXPECT_EQ(lf.slowa, (std::vector<std::string>{"kotek", "LOdka"}));
    EXPECT_EQ(crlf.slowa, lf.slowa);
}

TEST(ListaSlow, EndOfFileWithoutTerminatorEndsTheListAsTheTerminatorWould) {
    wynik w = czytaj("kotek\nlampa");
    ASSERT_TRUE(w.ok) << w.opis;
    EXPECT_EQ(w.slowa, (std::vector<std::string>{"kotek", "lampa"}));
}

TEST(ListaSlow, NearMissesOfTheTerminatorAreWordsAndAreRefusedAsSuch) {
    for (const char* linia : {"ZZZ ", " ZZZ", "zzz"}) {
        wynik w = czytaj(std::string("kotek\n") + linia + "\nZZZ\n");
        EXPECT_FALSE(w.ok) << linia;
        EXPECT_EQ(w.linia, 2) << linia;
    }
}

TEST(ListaSlow, EmptyListIsAFault) {
    for (const char* tresc : {"ZZZ\n", "", "ZZZ\nkotek\n"}) {
        wynik w = czytaj(tresc);
        EXPECT_FALSE(w.ok) << tresc;
        EXPECT_NE(w.opis.find("no words"), std::string::npos) << w.opis;
    }
}

TEST(ListaSlow, At1999WordsTheListIsFullAndOneMoreIsRefusedOnItsLine) {
    std::string pelna;
    for (int i = 0; i < 1999; ++i) pelna += "kotek\n";
    wynik w = czytaj(pelna + "ZZZ\n");
    ASSERT_TRUE(w.ok) << w.opis;
    EXPECT_EQ(w.slowa.size(), 1999u);
    wynik za_duzo = czytaj(pelna + "lampa\nZZZ\n");
    EXPECT_FALSE(za_duzo.ok);
    EXPECT_EQ(za_duzo.linia, 2000);
    EXPECT_NE(za_duzo.opis.find("1999"), std::string::npos) << za_duzo.opis;
}

TEST(ListaSlow, EntriesThatAreNotFiveLettersOfTheWordFormAreNamedWithTheirLine) {
    struct przypadek {
        const char* linia;
        const char* w_opisie;
    } przypadki[] = {
        {"kot", "3 bytes"},
        {"kotekk", "6 bytes"},
        {"", "0 bytes"},
        {"Kotek", "not a letter"},   // a capital outside the nine substitutes
        {"kot3k", "not a letter"},
        {"\xC5\x82" "odk", "\\xC5\\x82"},  // UTF-8 instead of the internal form: five bytes, two of them foreign
    };
    for (const przypadek& p : przypadki) {
        wynik w = czytaj(std::string("lampa\nmysza\n") + p.linia + "\nZZZ\n");
        EXPECT_FALSE(w.ok) << p.linia;
        EXPECT_EQ(w.linia, 3) << p.linia;
        EXPECT_NE(w.opis.find(p.w_opisie), std::string::npos) << w.opis;
    }
}

TEST(ListaSlow, ABadLineIsQuotedOnlyByAShortEscapedPrefixAndAUtf8WordIsToldToUseTheWordForm) {
    wynik dluga = czytaj("lampa\n" + std::string(300000, 'a') + "\x01\nZZZ\n");
    EXPECT_FALSE(dluga.ok);
    EXPECT_EQ(dluga.linia, 2);
    EXPECT_LT(dluga.opis.size(), 200u) << dluga.opis.size();
    EXPECT_NE(dluga.opis.find("300001 bytes"), std::string::npos) << dluga.opis;
    wynik sterujace = czytaj("lampa\n" "ab\x1b[2Jc\nZZZ\n");
    EXPECT_NE(sterujace.opis.find("ab\\x1B[2Jc"), std::string::npos) << sterujace.opis;
    // "łódka" and "ŻABKA" saved in UTF-8: five letters, seven bytes.
    for (const char* utf8 : {"\xC5\x82\xC3\xB3" "dka", "\xC5\xBB" "ABKA"}) {
        wynik w = czytaj(std::string("lampa\n") + utf8 + "\nZZZ\n");
        EXPECT_FALSE(w.ok);
        EXPECT_EQ(w.linia, 2);
        EXPECT_NE(w.opis.find("UTF-8"), std::string::npos) << w.opis;
        EXPECT_NE(w.opis.find("L for \xC5\x82"), std::string::npos) << w.opis;
        EXPECT_EQ(w.opis.find("bytes"), std::string::npos) << w.opis;
    }
}

TEST(ListaSlow, AllNinePolishSubstitutesAndAllLatinLettersAreAccepted) {
    EXPECT_TRUE(slowo_poprawne("ACELN"));
    EXPECT_TRUE(slowo_poprawne("OSXZa"));
    EXPECT_TRUE(slowo_poprawne("qvxyz"));
    EXPECT_FALSE(slowo_poprawne("ABCDE"));
    EXPECT_FALSE(slowo_poprawne("[aaaa"));
}
