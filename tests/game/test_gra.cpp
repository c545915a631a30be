// Whole games and stretches of games on the scripted platform: words, prizes, turns, the final and leaving.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "game.h"
#include "gracz.h"

namespace {

// Three words with no letter in common, so a wrong guess reveals nothing.
const std::vector<std::string> OBCE = {"kotek", "lampa", "bursy"};

class Gra : public Scena {
protected:
    void SetUp() override {
        Scena::SetUp();
        imie[0] = "Ala";
        imie[1] = "Olek";
        S_SetLimit(3000);
    }
    void TearDown() override {
        // The hooks hold references to the test's locals, gone by now.
        S_OnPoll(nullptr);
        S_OnFrame(nullptr);
        EXPECT_FALSE(S_TimedOut()) << "the scenario ran past its time limit";
        EXPECT_FALSE(suma_spadla()) << "a total went down";
        Scena::TearDown();
    }
};

// Number of words started so far in this stage, read from the trace: each word redraws the
// panel once in a one-player game.
int slowo_jednego_gracza() { return S_Entered("dane_gracza") - 1; }

// Pixels of the screen rectangle at (x, y) that differ from the opaque pixels of a region of el.
int niezgodne_z_el(int x, int y, int sx, int sy, int w, int h_) {
    int n = 0;
    for (int j = 0; j < h_; ++j)
        for (int i = 0; i < w; ++i) {
            unsigned char r, g, b, a;
            al_unmap_rgba(al_get_pixel(el, sx + i, sy + j), &r, &g, &b, &a);
            if (a == 255 && !(piksel(x + i, y + j) == rgb{r, g, b})) ++n;
        }
    return n;
}

// The count-up after the n-th "gratulacje": the first pkt changes of the totals that follow it
// add one zł each, with the given rest between frames.
void sprawdz_doliczanie(int n, int pkt, double przerwa) {
    double t = S_EnteredAt("gratulacje", n);
    ASSERT_GE(t, 0) << n;
    const auto& z = przyrosty();
    size_t i = 0;
    while (i < z.size() && z[i].t < t) ++i;
    ASSERT_LE(i + pkt, z.size()) << n;
    int przed = i > 0 ? z[i - 1].s0 + z[i - 1].s1 : 0;
    for (int k = 0; k < pkt; ++k) {
        ASSERT_EQ(z[i + k].s0 + z[i + k].s1, przed + k + 1) << "word " << n << " step " << k;
        if (k > 0) {
            ASSERT_NEAR(z[i + k].t - z[i + k - 1].t, przerwa, 1e-9) << "word " << n << " step " << k;
        }
    }
}

}  // namespace

