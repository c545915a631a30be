// The real platform in a real window: what the window shows is read back from the X server.
#include <gtest/gtest.h>
// After gtest: Xlib's macros (None, Bool) would break its templates.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <allegro5/allegro.h>
#include <allegro5/allegro_primitives.h>
#include <allegro5/allegro_x.h>

#include "i_system.h"
#include "state.h"

namespace {

struct rgb {
    int r, g, b;
    bool operator==(const rgb&) const = default;
};
std::ostream& operator<<(std::ostream& o, const rgb& c) { return o << "(" << c.r << ", " << c.g << ", " << c.b << ")"; }

// The window's pixel at (x, y) as the X server holds it.
rgb w_oknie(int x, int y) {
    Display* d = XOpenDisplay(nullptr);
    if (!d) return {-1, -1, -1};
    XImage* obraz = XGetImage(d, al_get_x_window_id(ekran), x, y, 1, 1, AllPlanes, ZPixmap);
    rgb c{-1, -1, -1};
    if (obraz) {
        unsigned long p = XGetPixel(obraz, 0, 0);
        c = {int((p & obraz->red_mask) >> 16), int((p & obraz->green_mask) >> 8), int(p & obraz->blue_mask)};
        XDestroyImage(obraz);
    }
    XCloseDisplay(d);
    return c;
}

void zamaluj(int r, int g, int b) {
    al_set_target_bitmap(tylny);
    al_clear_to_color(al_map_rgb(r, g, b));
}

}  // namespace

TEST(Okno, TheWindowShowsTheLastFinishedFrameNeverWhatWasDrawnAfterIt) {
    ASSERT_TRUE(I_Init());
    al_init_primitives_addon();
    ASSERT_TRUE(I_InitGraphics("brolik: test okna"));
    zamaluj(0, 0, 255);
    I_FinishUpdate();
    I_Rest(0.5);
    ASSERT_EQ(w_oknie(400, 300), (rgb{0, 0, 255})) << "the window cannot be read back";
    for (int raz = 0; raz < 3; ++raz) {
        // A frame shown at once, a second one finished within the same refresh, so it waits for
        // the next; then drawing meant for a later frame, and a rest.
        zamaluj(0, 255, 0);
        I_FinishUpdate();
        zamaluj(255, 0, 0);
        I_FinishUpdate();
        zamaluj(255, 255, 0);
        I_Rest(0.3);
        EXPECT_EQ(w_oknie(400, 300), (rgb{255, 0, 0})) << "round " << raz;
        // Nothing drawn since: an unchanged frame leaves the window as it is.
        zamaluj(255, 0, 0);
        I_FinishUnchanged();
        I_Rest(0.1);
        EXPECT_EQ(w_oknie(400, 300), (rgb{255, 0, 0})) << "round " << raz;
    }
    // A frame changed in one rectangle: that rectangle is taken, where it is, and nothing else.
    I_Rest(0.1);
    al_draw_filled_rectangle(100, 50, 120, 70, al_map_rgb(0, 255, 0));
    al_draw_filled_rectangle(100, 500, 120, 520, al_map_rgb(255, 255, 0));
    I_FinishArea(100, 50, 20, 20);
    I_Rest(0.3);
    EXPECT_EQ(w_oknie(110, 60), (rgb{0, 255, 0}));
    EXPECT_EQ(w_oknie(110, 510), (rgb{255, 0, 0}));
    EXPECT_EQ(w_oknie(130, 60), (rgb{255, 0, 0}));
    // A present is due once a refresh has passed since the last one, and a frame finished then
    // reaches the window at once; just after it none is due, so a pulse's step can wait. On a
    // busy machine a present can take longer than a refresh: one of a few tries must be quicker.
    bool nie_nalezny = false;
    for (int proba = 0; proba < 30 && !nie_nalezny; ++proba) {
        I_Rest(0.05);
        EXPECT_TRUE(I_PresentDue());
        const long pokazy = I_Presents();
        zamaluj(0, 0, 255);
        I_FinishUpdate();
        EXPECT_EQ(I_Presents(), pokazy + 1);
        nie_nalezny = !I_PresentDue();
    }
    EXPECT_TRUE(nie_nalezny) << "a present was due again right after each of 30 presents";
    I_ShutdownGraphics();
}
