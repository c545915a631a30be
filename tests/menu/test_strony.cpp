// Scenarios of the rules and information pages: their exact lines, the word count, holding and leaving.
#include <allegro5/allegro.h>
#include <allegro5/allegro_font.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "menu.h"
#include "pomoc.h"

namespace {

const char* const ZASADY[16] = {
        "Zasady gry częściowo jak w teleturnieju TV z 1995 roku.",
        "Gra polega na odgadywaniu 5-literowych słów / haseł.",
        "Czas na wpisanie słowa to 20 sekund - powinno starczyć",
        "Znana jest pierwsza litera potem 5 prób na odpowiedż.",
        "Tła liter w odgadywanym słowie mają w podpowiedzi różne kolory:",
        "        niebieskie - litera niewłaściwa,",
        "        czerwone  - litera właściwa i na dobrym miejscu,",
        "        żółte          - litera właściwa lecz w złym miejscu.",
        "Gracz, gdy odgadnie hasło losuje kule z numerkami, które",
        "kasowane są z jego planszy liczbowej zgodnie z zasadami Bingo.",
        "Premia za bingo to 500 zł ale bingo dodczas finału to Koniec Gry.",
        "Czerwona kula: przerywa losowanie i zmienia gracza.",
        "Gracz, który uzbiera więcej pieniędzy na koncie wchodzi do finału.",
        "W finale do odgadnięcia 5 haseł, za każde większa stawka.",
        "Żółta kula w finale to wybawienie - przerywa niechciane losowanie.",
        "Koniec Czasu: strata kolejki, następny gracz - we finale Koniec Gry.",
};

const rgb TEKST{99, 155, 155};

ALLEGRO_COLOR kolor(rgb c) { return al_map_rgb(c.r, c.g, c.b); }

// The rules page as it must look over this menu picture, drawn here from the quoted texts.
ALLEGRO_BITMAP* oczekiwane_zasady(ALLEGRO_BITMAP* menu_obraz, int liczba) {
    ALLEGRO_BITMAP* b = al_clone_bitmap(menu_obraz);
    ALLEGRO_BITMAP* cel = al_get_target_bitmap();
    al_set_target_bitmap(b);
    al_draw_scaled_bitmap(el, 0, 45, 130, 70, 0, 5, 800, 590, 0);
    al_draw_text(f32, al_map_rgb(0, 22, 22), 402, 6, ALLEGRO_ALIGN_CENTRE, "Zasady gry w  Brolik");
    al_draw_text(f32, al_map_rgb(55, 155, 155), 400, 4, ALLEGRO_ALIGN_CENTRE, "Zasady gry w  Brolik");
    for (int n = 1; n <= 16; ++n) al_draw_text(f20, kolor(TEKST), 80, 98 + 23 * (n - 1), 0, ZASADY[n - 1]);
    al_draw_text(f20, kolor(TEKST), 80, 475, 0, "W bazie dostępnych haseł: ");
    al_draw_text(f24, al_map_rgb(200, 200, 155), 370, 472, ALLEGRO_ALIGN_CENTRE, std::to_string(liczba).c_str());
    al_draw_text(f20, kolor(TEKST), 400, 475, 0, " - rzeczowniki 5-literowe");
    for (int m = 0; m < 3; ++m) al_draw_bitmap_region(el, 396 + 23 * m, 170, 22, 22, 100, 213 + 23 * m, 0);
    al_set_target_bitmap(cel);
    return b;
}

ALLEGRO_BITMAP* oczekiwane_info(ALLEGRO_BITMAP* menu_obraz) {
    ALLEGRO_BITMAP* b = al_clone_bitmap(menu_obraz);
    ALLEGRO_BITMAP* cel = al_get_target_bitmap();
    al_set_target_bitmap(b);
    al_draw_scaled_bitmap(el, 0, 45, 130, 70, 80, 150, 640, 300, 0);
    al_draw_text(f32, al_map_rgb(0, 0, 0), 410, 20, ALLEGRO_ALIGN_CENTRE, "Informacje");
    al_draw_text(f32, al_map_rgb(55, 99, 99), 412, 22, ALLEGRO_ALIGN_CENTRE, "Informacje");
    const char* linie[9] = {"Program oparty na teleturnieju TV", " B r o l i k ", LINIE_INFO[2], LINIE_INFO[3],
                            LINIE_INFO[4], "", LINIE_INFO[6],
                            "z zachowaniem pierwotnego wyglądu ", ""};
    for (int n = 1; n <= 9; ++n)
        al_draw_text(f20, kolor(TEKST), 400, 200 + 22 * (n - 1), ALLEGRO_ALIGN_CENTRE, linie[n - 1]);
    al_set_target_bitmap(cel);
    return b;
}

// Largest per-channel difference between two bitmaps, every 3rd pixel.
int najwieksza_roznica(ALLEGRO_BITMAP* a, ALLEGRO_BITMAP* b) {
    int m = 0;
    for (int j = 0; j < 600; j += 3)
        for (int i = 0; i < 800; i += 3) {
            rgb e = piksel_z(a, i, j), o = piksel_z(b, i, j);
            m = std::max({m, std::abs(e.r - o.r), std::abs(e.g - o.g), std::abs(e.b - o.b)});
        }
    return m;
}

struct Obrazy {
    ALLEGRO_BITMAP* menu_ = nullptr;    // bufor when the menu loop began
    ALLEGRO_BITMAP* strona = nullptr;   // bufor while the page was held
    ALLEGRO_BITMAP* ekran_ = nullptr;   // the screen then
    ALLEGRO_BITMAP* po = nullptr;       // bufor back in the menu
    ALLEGRO_BITMAP* ekran_po = nullptr;
    ~Obrazy() {
        for (ALLEGRO_BITMAP* b : {menu_, strona, ekran_, po, ekran_po})
            if (b) al_destroy_bitmap(b);
    }
};

}  // namespace

