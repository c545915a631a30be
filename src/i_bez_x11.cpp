// The window-system extras where there are none: every present is whole, and Allegro alone answers a lost display.
#include "i_local.h"

void I_ExtrasInit(ALLEGRO_DISPLAY*, void (*)()) {}
bool I_ExtrasCanCopyArea() { return false; }
void I_ExtrasCopyArea(int, int, int, int) {}
