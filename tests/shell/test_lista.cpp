// Unit tests of the word-list parser.
#include <gtest/gtest.h>

#include <sstream>

#include "shell.h"

namespace {

struct wynik {
    bool ok;
    std::vector<std::string> slowa;
    int linia;
    std::string opis, powtorki;
};

wynik czytaj(const std::string& tresc, int najwiecej = NAJWIECEJ_SLOW, const std::vector<std::string>& hasla = {},
            bool z_koncem = false) {
    std::istringstream we(tresc);
    lista_slow l = czytaj_liste(we, najwiecej, hasla, z_koncem);
    return {l.ok(), l.slowa, l.nr_linii, l.opis, l.powtorki};
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
    for (int i = 0; i < 1999; ++i) pelna += std::string{'k', char('a' + i / 676), char('a' + i / 26 % 26), char('a' + i % 26), 'k'} + "\n";
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
        {"\xEF\xBB\xBFkotek", "8 bytes"},  // a byte-order mark is skipped on the first line only
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
    std::istringstream bez_konca("lampa\n" + std::string(300000, 'a') + "\x01\nZZZ\n");
    lista_slow dluga = czytaj_liste(bez_konca);
    EXPECT_EQ(dluga.nr_linii, 2);
    EXPECT_LT(dluga.opis.size(), 200u) << dluga.opis.size();
    EXPECT_NE(dluga.opis.find("past 32 bytes"), std::string::npos) << dluga.opis;
    EXPECT_GT(bez_konca.rdbuf()->in_avail(), 299900) << "the long line was read on";
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

TEST(ListaSlow, AnEditorsSlipsPassAndACopyIsKeptOnceWithOneWarningNamingTheFirst) {
    wynik w = czytaj("\xEF\xBB\xBFkotek \t\n\nlampa\r\n  \nkotek\nlampa\nkotek\n\n\n");
    ASSERT_TRUE(w.ok) << w.opis;
    EXPECT_EQ(w.slowa, (std::vector<std::string>{"kotek", "lampa"}));
    EXPECT_EQ(w.powtorki, "line 5: \"kotek\" repeats line 1 (3 repeated lines in all); each word is kept once");
    EXPECT_EQ(czytaj("kotek\nlampa\n").powtorki, "");
}

TEST(ListaSlow, AListOfGuessesHoldsNoPasswordAndNoMoreWordsThanItsLimit) {
    wynik haslo = czytaj("babka\nkotek\nZZZ\n", NAJWIECEJ_ZGADYWANYCH, {"kotek", "lampa"});
    EXPECT_EQ(haslo.linia, 2);
    EXPECT_NE(haslo.opis.find("\"kotek\" is a password"), std::string::npos) << haslo.opis;
    EXPECT_TRUE(czytaj("babka\nbalon\nZZZ\n", 2, {"kotek"}, true).ok);
    wynik uciety = czytaj("babka\nbalon\n", 2, {"kotek"}, true);
    EXPECT_EQ(uciety.linia, 3);
    EXPECT_NE(uciety.opis.find("ends before the line \"ZZZ\""), std::string::npos) << uciety.opis;
    wynik za_duzo = czytaj("babka\nbalon\nbanan\n", 2);
    EXPECT_EQ(za_duzo.linia, 3);
    EXPECT_NE(za_duzo.opis.find("more than 2 words"), std::string::npos) << za_duzo.opis;
}

TEST(ListaSlow, AllNinePolishSubstitutesAndAllLatinLettersAreAccepted) {
    EXPECT_TRUE(slowo_poprawne("ACELN"));
    EXPECT_TRUE(slowo_poprawne("OSXZa"));
    EXPECT_TRUE(slowo_poprawne("qvxyz"));
    EXPECT_FALSE(slowo_poprawne("ABCDE"));
    EXPECT_FALSE(slowo_poprawne("[aaaa"));
}
