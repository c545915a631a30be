// Scenario tests of one try: typing, deletion, refusal, the clock and its time-out, Escape, the colouring on screen and its sounds.
#include <allegro5/allegro_font.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "pomoc.h"
#include "word.h"

namespace {

using V = std::vector<int>;
constexpr int WIERSZ_0 = 125;

class Proba : public Scena {
protected:
    void SetUp() override {
        Scena::SetUp();
        S_SetLimit(200);
        przygotuj_ekran();
    }
    // One try as the game loop plays it.
    void graj() {
        przed_proba(pruba, dd);
        wpisywanie_z_klawiatury(pruba, cw, dd);
    }
    int pruba = 0, cw = 0, dd = 0;
};

// Largest difference, over the opaque pixels of glyph k, between the screen at (x, y) and the
// glyph laid over bufor at weight 156/255 under bufor's weight 99/255: the dimmed entry row.
int odchylenie_przyciemnienia(int k, int x, int y) {
    int najwiecej = 0;
    for (int j = 0; j < 62; ++j)
        for (int i = 0; i < 52; ++i) {
            unsigned char r, g, b, a;
            al_unmap_rgba(al_get_pixel(lit, 52 * k + i, j), &r, &g, &b, &a);
            if (a != 255) continue;
            rgb t = piksel_bufora(x + i, y + j), e = piksel(x + i, y + j);
            const int lr[3] = {r, g, b}, tb[3] = {t.r, t.g, t.b}, ek[3] = {e.r, e.g, e.b};
            for (int c = 0; c < 3; ++c) {
                int oczekiwany = static_cast<int>(std::lround((tb[c] * 99 + lr[c] * 156) / 255.0));
                najwiecej = std::max(najwiecej, std::abs(ek[c] - oczekiwany));
            }
        }
    return najwiecej;
}

}  // namespace

TEST_F(Proba, KotekGuessedWithTokkoIsSubmittedAtTheFifthLetterAndColouredOnScreen) {
    slowa({"lampa", "kotek"}, {"tokko", "zebra"});  // an accepted guess, never a password
    zacznij_haslo("kotek");
    S_Type(0.3, "tokko");
    graj();
    ASSERT_FALSE(S_TimedOut());
    EXPECT_EQ(pruba, 1);
    EXPECT_EQ(h1, "ko[[[");
    EXPECT_LE(cw, 120);
    EXPECT_GT(cw, 0);
    EXPECT_EQ(kafle_rzedu(WIERSZ_0), (V{3, 2, 3, 1, 1}));
    EXPECT_EQ(glify_rzedu(WIERSZ_0), (V{19, 14, 10, 10, 14}));

    // The typed guess is still in the entry row, faded towards the background.
    const int glify[5] = {19, 14, 10, 10, 14};
    for (int k = 0; k < 5; ++k) EXPECT_LE(odchylenie_przyciemnienia(glify[k], 35 + 69 * k, 30), 2) << "cell " << k;

    auto klik = dzwieki("s9");
    ASSERT_EQ(klik.size(), 5u);
    for (const s_dzwiek& d : klik) {
        EXPECT_FLOAT_EQ(d.glosnosc, 0.5f);
        EXPECT_FLOAT_EQ(d.predkosc, 0.8f);
    }
    auto kafle = dzwieki("s1");
    ASSERT_EQ(kafle.size(), 5u);
    const float predkosci[5] = {0.9f, 0.8f, 0.9f, 0.6f, 0.6f};
    for (int i = 0; i < 5; ++i) {
        EXPECT_FLOAT_EQ(kafle[i].glosnosc, 0.8f);
        EXPECT_FLOAT_EQ(kafle[i].predkosc, predkosci[i]) << "tile " << i;
        if (i > 0) {
            EXPECT_NEAR(kafle[i].t - kafle[i - 1].t, 0.21, 1e-6);
        }
    }
    // No key submits: the first tile sounds right after the fifth letter's pause.
    EXPECT_GT(kafle[0].t - klik[4].t, 0.1);
    EXPECT_LT(kafle[0].t - klik[4].t, 0.13);
    EXPECT_NEAR(S_Now() - kafle[4].t, 0.2, 1e-6);
}

