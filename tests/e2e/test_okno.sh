#!/bin/bash
# End to end: the window at other sizes and fullscreen: the picture scaled with its shape kept, the mouse mapped back, F11 and Alt+Enter, --fullscreen.
# A screen large enough for a 1600 x 1200 window with its frame.
X_EKRAN=2000x1400
. "$(dirname "$0")/lib.sh"

uruchom_x
przygotuj_katalog kotek lampa

# Resizes the window, or waits for a size the game asked for, and for frames drawn at it.
rozmiar() {  # WxH [resize]
    [ "${2:-}" = resize ] && xdotool windowsize "$OKNO" "${1%x*}" "${1#*x}"
    czekaj 10 "the window at $1 (it is $(geometria))" ma_geometrie "$1"
    czekaj_klatki 3
    sleep 0.2
}
# Where the 800 x 600 picture lies in a window of W x H: "scale x y w h".
obszar() {  # W H
    awk -v W="$1" -v H="$2" 'function r(v) { return int(v + 0.5) } BEGIN {
        s = W / 800 < H / 600 ? W / 800 : H / 600; w = r(800 * s); h = r(600 * s)
        printf "%s %d %d %d %d\n", s, int((W - w) / 2), int((H - h) / 2), w, h }'
}
# The screenshot holds the 800 x 600 menu picture scaled into its place on black: at a
# whole-number scale exactly, pixel for pixel; otherwise like a smooth resize of it, and no
# more than one pixel in 500 off by a fifth of the range.
sprawdz_obraz() {  # description, screenshot
    local W H s x y w h oczek n
    read -r W H <<<"$(identify -format '%w %h' "$2")"
    read -r s x y w h <<<"$(obszar "$W" "$H")"
    oczek="$E2E_KAT/_oczekiwany.png"
    if [ $((w % 800)) = 0 ] && [ $((w / 800 * 600)) = "$h" ]; then
        convert -size "${W}x${H}" xc:black \( "$MENU" -sample "${w}x${h}!" \) -geometry "+$x+$y" -composite "$oczek"
        n=$(compare -metric AE "$2" "$oczek" null: 2>&1)
        [ "$n" = 0 ] || porazka "$1: $n pixels differ from the menu enlarged to exact squares at ($x, $y)"
    else
        convert -size "${W}x${H}" xc:black \( "$MENU" -filter Triangle -resize "${w}x${h}!" \) -geometry "+$x+$y" -composite "$oczek"
        n=$(compare -metric AE -fuzz 20% "$2" "$oczek" null: 2>&1)
        [ "$n" -le $((W * H / 500)) ] || porazka "$1: $n pixels differ from the menu scaled by $s into ${w}x${h}+$x+$y"
    fi
    # The bars around the picture are black.
    [ "$x" -gt 0 ] && [ "$(ile_koloru "$2" 0 0 "$x" "$H" 0 0 0 0)" != $((x * H)) ] && porazka "$1: the left bar is not black"
    [ "$x" -gt 0 ] && [ "$(ile_koloru "$2" $((x + w)) 0 $((W - x - w)) "$H" 0 0 0 0)" != $(((W - x - w) * H)) ] &&
        porazka "$1: the right bar is not black"
    [ "$y" -gt 0 ] && [ "$(ile_koloru "$2" 0 0 "$W" "$y" 0 0 0 0)" != $((y * W)) ] && porazka "$1: the top bar is not black"
    [ "$y" -gt 0 ] && [ "$(ile_koloru "$2" 0 $((y + h)) "$W" $((H - y - h)) 0 0 0 0)" != $(((H - y - h) * W)) ] &&
        porazka "$1: the bottom bar is not black"
    # The title's pixels sit where the scale puts them: the game's (320, 228) 160 x 30.
    oczekuj_koloru "$1: the title" "$2" $(awk -v s="$s" -v x="$x" -v y="$y" \
        'BEGIN { printf "%d %d %d %d", x + 320 * s, y + 228 * s, 160 * s, 30 * s }') 22 122 22 12 $(awk -v s="$s" 'BEGIN { print int(20 * s * s) }')
    log "$1: the picture at ${w}x${h}+$x+$y (scale $s)"
}

# --- Run 1: resized to 1600 x 1200 and 1280 x 720, F11 in and out, Alt+Enter in the name entry.
uruchom_gre
rozmiar 800x600
mysz 700 100
czekaj_klatki 3
MENU=$(zrzut menu)