TEST_F(Gra, OnePlayerTenWordsWithShrinkingPrizesThenFiveFinalStakesAndTheEndScreen) {
    ig = 1;
    slowa(OBCE);
    gracz g;
    int slowo = -1, proba = 0;
    std::vector<int> aktywni;
    // Main word k is guessed after k % 5 failed tries; the second final word after two.
    g.proba = [&](int) {
        if (slowo_jednego_gracza() != slowo) {
            slowo = slowo_jednego_gracza();
            proba = 0;
        }
        aktywni.push_back(aktywny());
        int porazki = slowo < 10 ? slowo % 5 : (slowo == 11 ? 2 : 0);
        return proba++ < porazki ? obce_slowo() : hh;
    };
    g.los_kulf = [](int) {
        zasiej_zerowy_rzut();  // a yellow ball: no bingo in this final
        return true;
    };
    ALLEGRO_BITMAP* przed_koncem = nullptr;
    g.klatka = [&] {
        if (S_Entered("koniec_fin") == 1 && !przed_koncem) przed_koncem = kopia_ekranu();
    };
    podlacz(g);
    gra();

    EXPECT_EQ(S_Entered("spacja"), 10);
    EXPECT_EQ(S_Entered("los_kul"), 10);
    EXPECT_EQ(S_Entered("final_pocz"), 1);
    EXPECT_EQ(S_Entered("los_kulf"), 4) << "no draw after the fifth final word";
    EXPECT_EQ(S_Entered("gratulacje"), 15);
    EXPECT_EQ(S_Entered("to_jest_haslo"), 0);
    EXPECT_EQ(S_Entered("zmiana_gracza"), 0);
    EXPECT_EQ(S_Entered("koniec_fin"), 1);
    EXPECT_EQ(fin, 1);
    EXPECT_EQ(bingof, 0);
    EXPECT_TRUE(wcisniety(ALLEGRO_KEY_ENTER));
    for (int a : aktywni) EXPECT_EQ(a, 0);
    ASSERT_EQ(aktywni.size(), 10u + 20u + 5u + 2u);
    int glowny = 2 * (500 + 400 + 300 + 200 + 100);
    EXPECT_EQ(suma[0], glowny + 500 * S_Entered("bingo") + 500 + 1000 + 2000 + 4000 + 8000);
    EXPECT_EQ(suma[1], 0);

    const int nagrody[] = {500, 400, 300, 200, 100};
    for (int k = 0; k < 10; ++k) sprawdz_doliczanie(k, nagrody[k % 5], 0.004);
    const double przerwy[] = {0.004, 0.003, 0.002, 0.001, 0.001};
    for (int k = 0; k < 5; ++k) sprawdz_doliczanie(10 + k, 500 << k, przerwy[k]);

    // Just before the end screen: the five final markers on the cleaned screen, the final's
    // label where the main stage's later markers were, and the five won stakes beside the grid.
    ASSERT_NE(przed_koncem, nullptr);
    ALLEGRO_BITMAP* teraz = tylny;
    tylny = przed_koncem;
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(niezgodne_z_el(530 + 24 * k, 426, 40, 235, 19, 19), 0) << "marker " << k;
    EXPECT_EQ(niezgodne_z_el(648, 425, 270, 170, 119, 24), 0) << "the final's label";
    for (int k = 0; k < 5; ++k) EXPECT_GT(ile_koloru(380, 143 + 69 * k, 71, 30, {55, 155, 55}), 0) << "stake " << k;
    tylny = teraz;
    al_destroy_bitmap(przed_koncem);
}

namespace {

// Two players; the first word passes by a time-out, then by a red ball; the second is lost
// after the sixth try; Escape at the third.
struct przebieg_dwoch {
    std::vector<int> kto;
    std::vector<std::string> podpowiedzi, hasla;
    int strata = 0;
};

}  // namespace

TEST_F(Gra, TwoPlayersPassTheTurnAfterATimeOutARedBallAndALostWord) {
    ig = 2;
    slowa(OBCE);
    gracz g;
    przebieg_dwoch p;
    g.proba = [&](int n) {
        p.kto.push_back(aktywny());
        p.podpowiedzi.push_back(h1);
        p.hasla.push_back(hh);
        if (n == 0) return std::string(CZEKAJ);
        if (n == 1) return hh;
        if (n < 8) return obce_slowo();
        return std::string(UCIECZKA);
    };
    g.los_kul = [](int) {
        zasiej_zerowy_rzut();
        return true;
    };
    g.klatka = [&] {
        if (S_Entered("zmiana_gracza") == 2 && S_Entered("dane_gracza") < 5)
            p.strata = std::max(p.strata, ile_koloru(32, 494, 338, 62, {200, 144, 44}));
    };
    podlacz(g);
    gra();

    ASSERT_EQ(p.kto.size(), 9u);
    int P = p.kto[0], Q = 1 - P;
    ASSERT_GE(P, 0);
    const std::vector<int> oczekiwani = {P, Q, P, P, P, P, P, Q, P};
    EXPECT_EQ(p.kto, oczekiwani);
    // The time-out gave position 1 away to the player taking over.
    EXPECT_EQ(p.podpowiedzi[1], p.hasla[1].substr(0, 2) + "[[[");
    // The sixth try: the grid scrolled and position 1 given, two or more being hidden.
    EXPECT_EQ(S_Entered("przesuwanie_diagramu"), 1);
    EXPECT_EQ(p.podpowiedzi[6], p.hasla[6].substr(0, 1) + "[[[[");
    EXPECT_EQ(p.podpowiedzi[7], p.hasla[7].substr(0, 2) + "[[[");
    EXPECT_EQ(S_Entered("to_jest_haslo"), 1);
    EXPECT_EQ(S_Entered("zmiana_gracza"), 2);
    EXPECT_GT(p.strata, 0) << "\"Strata kolejki\" with the change after the red ball";
    EXPECT_EQ(suma[Q], 400) << "guessed on the second try";
    EXPECT_EQ(suma[P], 0);
    EXPECT_EQ(S_Entered("koniec_fin"), 0);
    EXPECT_TRUE(wcisniety(ALLEGRO_KEY_ESCAPE));
}

