# The Wine settings of the Windows tests: a prefix of their own in the Windows build folder ($WINE_BUDOWA), quiet, with no installer dialogs.
# Sourced by tests/wine/*.sh; sets $WINE, the loader to run a Windows program with, and $WINESERVER.
# The end-to-end script has a prefix of its own ($WINE_PREFIKS=wine_e2e): one prefix has one
# wineserver, whose desktop is made on the X display of the first program it serves, and the unit
# tests, run beside it, have none.
export WINEPREFIX="$WINE_BUDOWA/${WINE_PREFIKS:-wine}"
export WINEDEBUG=-all
# Mono and Gecko would ask to be installed; the sound drivers only complain on machines with no
# audio device, where the game plays silently anyway.
export WINEDLLOVERRIDES="mscoree,mshtml,winealsa.drv,winepulse.drv="
WINE=$(command -v wine64 || echo /usr/lib/wine/wine64)
WINESERVER=$(command -v wineserver || echo /usr/lib/wine/wineserver)
