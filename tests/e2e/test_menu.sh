#!/bin/bash
# End to end: the menu's five items with their highlight and action, the rules and information pages, the menu by keyboard, and leaving by Escape, the close button and "WYJSCIE".
. "$(dirname "$0")/lib.sh"

# Twelve words, so the rules page must show "12".
SLOWA=(kotek lampa drzwi rybka Zabka LOdka gAska Sliwa kasza piESC wydma cegLa)

uruchom_x
przygotuj_katalog "${SLOWA[@]}"

# --- Run 1: the look of the menu, the highlight, both pages, and "WYJSCIE".
uruchom_gre
mysz 700 100
czekaj_klatki 3
MENU=$(zrzut menu)
oczekuj_koloru "title" "$MENU" 320 228 160 30 22 122 22 0 20
for k in 1 2 3 4; do
    oczekuj_koloru "label $k in green" "$MENU" 300 $((50 * k + 240)) 200 24 105 160 105 0 30
    brak_koloru "label $k not orange" "$MENU" 300 $((50 * k + 240)) 200 24 222 99 9 0
done
oczekuj_koloru "WYJSCIE in orange-red" "$MENU" 300 490 200 24 222 99 9 0 30
brak_koloru "WYJSCIE not green" "$MENU" 300 490 200 24 105 160 105 0

# Hovering lights exactly the band of the item under the mouse, adding (50, 250, 250)/255 of its colour.
for k in 1 2 3 4 5; do
    read -r x y <<<"$(pozycja $k)"
    mysz "$x" "$y"
    czekaj_klatki 3
    Z=$(zrzut "nad-$k")
    y0=$((50 * k + 239))
    read -r zmienione obszar <<<"$(zmiany "$MENU" "$Z")"
    [ "$obszar" = "184x24+310+$y0" ] || porazka "item $k: the screen changed in $obszar, not in the band 184x24+310+$y0"
    [ "$zmienione" -gt 2000 ] || porazka "item $k: only $zmienione pixels of the band glow"
    for p in "320 $((y0 + 4))" "480 $((y0 + 20))" "400 $((y0 + 2))"; do
        read -r px py <<<"$p"
        read -r r g b <<<"$(piksel "$MENU" "$px" "$py")"
        read -r r2 g2 b2 <<<"$(piksel "$Z" "$px" "$py")"
        awk -v r=$r -v g=$g -v b=$b -v r2=$r2 -v g2=$g2 -v b2=$b2 'function m(v, t) { v = v + v * t / 255; return v > 255 ? 255 : v }
            function ok(a, e) { return a - e <= 3 && e - a <= 3 }
            BEGIN { exit !(ok(r2, m(r, 50)) && ok(g2, m(g, 250)) && ok(b2, m(b, 250))) }' ||
            porazka "item $k at ($px, $py): ($r,$g,$b) became ($r2,$g2,$b2), expected + (50,250,250)/255 of it"
    done
    log "item $k glows under the mouse"
done
# Just outside the first item's area: no glow.
for p in "310 290" "493 290" "311 289" "311 313"; do
    read -r x y <<<"$p"
    mysz "$x" "$y"
    czekaj_klatki 3
    Z=$(zrzut "obok")
    [ "$(zmiany "$MENU" "$Z")" = "0 -" ] || porazka "($x, $y) lit something: $(zmiany "$MENU" "$Z")"
done
log "the hit area's edges hold"

# The rules page, held while the button is held; it shows the word count.
read -r x y <<<"$(pozycja 3)"
mysz "$x" "$y"
czekaj_klatki 3
wcisnij_mysz 1
czekaj_na zasady_gry 1 10
czekaj_na ukazywanie_obrazu 2 10
czekaj_klatki_po ukazywanie_obrazu 40 10
# The last step of the fade reaches the window at a later refresh.
czekaj 10 "the fade's last step shown" sh -c "awk '\$2 == \"ukazywanie_obrazu\" { n = 0; p = 0; w = 1; next } w && \$2 == \"flip\" { n++ } w && n >= 40 && \$2 == \"present\" { p = 1 } END { exit !p }' '$E2E_SLAD'"
ZASADY=$(zrzut zasady)
# Faded in over 40 steps, the page keeps about 4 % of the menu under it: colours within 12.
oczekuj_koloru "rules title" "$ZASADY" 200 4 400 50 55 155 155 12 200
oczekuj_koloru "rules lines" "$ZASADY" 80 98 640 368 99 155 155 12 3000
# The count in (200, 200, 155) centred on x = 370, read against the font's own digits.
oczekuj_koloru "word count" "$ZASADY" 340 472 60 28 200 200 155 12 30
read -r najlepsza zgodnosc <<<"$(czytaj_liczbe "$ZASADY" 370 472 24 200 200 155 10 11 12 13 17 21 22 72 112)"
[ "$najlepsza" = 12 ] || porazka "the rules page's count reads best as $najlepsza (overlap $zgodnosc), not 12"
log "rules page shown with the count 12 (overlap with the font's 12: $zgodnosc)"
mysz 100 100
sleep 0.3
ZASADY2=$(zrzut zasady-przesuniete)
[ "$(zmiany "$ZASADY" "$ZASADY2")" = "0 -" ] || porazka "the rules page changed while the button was held"
[ "$(ile szykowanie_menu)" = 1 ] || porazka "the menu came back while the button was held"
pusc_mysz 1
czekaj_na szykowanie_menu 2 10
czekaj_ukazania_po szykowanie_menu 45 10
Z=$(zrzut po-zasadach)
[ "$(zmiany "$MENU" "$Z")" = "0 -" ] || porazka "the menu after the rules page differs from before: $(zmiany "$MENU" "$Z")"
log "released: the menu is back as it was"