TEST(LinieStron, RulesLinesAreExactlyTheGameTextsTyposAndBlanksIncluded) {
    for (int n = 0; n < 16; ++n) EXPECT_STREQ(LINIE_ZASAD[n], ZASADY[n]) << "line " << n + 1;
}

TEST(LinieStron, InformationLinesQuotedAndOwnCreditsSayWhatTheyMust) {
    EXPECT_STREQ(LINIE_INFO[0], "Program oparty na teleturnieju TV");
    EXPECT_STREQ(LINIE_INFO[1], " B r o l i k ");
    EXPECT_NE(std::string(LINIE_INFO[4]).find("syntezowane"), std::string::npos);
    EXPECT_STREQ(LINIE_INFO[5], "");
    EXPECT_STREQ(LINIE_INFO[7], "z zachowaniem pierwotnego wyglądu ");
    EXPECT_STREQ(LINIE_INFO[8], "");
    EXPECT_NE(std::string(LINIE_INFO[2]).find("1995"), std::string::npos);
    EXPECT_NE(std::string(LINIE_INFO[3]).find("programowanie"), std::string::npos);
    EXPECT_NE(std::string(LINIE_INFO[3]).find("grafika"), std::string::npos);
    EXPECT_NE(std::string(LINIE_INFO[6]).find("Allegro 5"), std::string::npos);
    // This version's author, named as line 4 names the first one's; the library's authors are not.
    EXPECT_NE(std::string(LINIE_INFO[6]).find("autor gry"), std::string::npos);
    EXPECT_EQ(std::string(LINIE_INFO[6]).find("autorzy"), std::string::npos);
    EXPECT_NE(std::string(LINIE_INFO[6]).find("2018"), std::string::npos);
}

TEST_F(ScenaMenu, OwnInformationLinesFitInsideThePanel) {
    for (int n : {2, 3, 4, 6}) EXPECT_LE(al_get_text_width(f20, LINIE_INFO[n]), 600) << LINIE_INFO[n];
}

