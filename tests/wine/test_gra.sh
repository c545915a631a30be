#!/bin/bash
# End to end under Wine: the Windows zip unpacked into a folder with Polish letters; its menu against the Linux build's, a name, a try with coloured tiles, Escape, and a missing media file.
# Usage (from the repository root): tests/wine/test_gra.sh LINUX_GAME WINDOWS_BUILD_DIR
. "$(dirname "$0")/../e2e/lib.sh"
WINE_BUDOWA=$(readlink -f "${2:?Windows build folder}")
. "$(dirname "$0")/wine.sh"
PACZKA=$(ls "$WINE_BUDOWA"/brolik-*-windows-x64.zip 2>/dev/null | head -n1)
[ -n "$PACZKA" ] || porazka "no zip in $WINE_BUDOWA (tools/windows.sh makes it)"
TEMP_WINE="$WINEPREFIX/drive_c/users/$(id -un)/Temp"

uruchom_x

# --- The Linux build's menu, the picture to compare with, and its message for a missing el.png.
przygotuj_katalog LOdka Zabka
uruchom_gre
mysz 700 100
czekaj_klatki 3
MENU_LINUX=$(zrzut menu-linux)
wcisnij_az Escape koniec
czekaj_na_koniec 15
rm "$E2E_PRACA/media/el.png"
(cd "$E2E_PRACA" && "$E2E_GRA" 2>"$E2E_KAT/linux-bez-el.txt")
[ $? = 1 ] || porazka "the Linux build did not end with status 1 without el.png"

# --- The zip unpacked as a player would, into a folder whose name has Polish letters.
GRY="$E2E_KAT/Gry/Łamigłówki"
mkdir -p "$GRY"
unzip -q "$PACZKA" -d "$GRY"
FOLDER="$GRY/Brolik"
printf '%s\r\n' LOdka Zabka ZZZ >"$FOLDER/media/data_lista.txt"
ZAWARTOSC=$(cd "$FOLDER" && find . | sort)
ls "$TEMP_WINE" 2>/dev/null | grep -q ekr && porazka "a scratch picture is already in Wine's temporary folder"

# Starts brolik.exe in its folder, as a double-click does; more environment as NAME=value arguments.
uruchom_exe() {
    rm -f "$E2E_SLAD"
    (cd "$FOLDER" && exec env BROLIK_TRACE="$E2E_SLAD" "$@" "$WINE" brolik.exe >"$E2E_KAT/stdout" 2>"$E2E_KAT/stderr") &
    GRA_PID=$!
}
# Wine draws the window's frame inside its X window: the picture is the 800 x 600 in the middle.
zrzut_exe() {
    local g w h p
    g=$(geometria)
    w=${g%x*} h=${g#*x}
    p=$(zrzut "$1")
    convert "$p" -crop "800x600+$(((w - 800) / 2))+$(((h - 600) / 2))" +repage "$p"
    echo "$p"
}

START=$(date +%s.%N)
uruchom_exe
czekaj 120 "the window of brolik.exe" sh -c 'xdotool search --name "Gra w/g teleturnieju" >/dev/null 2>&1'
OKNO=$(xdotool search --name "Gra w/g teleturnieju" | head -n1)
czekaj_na szykowanie_menu 1 120
log "menu reached $(awk -v a="$START" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }') s after the start under Wine"
czekaj_klatki_po ukazywanie_obrazu 45 60
xdotool windowactivate --sync "$OKNO" >/dev/null 2>&1 || xdotool windowfocus --sync "$OKNO"
[ "$(xdotool getwindowname "$OKNO")" = " Gra w/g teleturnieju 'Brolik'  (2018)" ] ||
    porazka "window title is '$(xdotool getwindowname "$OKNO")'"
mysz 700 100
czekaj_klatki 3
MENU_WINE=$(zrzut_exe menu-wine)
# The same picture but for the fonts' smoothing (another FreeType): few pixels off, none by much.
ROZNE=$(compare -metric AE -fuzz 12% "$MENU_LINUX" "$MENU_WINE" null: 2>&1 | cut -d' ' -f1)
[ "$ROZNE" -le 400 ] || porazka "the menu under Wine differs from Linux's in $ROZNE pixels (beyond 12 %)"
SREDNIA=$(compare -metric MAE "$MENU_LINUX" "$MENU_WINE" null: 2>&1 | sed -E 's/.*\((.*)\).*/\1/')
awk -v m="$SREDNIA" 'BEGIN { exit !(m < 0.01) }' || porazka "the menus differ on average by $SREDNIA"
log "menu as on Linux: $ROZNE pixels off by more than 12 %, mean difference $SREDNIA"

kliknij_pozycje 1 imie_gracza
czekaj_klatki_po imie_gracza 22 60
pisz ola
klawisz Return
czekaj_na gra 1 60
czekaj_na spacja 1 60
wcisnij_az space "sound s3" 60
czekaj_na wpisywanie_z_klawiatury 1 60
# One letter at a time, each once its click shows the game took the one before (a loaded machine
# can stretch the pause after a letter past the next one's arrival); AltGr is held a moment around
# its letter, as a finger holds it: a modifier pressed and released at once can escape Wine.
for litera in AltGr+l AltGr+o d k a; do
    n=$(ile "sound s9")
    case "$litera" in
    AltGr+*)
        xdotool keydown ISO_Level3_Shift
        sleep 0.2
        klawisz "${litera#AltGr+}"
        sleep 0.2
        xdotool keyup ISO_Level3_Shift
        ;;
    *) klawisz "$litera" ;;
    esac
    czekaj 30 "the letter $litera to be taken" co_najmniej "sound s9" $((n + 1))
