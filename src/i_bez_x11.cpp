// The window-system extras where there are none: every present is whole, the window is known hidden only when Allegro says it is minimised, and Allegro alone answers a lost display.
#include "i_local.h"

void I_ExtrasInit(ALLEGRO_DISPLAY*, void (*)()) {}
std::string I_ExtrasNoWindowReason() { return ""; }
bool I_ExtrasWindowHidden() { return false; }
bool I_ExtrasCanCopyArea() { return false; }
void I_ExtrasCopyArea(int, int, int, int) {}