TEST_F(Proba, EachFlipOfTheColouringShowsOneMoreTileAndLettersAndNothingBeyond) {
    slowa({"tokko"});
    zacznij_haslo("kotek");
    struct klatka {
        size_t dzwiekow;
        V kafle, glify;
        int przyciemnienie;
    };
    std::vector<klatka> klatki;
    S_OnFrame([&](int) {
        // Only the frames after the first tile's sound: the colouring itself.
        const size_t n = dzwieki("s1").size();
        if (n == 0) return;
        klatki.push_back({n, kafle_rzedu(WIERSZ_0), glify_rzedu(WIERSZ_0),
                          odchylenie_przyciemnienia(19, 35, 30)});
    });
    S_Type(0.3, "tokko");
    graj();
    S_OnFrame(nullptr);
    ASSERT_EQ(klatki.size(), 5u) << "one flip per tile";
    const V kafle{3, 2, 3, 1, 1}, glify{19, 14, 10, 10, 14}, podpowiedz{10, 35, 35, 35, 35};
    for (size_t k = 0; k < 5; ++k) {
        EXPECT_EQ(klatki[k].dzwiekow, k + 1) << "flip " << k;
        V oczekiwane_kafle, oczekiwane_glify;
        for (size_t i = 0; i < 5; ++i) {
            oczekiwane_kafle.push_back(i <= k ? kafle[i] : -1);
            oczekiwane_glify.push_back(i <= k ? glify[i] : podpowiedz[i]);
        }
        EXPECT_EQ(klatki[k].kafle, oczekiwane_kafle) << "flip " << k;
        EXPECT_EQ(klatki[k].glify, oczekiwane_glify) << "flip " << k;
        EXPECT_LE(klatki[k].przyciemnienie, 2) << "the entry row is dimmed from the first flip, flip " << k;
    }
}

TEST_F(Proba, LampaGuessedWithFiveAs) {
    slowa({"lampa", "aaaaa"});
    zacznij_haslo("lampa");
    S_Type(0.3, "aaaaa");
    graj();
    EXPECT_EQ(pruba, 1);
    EXPECT_EQ(h1, "la[[a");
    EXPECT_EQ(kafle_rzedu(WIERSZ_0), (V{1, 2, 1, 1, 2}));
    EXPECT_EQ(glify_rzedu(WIERSZ_0), (V{0, 0, 0, 0, 0}));
    auto kafle = dzwieki("s1");
    ASSERT_EQ(kafle.size(), 5u);
    const float predkosci[5] = {0.6f, 0.8f, 0.6f, 0.6f, 0.8f};
    for (int i = 0; i < 5; ++i) EXPECT_FLOAT_EQ(kafle[i].predkosc, predkosci[i]) << "tile " << i;
}

TEST_F(Proba, ALetterRevealedInOneTryIsHiddenAgainByALaterMisplacedMatch) {
    slowa({"lampa", "lampy", "pasta"});
    zacznij_haslo("lampa");
    S_Type(0.3, "lampy");
    graj();
    EXPECT_EQ(pruba, 1);
    EXPECT_EQ(h1, "lamp[");
    S_Type(S_Now() + 0.3, "pasta");
    graj();
    EXPECT_EQ(pruba, 2);
    EXPECT_EQ(h1, "lam[a");
    EXPECT_EQ(kafle_rzedu(WIERSZ_0), (V{2, 2, 2, 2, 1}));
    EXPECT_EQ(kafle_rzedu(WIERSZ_0 + 69), (V{3, 2, 1, 1, 2}));
    EXPECT_EQ(glify_rzedu(WIERSZ_0 + 69), (V{15, 0, 18, 19, 0}));
}

