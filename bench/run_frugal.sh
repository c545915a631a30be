#!/bin/bash
# Runs the frugality benchmark: the game idling on each screen, the menu under the mouse, clicks, start-up and memory against two reference windows, and the pacing ratios, in one Xvfb; prints one table.
# Usage: bench/run_frugal.sh [--start-up] [game] [build folder] [pacing program]   (from the repository root;
# defaults build/brolik, build, and the build folder's bench/bench_pacing; the reference windows come from the
# build folder). --start-up measures the start-up alone, over more runs.
set -u
cd "$(dirname "$0")/.."
tylko=""
[ "${1:-}" = --start-up ] && { tylko=start-up; shift; }
gra=$(realpath "${1:-build/brolik}")
budowa=$(realpath "${2:-build}")
pacing=$(realpath "${3:-$budowa/bench/bench_pacing}")
for p in "$gra" "$budowa/bench/okno_puste" "$budowa/bench/okno_dodatki" "$pacing"; do
    [ -x "$p" ] || { echo "missing $p: cmake --build $budowa" >&2; exit 2; }
done
for p in Xvfb openbox xdotool; do command -v $p >/dev/null || { echo "$p is needed" >&2; exit 2; }; done
. tests/e2e/lib_x.sh
katalog=$(mktemp -d /tmp/brolik-bench-x-XXXXXX)
trap '[ -n "$X_WM_PID" ] && kill $X_WM_PID 2>/dev/null; [ -n "$X_XVFB_PID" ] && kill $X_XVFB_PID 2>/dev/null; wait 2>/dev/null; rm -rf "$katalog"' EXIT
x_start "$katalog" || { echo "$X_BLAD" >&2; exit 1; }
/usr/bin/python3 bench/bench_frugal.py "$gra" "$budowa/bench/okno_puste" "$budowa/bench/okno_dodatki" "$pacing" \
    "$X_XVFB_PID" $tylko
