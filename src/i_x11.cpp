// The X11 extras: a changed strip copied to the window alone (GLX), and the lost X server answered.
#include <allegro5/allegro.h>
#include <allegro5/allegro_opengl.h>
#include <X11/Xlib.h>

#include "i_local.h"

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

// Xlib would exit through the library's own shutdown, which then talks to the dead server (an abort).
int na_utrate_x(Display*) {
    if (sprzataj_przy_utracie) sprzataj_przy_utracie();
    I_SysWriteError("brolik: the connection to the display server is lost\n");
    I_SysExit(1);
}

}  // namespace

void I_ExtrasInit(ALLEGRO_DISPLAY* d, void (*sprzataj)()) {
    sprzataj_przy_utracie = sprzataj;
    XSetIOErrorHandler(na_utrate_x);
    (void)d;
    if (al_have_opengl_extension("GLX_MESA_copy_sub_buffer") && glXGetCurrentDrawable())
        kopiuj_prostokat = reinterpret_cast<decltype(kopiuj_prostokat)>(
            glXGetProcAddress(reinterpret_cast<const GLubyte*>("glXCopySubBufferMESA")));
}

bool I_ExtrasCanCopyArea() { return kopiuj_prostokat != nullptr; }

void I_ExtrasCopyArea(int x, int y, int w, int h) {
    kopiuj_prostokat(glXGetCurrentDisplay(), glXGetCurrentDrawable(), x, y, w, h);
}