TEST_F(Proba, APasswordCompletedAcrossTwoTriesLeavesTheTryCountUnchanged) {
    slowa({"kotek", "sober", "matek"});
    zacznij_haslo("kotek");
    S_Type(0.3, "sober");
    graj();
    EXPECT_EQ(pruba, 1);
    EXPECT_EQ(h1, "ko[e[");
    S_Type(S_Now() + 0.3, "matek");
    graj();
    EXPECT_EQ(h1, "kotek");
    EXPECT_EQ(pruba, 1) << "the guess was not the password, but it completed it";
}

TEST_F(Proba, CapitalsAndBothCasesOfEveryPolishLetterTypeTheSameLetters) {
    slowa({"kotek", "ACELN", "OSXZA"});
    zacznij_haslo("kotek");
    const char* proby[] = {"ĄĆĘŁŃ", "ąćęłń", "ÓŚŹŻĄ", "óśźżą"};
    const V oczekiwane[] = {{26, 27, 28, 29, 30}, {26, 27, 28, 29, 30}, {31, 32, 33, 34, 26}, {31, 32, 33, 34, 26}};
    for (int n = 0; n < 4; ++n) {
        S_Type(S_Now() + 0.3, proby[n]);
        graj();
        ASSERT_EQ(pruba, n + 1) << proby[n] << " was not submitted";
        EXPECT_EQ(glify_rzedu(WIERSZ_0 + 69 * n), oczekiwane[n]) << proby[n];
        EXPECT_EQ(kafle_rzedu(WIERSZ_0 + 69 * n), (V{1, 1, 1, 1, 1})) << proby[n];
    }
    S_Type(S_Now() + 0.3, "KOTEK");
    graj();
    EXPECT_EQ(h1, "kotek");
    EXPECT_EQ(pruba, 4);
    EXPECT_EQ(glify_rzedu(WIERSZ_0 + 69 * 4), (V{10, 14, 19, 4, 10}));
    EXPECT_EQ(kafle_rzedu(WIERSZ_0 + 69 * 4), (V{2, 2, 2, 2, 2}));
}

TEST_F(Proba, BackspaceAndDeleteRemoveTheLastLetter) {
    slowa({"kotek"});
    zacznij_haslo("kotek");
    S_Type(0.3, "kox\bt\x7ftek");
    graj();
    EXPECT_EQ(h1, "kotek");
    EXPECT_EQ(pruba, 0);
    EXPECT_EQ(dzwieki("s9").size(), 9u) << "seven letters and two deletions";
    EXPECT_EQ(glify_rzedu(WIERSZ_0), (V{10, 14, 19, 4, 10}));
}

TEST_F(Proba, AnUnderscoreFoldsToTheDeleteCodeAndRemovesTheLastLetter) {
    // Codes 65 to 96 all gain 32, so "_" (95) becomes 127 and deletes like the Delete key.
    slowa({"kotek"});
    zacznij_haslo("kotek");
    S_Type(0.3, "kox_tek");
    graj();
    EXPECT_EQ(h1, "kotek");
    EXPECT_EQ(pruba, 0);
    EXPECT_EQ(dzwieki("s9").size(), 7u) << "six letters and one deletion";
}

TEST_F(Proba, DeletionBlanksItsCellAndDoesNothingOnAnEmptyGuess) {
    slowa({"kotek"});
    zacznij_haslo("kotek");
    const double po = S_Type(0.3, "ko\b\b\b\x7f");
    S_KeyDown(po + 0.3, ALLEGRO_KEY_ESCAPE);
    graj();
    ASSERT_TRUE(wcisniety(ALLEGRO_KEY_ESCAPE));
    EXPECT_EQ(dzwieki("s9").size(), 4u) << "two letters and two deletions; the others found nothing to delete";
    EXPECT_TRUE(region_na_ekranie(el, 1, 166, 64, 64, 31, 31));
    EXPECT_TRUE(region_na_ekranie(el, 1, 166, 64, 64, 31 + 69, 31));
    EXPECT_TRUE(ekran_jak_bufor(31 + 2 * 69, 31, 64, 64)) << "a cell never typed in is left alone";
    EXPECT_EQ(pruba, 0);
    EXPECT_EQ(h1, "k[[[[");
}

