#!/bin/bash
# Runs a test program of the real platform in its own Xvfb with openbox: w_x.sh <program> [arguments].
set -u
. "$(dirname "$0")/../e2e/lib_x.sh"
katalog=$(mktemp -d /tmp/brolik-platform-XXXXXX)
trap '[ -n "$X_WM_PID" ] && kill $X_WM_PID 2>/dev/null; [ -n "$X_XVFB_PID" ] && kill $X_XVFB_PID 2>/dev/null; wait 2>/dev/null; rm -rf "$katalog"' EXIT
x_start "$katalog" || { echo "FAIL - $X_BLAD"; exit 1; }
ALSOFT_DRIVERS=null "$@"