TEST_F(Gra, SixthTryWithOneHiddenLetterGivesNothingAndItsRedBallCostsNoTurn) {
    ig = 2;
    slowa({"kotek", "kosek"});  // either one reveals all but position 2 of the other
    gracz g;
    std::vector<int> kto;
    std::vector<std::string> podpowiedzi;
    g.proba = [&](int n) {
        kto.push_back(aktywny());
        podpowiedzi.push_back(h1);
        return n < 5 ? h[0] == hh ? h[1] : h[0] : hh;
    };
    g.los_kul = [](int) {
        zasiej_zerowy_rzut();
        return true;
    };
    g.spacja = [](int n) { return n == 0; };
    podlacz(g);
    gra();

    ASSERT_EQ(kto.size(), 6u);
    EXPECT_EQ(podpowiedzi[5], hh.substr(0, 2) + "[" + hh.substr(3));
    EXPECT_EQ(kto[5], 1 - kto[0]);
    EXPECT_EQ(suma[kto[5]], 100) << "guessed on the sixth try";
    EXPECT_EQ(suma[kto[0]], 0);
    EXPECT_EQ(S_Entered("pech"), 1) << "the red ball was drawn";
    EXPECT_EQ(S_Entered("zmiana_gracza"), 0) << "no lost turn after a sixth try";
    EXPECT_EQ(S_Entered("spacja"), 2);
}

TEST_F(Gra, LetterGivenByTheChangeOfPlayerCompletesTheWordAndIsPaidAtTheCurrentTry) {
    ig = 2;
    slowa({"kotek", "katek"});  // either one reveals all but position 1 of the other
    gracz g;
    std::vector<int> kto;
    int przy_losowaniu[2] = {-1, -1};
    g.proba = [&](int n) {
        kto.push_back(aktywny());
        return n == 0 ? (h[0] == hh ? h[1] : h[0]) : std::string(CZEKAJ);
    };
    g.los_kul = [&](int) {
        przy_losowaniu[0] = suma[0];
        przy_losowaniu[1] = suma[1];
        return false;
    };
    podlacz(g);
    gra();

    ASSERT_EQ(kto.size(), 2u);
    EXPECT_EQ(kto[1], kto[0]) << "a wrong guess keeps the player";
    int Q = 1 - kto[0];
    EXPECT_EQ(h1, hh);
    EXPECT_EQ(S_Entered("gratulacje"), 1);
    EXPECT_EQ(przy_losowaniu[Q], 300) << "one wrong guess and one time-out: third-try prize";
    EXPECT_EQ(przy_losowaniu[1 - Q], 0);
    EXPECT_EQ(S_Entered("zmiana_gracza"), 1);
}

namespace {

// Two players guess every word on the first try and lose the turn to a red ball each time;
// the tenth word is guessed after `porazki` failed tries.
void dwoch_do_finalu(int porazki, int& zgadujacy_ostatnie, int& w_finale) {
    gracz g;
    int slowo = 0;
    std::vector<int> kto;
    std::vector<std::string> hasla;
    w_finale = -1;
    g.proba = [&](int) {
        if (fin) {
            w_finale = aktywny();
            return std::string(UCIECZKA);
        }
        int nr = S_Entered("spacja") - 1;
        if (nr != slowo) {
            slowo = nr;
            kto.clear();
        }
        kto.push_back(aktywny());
        return int(kto.size()) <= (nr == 9 ? porazki : 0) ? obce_slowo() : hh;
    };
    g.los_kul = [](int) {
        zasiej_zerowy_rzut();
        return true;
    };
    podlacz(g);
    gra();
    zgadujacy_ostatnie = kto.empty() ? -1 : kto.back();
}

}  // namespace