TEST_F(Proba, ARefusalClearsTheRowKeepsTheClockButForOneTickAndDropsKeysTypedMeanwhile) {
    slowa({"kotek"}, {"abcdf", "lampa"});  // "abcde" is in neither list
    zacznij_haslo("kotek");
    fin = 1;
    // In the final the strip keeps what the game loop drew there until a refusal clears it.
    const rgb niebieski{10, 20, 250};
    al_draw_text(f24, al_map_rgb(niebieski.r, niebieski.g, niebieski.b), 200, 510, ALLEGRO_ALIGN_CENTRE, "Za 500 zł");
    const rgb odmowa{140, 160, 10};
    struct klatka {
        double t;
        int cw;
        int odmowa, niebieski;
        bool wiersz_czysty, pasek_czysty;
    };
    std::vector<klatka> klatki;
    S_OnFrame([&](int nr) {
        // The screen is read only around the refusal (and at the first frame): reading it at every frame is slow.
        const double t = S_Now();
        if (nr > 1 && (t < 1.3 || t > 2.6)) {
            klatki.push_back({t, cw, 0, -1, false, false});
            return;
        }
        klatki.push_back({t, cw, ile_koloru(32, 494, 338, 62, odmowa), ile_koloru(32, 494, 338, 62, niebieski),
                          ekran_jak_bufor(30, 30, 341, 65, 3), ekran_jak_bufor(32, 494, 338, 62, 3)});
    });
    S_Type(0.3, "abcde");
    S_Type(2.0, "z");  // lands during the refusal's pause
    S_Type(3.0, "kotek");
    graj();
    S_OnFrame(nullptr);
    EXPECT_EQ(h1, "kotek") << "a key typed during the refusal must be dropped";
    EXPECT_EQ(pruba, 0);
    EXPECT_EQ(S_Entered("wpisz_haslo"), 0);

    int n = -1;
    for (size_t i = 0; i < klatki.size(); ++i)
        if (klatki[i].odmowa > 0) {
            ASSERT_EQ(n, -1) << "the refusal shows in one frame only";
            n = static_cast<int>(i);
        }
    ASSERT_GT(n, 0) << "\"nie znam tego słowa\" never shown";
    ASSERT_LT(n + 2, static_cast<int>(klatki.size()));
    for (int i = 0; i < n; ++i)
        if (klatki[i].niebieski != -1) {
            ASSERT_GT(klatki[i].niebieski, 0) << "frame " << i << " lost the strip's message";
        }
    EXPECT_NEAR(klatki[n].t, 1.4, 0.01);
    EXPECT_GE(klatki[n + 1].t - klatki[n].t, 1.0);
    // Frame n + 1 ends the refusal's own pass; the next pass counts the whole pause as one tick.
    EXPECT_EQ(klatki[n + 1].cw, klatki[n].cw);
    EXPECT_EQ(klatki[n + 2].cw, klatki[n].cw + 1) << "a pause counts as one tick";
    EXPECT_TRUE(klatki[n + 1].wiersz_czysty);
    EXPECT_TRUE(klatki[n + 1].pasek_czysty);
    EXPECT_EQ(klatki[n + 1].niebieski, 0);
}

