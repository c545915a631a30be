#!/bin/bash
# Runs the pacing benchmark in a virtual X server with the vertical retrace wait off and on, and prints its figures.
# Usage: bench/run_pacing.sh [path to bench_pacing]   (from the repository root; default build/bench/bench_pacing)
set -u
cd "$(dirname "$0")/.."
prog=$(realpath "${1:-build/bench/bench_pacing}")
[ -x "$prog" ] || { echo "no benchmark program at $prog: cmake --build build --target bench_pacing" >&2; exit 2; }
for p in Xvfb openbox xprop; do command -v $p >/dev/null || { echo "$p is needed (tools/setup.sh test installs it)" >&2; exit 2; }; done
# A scratch working directory, so the intro's ekr.png never lands in the repository.
katalog=$(mktemp -d /tmp/brolik-bench-XXXXXX)
ln -s "$(pwd)/media" "$katalog/media"

# An X server of its own on the first free display (the end-to-end tests' helper).
. tests/e2e/lib_x.sh
trap '[ -n "$X_WM_PID" ] && kill $X_WM_PID 2>/dev/null; [ -n "$X_XVFB_PID" ] && kill $X_XVFB_PID 2>/dev/null; wait 2>/dev/null; rm -rf "$katalog"' EXIT
x_start "$katalog" || { echo "$X_BLAD" >&2; exit 2; }
# Sound through a silent OpenAL device, so the mixer runs as it would on a real machine.
export ALSOFT_DRIVERS=null
# The defaults, whatever the user running it has set (fullscreen, a large window).
export XDG_CONFIG_HOME="$katalog/konfiguracja" XDG_DATA_HOME="$katalog/dane"

if command -v glxinfo >/dev/null; then glxinfo 2>/dev/null | grep -E 'OpenGL renderer' ; fi
echo "cores: $(nproc), load: $(cut -d' ' -f1-3 /proc/loadavg)"
status=0
for tryb in 0 1; do
    echo
    if [ $tryb = 0 ]; then echo "== vertical retrace wait OFF (vblank_mode=0, __GL_SYNC_TO_VBLANK=0)"
    else echo "== vertical retrace wait ON (vblank_mode=1, __GL_SYNC_TO_VBLANK=1)"; fi
    (cd "$katalog" && vblank_mode=$tryb __GL_SYNC_TO_VBLANK=$tryb "$prog") 2>&1 | grep -v '^ATTENTION'
    [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
done
exit $status