TEST_F(Gra, OnEqualTotalsThePlayerWhoGuessedTheTenthWordEntersTheFinalEvenAfterARedBall) {
    ig = 2;
    slowa(OBCE);
    int ostatni, finalista;
    dwoch_do_finalu(0, ostatni, finalista);
    EXPECT_EQ(suma[0], 2500);
    EXPECT_EQ(suma[1], 2500);
    EXPECT_EQ(S_Entered("zmiana_gracza"), 9) << "no change after the tenth word's red ball";
    EXPECT_EQ(S_Entered("final_pocz"), 1);
    ASSERT_GE(ostatni, 0);
    EXPECT_EQ(finalista, ostatni);
    EXPECT_EQ(S_Entered("koniec_fin"), 0);
}

TEST_F(Gra, TheRicherPlayerEntersTheFinalWhoeverHadTheLastTurn) {
    ig = 2;
    slowa(OBCE);
    int ostatni, finalista;
    dwoch_do_finalu(1, ostatni, finalista);
    ASSERT_GE(ostatni, 0);
    EXPECT_EQ(suma[ostatni], 2400);
    EXPECT_EQ(suma[1 - ostatni], 2500);
    EXPECT_EQ(finalista, 1 - ostatni);
}

namespace {

// A one-player game that guesses every main word at once and steers the final by `final_`.
struct do_finalu {
    int przed_finalem = -1;  // the total when the final began
    std::vector<int> przed_slowem;  // the total at each final word's first try
};

void jeden_do_finalu(gracz& g, do_finalu& d, std::function<std::string(int nr, int proba)> final_) {
    int slowo = -1, proba = 0;
    g.proba = [&, final_](int) {
        if (slowo_jednego_gracza() != slowo) {
            slowo = slowo_jednego_gracza();
            proba = 0;
            if (slowo >= 10) d.przed_slowem.push_back(suma[0]);
        }
        if (slowo == 10 && d.przed_finalem < 0) d.przed_finalem = suma[0];
        return slowo < 10 ? hh : final_(slowo - 10, proba++);
    };
    podlacz(g);
    gra();
}

}  // namespace

TEST_F(Gra, TimeOutInTheFinalShowsTheWordAndEndsTheGameWithNothingLost) {
    ig = 1;
    slowa(OBCE);
    gracz g;
    do_finalu d;
    g.los_kulf = [](int) {
        zasiej_zerowy_rzut();
        return true;
    };
    jeden_do_finalu(g, d, [](int nr, int) { return nr == 0 ? hh : std::string(CZEKAJ); });
    EXPECT_EQ(S_Entered("los_kulf"), 1);
    EXPECT_EQ(S_Entered("to_jest_haslo"), 1);
    EXPECT_EQ(S_Entered("koniec_fin"), 1);
    EXPECT_GT(S_EnteredAt("koniec_fin"), S_EnteredAt("to_jest_haslo"));
    ASSERT_EQ(d.przed_slowem.size(), 2u);
    EXPECT_EQ(d.przed_slowem[1], d.przed_finalem + 500);
    EXPECT_EQ(suma[0], d.przed_slowem[1]);
    EXPECT_EQ(S_Entered("wpisywanie_z_klawiatury"), 10 + 2) << "the game ended at the time-out";
}

TEST_F(Gra, BingoInTheFinalAfterALostWordShowsBadLuckThenEndsTheGame) {
    ig = 1;
    slowa(OBCE);
    gracz g;
    do_finalu d;
    g.los_kulf = [](int) {
        // The first ball strikes the open centre, completing the middle row.
        zasiej([](unsigned) { return std::rand() % 9 != 0 && std::rand() % 25 == 12; });
        return true;
    };
    jeden_do_finalu(g, d, [](int, int) { return obce_slowo(); });
    EXPECT_EQ(bingof, 1);
    EXPECT_EQ(S_Entered("los_kulf"), 1);
    EXPECT_EQ(S_Entered("wpisywanie_z_klawiatury"), 10 + 5);
    EXPECT_EQ(S_Entered("koniec_fin"), 1);
    int ostatni_pech = S_Entered("pech") - 1;
    ASSERT_GE(ostatni_pech, 0);
    EXPECT_GT(S_EnteredAt("pech", ostatni_pech), S_EnteredAt("los_kulf"));
    EXPECT_GT(S_EnteredAt("koniec_fin"), S_EnteredAt("pech", ostatni_pech));
    EXPECT_EQ(suma[0], d.przed_finalem) << "a lost word and a bingo cost nothing won";
}