TEST_F(Proba, TheTimeRunsOutAfter121TicksOfMoreThan017Seconds) {
    slowa({"kotek"});
    zacznij_haslo("kotek");
    std::vector<double> tyki;
    int ostatni = 0;
    S_OnFrame([&](int) {
        if (cw != ostatni) {
            EXPECT_EQ(cw, ostatni + 1);
            ostatni = cw;
            tyki.push_back(S_Now());
        }
    });
    graj();
    S_OnFrame(nullptr);
    ASSERT_FALSE(S_TimedOut());
    EXPECT_EQ(cw, 121);
    EXPECT_EQ(pruba, 1);
    EXPECT_EQ(h1, "k[[[[");
    const double koniec = S_EnteredAt("koniec_czasu");
    EXPECT_GE(koniec, 20.57);
    EXPECT_LT(koniec, 21.0);
    EXPECT_NEAR(S_Now() - koniec, 1.0, 1e-6);
    ASSERT_EQ(tyki.size(), 121u);
    EXPECT_GT(tyki[0], 0.17);
    for (size_t i = 1; i < tyki.size(); ++i) EXPECT_GT(tyki[i] - tyki[i - 1], 0.17) << "tick " << i;

    auto brzeczyk = dzwieki("s2");
    ASSERT_EQ(brzeczyk.size(), 1u);
    EXPECT_NEAR(brzeczyk[0].t, koniec, 1e-9);
    EXPECT_FLOAT_EQ(brzeczyk[0].glosnosc, 0.8f);
    EXPECT_FLOAT_EQ(brzeczyk[0].predkosc, 1.0f);
    EXPECT_GT(ile_koloru(32, 494, 338, 62, rgb{200, 44, 44}), 0) << "\"Koniec czasu\" not in the strip";

    // The bar is 121 pixels of the fill, one past the empty bar.
    std::vector<rgb> wypelnienie;
    for (int y = 235; y < 245; ++y)
        for (int x = 190; x < 192; ++x) wypelnienie.push_back(piksel_z(el, x, y));
    for (int y = 524; y < 537; ++y)
        for (int x = 640; x < 761; ++x)
            ASSERT_NE(std::find(wypelnienie.begin(), wypelnienie.end(), piksel(x, y)), wypelnienie.end()) << x << "," << y;
    EXPECT_TRUE(ekran_jak_bufor(761, 524, 20, 13));
}

TEST_F(Proba, APartGuessStaysInTheEntryRowAfterTheTimeOut) {
    slowa({"kotek"});
    zacznij_haslo("kotek");
    fin = 1;
    S_Type(0.3, "Źżxz");
    graj();
    EXPECT_EQ(cw, 121);
    EXPECT_EQ(pruba, 1);
    EXPECT_GE(S_EnteredAt("koniec_czasu"), 20.57);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(glif_w(35 + 69 * k, 30), (V{33, 34, 23, 25}[k])) << "cell " << k;
    EXPECT_TRUE(dzwieki("s1").empty());
}

TEST_F(Proba, EscapeLeavesAtTheNextPassWithoutDrawing) {
    slowa({"kotek"});
    zacznij_haslo("kotek");
    S_Type(0.3, "ko");
    S_KeyDown(1.0, ALLEGRO_KEY_ESCAPE);
    int klatki_przy_odczycie = -1;
    size_t slad_przy_odczycie = 0;
    S_OnPoll([&](double t) {
        if (t >= 1.0 && klatki_przy_odczycie < 0) {
            klatki_przy_odczycie = S_Frames();
            slad_przy_odczycie = S_Trace().size();
        }
    });
    ALLEGRO_BITMAP* ostatnia = nullptr;
    S_OnFrame([&](int) {
        if (S_Now() < 0.99) return;
        if (ostatnia) al_destroy_bitmap(ostatnia);
        ostatnia = kopia_ekranu();
    });
    graj();
    S_OnPoll(nullptr);
    S_OnFrame(nullptr);
    ASSERT_NE(ostatnia, nullptr);
    EXPECT_EQ(roznice(ostatnia, 0, 0, 800, 600), 0) << "drawn after the last frame";
    al_destroy_bitmap(ostatnia);
    EXPECT_LT(S_Now(), 1.01);
    // The pass that saw Escape finishes with its two frames; the next one stops before drawing.
    EXPECT_EQ(S_Frames(), klatki_przy_odczycie + 2);
    for (size_t i = slad_przy_odczycie; i < S_Trace().size(); ++i) EXPECT_NE(S_Trace()[i].co, "wpisz_haslo");
    EXPECT_EQ(pruba, 0);
    EXPECT_EQ(h1, "k[[[[");
    EXPECT_LE(cw, 120);
    EXPECT_TRUE(dzwieki("s1").empty());
}

