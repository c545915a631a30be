#!/bin/bash
# End to end: a whole one-player game from "1 GRACZ" through ten words and the final to the end screen, its total into the table of best results, back to the menu and out by "WYJSCIE", and the table found again on the next start.
. "$(dirname "$0")/lib.sh"

# Two words, both with Polish letters: "łódka" and "żabka". Whichever is the password, typing
# one and then the other completes it, and "łódka" typed against "żabka" leaves k and a exact.
A="łódka"
B="żabka"
plan() {  # word, try
    case "$1:$2" in
    0:0) echo "kotek>$A" ;;  # a five-letter word outside the list first
    1:0) echo "-" ;;         # the second word starts with a time-out
    *:0 | 1:1) echo "$A" ;;
    *) echo "$B" ;;
    esac
}

uruchom_x
przygotuj_katalog LOdka Zabka
uruchom_gre
mysz 700 100
sleep 0.2
MENU=$(zrzut menu)

kliknij_pozycje 1 imie_gracza
czekaj_klatki_po imie_gracza 22 10
pisz ala
klawisz Return
czekaj_na gra 1 15
log "name entered, game started"

# Main stage: the first word, with the refusal and the colouring of a wrong guess.
KOLORY_SPRAWDZONE=0
graj_do 'gratulacje|to_jest_haslo' 60
[ "${ODMOWY:-0}" = 1 ] || porazka "the refused word was not shown as refused"
# Second word: the time-out comes first.
graj_do 'koniec_czasu' 60
Z=$(zrzut koniec-czasu)
oczekuj_koloru "\"Koniec czasu\"" "$Z" 32 500 338 40 200 44 44 10 40
log "time-out shown"

# The rest of the main stage and the final; after each wrong first guess the tiles are checked.
sprawdz_kolory() {
    # Guess "łódka" against "żabka": ł, ó, d blue; k, a red (the tile's corner, left of the glyph).
    local z i r g b wiersz=$1
    z=$(zrzut kolory)
    for i in 0 1 2 3 4; do
        read -r r g b <<<"$(piksel "$z" $((32 + 69 * i)) $((125 + 69 * wiersz + 30)))"
        if [ $i -le 2 ]; then
            [ $((b - r)) -gt 40 ] || porazka "tile $i of row $wiersz is not blue: ($r,$g,$b)"
        else
            [ $((r - b)) -gt 40 ] && [ $((r - g)) -gt 40 ] || porazka "tile $i of row $wiersz is not red: ($r,$g,$b)"
        fi
    done
    KOLORY_SPRAWDZONE=$((KOLORY_SPRAWDZONE + 1))
    log "tiles of \"łódka\" against \"żabka\": blue, blue, blue, red, red"
}
przed_proba() {
    # A second try (not after the time-out) means the first guess, "łódka", was wrong.
    if [ "$PROBA" = 1 ] && [ "$SLOWO" != 1 ] && [ "$KOLORY_SPRAWDZONE" -lt 2 ]; then sprawdz_kolory 0; fi
}
graj_do koniec_fin 400
log "end of game after $SLOWO words"
[ "$SLOWO" -ge 11 ] || porazka "the game ended after $SLOWO words, before the final"
co_najmniej final_pocz 1 || porazka "no final"
[ "$(ile los_kul)" -ge 9 ] || porazka "only $(ile los_kul) ball draws in the main stage"
co_najmniej "sound s4" 1 || porazka "no ball was drawn"
[ "$(ile gratulacje)" -ge 10 ] || porazka "only $(ile gratulacje) words guessed"
[ "$(ile imie_gracza)" = 1 ] || porazka "the name entry ran $(ile imie_gracza) times"
[ "$KOLORY_SPRAWDZONE" -ge 1 ] || log "note: the password was never \"żabka\" at a first guess; tiles not checked"

# The end screen, once its frame has grown (300 frames).
czekaj_klatki_po koniec_fin 305 30
sleep 0.2
KONIEC=$(zrzut ekran-konca)
oczekuj_koloru "\"Koniec gry\"" "$KONIEC" 200 235 400 45 0 110 210 6 150
oczekuj_koloru "the winnings" "$KONIEC" 100 280 600 45 66 188 66 6 200
oczekuj_koloru "\" Enter to MENU \"" "$KONIEC" 250 335 300 30 133 133 133 6 50
# Alt+Enter, held long enough for the game to poll it, switches fullscreen and does not leave the end screen.
xdotool keydown alt keydown Return
sleep 0.3
xdotool keyup Return keyup alt
czekaj 10 "fullscreen after Alt+Enter" ma_geometrie 1024x768
klawisz alt+Return
czekaj 10 "the window back after Alt+Enter" ma_geometrie 800x600
czekaj_klatki 20
[ "$(ile szykowanie_menu)" = 1 ] || porazka "Alt+Enter left the end screen"
log "Alt+Enter on the end screen: fullscreen and back, still on the end screen"
# Enter: the total enters the empty table of best results, shown with its row lit before the menu.
wcisnij_az Return najlepsze_wyniki
czekaj_klatki_po ukazywanie_obrazu 40 10
WYNIKI=$(zrzut wyniki-po-grze)
oczekuj_koloru "the table's title" "$WYNIKI" 200 4 400 50 55 155 155 12 200
oczekuj_koloru "the player's name in the first row" "$WYNIKI" 175 80 250 36 140 160 10 12 50
klawisz Return
czekaj_na szykowanie_menu 2 10
czekaj_klatki_po ukazywanie_obrazu 45 10
sleep 0.2
Z=$(zrzut menu-po-grze)
[ "$(zmiany "$MENU" "$Z")" = "0 -" ] || porazka "the menu after the game differs from the first one: $(zmiany "$MENU" "$Z")"
log "Enter on the end screen: back to the menu"
kliknij_pozycje 5 koniec
czekaj_na_koniec 15

# Started again, the table kept holds the total under the player's name; W shows it, not lit now.
TABELA="$XDG_DATA_HOME/brolik/wyniki.txt"
grep -qP '^[1-9][0-9]*\t[0-9]{4}-[0-9]{2}-[0-9]{2}\tAla$' "$TABELA" || porazka "no entry for Ala in $TABELA"
uruchom_gre
klawisz w
czekaj_na najlepsze_wyniki 1 10
czekaj_klatki_po ukazywanie_obrazu 40 10
ZNOWU=$(zrzut wyniki-znowu)
oczekuj_koloru "the player's name kept" "$ZNOWU" 175 80 250 36 140 160 10 12 50
[ "$(jasnosc "$WYNIKI" 430 84 20 28)" -gt "$(($(jasnosc "$ZNOWU" 430 84 20 28) + 10))" ] ||
    porazka "the new entry's row was not lit after the game, or is lit still"
log "the total entered the table ($(grep Ala "$TABELA" | cut -f1) zł) and is there on the next start"
klawisz Escape
czekaj_na_koniec 15
exit 0
