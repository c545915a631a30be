#!/bin/sh
# Builds the word-list parser's libFuzzer target with clang (ASan and UBSan) and runs it for N minutes.
# Usage: tests/fuzz/run.sh [MINUTES]   (from the repository root; needs clang and libclang-rt-14-dev)
set -e
cd "$(dirname "$0")/../.."
MINUTY=${1:-10}
[ "$MINUTY" -gt 0 ] || { echo "usage: $0 MINUTES (at least 1)" >&2; exit 2; }
WYJSCIE=build/fuzz
mkdir -p "$WYJSCIE/korpus"
# The game's sources on the scripted platform (no entry point, no window).
ZRODLA=$(ls src/*.cpp | grep -v -E '^src/(main|i_allegro|i_x11|i_bez_x11|i_win32)\.cpp$')
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -Isrc \
  tests/fuzz/fuzz_lista.cpp $ZRODLA \
  $(pkg-config --cflags --libs allegro-5 allegro_image-5 allegro_font-5 allegro_ttf-5 allegro_audio-5 \
    allegro_acodec-5 vorbisfile) -o "$WYJSCIE/fuzz_lista"
# New inputs go to build/fuzz/korpus; the seeds in tests/fuzz/korpus are only read.
exec "$WYJSCIE/fuzz_lista" -max_total_time=$((MINUTY * 60)) -max_len=16384 -print_final_stats=1 \
  "$WYJSCIE/korpus" tests/fuzz/korpus
