#!/bin/sh
# Runs a Windows program under the tests' Wine: tests/wine/uruchom.sh WINDOWS_BUILD_DIR PROGRAM [ARGS...] ("wineboot -u" prepares the prefix).
WINE_BUDOWA=$(readlink -f "$1")
shift
. "$(dirname "$0")/wine.sh"
exec "$WINE" "$@"
