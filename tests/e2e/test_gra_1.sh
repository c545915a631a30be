#!/bin/bash
# End to end: a whole one-player game from "1 GRACZ" through ten words and the final to the end screen, its total into the table of best results, back to the menu and out by "WYJSCIE", and the table found again on the next start; and a game's first words, with a refused word and a time-out.
# Cases: poczatek cala
. "$(dirname "$0")/lib.sh"

# Two words, both with Polish letters: "łódka" and "żabka". Whichever is the password, typing
# one and then the other completes it, and "łódka" typed against "żabka" leaves k and a exact.
A="łódka"
B="żabka"

uruchom_x
przygotuj_katalog LOdka Zabka
uruchom_gre
mysz 700 100
czekaj_klatki 3
MENU=$(zrzut menu)

kliknij_pozycje 1 imie_gracza
czekaj_klatki_po imie_gracza 22 10
pisz ala
klawisz Return
czekaj_na gra 1 15
log "name entered, game started"

# After each wrong first guess the tiles are checked (at most twice).
KOLORY_SPRAWDZONE=0
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

# The first word starts with a five-letter word outside the list, the second with a time-out;
# both are then guessed. Escape leaves from the second word's ball draw.
przypadek_poczatek() {
    plan() {  # word, try
        case "$1:$2" in
        0:0) echo "kotek>$A" ;;
        1:0) echo "-" ;;
        *:0 | 1:1) echo "$A" ;;
        *) echo "$B" ;;
        esac
    }
    graj_do 'gratulacje|to_jest_haslo' 60
    [ "${ODMOWY:-0}" = 1 ] || porazka "the refused word was not shown as refused"
    graj_do 'koniec_czasu' 60
    czekaj 10 "\"Koniec czasu\" shown" po_czasie present "$(grep -E '^[0-9.]+ koniec_czasu$' "$E2E_SLAD" | tail -n1 | cut -d' ' -f1)"
    Z=$(zrzut koniec-czasu)
    oczekuj_koloru "\"Koniec czasu\"" "$Z" 32 500 338 40 200 44 44 10 40
    log "time-out shown"
    graj_do 'gratulacje|to_jest_haslo' 60
    [ "$SLOWO" = 2 ] || porazka "the word after the time-out was not guessed"
    wcisnij_az Escape koniec
    czekaj_na_koniec 15
}

# Every word guessed at the first or second try, through the final to the end screen.
przypadek_cala() {
    plan() { if [ "$2" = 0 ]; then echo "$A"; else echo "$B"; fi; }
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
    czekaj_klatki 2
    KONIEC=$(zrzut ekran-konca)
    oczekuj_koloru "\"Koniec gry\"" "$KONIEC" 200 235 400 45 0 110 210 6 150
    oczekuj_koloru "the winnings" "$KONIEC" 100 280 600 45 66 188 66 6 200
    oczekuj_koloru "\" Enter to MENU \"" "$KONIEC" 250 335 300 30 133 133 133 6 50
    # Alt+Enter, held until the window is fullscreen, switches fullscreen and does not leave the end screen.
    xdotool keydown alt keydown Return
    czekaj 10 "fullscreen after Alt+Enter" ma_geometrie 1024x768
    xdotool keyup Return keyup alt
    klawisz alt+Return
    czekaj 10 "the window back after Alt+Enter" ma_geometrie 800x600
    czekaj_klatki 20
    [ "$(ile szykowanie_menu)" = 1 ] || porazka "Alt+Enter left the end screen"
    log "Alt+Enter on the end screen: fullscreen and back, still on the end screen"
    # Enter: the total enters the empty table of best results, shown with its row lit before the menu.
    wcisnij_az Return najlepsze_wyniki
    czekaj_ukazania_po najlepsze_wyniki 40 10
    WYNIKI=$(zrzut wyniki-po-grze)
    oczekuj_koloru "the table's title" "$WYNIKI" 200 4 400 50 55 155 155 12 200
    oczekuj_koloru "the player's name in the first row" "$WYNIKI" 175 80 250 36 140 160 10 12 50
    klawisz Return
    czekaj_na szykowanie_menu 2 10
    czekaj_ukazania_po szykowanie_menu 45 10
    czekaj_klatki 2
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
    czekaj_ukazania_po najlepsze_wyniki 40 10
    ZNOWU=$(zrzut wyniki-znowu)
    oczekuj_koloru "the player's name kept" "$ZNOWU" 175 80 250 36 140 160 10 12 50
    [ "$(jasnosc "$WYNIKI" 430 84 20 28)" -gt "$(($(jasnosc "$ZNOWU" 430 84 20 28) + 10))" ] ||
        porazka "the new entry's row was not lit after the game, or is lit still"
    log "the total entered the table ($(grep Ala "$TABELA" | cut -f1) zł) and is there on the next start"
    klawisz Escape
    czekaj_na_koniec 15
}

"przypadek_$2"
exit 0
