#!/bin/bash
# End to end: fifty short taps after idle gaps each type one letter, slow holds one, a long hold more, and one short tap of Escape during "Koniec czasu" ends the program.
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

RANDOM=7
LITERY=(q w r t y p)
for n in $(seq 50); do
    przerwa=$(awk -v r=$RANDOM 'BEGIN { printf "%.2f", 0.5 + 2.5 * r / 32767 }')
    w_probie "$(awk -v p="$przerwa" 'BEGIN { print p + 0.9 }')"
    sleep "$przerwa"
    przed=$(ile "sound s9")
    litera=${LITERY[$((RANDOM % 6))]}
    xdotool keydown "$litera"
    sleep 0.04
    xdotool keyup "$litera"
    # The letter at once; a second copy of it would follow within 0.2 s.
    sleep 0.5
    typed=$(($(ile "sound s9") - przed))
    [ "$typed" = 1 ] || porazka "tap $n ($litera after ${przerwa} s idle) typed $typed letters"
    WIERSZ=$((WIERSZ + 1))
    if [ "$WIERSZ" = 5 ]; then
        # Refused: the message shows for 1 s, then the row is empty again.
        sleep 0.8
        WIERSZ=0
    fi
done
log "50 taps of 40 ms typed 50 letters"

# Held keys, with the X server's usual repeat (after 0.66 s, 25 a second): a hold short of it
# types one letter, however slow; a longer one types again as the system repeats the key. One
# xdotool holds the key, so no process start lengthens the hold.
xset r rate 660 25
[ "$WIERSZ" = 0 ] || w_probie 19
for trzymaj in 0.15 0.25 0.4 1.5; do
    w_probie 3
    przed=$(ile "sound s9")
    xdotool keydown w sleep "$trzymaj" keyup w
    sleep 0.5
    typed=$(($(ile "sound s9") - przed))
    if [ "$trzymaj" = 1.5 ]; then [ "$typed" -gt 1 ]; else [ "$typed" = 1 ]; fi ||
        porazka "a hold of $trzymaj s typed $typed letters"
    log "a hold of $trzymaj s typed $typed letters"
done

# The try runs out of time; Escape tapped for 30 ms inside the second of "Koniec czasu".
czekaj_na_kolejne koniec_czasu 30
sleep 0.3
xdotool keydown Escape
sleep 0.03
xdotool keyup Escape
czekaj_na_koniec 15
[ "$(ile szykowanie_menu)" = 1 ] || porazka "Escape during the time-out went back to the menu"
log "an Escape tap during \"Koniec czasu\" ended the program"
exit 0