# The information page.
read -r x y <<<"$(pozycja 4)"
mysz "$x" "$y"
czekaj_klatki 3
wcisnij_mysz 1
czekaj_na info 1 10
czekaj_na ukazywanie_obrazu 4 10
czekaj_klatki_po ukazywanie_obrazu 40 10
INFO=$(zrzut info)
oczekuj_koloru "information title" "$INFO" 250 20 330 60 55 99 99 12 150
oczekuj_koloru "information lines" "$INFO" 80 200 640 176 99 155 155 12 1500
brak_koloru "nothing written on the empty line 6" "$INFO" 80 312 640 18 99 155 155 40
# Below the panel the page is the menu itself: the fade leaves it but for rounding.
[ "$(najwieksza_roznica "$MENU" "$INFO" 0 470 800 130)" -le 2 ] || porazka "the menu below the panel is not visible under the page"
mysz 100 100
pusc_mysz 1
czekaj_na szykowanie_menu 3 10
czekaj_ukazania_po szykowanie_menu 45 10
Z=$(zrzut po-info)
[ "$(zmiany "$MENU" "$Z")" = "0 -" ] || porazka "the menu after the information page differs from before: $(zmiany "$MENU" "$Z")"
log "information page shown and left"

# The keys, the mouse at rest: Down lights the first item, Tab the next, Shift+Tab and Up go back
# round to the small results item; the highlight glows exactly as the mouse's does.
swieci() {  # item, its band -> fails unless the screen differs from the menu in that band alone
    czekaj_klatki 3
    local z
    z=$(zrzut "klawisze-$1")
    read -r zmienione obszar <<<"$(zmiany "$MENU" "$z")"
    [ "$obszar" = "$2" ] || porazka "item $1 lit by the keys: the screen changed in $obszar, not in $2"
}
klawisz Down
swieci 1 184x24+310+289
klawisz Tab
swieci 2 184x24+310+339
klawisz shift+Tab Up
swieci 6 136x18+333+539
klawisz Down Down Down
swieci 3 184x24+310+389
# Enter opens the rules page, which stays with no button held until a key; the highlight is kept.
klawisz Return
czekaj_na zasady_gry 2 10
czekaj_ukazania_po zasady_gry 40 10
sleep 0.5
[ "$(ile szykowanie_menu)" = 3 ] || porazka "the rules page opened by Enter did not stay"
klawisz space
czekaj_na szykowanie_menu 4 10
czekaj_ukazania_po szykowanie_menu 45 10
swieci 3 184x24+310+389
# The mouse moved takes the highlight; W opens the best results, empty so far, until a click.
read -r x y <<<"$(pozycja 4)"
mysz "$x" "$y"
swieci 4 184x24+310+439
klawisz w
czekaj_na najlepsze_wyniki 1 10
czekaj_ukazania_po najlepsze_wyniki 40 10
Z=$(zrzut wyniki-puste)
oczekuj_koloru "the title" "$Z" 200 4 400 50 55 155 155 12 200
oczekuj_koloru "the empty table's line" "$Z" 200 280 400 30 99 155 155 12 100
xdotool click 1  # a tap: pressed and let go between two of the game's passes
czekaj_na szykowanie_menu 5 10
czekaj_ukazania_po szykowanie_menu 45 10
log "the menu by keyboard: highlight, pages until a key or a click, the results by W"

# Buttons other than the primary alone do nothing; "WYJSCIE" with the primary ends the program.
read -r x y <<<"$(pozycja 5)"
mysz "$x" "$y"
wcisnij_mysz 3
czekaj_klatki 20
pusc_mysz 3
kill -0 "$GRA_PID" || porazka "the secondary button on WYJSCIE ended the program"
kliknij_pozycje 5 koniec
czekaj_na_koniec 10
[ "$(ile imie_gracza)" = 0 ] || porazka "a name entry was started"

# --- Run 2: "1 GRACZ" opens the name entry for one player; Escape there ends the program.
uruchom_gre
kliknij_pozycje 1 imie_gracza
czekaj_klatki_po imie_gracza 25 10
Z=$(zrzut imie-1)
oczekuj_koloru "the prompt" "$Z" 250 310 300 30 50 158 50 0 100
wcisnij_az Escape koniec
czekaj_na_koniec 10
[ "$(ile znikanie_obrazu)" = 0 ] || porazka "Escape in the name entry faded out to a game"

# --- Run 3: "2  GRACZY" asks for two names; the close button during the second ends the program.
uruchom_gre
kliknij_pozycje 2 imie_gracza
czekaj_klatki_po imie_gracza 25 10
P1=$(zrzut imie-gracza-1)
pisz ala
klawisz Return
czekaj_klatki 8
P2=$(zrzut imie-gracza-2)
# Only the player's number in the prompt changes ("... 1" to "... 2"), right of the prompt's centre.
[ "$(roznica "$P1" "$P2" 250 312 230 28)" = 0 ] || porazka "the prompt's words changed between the players"
[ "$(roznica "$P1" "$P2" 480 312 60 28)" -gt 20 ] || porazka "the prompt's number did not change for player 2"
zamknij_okno
czekaj_na_koniec 10
[ "$(ile znikanie_obrazu)" = 0 ] || porazka "the close request in the name entry faded out to a game"
log "two-player name entry asked for player 2; the close request ended it"

# --- Run 4: Escape in the menu.
uruchom_gre
wcisnij_az Escape koniec
czekaj_na_koniec 10

# --- Run 5: the close button in the menu.
uruchom_gre
zamknij_okno
czekaj_na_koniec 10
exit 0