TEST_F(Proba, AKeyHeldThroughThePauseTypesAgain) {
    slowa({"kotek", "kkkkk"});
    zacznij_haslo("kotek");
    S_KeyPress(0.3, ALLEGRO_KEY_K, 'k', 3.0);
    graj();
    EXPECT_EQ(pruba, 1);
    EXPECT_EQ(glify_rzedu(WIERSZ_0), (V{10, 10, 10, 10, 10}));
    EXPECT_EQ(kafle_rzedu(WIERSZ_0), (V{2, 1, 1, 1, 2}));
}

TEST_F(Proba, AKeyHeldShortOfTheSystemsRepeatTypesOnce) {
    slowa({"kotek"});
    zacznij_haslo("kotek");
    S_KeyPress(0.3, ALLEGRO_KEY_Q, 'q', 0.15);
    S_KeyPress(1.3, ALLEGRO_KEY_W, 'w', 0.25);
    S_KeyPress(2.3, ALLEGRO_KEY_E, 'e', 0.45);
    graj();
    EXPECT_EQ(dzwieki("s9").size(), 3u);
}

TEST_F(Proba, TheSixthTryAfterTheScrollIsPlayedInRowFour) {
    slowa({"kotek", "motek"});
    zacznij_haslo("kotek");
    pruba = 5;
    dd = 1;
    S_Type(0.3, "motek");
    graj();
    EXPECT_EQ(h1, "kotek");
    EXPECT_EQ(pruba, 5);
    EXPECT_EQ(kafle_rzedu(401), (V{1, 2, 2, 2, 2}));
    EXPECT_EQ(glify_rzedu(401), (V{12, 14, 19, 4, 10}));
    EXPECT_TRUE(region_na_ekranie(el, 240, 260, 58, 21, 392, 422)) << "the fifth row's arrow marks the sixth try";
}

TEST_F(Proba, ThePromptPulsesBetweenTwoGreens) {
    int kk = 0, k2 = 0;
    std::vector<int> przebieg;
    for (int n = 0; n < 506; ++n) {
        wpisz_haslo(kk, k2, 0);
        przebieg.push_back(kk);
        if (kk == 251) {
            EXPECT_GT(ile_koloru(32, 494, 338, 62, rgb{0, 142, 0}), 0);
        }
        if (kk == -1) {
            EXPECT_GT(ile_koloru(32, 494, 338, 62, rgb{0, 80, 0}), 0);
        }
        if (kk == 100) {
            EXPECT_GT(ile_koloru(32, 494, 338, 62, rgb{0, 105, 0}), 0);
        }
    }
    EXPECT_EQ(przebieg[0], 1);
    EXPECT_EQ(przebieg[250], 251);
    EXPECT_EQ(przebieg[251], 250);
    EXPECT_EQ(przebieg[502], -1);
    EXPECT_EQ(przebieg[503], 0);
    EXPECT_EQ(przebieg[504], 1);
    EXPECT_EQ(*std::max_element(przebieg.begin(), przebieg.end()), 251);
    EXPECT_EQ(*std::min_element(przebieg.begin(), przebieg.end()), -1);
    EXPECT_EQ(S_Frames(), 0) << "the prompt waits for the caller's flip";
}

