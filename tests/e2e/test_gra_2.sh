#!/bin/bash
# End to end: a two-player game up to a change of player after a time-out, then Escape in the game ends the program.
. "$(dirname "$0")/lib.sh"

plan() { echo "-"; }  # every try runs out of time

uruchom_x
przygotuj_katalog LOdka Zabka
uruchom_gre
kliknij_pozycje 2 imie_gracza
czekaj_klatki_po imie_gracza 22 10
pisz ala
klawisz Return
sleep 0.5
pisz ola
klawisz Return
czekaj_na gra 1 20
log "two names entered, game started"

graj_do wpisywanie_z_klawiatury 60
czekaj_klatki_po wpisywanie_z_klawiatury 3 10
PRZED=$(zrzut pierwszy-gracz)
graj_do zmiana_gracza 60
czekaj_na_kolejne wpisywanie_z_klawiatury 20
PO=$(zrzut drugi-gracz)
# The panel's name strip shows the other player now; the try goes on in the next row.
[ "$(roznica "$PRZED" "$PO" 535 490 226 26)" -gt 50 ] || porazka "the name in the panel did not change"
log "the time-out passed the word to the other player"

wcisnij_az Escape koniec
skonczona_stad "Escape in the game"
[ "$(ile koniec_fin)" = 0 ] || porazka "Escape in the game showed the end screen"
exit 0
