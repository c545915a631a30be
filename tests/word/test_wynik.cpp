// Scenario tests of the displays that close a try or a word: congratulations, the password shown, and the grid scrolled up by one row.
#include <allegro5/allegro_font.h>

#include "pomoc.h"
#include "word.h"

namespace {

using V = std::vector<int>;

class Wynik : public Scena {
protected:
    void SetUp() override {
        Scena::SetUp();
        S_SetLimit(60);
        przygotuj_ekran();
    }
};

const rgb STARY{10, 20, 250};

void stary_komunikat() {
    al_draw_text(f28, al_map_rgb(STARY.r, STARY.g, STARY.b), 200, 510, ALLEGRO_ALIGN_CENTRE, "Koniec czasu");
}

int w_pasku(rgb c) { return ile_koloru(32, 494, 338, 62, c); }

}  // namespace

TEST_F(Wynik, CongratulationsAreDrawnAndSoundedButNotShown) {
    stary_komunikat();
    gratulacje();
    EXPECT_EQ(S_Frames(), 0) << "the caller's next flip shows the message";
    EXPECT_EQ(S_Now(), 0.0);
    EXPECT_GT(w_pasku(rgb{0, 166, 166}), 0);
    EXPECT_EQ(w_pasku(STARY), 0) << "the strip is restored first";
    auto d = dzwieki("s8");
    ASSERT_EQ(d.size(), 1u);
    EXPECT_FLOAT_EQ(d[0].glosnosc, 0.5f);
    EXPECT_FLOAT_EQ(d[0].predkosc, 1.0f);
    EXPECT_EQ(S_Sounds().size(), 1u);
}

TEST_F(Wynik, ThePasswordIsAnnouncedThenShownAsGlyphsFor25Seconds) {
    hh = "kAxZa";
    stary_komunikat();
    struct klatka {
        double t;
        int napis, stary;
    };
    std::vector<klatka> klatki;
    S_OnFrame([&](int) { klatki.push_back({S_Now(), w_pasku(rgb{188, 18, 0}), w_pasku(STARY)}); });
    to_jest_haslo();
    S_OnFrame(nullptr);
    ASSERT_EQ(klatki.size(), 2u);
    EXPECT_EQ(klatki[0].t, 0.0);
    EXPECT_GT(klatki[0].napis, 0) << "\"Oto Hasło\" not shown";
    EXPECT_EQ(klatki[0].stary, 0);
    EXPECT_NEAR(klatki[1].t, 1.0, 1e-9);
    EXPECT_EQ(klatki[1].napis, 0) << "the glyphs replace the announcement";
    EXPECT_NEAR(S_Now(), 2.5, 1e-9);
    EXPECT_EQ(glify_rzedu(494), (V{10, 26, 23, 34, 0}));
    EXPECT_TRUE(S_Sounds().empty());
}

TEST_F(Wynik, ThePolishCapitalsOfAPasswordAreShownAsTheirLetters) {
    hh = "LOdXz";
    to_jest_haslo();
    EXPECT_EQ(glify_rzedu(494), (V{29, 31, 3, 33, 25}));
    hh = "CESNz";
    to_jest_haslo();
    EXPECT_EQ(glify_rzedu(494), (V{27, 28, 32, 30, 25}));
}

TEST_F(Wynik, AShortPasswordShowsWhatItHasAndNothingPastIt) {
    hh = "kot";
    to_jest_haslo();
    EXPECT_EQ(glify_rzedu(494), (V{10, 14, 19, -1, -1}));
    EXPECT_TRUE(ekran_jak_bufor(35 + 69 * 3, 494, 52 * 2 + 17, 62));
}

