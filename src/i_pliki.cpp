// Files kept between runs, the part every system shares: the user's settings and data folders.
#include <allegro5/allegro.h>

#include <string>

#include "i_system.h"

std::string I_UserFolder(bool dane) {
    if (!al_is_system_installed()) return "";
    // The folders end in the program's name; without this they would take the running file's
    // name, which differs for the tests and a renamed program.
    al_set_org_name("");
    al_set_app_name("brolik");
    ALLEGRO_PATH* p = al_get_standard_path(dane ? ALLEGRO_USER_DATA_PATH : ALLEGRO_USER_SETTINGS_PATH);
    if (!p) return "";
    std::string katalog = al_path_cstr(p, ALLEGRO_NATIVE_PATH_SEP);
    al_destroy_path(p);
    if (katalog.empty() || !al_make_directory(katalog.c_str())) return "";
    if (katalog.back() != ALLEGRO_NATIVE_PATH_SEP) katalog += ALLEGRO_NATIVE_PATH_SEP;
    return katalog;
}
