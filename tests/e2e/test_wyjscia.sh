#!/bin/bash
# End to end: the close button during a game, and Escape and the close button on the end screen: the program ends with status 0 and removes ekr.png.
# Cases: w_grze escape_na_koncu zamkniecie_na_koncu
. "$(dirname "$0")/lib.sh"

# One word, so every guess completes it; the final's first word runs out of time, which ends the game.
plan() { if [ "$1" -ge 10 ]; then echo "-"; else echo "żabka"; fi; }

uruchom_x
przygotuj_katalog Zabka

nowa_gra() {
    uruchom_gre
    kliknij_pozycje 1 imie_gracza
    czekaj_klatki_po imie_gracza 22 10
    pisz ewa
    klawisz Return
    czekaj_na gra 1 20
}

# A game played to its end screen, once that screen's frame has grown (300 frames).
do_ekranu_konca() {
    nowa_gra
    graj_do koniec_fin 300
    [ "$(ile koniec_czasu)" = 1 ] && [ "$(ile final_pocz)" = 1 ] || porazka "the game did not end on a time-out in the final"
    czekaj_klatki_po koniec_fin 305 30
}

przypadek_w_grze() {
    nowa_gra
    graj_do wpisywanie_z_klawiatury 60
    zamknij_okno
    skonczona_stad "closing in the game"
}

przypadek_escape_na_koncu() {
    do_ekranu_konca
    Z=$(zrzut ekran-konca)
    oczekuj_koloru "\"Koniec gry\"" "$Z" 200 235 400 45 0 110 210 6 150
    wcisnij_az Escape koniec
    skonczona_stad "Escape on the end screen"
}

przypadek_zamkniecie_na_koncu() {
    do_ekranu_konca
    zamknij_okno
    skonczona_stad "closing the end screen"
}

"przypadek_$2"
exit 0
