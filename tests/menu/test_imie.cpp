// Scenarios of the players' name entry: folding, accepted characters, the width limit, the cursor and Escape.
#include <allegro5/allegro.h>
#include <allegro5/allegro_font.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "menu.h"
#include "pomoc.h"

namespace {


class ScenaImienia : public ScenaMenu {
protected:
    void SetUp() override {
        ScenaMenu::SetUp();
        szykowanie_menu();
        al_draw_bitmap(bufor, 0, 0, 0);
    }
    // Typing is read once the screen has dimmed (one second).
    double po_przyciemnieniu() const { return S_Now() + 1.2; }
    // Runs one name entry with these texts typed, each ended by Enter.
    void wpisz(int gracze, const std::vector<std::string>& teksty) {
        ig = gracze;
        double t = po_przyciemnieniu();
        for (const std::string& tekst : teksty) {
            t = S_Type(t, tekst);
            S_KeyPress(t + 0.1, ALLEGRO_KEY_ENTER, 13);
            t += 0.6;
        }
        imie_gracza();
    }
};

}  // namespace

TEST_F(ScenaImienia, FirstLetterIsCapitalTheRestSmall) {
    wpisz(1, {"kot"});
    EXPECT_EQ(imie[0], "Kot");
    wpisz(1, {"KOT"});
    EXPECT_EQ(imie[0], "Kot");
    wpisz(1, {"kOt"});
    EXPECT_EQ(imie[0], "Kot");
    // A space typed first stays, and the letter after it is small.
    wpisz(1, {" ala"});
    EXPECT_EQ(imie[0], " ala");
    wpisz(1, {"jan kos"});
    EXPECT_EQ(imie[0], "Jan kos");
    EXPECT_FALSE(S_TimedOut());
}

TEST_F(ScenaImienia, DigitsAndSignsAreIgnoredPolishLettersKeptBackspaceDeletesAWholeLetter) {
    wpisz(1, {"k1-o.t7"});
    EXPECT_EQ(imie[0], "Kot");
    // The signs between the capitals and the small letters are not letters either.
    wpisz(1, {"[a`b^_]\\"});
    EXPECT_EQ(imie[0], "Ab");
    // Polish letters fold like Latin ones and are stored in UTF-8, as drawn.
    wpisz(1, {"łukasz"});
    EXPECT_EQ(imie[0], "Łukasz");
    wpisz(1, {"ŁUCJA"});
    EXPECT_EQ(imie[0], "Łucja");
    wpisz(1, {"żółć\b\bw"});
    EXPECT_EQ(imie[0], "Żów");
    wpisz(1, {"\bkotx\b"});
    EXPECT_EQ(imie[0], "Kot");
    // Emptied by Backspace, the next letter is a first letter again.
    wpisz(1, {"ab\b\bzu"});
    EXPECT_EQ(imie[0], "Zu");
    EXPECT_FALSE(S_TimedOut());
}

TEST_F(ScenaImienia, EnterOnAnEmptyNameDoesNothing) {
    ig = 1;
    double t = po_przyciemnieniu();
    S_KeyPress(t, ALLEGRO_KEY_ENTER, 13);
    S_KeyPress(t + 0.5, ALLEGRO_KEY_ENTER, 13);
    t = S_Type(t + 1.0, "ewa");
    S_KeyPress(t + 0.1, ALLEGRO_KEY_ENTER, 13);
    imie_gracza();
    EXPECT_EQ(imie[0], "Ewa");
    EXPECT_GT(S_Now(), t) << "the empty Enters were not taken as a name";
    EXPECT_EQ(S_Entered("znikanie_obrazu"), 1);
}

TEST_F(ScenaImienia, TwoPlayersArePromptedInTurnAndBothNamesStored) {
    ALLEGRO_BITMAP* zrzut[2] = {nullptr, nullptr};
    Scenariusz s;
    double t = po_przyciemnieniu();
    s.o(t - 0.1, [&](double) { zrzut[0] = kopia_ekranu(); });
    double u = S_Type(t, "ala");
    S_KeyPress(u + 0.1, ALLEGRO_KEY_ENTER, 13);
    s.o(u + 0.5, [&](double) { zrzut[1] = kopia_ekranu(); });
    u = S_Type(u + 0.6, "ola");
    S_KeyPress(u + 0.1, ALLEGRO_KEY_ENTER, 13);
    ig = 2;
    imie_gracza();
    EXPECT_EQ(imie[0], "Ala");
    EXPECT_EQ(imie[1], "Ola");
    ASSERT_TRUE(s.wszystkie_zrobione());
    // The panel with the prompt, as it must be drawn.
    for (int g = 0; g < 2; ++g) {
        ALLEGRO_BITMAP* wzor = al_clone_bitmap(zrzut[g]);
        al_set_target_bitmap(wzor);
        al_draw_scaled_bitmap(el, 0, 45, 130, 70, 250, 285, 300, 130, 0);
        al_draw_textf(f20, al_map_rgb(50, 158, 50), 400, 315, ALLEGRO_ALIGN_CENTRE, "Wpisz imię gracza  %d", g + 1);
        al_set_target_bitmap(tylny);
        EXPECT_EQ(roznice_miedzy(wzor, zrzut[g], 250, 285, 300, 64), 0) << "player " << g + 1;
        al_destroy_bitmap(wzor);
        al_destroy_bitmap(zrzut[g]);
    }
    // The whole entry ends with the fade-out.
    EXPECT_EQ(S_Entered("znikanie_obrazu"), 1);
    bool ukryty = false;
    for (const auto& w : S_Trace())
        if (w.co == "cursor hidden") ukryty = true;
    EXPECT_TRUE(ukryty);
}

