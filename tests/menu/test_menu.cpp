// Scenarios of the main menu: its picture, hit areas, highlight, buttons, Escape and the way into a game.
#include <allegro5/allegro.h>
#include <gtest/gtest.h>

#include "menu.h"
#include "pomoc.h"

namespace {

// The menu's loop is running once the first fade-in is over.
double petla_od(double start) { return start + 0.5; }

// Screen copy taken at a poll after the mouse has been at rest for a few passes.
struct Zrzut {
    ALLEGRO_BITMAP* ekran_ = nullptr;
    ALLEGRO_BITMAP* bufor_ = nullptr;
    ~Zrzut() {
        if (ekran_) al_destroy_bitmap(ekran_);
        if (bufor_) al_destroy_bitmap(bufor_);
    }
    void zrob() {
        ekran_ = kopia_ekranu();
        bufor_ = al_clone_bitmap(bufor);
    }
};

rgb podswietlony(rgb c) {
    auto kanal = [](int v, int t) { return static_cast<unsigned char>(std::min(255, v + (v * t + 127) / 255)); };
    return {kanal(c.r, 50), kanal(c.g, 250), kanal(c.b, 250)};
}

}  // namespace

TEST(PozycjaMenu, HitAreasHaveTheirExactEdges) {
    for (int k = 1; k <= 5; ++k) {
        int y = 50 * k + 240;
        EXPECT_EQ(pozycja_menu(311, y), k);
        EXPECT_EQ(pozycja_menu(492, y), k);
        EXPECT_EQ(pozycja_menu(400, 50 * k + 262), k);
        EXPECT_EQ(pozycja_menu(310, y), 0) << k;
        EXPECT_EQ(pozycja_menu(493, y), 0) << k;
        EXPECT_EQ(pozycja_menu(311, 50 * k + 239), 0) << k;
        EXPECT_EQ(pozycja_menu(311, 50 * k + 263), 0) << k;
    }
    EXPECT_EQ(pozycja_menu(311, 290), 1);
    EXPECT_EQ(pozycja_menu(310, 290), 0);
    EXPECT_EQ(pozycja_menu(493, 290), 0);
    EXPECT_EQ(pozycja_menu(311, 289), 0);
    EXPECT_EQ(pozycja_menu(311, 313), 0);
    // Between the items, above the first and below the last: nothing.
    for (int y = 0; y < 600; ++y) {
        int k = pozycja_menu(400, y);
        if (y >= 290 && y <= 512 && (y - 290) % 50 < 23)
            EXPECT_EQ(k, (y - 290) / 50 + 1) << y;
        else
            EXPECT_EQ(k, 0) << y;
    }
}

TEST_F(ScenaMenu, MenuPictureIsTheIntroFrameWithTitleButtonsAndLabels) {
    ALLEGRO_BITMAP* ekr = al_load_bitmap("ekr.png");
    ASSERT_NE(ekr, nullptr);
    ALLEGRO_BITMAP* przed = kopia_ekranu();
    szykowanie_menu();
    EXPECT_NE(bufor, nullptr);
    EXPECT_EQ(al_get_target_bitmap(), tylny) << "the screen is the target again";
    EXPECT_EQ(roznice(przed, 0, 0, 800, 600), 0) << "nothing is shown";

    // Above the title and below the last button the intro frame is untouched, but for the small
    // results item at (325, 532), 150 x 31.
    EXPECT_EQ(roznice_miedzy(bufor, ekr, 0, 0, 800, 228), 0);
    EXPECT_EQ(roznice_miedzy(bufor, ekr, 0, 522, 800, 10), 0);
    EXPECT_EQ(roznice_miedzy(bufor, ekr, 0, 563, 800, 37) + roznice_miedzy(bufor, ekr, 0, 532, 325, 31) +
                  roznice_miedzy(bufor, ekr, 475, 532, 325, 31), 0);
    EXPECT_EQ(roznice_miedzy(bufor, ekr, 0, 228, 298, 294), 0);
    EXPECT_EQ(roznice_miedzy(bufor, ekr, 502, 228, 298, 294), 0);

    rgb zielony{105, 160, 105}, pomaranczowy{222, 99, 9}, tytul{22, 122, 22};
    EXPECT_GT(ile_koloru(bufor, 320, 228, 160, 30, tytul), 20) << "the title";
    EXPECT_GT(ile_koloru(bufor, 325, 532, 150, 31, zielony), 30) << "the results item";
    for (int k = 1; k <= 5; ++k) {
        int y = 240 + 50 * k;
        int zielone = ile_koloru(bufor, 300, y, 200, 24, zielony);
        int pomaranczowe = ile_koloru(bufor, 300, y, 200, 24, pomaranczowy);
        if (k == 5) {
            EXPECT_GT(pomaranczowe, 30) << k;
            EXPECT_EQ(zielone, 0) << k;
        } else {
            EXPECT_GT(zielone, 30) << k;
            EXPECT_EQ(pomaranczowe, 0) << k;
        }
    }
    // Each label is centred on x = 400: its coloured pixels balance about that line.
    for (int k = 1; k <= 5; ++k) {
        rgb c = k == 5 ? pomaranczowy : zielony;
        long suma_x = 0, n = 0;
        for (int j = 240 + 50 * k; j < 264 + 50 * k; ++j)
            for (int i = 300; i < 500; ++i)
                if (piksel_bufora(i, j) == c) suma_x += i, ++n;
        ASSERT_GT(n, 0);
        EXPECT_NEAR(double(suma_x) / n, 400, 6) << k;
    }
    // The button picture is the unscaled region (0, 0) of the sheet: its corner pixels match.
    rgb rog = piksel_z(el, 2, 2);
    EXPECT_TRUE(blisko(piksel_bufora(302, 282), rog, 0)) << piksel_bufora(302, 282) << rog;
    EXPECT_TRUE(blisko(piksel_bufora(302, 482), rog, 0));
    al_destroy_bitmap(przed);
    al_destroy_bitmap(ekr);
}

