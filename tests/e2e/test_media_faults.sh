#!/bin/bash
# End to end: every media file missing, empty, cut to half and overwritten in its middle; the game names the file and ends with status 1 before its menu, leaving nothing behind.
# Usage: tests/e2e/test_media_faults.sh path/to/brolik   (from the repository root)
# The cases share one X server and run four at a time.
set -u
GRA=$(realpath "${1:?path of the game}")
cd "$(dirname "$0")/../.."
. tests/e2e/lib_start.sh

PLIKI="arialbd.ttf georgiab.ttf el.png literki.png gg1.png s0.ogg s1.ogg s2.ogg s3.ogg s4.ogg s5.ogg s6.ogg
       s7.ogg s8.ogg s9.ogg data_lista.txt"
RODZAJE="brak pusty polowa srodek"
# Damage the game may never meet: 64 bytes in the middle of a font can land in outlines of
# characters it never draws, and half a sound, or one with a damaged page, can still be a
# shorter sound. Such a case either stops as the others do or plays, and then SIGTERM ends it
# cleanly; which one depends on the artwork. Every other case must stop.
moze_grac() { [[ $1 == *.ttf:srodek || $1 == *.ogg:polowa || $1 == *.ogg:srodek ]]; }
# Only a hang takes this long: the game stops at start-up.
LIMIT_MS=60000
ROWNOLEGLE=4

start_x
wyniki=$(mktemp -d /tmp/brolik-e2e-XXXXXX)
katalogi+=("$wyniki")

# Prepares media/$1 in directory $3 damaged the way $2 says.
zepsuj() {
    local plik=$1 rodzaj=$2 k=$3 n
    rm "$k/media/$plik"
    n=$(stat -L -c %s "$BROLIK_ZRODLA/media/$plik")
    case $rodzaj in
        brak) ;;
        pusty) : >"$k/media/$plik" ;;
        polowa) head -c $((n / 2)) "$BROLIK_ZRODLA/media/$plik" >"$k/media/$plik" ;;
        srodek)
            cp "$BROLIK_ZRODLA/media/$plik" "$k/media/$plik"
            head -c 64 /dev/zero | tr '\0' '\377' | dd of="$k/media/$plik" bs=1 seek=$((n / 2)) conv=notrunc status=none ;;
    esac
}

# One case, in the background: writes "status milliseconds" and the game's output into $wyniki.
przypadek() {
    local plik=$1 rodzaj=$2 k=$3 nazwa="$1:$2" t0 pid s
    t0=$(date +%s%N)
    (cd "$k" && exec env ALSOFT_DRIVERS=null BROLIK_TRACE="$k/slad.txt" "$GRA" >"$k/wyjscie.txt" 2>&1) &
    pid=$!
    if moze_grac "$nazwa"; then
        while kill -0 $pid 2>/dev/null; do
            if [ -f "$k/slad.txt" ] && cut -d" " -f2- "$k/slad.txt" | grep -qx menu; then
                kill -TERM $pid
                echo grala >"$wyniki/$nazwa.grala"
                break
            fi
            [ $((($(date +%s%N) - t0) / 1000000)) -lt $LIMIT_MS ] || break
            sleep 0.05
        done
    fi
    while kill -0 $pid 2>/dev/null && [ $((($(date +%s%N) - t0) / 1000000)) -lt $LIMIT_MS ]; do sleep 0.02; done
    kill -KILL $pid 2>/dev/null
    wait $pid 2>/dev/null
    s=$?
    echo "$s $((($(date +%s%N) - t0) / 1000000))" >"$wyniki/$nazwa"
}

# The cases' own processes: the X server and openbox run in the background too.
biegnace=()
for plik in $PLIKI; do
    for rodzaj in $RODZAJE; do
        nowy_katalog
        zepsuj "$plik" "$rodzaj" "$k"
        echo "$k" >"$wyniki/$plik:$rodzaj.katalog"
        przypadek "$plik" "$rodzaj" "$k" &
        biegnace+=($!)
        while [ ${#biegnace[@]} -ge $ROWNOLEGLE ]; do
            sleep 0.05
            for i in "${!biegnace[@]}"; do kill -0 "${biegnace[$i]}" 2>/dev/null || unset "biegnace[$i]"; done
        done
    done
done
for p in "${biegnace[@]}"; do wait "$p"; done

przypadki=0
grajace=0
for plik in $PLIKI; do
    for rodzaj in $RODZAJE; do
        nazwa="$plik:$rodzaj"
        k=$(cat "$wyniki/$nazwa.katalog")
        read -r s ms <"$wyniki/$nazwa"
        przypadki=$((przypadki + 1))
        reszta=$(ls "$k" | grep -vx -e media -e wyjscie.txt -e slad.txt | tr '\n' ' ')
        if [ -e "$wyniki/$nazwa.grala" ]; then
            grajace=$((grajace + 1))
            sprawdz "$nazwa: plays, and SIGTERM ends it with status 0 (got $s)" wyszla_po_sygnale TERM "$s" "$k" ||
                sed 's/^/     /' "$k/wyjscie.txt"
        else
            sprawdz "$nazwa: status 1 in $ms ms, before the menu, naming media/$plik" \
                sh -c "[ $s -eq 1 ] && ! grep -q ' menu\$' '$k/slad.txt' 2>/dev/null && grep -q '^brolik: media/$plik: ' '$k/wyjscie.txt'" ||
                sed 's/^/     /' "$k/wyjscie.txt"
        fi
        sprawdz "$nazwa: nothing left behind (${reszta:-nothing})" [ -z "$reszta" ]
    done
done
echo "$przypadki cases, $grajace of them played"
wynik