TEST_F(ScenaImienia, NameStopsGrowingPastTheWidthNotACountOfLetters) {
    // The expected names: a character is added while the name so far is at most 179 px wide in f24.
    auto granica = [](const std::string& pelne) {
        std::string w;
        for (char c : pelne)
            if (al_get_text_width(f24, w.c_str()) <= 179) w += c;
        return w;
    };
    std::string szerokie = "W" + std::string(30, 'w'), waskie = "I" + std::string(60, 'i');
    wpisz(1, {std::string(31, 'w')});
    std::string w1 = imie[0];
    EXPECT_EQ(w1, granica(szerokie));
    EXPECT_GT(al_get_text_width(f24, w1.c_str()), 179);
    EXPECT_LE(al_get_text_width(f24, w1.substr(0, w1.size() - 1).c_str()), 179);
    wpisz(1, {std::string(61, 'i')});
    std::string w2 = imie[0];
    EXPECT_EQ(w2, granica(waskie));
    EXPECT_GT(w2.size(), w1.size() + 5) << "narrow letters fit more";
    // At the limit Backspace still works, and then one more letter fits.
    wpisz(1, {std::string(31, 'w') + "\bx"});
    EXPECT_EQ(imie[0], w1.substr(0, w1.size() - 1) + "x");
    // Polish letters meet the same limit, each stored whole.
    std::string sz;
    for (int i = 0; i < 30; ++i) sz += "ś";
    wpisz(1, {sz});
    std::string w3 = imie[0], oczekiwane;
    for (int i = 0; i < 30; ++i)
        if (al_get_text_width(f24, oczekiwane.c_str()) <= 179) oczekiwane += i == 0 ? "Ś" : "ś";
    EXPECT_EQ(w3, oczekiwane);
    EXPECT_GT(al_get_text_width(f24, w3.c_str()), 179);
    EXPECT_LE(al_get_text_width(f24, w3.substr(0, w3.size() - 2).c_str()), 179);
    EXPECT_FALSE(S_TimedOut());
}

TEST_F(ScenaImienia, NameExactly179WideTakesOneMoreCharacter) {
    // Find a name (capital, then small letters) exactly 179 px wide in f24.
    std::string dokladne;
    for (char pierwsza = 'A'; pierwsza <= 'Z' && dokladne.empty(); ++pierwsza)
        for (char wypelnienie = 'a'; wypelnienie <= 'z' && dokladne.empty(); ++wypelnienie) {
            std::string s(1, pierwsza);
            while (al_get_text_width(f24, (s + wypelnienie).c_str()) < 179) s += wypelnienie;
            for (char a = 'a'; a <= 'z' && dokladne.empty(); ++a)
                for (char b = 'a'; b <= 'z' && dokladne.empty(); ++b) {
                    std::string proba = s.substr(0, s.size() - 1) + a + b;
                    if (al_get_text_width(f24, proba.c_str()) == 179) dokladne = proba;
                }
        }
    ASSERT_FALSE(dokladne.empty()) << "no name of width 179 found with these fonts";
    std::string pisane = dokladne;
    pisane[0] = static_cast<char>(pisane[0] - 'A' + 'a');
    wpisz(1, {pisane + "xy"});
    EXPECT_EQ(imie[0], dokladne + "x");
}

TEST_F(ScenaImienia, EscapeDuringTheSecondNameKeepsTheFirstAndLeavesTheSecondUntouched) {
    imie[1] = "stare";
    ig = 2;
    double t = po_przyciemnieniu();
    t = S_Type(t, "ala");
    S_KeyPress(t + 0.1, ALLEGRO_KEY_ENTER, 13);
    t = S_Type(t + 0.6, "ol");
    S_KeyDown(t + 0.3, ALLEGRO_KEY_ESCAPE);
    imie_gracza();
    EXPECT_EQ(imie[0], "Ala");
    EXPECT_EQ(imie[1], "stare");
    EXPECT_TRUE(wcisniety(ALLEGRO_KEY_ESCAPE));
    EXPECT_EQ(S_Entered("znikanie_obrazu"), 0) << "no fade on Escape";
    EXPECT_LT(S_Now(), t + 0.45);
}