TEST_F(ScenaMenu, HighlightGlowsOverTheItemUnderTheMouseOnlyWithinItsExactArea) {
    Scenariusz s;
    Zrzut na_1, obok_1, na_3, wyjscie_ponizej;
    double t = petla_od(start);
    S_Mouse(t, 311, 290, 0);
    s.o(t + 0.05, [&](double) { na_1.zrob(); });
    S_Mouse(t + 0.1, 310, 290, 0);
    s.o(t + 0.15, [&](double) { obok_1.zrob(); });
    S_Mouse(t + 0.2, 492, 412, 0);
    s.o(t + 0.25, [&](double) { na_3.zrob(); });
    S_Mouse(t + 0.3, 311, 513, 0);
    s.o(t + 0.35, [&](double) { wyjscie_ponizej.zrob(); });
    S_KeyPress(t + 0.4, ALLEGRO_KEY_ESCAPE);
    menu();
    ASSERT_TRUE(s.wszystkie_zrobione());

    auto sprawdz_pasmo = [](Zrzut& z, int k) {
        int y0 = 50 * k + 239;
        int zle = 0;
        for (int j = y0; j < y0 + 24; ++j)
            for (int i = 310; i < 494; ++i) {
                rgb b = piksel_z(z.bufor_, i, j), e = piksel_z(z.ekran_, i, j);
                if (!blisko(e, podswietlony(b))) ++zle;
            }
        EXPECT_EQ(zle, 0) << "item " << k;
        // Something actually glows (the button is not black).
        EXPECT_GT(roznice_miedzy(z.ekran_, z.bufor_, 310, y0, 184, 24), 184 * 24 / 2) << k;
        // Outside the band the screen is the menu picture.
        EXPECT_EQ(roznice_miedzy(z.ekran_, z.bufor_, 0, 0, 800, y0), 0) << k;
        EXPECT_EQ(roznice_miedzy(z.ekran_, z.bufor_, 0, y0 + 24, 800, 600 - y0 - 24), 0) << k;
        EXPECT_EQ(roznice_miedzy(z.ekran_, z.bufor_, 0, y0, 310, 24), 0) << k;
        EXPECT_EQ(roznice_miedzy(z.ekran_, z.bufor_, 494, y0, 306, 24), 0) << k;
    };
    sprawdz_pasmo(na_1, 1);
    sprawdz_pasmo(na_3, 3);
    EXPECT_EQ(roznice_miedzy(obok_1.ekran_, obok_1.bufor_, 0, 0, 800, 600), 0) << "no glow left behind";
    EXPECT_EQ(roznice_miedzy(wyjscie_ponizej.ekran_, wyjscie_ponizej.bufor_, 0, 0, 800, 600), 0);
}

TEST_F(ScenaMenu, SecondaryOrBothButtonsOverAnItemDoNothing) {
    double t = petla_od(start);
    for (int k = 1; k <= 5; ++k) {
        S_Mouse(t, 400, 250 + 50 * k, 2);
        S_Mouse(t + 0.05, 400, 250 + 50 * k, 3);
        t += 0.1;
    }
    S_Mouse(t, 400, 500, 0);
    S_KeyPress(t + 0.1, ALLEGRO_KEY_ESCAPE);
    menu();
    EXPECT_EQ(S_Entered("imie_gracza"), 0);
    EXPECT_EQ(S_Entered("zasady_gry"), 0);
    EXPECT_EQ(S_Entered("info"), 0);
    EXPECT_GE(S_Now(), t + 0.1) << "item 5 must not have ended the menu";
    EXPECT_FALSE(S_TimedOut());
}

