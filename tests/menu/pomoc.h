// Helpers of the menu scenarios: a driver that acts on time or on the trace, and colour checks.
#pragma once

#include <allegro5/allegro.h>
#include <allegro5/allegro_font.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "i_skrypt.h"
#include "scena.h"

// Steps run once each, at the first poll where their condition holds. The hooks go when the
// driver does, so nothing left installed can reach a finished test's locals.
class Scenariusz {
public:
    Scenariusz() {
        S_OnPoll([this](double t) {
            for (size_t i = 0; i < kroki.size(); ++i) {
                if (kroki[i].zrobiony || !kroki[i].warunek(t)) continue;
                kroki[i].zrobiony = true;
                auto akcja = kroki[i].akcja;  // a step may add steps
                akcja(t);
            }
        });
    }
    ~Scenariusz() {
        S_OnPoll(nullptr);
        S_OnFrame(nullptr);
    }
    void gdy(std::function<bool(double)> warunek, std::function<void(double)> akcja) {
        kroki.push_back({std::move(warunek), std::move(akcja), false});
    }
    void o(double t, std::function<void(double)> akcja) {
        gdy([t](double teraz) { return teraz >= t; }, std::move(akcja));
    }
    // Once routine `nazwa` has been entered n times.
    void po_wejsciu(const std::string& nazwa, int n, std::function<void(double)> akcja) {
        gdy([nazwa, n](double) { return S_Entered(nazwa) >= n; }, std::move(akcja));
    }
    bool wszystkie_zrobione() const {
        for (const auto& k : kroki)
            if (!k.zrobiony) return false;
        return true;
    }

private:
    struct krok {
        std::function<bool(double)> warunek;
        std::function<void(double)> akcja;
        bool zrobiony;
    };
    std::vector<krok> kroki;
};

inline bool blisko(const rgb& a, const rgb& b, int tol = 2) {
    return std::abs(a.r - b.r) <= tol && std::abs(a.g - b.g) <= tol && std::abs(a.b - b.b) <= tol;
}


// Pixels where two bitmaps differ in the rectangle.
inline int roznice_miedzy(ALLEGRO_BITMAP* a, ALLEGRO_BITMAP* b, int x, int y, int w, int h_) {
    int n = 0;
    al_lock_bitmap(a, ALLEGRO_PIXEL_FORMAT_ANY, ALLEGRO_LOCK_READONLY);
    al_lock_bitmap(b, ALLEGRO_PIXEL_FORMAT_ANY, ALLEGRO_LOCK_READONLY);
    for (int j = y; j < y + h_; ++j)
        for (int i = x; i < x + w; ++i)
            if (!(piksel_z(a, i, j) == piksel_z(b, i, j))) ++n;
    al_unlock_bitmap(b);
    al_unlock_bitmap(a);
    return n;
}

// The scene of the menu: the intro has run, so "ekr.png" holds its last frame.
class ScenaMenu : public Scena {
protected:
    void SetUp() override {
        Scena::SetUp();
        pocz();
        start = S_Now();
        S_SetLimit(start + 120);
    }
    double start = 0;
};
