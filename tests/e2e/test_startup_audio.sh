#!/bin/bash
# End-to-end tests of sound: the real game with no usable audio device still runs, and through OpenAL's wave writer its intro is really heard.
# Usage: tests/e2e/test_startup_audio.sh path/to/brolik   (from the repository root)
set -u
GRA=$(realpath "${1:?path of the game}")
cd "$(dirname "$0")/../.."
. tests/e2e/lib_start.sh
start_x

# Runs the game to the end of the intro and closes it; $1 names the case, the rest is its environment.
przebieg() {
    local opis=$1
    shift
    nowy_katalog
    uruchom_gre "$k" "$@"
    if ! sprawdz "$opis: the intro plays and writes ekr.png" czekaj_na_plik "$k/ekr.png" 30; then
        sed 's/^/     | /' "$k/wyjscie.txt"
    fi
    # The last of the intro's three sounds lasts about a second.
    x_czekaj 30 sh -c "[ \$(grep -c ' sound s7\$' '$k/slad.txt') -ge 3 ]"
    sleep 1
    if kill -0 "$gra_pid" 2>/dev/null; then
        okno=$(okno_gry 5)
        zamknij_okno "$okno"
    fi
    czekaj_na_koniec 15
    sprawdz "$opis: the game exits with status 0 (got $status_gry)" [ "$status_gry" -eq 0 ]
    sprawdz "$opis: ekr.png is gone" [ ! -e "$k/ekr.png" ]
    sprawdz "$opis: the intro asked for s7 three times" [ "$(grep -c ' sound s7$' "$k/slad.txt")" -eq 3 ]
}

# A silent OpenAL device: audio installs and the mixer runs.
przebieg "silent OpenAL device" ALSOFT_DRIVERS=null
if grep -q "no audio device" "$k/wyjscie.txt"; then zle "with OpenAL's null device audio should install"; fi

# An OpenAL driver that does not exist: al_install_audio fails (unless another backend answers).
przebieg "no OpenAL device" ALSOFT_DRIVERS=no_such_driver
if grep -q "no audio device" "$k/wyjscie.txt"; then
    ok "no OpenAL device: the game warned that it plays silently"
else
    echo "note - another audio backend answered; the game used it"
fi

# OpenAL's wave writer: what the mixer plays ends in a file, which must not be silent.
wav=$(mktemp /tmp/brolik-e2e-XXXXXX.wav)
conf=$(mktemp /tmp/brolik-e2e-XXXXXX.conf)
katalogi+=("$wav" "$conf")
printf '[general]\ndrivers = wave\n[wave]\nfile = %s\n' "$wav" >"$conf"
przebieg "OpenAL wave writer" ALSOFT_DRIVERS=wave ALSOFT_CONF="$conf"
if ! command -v sox >/dev/null; then
    zle "sox is needed to measure the sound"
elif [ ! -s "$wav" ]; then
    zle "the wave writer wrote nothing to $wav"
else
    rms=$(sox "$wav" -n stat 2>&1 | awk '/RMS +amplitude/ {print $3}')
    maks=$(sox "$wav" -n stat 2>&1 | awk '/Maximum amplitude/ {print $3}')
    dlugosc=$(sox "$wav" -n stat 2>&1 | awk '/Length \(seconds\)/ {print $3}')
    echo "     wave file: $dlugosc s, RMS amplitude $rms, maximum amplitude $maks"
    sprawdz "the intro's sounds are in the wave file (RMS $rms > 0.001)" awk -v r="$rms" 'BEGIN { exit !(r > 0.001) }'
    sprawdz "and loud enough to hear (maximum $maks > 0.05)" awk -v m="$maks" 'BEGIN { exit !(m > 0.05) }'
fi

wynik
