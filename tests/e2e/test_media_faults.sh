#!/bin/bash
# End to end: every media file missing, empty, cut to half and overwritten in its middle, files that are not plain readable data, and each word list one line of 1 GB or left with an editor's slips; the game names the file and ends with status 1 before its menu, leaving nothing behind, or plays where it must.
# Usage: tests/e2e/test_media_faults.sh path/to/brolik   (from the repository root)
# The cases share one X server and run four at a time.
set -u
GRA=$(realpath "${1:?path of the game}")
cd "$(dirname "$0")/../.."
. tests/e2e/lib_start.sh

PLIKI="arialbd.ttf georgiab.ttf el.png literki.png gg1.png s0.ogg s1.ogg s2.ogg s3.ogg s4.ogg s5.ogg s6.ogg
       s7.ogg s8.ogg s9.ogg data_lista.txt data_zgadywane.txt"
RODZAJE="brak pusty polowa srodek"
# The word lists' own cases: one line of 1 GB without a line end (sparse, so it costs no disk),
# and what an editor leaves (a byte-order mark, blanks after a word, blank lines at the end, a
# word listed twice).
# Cases that must play: the list of accepted guesses is optional, and an editor's slips pass.
musi_grac() { [[ $1 == data_zgadywane.txt:brak || $1 == *:edytor ]]; }
# Not plain readable data: a named pipe (a plain open waits for a writer for good), a 31 KB picture
# declaring 16000 x 16000 pixels, a file the game may not read; the message says which.
inne_rodzaje() {
    case $1 in
    el.png | arialbd.ttf | s3.ogg) echo fifo ;; gg1.png) echo ogromny ;; literki.png | georgiab.ttf | s5.ogg) echo nieczytelny ;;
    data_*.txt) echo fifo dluga edytor ;;
    esac
}
powod() { case $1 in *:fifo) echo "named pipe" ;; *:ogromny) echo "16000 x 16000" ;; *:nieczytelny) echo "cannot be read: " ;; esac; }
# Damage the game may never meet: 64 bytes in the middle of a font can land in outlines of
# characters it never draws, and half a sound, or one with a damaged page, can still be a
# shorter sound. Such a case either stops as the others do or plays, and then SIGTERM ends it
# cleanly; which one depends on the artwork. Every other case must stop.
moze_grac() { [[ $1 == *.ttf:srodek || $1 == *.ogg:polowa || $1 == *.ogg:srodek ]] || musi_grac "$1"; }
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
        fifo) mkfifo "$k/media/$plik" ;;
        dluga) truncate -s 1G "$k/media/$plik" ;;
        edytor)
            local z=$BROLIK_ZRODLA/media/$plik
            { printf '\357\273\277'; sed -n '1s/$/ \t/p' "$z"; sed -n '2,$p' "$z" | grep -vx ZZZ; head -n 1 "$z"
              if [ "$plik" = data_zgadywane.txt ]; then echo ZZZ; fi; printf '\n \n\n'; } >"$k/media/$plik" ;;
        ogromny) /usr/bin/python3 -c "from PIL import Image; Image.new('1', (16000, 16000)).save('$k/media/$plik')" ;;
        nieczytelny) cp "$BROLIK_ZRODLA/media/$plik" "$k/media/$plik" && chmod 000 "$k/media/$plik" && chmod 777 "$k" ;;
    esac
}

# One case, in the background: writes "status milliseconds" and the game's output into $wyniki.
przypadek() {
    local plik=$1 rodzaj=$2 k=$3 nazwa="$1:$2" t0 pid s jako=()
    # Root reads any file: the unreadable one is tried by nobody.
    [ "$rodzaj" = nieczytelny ] && [ "$(id -u)" = 0 ] && jako=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    t0=$(date +%s%N)
    (cd "$k" && exec env ALSOFT_DRIVERS=null BROLIK_TRACE="$k/slad.txt" "${jako[@]}" "$GRA" >"$k/wyjscie.txt" 2>&1) &
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
    for rodzaj in $RODZAJE $(inne_rodzaje "$plik"); do
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
    for rodzaj in $RODZAJE $(inne_rodzaje "$plik"); do
        nazwa="$plik:$rodzaj"
        k=$(cat "$wyniki/$nazwa.katalog")
        read -r s ms <"$wyniki/$nazwa"
        przypadki=$((przypadki + 1))
        reszta=$(ls "$k" | grep -vx -e media -e wyjscie.txt -e slad.txt | tr '\n' ' ')
        if musi_grac "$nazwa"; then
            # Silent, or one warning naming the first word listed twice (a busy machine's
            # watchdog line after the signal aside).
            powiedziala=$(grep -v "no orderly exit after the signal" "$k/wyjscie.txt" | grep -c .)
            [[ $nazwa == *:edytor ]] && ! grep -q "^brolik: warning: media/$plik: line [0-9]*: \".*\" repeats line 1; each word is kept once\$" "$k/wyjscie.txt" &&
                powiedziala="no warning naming the copy"
            sprawdz "$nazwa: plays, lines said: $powiedziala" \
                sh -c "[ -e '$wyniki/$nazwa.grala' ] && [ '$powiedziala' = $([[ $nazwa == *:edytor ]] && echo 1 || echo 0) ]" ||
                sed 's/^/     /' "$k/wyjscie.txt"
            sprawdz "$nazwa: SIGTERM ends it with status 0 (got $s)" wyszla_po_sygnale TERM "$s" "$k" ||
                sed 's/^/     /' "$k/wyjscie.txt"
        elif [ -e "$wyniki/$nazwa.grala" ]; then
            grajace=$((grajace + 1))
            sprawdz "$nazwa: plays, and SIGTERM ends it with status 0 (got $s)" wyszla_po_sygnale TERM "$s" "$k" ||
                sed 's/^/     /' "$k/wyjscie.txt"
        else
            sprawdz "$nazwa: status 1 in $ms ms, before the menu, naming media/$plik $(powod "$nazwa")" \
                sh -c "[ $s -eq 1 ] && ! grep -q ' menu\$' '$k/slad.txt' 2>/dev/null && grep '^brolik: media/$plik: ' '$k/wyjscie.txt' | grep -qF '$(powod "$nazwa")'" ||
                sed 's/^/     /' "$k/wyjscie.txt"
        fi
        sprawdz "$nazwa: nothing left behind (${reszta:-nothing})" [ -z "$reszta" ]
    done
done
echo "$przypadki cases, $grajace of them played"
wynik