# Twice the size: every game pixel an exact 2 x 2 square.
rozmiar 1600x1200 resize
mysz 1400 200
czekaj_klatki 3
DUZY=$(zrzut 1600x1200)
sprawdz_obraz "1600x1200" "$DUZY"
# The mouse at twice the game's position lights the item; the hit area's edges hold to the pixel.
mysz 800 $((2 * 301))
czekaj_klatki 3
read -r zmienione obszar_zmian <<<"$(zmiany "$DUZY" "$(zrzut nad-1)")"
[ "$obszar_zmian" = "368x48+620+578" ] || porazka "item 1 at 2x: the screen changed in $obszar_zmian, not in its band 368x48+620+578"
for p in "622 580 1" "621 580 0" "985 580 1" "986 580 0" "622 579 0" "622 625 1" "622 626 0"; do
    read -r x y lit <<<"$p"
    mysz "$x" "$y"
    czekaj_klatki 3
    n=$(roznica "$DUZY" "$(zrzut "nad-$x-$y")" 620 578 368 48)
    [ $((n > 0)) = "$lit" ] || porazka "the mouse at ($x, $y) of the 1600x1200 window: $n pixels of item 1 changed"
done
log "1600x1200: item 1 lights at the doubled position, and only inside its doubled area"
# A click at the doubled position acts: the rules page while the button is held.
read -r x y <<<"$(pozycja 3)"
mysz $((2 * x)) $((2 * y))
wcisnij_mysz 1
czekaj_na zasady_gry 1 10
pusc_mysz 1
mysz 1400 200
czekaj_na szykowanie_menu 2 10
czekaj_ukazania_po szykowanie_menu 45 10
log "a click at the doubled position opened the rules page"

# Fullscreen with F11: the whole screen, the picture scaled the same way; F11 again: the window back.
klawisz F11
rozmiar "$X_EKRAN"
sprawdz_obraz "fullscreen" "$(zrzut pelny)"
klawisz F11
rozmiar 1600x1200
sprawdz_obraz "back from fullscreen" "$(zrzut z-powrotem)"
# A tall window: the bars are above and below.
rozmiar 1000x1000 resize
sprawdz_obraz "1000x1000" "$(zrzut 1000x1000)"

# 1.2 times the size, with bars at the sides; the mouse is mapped, not read as game pixels.
rozmiar 1280x720 resize
MALY=$(zrzut 1280x720)
sprawdz_obraz "1280x720" "$MALY"
mysz 400 301
czekaj_klatki 3
[ "$(roznica "$MALY" "$(zrzut pod-400-301)" 0 0 1280 720)" = 0 ] || porazka "(400, 301) of the window lit something"
mysz 100 361
czekaj_klatki 3
[ "$(roznica "$MALY" "$(zrzut nad-paskiem)" 0 0 1280 720)" = 0 ] || porazka "the mouse over the left bar lit something"
read -r x y <<<"$(pozycja 1)"
mysz $((160 + x * 12 / 10)) $((y * 12 / 10))
czekaj_klatki 3
read -r zmienione obszar_zmian <<<"$(zmiany "$MALY" "$(zrzut nad-1-maly)")"
# The band 184 x 24 at (310, 289), scaled by 1.2 and shifted by the bar, give or take the filter's pixel.
read -r bw bh bx by <<<"$(echo "$obszar_zmian" | tr 'x+' '  ')"
[ $((bw >= 220 && bw <= 224 && bh >= 28 && bh <= 31 && bx >= 531 && bx <= 533 && by >= 345 && by <= 347)) = 1 ] ||
    porazka "item 1 at 1.2x: the screen changed in $obszar_zmian, not in its band about 221x29+532+347"
log "1280x720: item 1 lights at its scaled position, the bars and the unscaled position light nothing"

# Alt+Enter in the name entry switches fullscreen and neither types nor confirms the name.
wcisnij_mysz 1
czekaj_na imie_gracza 1 10
pusc_mysz 1
mysz 1200 100
czekaj_klatki_po imie_gracza 25 10
pisz ala
klawisz alt+Return
rozmiar "$X_EKRAN"
czekaj_klatki 10
klawisz alt+Return
rozmiar 1280x720
sleep 0.5
co_najmniej znikanie_obrazu 1 && porazka "Alt+Enter confirmed the name"
klawisz Return
czekaj_na gra 1 15
log "Alt+Enter switched fullscreen in the name entry without confirming the name; Enter did"
wcisnij_az Escape koniec
czekaj_na_koniec 10

# --- Run 2: --fullscreen starts fullscreen; F11 brings the 800 x 600 window (of a new player:
# the size run 1 left is not kept).
rm -rf "$XDG_CONFIG_HOME"
uruchom_gre --fullscreen
rozmiar "$X_EKRAN"
mysz 1900 100
czekaj_klatki 3
sprawdz_obraz "started fullscreen" "$(zrzut start-pelny)"
# The intro ran fullscreen, yet the picture it saved is the game's own.
[ "$(identify -format '%m %wx%h' "$E2E_PRACA/ekr.png")" = "PNG 800x600" ] || porazka "ekr.png is not the 800x600 picture"
klawisz F11
rozmiar 800x600
[ "$(zmiany "$MENU" "$(zrzut okno-po-starcie)")" = "0 -" ] || porazka "the 800x600 window after --fullscreen differs from the menu"
zamknij_okno
czekaj_na_koniec 10
exit 0