TEST_F(ScenaMenu, RulesPageShowsEveryLineAndTheWordCountWhileHeldThenTheMenuComesBack) {
    slowa({"kotek", "lampa", "drzwi", "oknoo", "rybka", "sOwaa", "Zabka"});
    Obrazy o;
    Scenariusz s;
    double t = start + 0.5;
    double puszczenie = t + 2.0;
    s.o(t - 0.01, [&](double) { o.menu_ = al_clone_bitmap(bufor); });
    S_Mouse(t, 400, 400, 1);
    // Moving with the button held changes nothing.
    S_Mouse(t + 0.7, 100, 100, 1);
    s.o(t + 1.5, [&](double) {
        o.strona = al_clone_bitmap(bufor);
        o.ekran_ = kopia_ekranu();
    });
    S_Mouse(puszczenie, 100, 100, 0);
    s.o(puszczenie + 1.0, [&](double) {
        o.po = al_clone_bitmap(bufor);
        o.ekran_po = kopia_ekranu();
    });
    S_KeyPress(puszczenie + 1.1, ALLEGRO_KEY_ESCAPE);
    menu();
    ASSERT_TRUE(s.wszystkie_zrobione());
    EXPECT_EQ(S_Entered("zasady_gry"), 1);
    EXPECT_EQ(S_Entered("info"), 0);

    ALLEGRO_BITMAP* wzor = oczekiwane_zasady(o.menu_, 7);
    EXPECT_EQ(roznice_miedzy(o.strona, wzor, 0, 0, 800, 600), 0);
    // The count is really there: a page with another count differs only around it.
    ALLEGRO_BITMAP* inny = oczekiwane_zasady(o.menu_, 8);
    EXPECT_GT(roznice_miedzy(inny, wzor, 340, 470, 60, 30), 0);
    EXPECT_EQ(roznice_miedzy(inny, wzor, 0, 0, 800, 470), 0);
    al_destroy_bitmap(inny);
    al_destroy_bitmap(wzor);

    // Faded in: what is left of the menu on screen is about 4 %, rounding included.
    EXPECT_LE(najwieksza_roznica(o.ekran_, o.strona), 16);
    // Held until release, then the menu is composed anew and faded in.
    double znowu = S_EnteredAt("szykowanie_menu", 1);
    EXPECT_GE(znowu, puszczenie);
    EXPECT_LT(znowu, puszczenie + 0.01);
    EXPECT_GE(S_EnteredAt("ukazywanie_obrazu", 2), znowu);
    EXPECT_EQ(roznice_miedzy(o.po, o.menu_, 0, 0, 800, 600), 0);
    EXPECT_EQ(roznice_miedzy(o.ekran_po, o.menu_, 0, 0, 800, 600), 0);
}

TEST_F(ScenaMenu, RulesPageShowsTheSizeOfTheLoadedList) {
    // The list that ustawienia loaded, not a count of its own.
    ASSERT_GT(ih, 0);
    Obrazy o;
    Scenariusz s;
    double t = start + 0.5;
    s.o(t - 0.01, [&](double) { o.menu_ = al_clone_bitmap(bufor); });
    S_Mouse(t, 400, 400, 1);
    s.o(t + 1.0, [&](double) { o.strona = al_clone_bitmap(bufor); });
    S_Mouse(t + 1.1, 100, 100, 0);
    S_KeyPress(t + 2.0, ALLEGRO_KEY_ESCAPE);
    menu();
    ASSERT_TRUE(s.wszystkie_zrobione());
    ALLEGRO_BITMAP* wzor = oczekiwane_zasady(o.menu_, ih);
    EXPECT_EQ(roznice_miedzy(o.strona, wzor, 300, 465, 150, 40), 0) << "ih = " << ih;
    al_destroy_bitmap(wzor);
}

TEST_F(ScenaMenu, QuickClickOnTheRulesShowsThePageOnlyWhileItFadesIn) {
    double t = start + 0.5;
    S_Mouse(t, 400, 400, 1);
    S_Mouse(t + 0.05, 400, 400, 0);
    S_KeyPress(t + 1.5, ALLEGRO_KEY_ESCAPE);
    menu();
    ASSERT_EQ(S_Entered("zasady_gry"), 1) << "a click acts once";
    double wejscie = S_EnteredAt("zasady_gry");
    double znowu = S_EnteredAt("szykowanie_menu", 1);
    EXPECT_GT(znowu, wejscie + 0.39);
    EXPECT_LT(znowu, wejscie + 0.45);
    EXPECT_EQ(S_Entered("szykowanie_menu"), 2);
}