TEST_F(Gra, BingoInTheFinalAfterAGuessedWordEndsTheGameWithTheStakeKept) {
    ig = 1;
    slowa(OBCE);
    gracz g;
    do_finalu d;
    g.los_kulf = [](int) {
        zasiej([](unsigned) { return std::rand() % 9 != 0 && std::rand() % 25 == 12; });
        return true;
    };
    jeden_do_finalu(g, d, [](int, int proba) { return proba < 2 ? obce_slowo() : hh; });
    EXPECT_EQ(bingof, 1);
    EXPECT_EQ(S_Entered("los_kulf"), 1);
    EXPECT_EQ(S_Entered("koniec_fin"), 1);
    int pechy = S_Entered("pech");
    EXPECT_TRUE(pechy == 0 || S_EnteredAt("pech", pechy - 1) < S_EnteredAt("los_kulf")) << "no \"Masz Pecha\"";
    EXPECT_EQ(suma[0], d.przed_finalem + 500);
}

TEST_F(Gra, EscapeAtSpaceStartDuringATryAndDuringADrawLeavesWithoutTheEndScreen) {
    for (int gdzie = 0; gdzie < 3; ++gdzie) {
        SCOPED_TRACE(gdzie);
        S_Reset();
        std::memset(&klaw, 0, sizeof klaw);
        S_SetLimit(3000);
        ig = 2;
        slowa(OBCE);
        gracz g;
        g.spacja = [&](int) { return gdzie != 0; };
        g.proba = [&](int) { return gdzie == 1 ? std::string(UCIECZKA) : hh; };
        g.los_kul = [&](int) { return gdzie != 2; };
        podlacz(g);
        gra();
        EXPECT_TRUE(wcisniety(ALLEGRO_KEY_ESCAPE));
        EXPECT_EQ(S_Entered("koniec_fin"), 0);
        EXPECT_EQ(S_Entered("spacja"), 1);
        EXPECT_EQ(S_Entered("wpisywanie_z_klawiatury"), gdzie == 0 ? 0 : 1);
        EXPECT_EQ(S_Entered("gratulacje"), gdzie == 2 ? 1 : 0);
        EXPECT_EQ(S_Entered("zmiana_gracza"), 0) << "a draw left before its first ball is no red ball";
        EXPECT_FALSE(S_TimedOut());
    }
}

TEST_F(Gra, AnEmptyWordListEndsTheGameAtOnce) {
    ig = 1;
    slowa({});
    int klatki = S_Frames();
    gra();
    EXPECT_EQ(S_Entered("start"), 0);
    EXPECT_EQ(S_Frames(), klatki);
}

TEST_F(Gra, TimeOutOnTheFourthTryPassesTheWordAndOnTheFifthLeadsToTheSixthTry) {
    ig = 2;
    slowa(OBCE);
    gracz g;
    std::vector<int> kto;
    std::vector<std::string> podpowiedzi;
    g.proba = [&](int n) {
        kto.push_back(aktywny());
        podpowiedzi.push_back(h1);
        if (n < 3) return obce_slowo();
        if (n < 5) return std::string(CZEKAJ);
        return hh;
    };
    g.los_kul = [](int) { return false; };
    podlacz(g);
    gra();

    ASSERT_EQ(kto.size(), 6u);
    int P = kto[0], Q = 1 - P;
    EXPECT_EQ(kto, (std::vector<int>{P, P, P, P, Q, P}));
    EXPECT_EQ(S_Entered("zmiana_gracza"), 1) << "only the fourth try's time-out changes the player";
    EXPECT_EQ(S_Entered("przesuwanie_diagramu"), 1);
    // Position 1 from the change of player, position 2 at the sixth try.
    EXPECT_EQ(podpowiedzi[4], hh.substr(0, 2) + "[[[");
    EXPECT_EQ(podpowiedzi[5], hh.substr(0, 3) + "[[");
    EXPECT_EQ(suma[P], 100);
    EXPECT_EQ(suma[Q], 0);
}