done
zrzut wpisane >/dev/null
# Coloured: the next try, or the word guessed.
czekaj 60 "the tiles of the first try" sh -c "[ \$(grep -c -E ' (wpisywanie_z_klawiatury|gratulacje)\$' '$E2E_SLAD') -ge 2 ]"
czekaj_klatki 3
Z=$(zrzut_exe kafelki)
# Against "żabka": ł, ó, d blue, then k, a red; against "łódka" itself all five red.
if co_najmniej gratulacje 1; then KOLORY="r r r r r"; else KOLORY="b b b r r"; fi
i=0
for k in $KOLORY; do
    read -r r g b <<<"$(piksel "$Z" $((32 + 69 * i)) 155)"
    if [ "$k" = r ]; then
        [ $((r - b)) -gt 40 ] && [ $((r - g)) -gt 40 ] || porazka "tile $i is not red: ($r,$g,$b)"
    else
        [ $((b - r)) -gt 40 ] || porazka "tile $i is not blue: ($r,$g,$b)"
    fi
    i=$((i + 1))
done
log "\"łódka\" typed: tiles $KOLORY"

wcisnij_az Escape koniec
czekaj 60 "the game to end" sh -c "! kill -0 $GRA_PID 2>/dev/null"
wait "$GRA_PID"
STATUS_GRY=$?
GRA_PID=""
[ "$STATUS_GRY" = 0 ] || porazka "brolik.exe ended with status $STATUS_GRY after Escape"
[ "$(tail -n1 "$E2E_SLAD" | cut -d' ' -f2)" = exit ] || porazka "the trace does not end with the shutdown"
[ "$(cd "$FOLDER" && find . | sort)" = "$ZAWARTOSC" ] ||
    porazka "the folder changed: $(diff <(echo "$ZAWARTOSC") <(cd "$FOLDER" && find . | sort) | grep '^[<>]')"
ls "$TEMP_WINE" 2>/dev/null | grep -q ekr && porazka "the scratch picture is left in Wine's temporary folder"
log "Escape: status 0, the folder as unpacked, no scratch picture left"

# --- A missing el.png: the Linux message on stderr (BROLIK_STDERR) and status 1; without it, a message box.
rm "$FOLDER/media/el.png"
uruchom_exe BROLIK_STDERR=1
czekaj 60 "the game to end" sh -c "! kill -0 $GRA_PID 2>/dev/null"
wait "$GRA_PID"
STATUS_GRY=$?
GRA_PID=""
[ "$STATUS_GRY" = 1 ] || porazka "without el.png brolik.exe ended with status $STATUS_GRY"
[ "$(tr -d '\r' <"$E2E_KAT/stderr" | grep '^brolik: ')" = "$(grep '^brolik: ' "$E2E_KAT/linux-bez-el.txt")" ] ||
    porazka "the message is '$(cat "$E2E_KAT/stderr")', on Linux '$(cat "$E2E_KAT/linux-bez-el.txt")'"
# The box, into OKNO: the small window of that title (the search ignores case, and the game's
# window may be up, as "brolik").
znajdz_komunikat() {
    local w
    for w in $(xdotool search --name "^Brolik$" 2>/dev/null); do
        [ "$(xdotool getwindowgeometry "$w" | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')" -lt 600 ] && OKNO=$w && return 0
    done
    return 1
}
# Started from another folder, as a shortcut may: the media are found beside the program.
mkdir -p "$E2E_KAT/inny"
(cd "$E2E_KAT/inny" && exec env BROLIK_TRACE="$E2E_SLAD" "$WINE" "$FOLDER/brolik.exe" >"$E2E_KAT/stdout" 2>"$E2E_KAT/stderr") &
GRA_PID=$!
czekaj 60 "the message box" znajdz_komunikat
zrzut komunikat >/dev/null
xdotool windowactivate --sync "$OKNO" >/dev/null 2>&1
klawisz Return
czekaj 60 "the game to end" sh -c "! kill -0 $GRA_PID 2>/dev/null"
wait "$GRA_PID"
STATUS_GRY=$?
GRA_PID=""
[ "$STATUS_GRY" = 1 ] || porazka "after the message box brolik.exe ended with status $STATUS_GRY"
grep -q 'Łamigłówki.Brolik.media.el\.png: missing' "$E2E_KAT/stderr" || porazka "from another folder: $(cat "$E2E_KAT/stderr")"
log "without el.png: the message; from another folder \"$(tr -d '\r' <"$E2E_KAT/stderr" | grep 'el.png')\" in a box; status 1"
"$WINESERVER" -w 2>/dev/null || true
exit 0