TEST_F(Wynik, TheGridScrollsUpByOneRowIn69FramesOf5ms) {
    V kafle[5], glify[5];
    for (int r = 0; r < 5; ++r)
        for (int i = 0; i < 5; ++i) {
            kafle[r].push_back((r + i) % 3 + 1);
            glify[r].push_back((7 * r + i) % 36);
            rysuj_kafel(kafle[r][i], 30 + 69 * i, 125 + 69 * r);
            rysuj_glif(glify[r][i], 35 + 69 * i, 125 + 69 * r);
        }
    ALLEGRO_BITMAP* przed = kopia_ekranu();
    ALLEGRO_BITMAP* arkusz = al_clone_bitmap(el);

    std::vector<double> czasy;
    int zle_w_klatce_1 = -1, zle_w_klatce_35 = -1;
    S_OnFrame([&](int nr) {
        czasy.push_back(S_Now());
        if (nr != 1 && nr != 35) return;
        // In frame nr the saved grid stands nr pixels higher, its top nr - 1 rows cut off.
        int zle = 0;
        for (int y = 124; y < 124 + 340 - (nr - 1); y += 3)
            for (int x = 30; x < 370; x += 3)
                if (!(piksel(x, y) == piksel_z(przed, x, y + nr))) ++zle;
        (nr == 1 ? zle_w_klatce_1 : zle_w_klatce_35) = zle;
    });
    przesuwanie_diagramu();
    S_OnFrame(nullptr);

    EXPECT_EQ(al_get_target_bitmap(), tylny);
    ASSERT_EQ(czasy.size(), 69u);
    for (size_t k = 1; k < czasy.size(); ++k) EXPECT_NEAR(czasy[k] - czasy[k - 1], 0.005, 1e-9);
    EXPECT_NEAR(S_Now(), 0.345, 1e-9);
    EXPECT_EQ(zle_w_klatce_1, 0);
    EXPECT_EQ(zle_w_klatce_35, 0);

    int zle = 0;
    for (int y = 124; y < 396; ++y)
        for (int x = 30; x < 370; ++x)
            if (!(piksel(x, y) == piksel_z(przed, x, y + 69))) ++zle;
    EXPECT_EQ(zle, 0) << "the grid has not moved up by exactly 69 pixels";
    EXPECT_TRUE(ekran_jak_bufor(30, 396, 341, 69)) << "row 4 is left empty for the sixth try";
    EXPECT_TRUE(ekran_jak_bufor(370, 124, 1, 341));
    EXPECT_EQ(roznice(przed, 0, 0, 800, 124), 0);
    EXPECT_EQ(roznice(przed, 0, 124, 30, 476), 0);
    EXPECT_EQ(roznice(przed, 371, 124, 429, 476), 0);
    EXPECT_EQ(roznice(przed, 30, 465, 341, 135), 0);
    for (int r = 0; r < 4; ++r) EXPECT_EQ(glify_rzedu(125 + 69 * r), glify[r + 1]) << "row " << r;
    // The last column's tiles reach x = 371, past the 340 columns that are carried up: only the first four are whole.
    for (int r = 0; r < 3; ++r) {
        V cztery = kafle_rzedu(125 + 69 * r);
        cztery.pop_back();
        EXPECT_EQ(cztery, V(kafle[r + 1].begin(), kafle[r + 1].end() - 1)) << "row " << r;
    }

    // The sprite sheet keeps its artwork: the scroll has a scratch picture of its own.
    int zmienione = 0;
    for (int y = 0; y < al_get_bitmap_height(el); y += 2)
        for (int x = 0; x < al_get_bitmap_width(el); x += 2)
            if (!(piksel_z(el, x, y) == piksel_z(arkusz, x, y))) ++zmienione;
    EXPECT_EQ(zmienione, 0);
    al_destroy_bitmap(przed);
    al_destroy_bitmap(arkusz);
}

TEST_F(Wynik, ASecondScrollMovesTheNewPictureNotTheOldOne) {
    for (int i = 0; i < 5; ++i) rysuj_glif(i, 35 + 69 * i, 125 + 69 * 4);
    przesuwanie_diagramu();
    for (int i = 0; i < 5; ++i) rysuj_glif(10 + i, 35 + 69 * i, 125 + 69 * 4);
    przesuwanie_diagramu();
    EXPECT_EQ(glify_rzedu(125 + 69 * 2), (V{0, 1, 2, 3, 4}));
    EXPECT_EQ(glify_rzedu(125 + 69 * 3), (V{10, 11, 12, 13, 14}));
}