TEST_F(ScenaImienia, DimmingTakesTwentyStepsTowardsTheFlatColour) {
    ig = 1;
    std::vector<double> czasy;
    S_OnFrame([&](int) { czasy.push_back(S_Now()); });
    S_KeyDown(po_przyciemnieniu(), ALLEGRO_KEY_ESCAPE);
    double t0 = S_Now();
    imie_gracza();
    S_OnFrame(nullptr);
    ASSERT_GE(czasy.size(), 21u);
    // Twenty frames 0.05 s apart, then the entry's own passes.
    for (int i = 0; i < 20; ++i) EXPECT_NEAR(czasy[i], t0 + 0.05 * i, 1e-9) << i;
    // The screen outside the panel has moved towards the flat colour of the sheet at (220, 0).
    rgb plaski = piksel_z(el, 222, 2), menu_ = piksel_bufora(302, 282), teraz = piksel(302, 282);
    ASSERT_FALSE(menu_ == plaski);
    auto blizej = [](int a, int b, int c) { return std::abs(c - b) <= std::abs(a - b); };
    EXPECT_TRUE(blizej(menu_.r, plaski.r, teraz.r) && blizej(menu_.g, plaski.g, teraz.g) &&
                blizej(menu_.b, plaski.b, teraz.b))
        << menu_ << " -> " << teraz << " towards " << plaski;
}

TEST_F(ScenaImienia, CursorIsABlinkingQuestionMarkThenAnUnderscoreAfterTheName) {
    ig = 1;
    // Per pass, the brightest green where the "?" goes and where the "_" after a one-letter name
    // goes. The cursor is (80, 100, 100) bright and (50, 70, 70) dim; the underscore is a thin
    // line drawn with partial cover, so brightness classifies it, not an exact colour; only grey
    // pixels count, which leaves out the yellow name and the bluish field.
    enum stan { BRAK, CIEMNY_, JASNY_ };
    auto odczyt = [](int x, int y, int w, int h_) {
        int g = 0;
        for (int j = y; j < y + h_; ++j)
            for (int i = x; i < x + w; ++i) {
                rgb c = piksel(i, j);
                if (std::abs(c.b - c.g) <= 6 && c.r < c.g) g = std::max<int>(g, c.g);
            }
        return g >= 85 ? JASNY_ : g >= 55 ? CIEMNY_ : BRAK;
    };
    struct klatka {
        stan pytajnik, podkreslenie;
    };
    std::vector<klatka> k;
    const int f0 = S_Frames();
    S_OnFrame([&](int n) {
        if (n <= f0 + 20) return;  // the dimming
        k.push_back({odczyt(388, 350, 20, 16), odczyt(411, 366, 30, 12)});
    });
    double t = S_Now() + 3.0;
    S_Type(t, "j");
    S_KeyPress(t + 2.0, ALLEGRO_KEY_ENTER, 13);
    imie_gracza();
    S_OnFrame(nullptr);
    ASSERT_GT(k.size(), 30u);
    // Before the letter: "?" bright for three passes, dim for four; no underscore.
    for (size_t i = 0; i < 14; ++i) {
        EXPECT_EQ(k[i].pytajnik, i % 7 < 3 ? JASNY_ : CIEMNY_) << i;
        EXPECT_EQ(k[i].podkreslenie, BRAK) << i;
    }
    // After the letter: no "?", an underscore blinking with the same rhythm, which runs on.
    size_t pierwsza = k.size();
    for (size_t i = 0; i < k.size(); ++i)
        if (k[i].podkreslenie != BRAK) {
            pierwsza = i;
            break;
        }
    ASSERT_LT(pierwsza, k.size()) << "no underscore";
    ASSERT_GT(pierwsza, 14u);
    for (size_t i = pierwsza; i < pierwsza + 12 && i < k.size(); ++i) {
        EXPECT_EQ(k[i].pytajnik, BRAK) << i;
        EXPECT_EQ(k[i].podkreslenie, i % 7 < 3 ? JASNY_ : CIEMNY_) << i;
    }
    EXPECT_EQ(imie[0], "J");
}

TEST_F(ScenaImienia, AnEnterHeldAtTheEndLeavesNoCharacterForTheGame) {
    ig = 1;
    double t = S_Type(po_przyciemnieniu(), "ala");
    S_KeyPress(t + 0.1, ALLEGRO_KEY_ENTER, 13, 0.5);
    imie_gracza();
    EXPECT_EQ(imie[0], "Ala");
    EXPECT_EQ(ev.keyboard.unichar, 0);
}