TEST_F(Proba, TheArrowPointsAtTheTrysRowAndTheColumnIsRestoredAroundIt) {
    for (int pruba_ = 0; pruba_ < 5; ++pruba_) {
        al_draw_bitmap_region(el, 0, 260, 58, 21, 392, 146 + 69 * ((pruba_ + 2) % 5), 0);  // a stale arrow
        int kk = 0, k2 = 0;
        wpisz_haslo(kk, k2, pruba_);
        const int y = 146 + 69 * pruba_;
        EXPECT_TRUE(region_na_ekranie(el, 60 * pruba_, 260, 58, 21, 392, y)) << "try " << pruba_;
        EXPECT_TRUE(ekran_jak_bufor(385, 140, 71, y - 140)) << "try " << pruba_;
        EXPECT_TRUE(ekran_jak_bufor(385, y + 21, 71, 450 - y - 21)) << "try " << pruba_;
    }
    int kk = 0, k2 = 0;
    wpisz_haslo(kk, k2, 5);
    EXPECT_TRUE(region_na_ekranie(el, 240, 260, 58, 21, 392, 422));
    // The region after the fifth arrow is also drawn for the sixth try, below the column where
    // nothing erases it: the sheet keeps it empty so no stray arrow is left there.
    EXPECT_TRUE(ekran_jak_bufor(392, 491, 58, 21));
}

TEST_F(Proba, OneTapTypesOneLetterWhenTheGameRunsLate) {
    // After a stall the rests shrink to catch up; the pause after a key must not, or the skip
    // finds the key still down and the next pass types it again.
    slowa({"kotek"});
    zacznij_haslo("kotek");
    const int klawisze[4] = {ALLEGRO_KEY_Q, ALLEGRO_KEY_W, ALLEGRO_KEY_E, ALLEGRO_KEY_R};
    for (int i = 0; i < 4; ++i) {
        const double t = 0.5 + 1.5 * i;
        S_Stall(t, 0.25);
        S_KeyPress(t + 0.25, klawisze[i], "qwer"[i], 0.04);
    }
    graj();
    EXPECT_EQ(dzwieki("s9").size(), 4u);
    EXPECT_EQ(pruba, 1) << "the try ran out of time";
}

TEST_F(Proba, NoCharacterIsLeftPendingAfterARefusalNorFromOneTryToTheNext) {
    // The fifth letter of a word outside the list held for 0.3 s: after the refusal nothing types by itself.
    slowa({"kotek", "lampa"});
    zacznij_haslo("kotek");
    S_Type(0.3, "abcd");
    S_KeyPress(1.3, ALLEGRO_KEY_E, 'e', 0.3);
    graj();
    EXPECT_EQ(dzwieki("s9").size(), 5u);
    EXPECT_EQ(pruba, 1);
    // The fifth letter of an evaluated guess held for 0.3 s: the next try starts with nothing typed.
    const double t = S_Now() + 0.3;
    S_Type(t, "lamp");
    S_KeyPress(t + 1.0, ALLEGRO_KEY_A, 'a', 0.3);
    graj();
    ASSERT_EQ(pruba, 2);
    const size_t po_zgadywaniu = dzwieki("s9").size();
    EXPECT_EQ(po_zgadywaniu, 10u);
    graj();
    EXPECT_EQ(dzwieki("s9").size(), po_zgadywaniu);
    EXPECT_EQ(pruba, 3) << "the third try runs out of time with nothing typed";
}

TEST_F(Proba, AnEscapeTappedInsideTheRefusalsRestLeavesTheTry) {
    slowa({"kotek"});
    zacznij_haslo("kotek");
    S_Type(0.3, "abcde");  // the last letter at 1.3 s, the refusal's second from about 1.45 s
    S_KeyPress(1.8, ALLEGRO_KEY_ESCAPE, 0, 0.03);
    graj();
    EXPECT_TRUE(wcisniety(ALLEGRO_KEY_ESCAPE));
    EXPECT_LT(S_Now(), 2.7);
    EXPECT_EQ(pruba, 0);
}
