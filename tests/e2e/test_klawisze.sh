#!/bin/bash
# End to end: fifty short taps after idle gaps each type one letter, slow holds one, a long hold more, and one short tap of Escape during "Koniec czasu" ends the program.
# Cases: stukniecia_1 stukniecia_2 przytrzymania escape
. "$(dirname "$0")/lib.sh"

uruchom_x
# One word; the taps never type it, so every fifth letter is refused and every try runs out of time.
przygotuj_katalog kotek
uruchom_gre
kliknij_pozycje 1 imie_gracza
czekaj_klatki_po imie_gracza 22 10
pisz ewa
klawisz Return
czekaj_na gra 1 20

# A tap: the key down for `sekundy` in one run of xdotool, so a busy machine cannot stretch it.
stuknij() {  # key, seconds
    xdotool keydown "$1" sleep "$2" keyup "$1"
}
# Game time of the n-th line naming the routine (or "sound sN").
czas_wpisu() {  # routine, n
    grep -E "^[0-9.]+ $1\$" "$E2E_SLAD" | sed -n "$2p" | cut -d' ' -f1
}

PROBA_OD=""   # trace time of the try being typed into
WIERSZ=0      # letters in its entry row
# Waits until a try runs with at least $1 s of its 20.57 s left; a new try starts an empty row.
w_probie() {
    local start teraz
    while :; do
        odswiez_faze
        kill -0 "$GRA_PID" 2>/dev/null || porazka "the game ended"
        case "$FAZA" in
        spacja) [ "$(ile "sound s3")" -lt "$(ile spacja)" ] && wcisnij_az space "sound s3" ;;
        wpisywanie_z_klawiatury)
            start=$(grep -E '^[0-9.]+ wpisywanie_z_klawiatury$' "$E2E_SLAD" | tail -n1 | cut -d' ' -f1)
            [ "$start" = "$PROBA_OD" ] || { PROBA_OD=$start; WIERSZ=0; }
            teraz=$(czas_gry)
            awk -v s="$start" -v t="$teraz" -v z="$1" 'BEGIN { exit !(t - s + z < 20.2) }' && return 0
            ;;
        esac
        sleep 0.1
    done
}

# Taps od..do of the fifty, each after its idle gap: the gaps and letters are drawn from one
# seeded sequence, so each case taps the same keys after the same gaps as one run of all fifty.
LITERY=(q w r t y p)
stukniecia() {  # od do
    local n r raz przerwa litera przed t koniec_czasu_przed
    RANDOM=7
    for n in $(seq "$2"); do
        r=$RANDOM
        przerwa=$(awk -v r="$r" 'BEGIN { printf "%.2f", 0.5 + 2.5 * r / 32767 }')
        litera=${LITERY[$((RANDOM % 6))]}
        [ "$n" -ge "$1" ] || continue
        w_probie "$(awk -v p="$przerwa" 'BEGIN { print p + 0.9 }')"
        sleep "$przerwa"
        for raz in 1 2; do
            przed=$(ile "sound s9")
            koniec_czasu_przed=$(ile koniec_czasu)
            stuknij "$litera" 0.04
            czekaj_na_litere $((przed + 1)) && break
            # The try ran out of time between the look at its clock and the tap: tap again in the next.
            [ $raz = 1 ] && [ "$(ile koniec_czasu)" -gt "$koniec_czasu_przed" ] || porazka "tap $n ($litera after ${przerwa} s idle) typed nothing"
            log "tap $n came after its try's time ran out; tapped again"
            w_probie 1.5
        done
        # A second copy of the letter would follow within 0.2 s of the game's time.
        t=$(czas_wpisu "sound s9" $((przed + 1)))
        czekaj 10 "0.5 s of the game's time after tap $n" po_czasie present "$(awk -v t="$t" 'BEGIN { print t + 0.5 }')"
        [ $(($(ile "sound s9") - przed)) = 1 ] || porazka "tap $n ($litera after ${przerwa} s idle) typed $(($(ile "sound s9") - przed)) letters"
        WIERSZ=$((WIERSZ + 1))
        if [ "$WIERSZ" = 5 ]; then
            # Refused: the message shows for 1 s, then the row is empty again and takes keys.
            czekaj 10 "the refusal's pause to end" po_czasie wpisz_haslo "$t"
            WIERSZ=0
        fi
    done
    log "taps $1 to $2 of 40 ms typed one letter each"
}
# Whether the letter sound has played n times, waiting up to 10 s (the tap's try may end first).
czekaj_na_litere() {  # n
    local koniec=$((SECONDS + 10))
    until co_najmniej "sound s9" "$1"; do
        [ $SECONDS -lt $koniec ] || return 1
        drzemka 0.05
    done
}

przypadek_stukniecia_1() { stukniecia 1 25; }
przypadek_stukniecia_2() { stukniecia 26 50; }

# Held keys, with the X server's usual repeat (after 0.66 s, 25 a second): a hold short of it
# types one letter, however slow; a longer one types again as the system repeats the key.
przypadek_przytrzymania() {
    local trzymaj przed t wpisane
    xset r rate 660 25
    for trzymaj in 0.15 0.25 0.4 1.5; do
        w_probie 3
        przed=$(ile "sound s9")
        stuknij w "$trzymaj"
        czekaj_na_litere $((przed + 1)) || porazka "a hold of $trzymaj s typed nothing"
        t=$(czas_wpisu "sound s9" $((przed + 1)))
        czekaj 10 "0.5 s of the game's time after the hold" po_czasie present "$(awk -v t="$t" -v d="$trzymaj" 'BEGIN { print t + d + 0.5 }')"
        wpisane=$(($(ile "sound s9") - przed))
        if [ "$trzymaj" = 1.5 ]; then [ "$wpisane" -gt 1 ]; else [ "$wpisane" = 1 ]; fi ||
            porazka "a hold of $trzymaj s typed $wpisane letters"
        log "a hold of $trzymaj s typed $wpisane letters"
    done
}

# The try runs out of time; Escape tapped for 30 ms inside the second of "Koniec czasu".
przypadek_escape() {
    w_probie 0
    czekaj_na_kolejne koniec_czasu 30
    czekaj 10 "\"Koniec czasu\" shown" po_czasie present "$(czas_wpisu koniec_czasu "$(ile koniec_czasu)")"
    stuknij Escape 0.03
    skonczona_stad "an Escape tap during \"Koniec czasu\""
}

"przypadek_$2"
exit 0
