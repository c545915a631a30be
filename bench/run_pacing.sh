#!/bin/bash
# Runs the pacing benchmark in a virtual X server with the vertical retrace wait off and on, and prints its figures.
# Usage: bench/run_pacing.sh [path to bench_pacing]   (from the repository root; default build/bench/bench_pacing)
set -u
cd "$(dirname "$0")/.."
prog=$(realpath "${1:-build/bench/bench_pacing}")
[ -x "$prog" ] || { echo "no benchmark program at $prog: cmake --build build --target bench_pacing" >&2; exit 2; }
command -v Xvfb >/dev/null || { echo "Xvfb is needed (apt-get install xvfb)" >&2; exit 2; }
# A scratch working directory, so the intro's ekr.png never lands in the repository.
katalog=$(mktemp -d /tmp/brolik-bench-XXXXXX)
ln -s "$(pwd)/media" "$katalog/media"

# A display number nobody uses.
nr=90
while [ -e /tmp/.X11-unix/X$nr ] || [ -e /tmp/.X$nr-lock ]; do nr=$((nr + 1)); done
Xvfb :$nr -noreset -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null; rm -rf "$katalog"' EXIT
for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$nr ] && break; sleep 0.1; done
export DISPLAY=:$nr
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
