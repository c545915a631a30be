// The X11 extras: a changed strip copied to the window alone (GLX), the window's visibility, X errors and the lost X server answered.
#include <allegro5/allegro.h>
#include <allegro5/allegro_opengl.h>
#include <allegro5/allegro_x.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "i_local.h"
#include "i_system.h"

// GLX for copying part of the back buffer to the window; its extension header is kept out, as
// allegro_opengl.h keeps it out, since it clashes with Allegro's own OpenGL declarations.
#define __glxext_h_
#define __glx_glxext_h_
#include <GL/glx.h>
#undef __glxext_h_
#undef __glx_glxext_h_

namespace {

void (*sprzataj_przy_utracie)() = nullptr;
// Copies a rectangle of the back buffer to the window, when the driver has that (bottom-up rows).
void (*kopiuj_prostokat)(Display*, GLXDrawable, int x, int y, int w, int h) = nullptr;

// A connection of our own that follows the window's visibility; Allegro's reads its own events.
Display* widok = nullptr;
bool zmapowane = true, zasloniete = false;

// Xlib would exit through the library's own shutdown, which then talks to the dead server (an abort).
int na_utrate_x(Display*) {
    if (sprzataj_przy_utracie) sprzataj_przy_utracie();
    I_SysWriteError("brolik: the connection to the display server is lost\n");
    I_SysExit(1);
}

// Xlib's own answer to a protocol error prints it and exits through the library's shutdown,
// which hangs. The window's properties (its icon, its title) are requests to the window manager
// the game can do without, so a refused one only warns.
int na_blad_x(Display* d, XErrorEvent* e) {
    char tekst[256], nr[16], zadanie[128];
    XGetErrorText(d, e->error_code, tekst, sizeof tekst);
    std::snprintf(nr, sizeof nr, "%d", e->request_code);
    XGetErrorDatabaseText(d, "XRequest", nr, nr, zadanie, sizeof zadanie);
    const std::string opis = std::string(tekst) + " (request " + zadanie + ")";
    if (e->request_code == X_ChangeProperty) {
        I_Warning("the display server refused a property of the window: " + opis);
        return 0;
    }
    if (sprzataj_przy_utracie) sprzataj_przy_utracie();
    I_SysShowError("the display server reported an error: " + opis);
    I_SysExit(1);
}

}  // namespace

void I_ExtrasInit(ALLEGRO_DISPLAY* d, void (*sprzataj)()) {
    sprzataj_przy_utracie = sprzataj;
    XSetIOErrorHandler(na_utrate_x);
    XSetErrorHandler(na_blad_x);
    if (al_have_opengl_extension("GLX_MESA_copy_sub_buffer") && glXGetCurrentDrawable())
        kopiuj_prostokat = reinterpret_cast<decltype(kopiuj_prostokat)>(
            glXGetProcAddress(reinterpret_cast<const GLubyte*>("glXCopySubBufferMESA")));
    widok = XOpenDisplay(nullptr);
    if (widok) {
        XSelectInput(widok, al_get_x_window_id(d), VisibilityChangeMask | StructureNotifyMask);
        XFlush(widok);
    }
}

std::string I_ExtrasNoWindowReason() {
    const char* nazwa = std::getenv("DISPLAY");
    Display* d = XOpenDisplay(nullptr);
    if (!d) return "";
    int kod, zdarzenie, blad;
    const int glebia = DefaultDepth(d, DefaultScreen(d));
    std::string powod = "the X server " + std::string(nazwa ? nazwa : "") +
                        (XQueryExtension(d, "GLX", &kod, &zdarzenie, &blad) ? " offers no OpenGL visual the game can use"
                                                                           : " has no GLX extension");
    if (glebia < 24) powod += " (its screen has " + std::to_string(glebia) + "-bit colour; 24-bit is needed)";
    XCloseDisplay(d);
    return powod;
}

bool I_ExtrasWindowHidden() {
    while (widok && XPending(widok)) {
        XEvent e;
        XNextEvent(widok, &e);
        if (e.type == VisibilityNotify) zasloniete = e.xvisibility.state == VisibilityFullyObscured;
        if (e.type == MapNotify) zmapowane = true;
        if (e.type == UnmapNotify) zmapowane = false;
    }
    return !zmapowane || zasloniete;
}

bool I_ExtrasCanCopyArea() { return kopiuj_prostokat != nullptr; }

void I_ExtrasCopyArea(int x, int y, int w, int h) {
    kopiuj_prostokat(glXGetCurrentDisplay(), glXGetCurrentDrawable(), x, y, w, h);
}