TEST_F(ScenaMenu, InformationPageIsDrawnOverTheMenuAndHeldWhileAButtonIsHeld) {
    Obrazy o;
    Scenariusz s;
    double t = start + 0.5;
    s.o(t - 0.01, [&](double) { o.menu_ = al_clone_bitmap(bufor); });
    S_Mouse(t, 400, 450, 1);
    // The page rests 0 s per pass, so the virtual clock stands still while it is held: count polls.
    int odczyty = 0;
    auto w_stronie = [](double) {
        return S_Entered("info") == 1 && S_Entered("ukazywanie_obrazu") == 2 && S_Entered("szykowanie_menu") == 1;
    };
    s.gdy(w_stronie, [&](double) {
        o.strona = al_clone_bitmap(bufor);
        o.ekran_ = kopia_ekranu();
    });
    s.gdy([&](double t_) { return w_stronie(t_) && ++odczyty >= 300; },
          [](double teraz) { S_Mouse(teraz, 200, 500, 2); });  // another button still holds it
    s.gdy([&](double t_) { return w_stronie(t_) && ++odczyty >= 900; },
          [](double teraz) { S_Mouse(teraz, 200, 500, 0); });
    s.po_wejsciu("szykowanie_menu", 2, [](double teraz) { S_KeyDown(teraz + 0.6, ALLEGRO_KEY_ESCAPE); });
    menu();
    ASSERT_TRUE(s.wszystkie_zrobione());
    EXPECT_GE(odczyty, 900) << "the page was left before the buttons were released";
    EXPECT_EQ(S_Entered("info"), 1);
    EXPECT_EQ(S_Entered("zasady_gry"), 0);
    ALLEGRO_BITMAP* wzor = oczekiwane_info(o.menu_);
    EXPECT_EQ(roznice_miedzy(o.strona, wzor, 0, 0, 800, 600), 0);
    // Outside the panel and the title the menu picture stays visible.
    EXPECT_EQ(roznice_miedzy(o.strona, o.menu_, 0, 460, 800, 140), 0);
    EXPECT_EQ(roznice_miedzy(o.strona, o.menu_, 0, 80, 80, 370), 0);
    EXPECT_LE(najwieksza_roznica(o.ekran_, o.strona), 16);
    al_destroy_bitmap(wzor);
    EXPECT_EQ(S_Entered("szykowanie_menu"), 2);
}

TEST_F(ScenaMenu, AHeldInformationPageRestsAndAHeldPageEndsAtOnceOnACloseRequest) {
    // Held until a release scripted by time: the page must let the virtual clock run.
    Scenariusz s;
    double t = start + 0.5;
    S_Mouse(t, 400, 450, 1);
    S_Mouse(t + 1.5, 400, 450, 0);
    S_Mouse(t + 1.6, 700, 100, 0);
    int odczyty = 0;
    s.gdy([&](double) { return S_Entered("info") == 1 && S_Entered("szykowanie_menu") == 1 && ++odczyty > 20000; },
          [](double teraz) { S_Mouse(teraz, 700, 100, 0); });  // a spinning page is let go, to fail below
    s.po_wejsciu("szykowanie_menu", 2, [](double teraz) { S_KeyDown(teraz + 0.6, ALLEGRO_KEY_ESCAPE); });
    menu();
    EXPECT_LT(odczyty, 3000) << "the page polled without resting";
    EXPECT_NEAR(S_EnteredAt("szykowanie_menu", 1), t + 1.5, 0.05);
    // The rules page held, and the window's close button pressed: no wait for the release, no fade back.
    S_KeyUp(S_Now(), ALLEGRO_KEY_ESCAPE);
    const double zamkniecie = S_Now() + 1.0;
    S_Mouse(S_Now() + 0.5, 400, 400, 1);
    S_Close(zamkniecie);
    S_Mouse(zamkniecie + 3.0, 400, 400, 0);
    menu();
    EXPECT_EQ(S_Entered("zasady_gry"), 1);
    EXPECT_TRUE(wcisniety(ALLEGRO_KEY_ESCAPE));
    EXPECT_LT(S_Now(), zamkniecie + 0.05);
    EXPECT_EQ(S_Entered("szykowanie_menu"), 3) << "the menu was composed again after the page";
}