TEST_F(ScenaMenu, EscapeEndsTheMenuAtOnceAndEachEntrySetsFinToZero) {
    fin = 1;
    int fin_w_petli = -1;
    Scenariusz s;
    double t = petla_od(start);
    s.o(t, [&](double) { fin_w_petli = fin; });
    S_KeyDown(t + 0.2, ALLEGRO_KEY_ESCAPE);
    menu();
    EXPECT_EQ(fin_w_petli, 0);
    EXPECT_NEAR(S_Now(), t + 0.2, 0.01);
    EXPECT_EQ(S_Entered("szykowanie_menu"), 1);
    EXPECT_FALSE(S_TimedOut());
    // The cursor is shown for the menu.
    bool pokazany = false;
    for (const auto& w : S_Trace())
        if (w.co == "cursor shown") pokazany = true;
    EXPECT_TRUE(pokazany);
}

TEST_F(ScenaMenu, ExitActsWhenThePrimaryButtonIsCarriedOntoIt) {
    double t = petla_od(start);
    // Pressed over empty screen, then carried beside item 5 and onto it with the button held.
    S_Mouse(t, 100, 100, 1);
    S_Mouse(t + 0.1, 600, 491, 1);
    S_Mouse(t + 0.2, 492, 491, 1);
    menu();
    EXPECT_NEAR(S_Now(), t + 0.2, 0.01);
    EXPECT_EQ(S_Entered("imie_gracza"), 0);
    EXPECT_FALSE(S_TimedOut());
}

TEST_F(ScenaMenu, EscapeInTheFirstNameEntryEndsTheProgramWithoutAGame) {
    double t = petla_od(start);
    S_Mouse(t, 400, 300, 1);
    S_Mouse(t + 0.05, 400, 300, 0);
    Scenariusz s;
    s.po_wejsciu("imie_gracza", 1, [](double teraz) { S_KeyDown(teraz + 1.5, ALLEGRO_KEY_ESCAPE); });
    menu();
    EXPECT_EQ(ig, 1);
    EXPECT_EQ(imie[0], "");
    EXPECT_EQ(S_Entered("imie_gracza"), 1);
    EXPECT_EQ(S_Entered("znikanie_obrazu"), 0);
    EXPECT_EQ(S_Entered("gra"), 0);
    EXPECT_EQ(S_Entered("szykowanie_menu"), 1);
    EXPECT_FALSE(S_TimedOut());
}

TEST_F(ScenaMenu, EscapeInANameEntryAfterAnEarlierGameStillEndsTheProgram) {
    // Names held from a game played before: Escape must not start a game with them.
    imie[0] = "Ala";
    imie[1] = "Ola";
    double t = petla_od(start);
    S_Mouse(t, 400, 350, 1);
    S_Mouse(t + 0.05, 400, 350, 0);
    Scenariusz s;
    s.po_wejsciu("imie_gracza", 1, [](double teraz) { S_KeyDown(teraz + 1.5, ALLEGRO_KEY_ESCAPE); });
    menu();
    EXPECT_EQ(ig, 2);
    EXPECT_EQ(S_Entered("znikanie_obrazu"), 0);
    EXPECT_EQ(S_Entered("gra"), 0);
    EXPECT_EQ(S_Entered("szykowanie_menu"), 1);
    EXPECT_EQ(imie[0], "Ala");
    EXPECT_EQ(imie[1], "Ola");
    EXPECT_FALSE(S_TimedOut());
}

TEST_F(ScenaMenu, TwoPlayersGiveTwoNamesThenTheFadeAndTheGameAndEscapeInTheGameEndsTheProgram) {
    double t = petla_od(start);
    S_Mouse(t, 400, 350, 1);
    S_Mouse(t + 0.05, 600, 100, 0);
    Scenariusz s;
    s.po_wejsciu("imie_gracza", 1, [](double teraz) {
        double u = S_Type(teraz + 1.3, "ala");
        S_KeyPress(u + 0.1, ALLEGRO_KEY_ENTER, 13);
        u = S_Type(u + 0.6, "ola");
        S_KeyPress(u + 0.1, ALLEGRO_KEY_ENTER, 13);
    });
    // The game is left with Escape as soon as it starts.
    s.po_wejsciu("gra", 1, [](double teraz) { S_KeyDown(teraz, ALLEGRO_KEY_ESCAPE); });
    menu();
    EXPECT_EQ(ig, 2);
    EXPECT_EQ(imie[0], "Ala");
    EXPECT_EQ(imie[1], "Ola");
    ASSERT_EQ(S_Entered("gra"), 1);
    EXPECT_GT(S_EnteredAt("gra"), S_EnteredAt("znikanie_obrazu")) << "the fade comes before the game";
    EXPECT_EQ(S_Entered("szykowanie_menu"), 1) << "Escape from the game does not compose the menu again";
    EXPECT_FALSE(S_TimedOut());
}
