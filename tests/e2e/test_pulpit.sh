#!/bin/bash
# End to end: the desktop's accidents: a window over the game closed, the game minimised and restored, a second copy in the same folder, Alt+Tab in the name entry, a full file system.
. "$(dirname "$0")/lib.sh"

uruchom_x
przygotuj_katalog kotek
PELNY="$E2E_KAT/pelny"
trap 's=$?; mountpoint -q "$PELNY" && umount "$PELNY"; (exit $s); sprzatanie' EXIT

# The window shows the menu exactly as it was first shown. (The waits below allow 10 s: they catch a
# picture never made whole, not a slow machine.)
caly() { import -window "$1" "png:$E2E_KAT/_teraz.png" 2>/dev/null && [ "$(roznica "$MENU" "$E2E_KAT/_teraz.png" 0 0 800 600)" = 0 ]; }
# Nothing written to the trace for half a second: no frame presented, not even a note.
cisza() { local n; n=$(stat -c %s "$E2E_SLAD"); sleep 0.5; [ "$(stat -c %s "$E2E_SLAD")" = "$n" ]; }
# The typed name in yellow over the darkened screen of the name entry, no orange of the menu left.
imie_widac() { local z; z=$(zrzut imie); [ "$(ile_koloru "$z" 280 349 240 34 140 160 10 40)" -ge 20 ] &&
    [ "$(ile_koloru "$z" 300 490 200 24 222 99 9 10)" = 0 ]; }

uruchom_gre
xdotool windowmove "$OKNO" 0 0
mysz 700 100
czekaj_klatki 3
MENU=$(zrzut menu)

# --- A window over the game closed while another has the focus: only an expose tells the game.
display -title zaslona -geometry 1024x768+0+0 -size 1024x768 xc:white &
ZASLONA=$!
display -title inne -geometry 60x60+950+700 -size 60x60 xc:gray &
INNE_PID=$!
xdotool search --sync --onlyvisible --name '^zaslona$' >/dev/null
xdotool windowfocus --sync "$(xdotool search --sync --onlyvisible --name '^inne$' | head -n1)"
kill "$ZASLONA"
czekaj 10 "the picture whole again after the window over it closed" caly "$OKNO"
# --- Minimised, the game presents nothing; restored, its picture is whole again.
xdotool windowminimize --sync "$OKNO"
czekaj 10 "no presents while minimised" cisza
xdotool windowactivate --sync "$OKNO"
czekaj 10 "the picture whole again after a restore" caly "$OKNO"
log "uncovered, and restored: the picture whole; minimised: nothing presented"

# --- A second copy in the same folder writes its own ekr.png: both menus stay whole.
(cd "$E2E_PRACA" && exec env BROLIK_TRACE="$E2E_KAT/slad2" ALSOFT_DRIVERS=null "$E2E_GRA" >/dev/null 2>&1) &
DRUGA=$!
czekaj 20 "the second copy's window" sh -c "xdotool search --name 'Gra w/g teleturnieju' | grep -vqx $OKNO"
OKNO2=$(xdotool search --name "Gra w/g teleturnieju" | grep -vx "$OKNO" | head -n1)
xdotool windowmove "$OKNO2" 224 168 mousemove 1020 5
czekaj 20 "the second copy's menu whole" caly "$OKNO2"
xdotool windowactivate --sync "$OKNO"
kliknij_pozycje 3 zasady_gry
czekaj_na szykowanie_menu 2 10
czekaj_ukazania_po szykowanie_menu 45 10
caly "$OKNO" || porazka "the first copy's menu is not whole after the second wrote ekr.png"
kill "$DRUGA"
wait "$DRUGA" || porazka "the second copy ended with status $?"

# --- Alt+Tab away and back in one chord in the name entry: the window manager takes Alt's release
# and the game keeps its focus. Enter then confirms the name.
kliknij_pozycje 1 imie_gracza
czekaj_klatki_po imie_gracza 25 10
pisz ewa
xdotool keydown alt key Tab key Tab keyup alt
czekaj 10 "the name entry to have the focus back" sh -c "[ \$(xdotool getactivewindow) = $OKNO ]"
klawisz Return
czekaj_na gra 1 10
ma_geometrie 800x600 || porazka "Enter after Alt+Tab switched to fullscreen"
wcisnij_az Escape koniec
czekaj_na_koniec 10

# --- A full file system: ekr.png cannot be written, and the screen still takes drawing.
mkdir -p "$PELNY"
if mount -t tmpfs -o size=256k tmpfs "$PELNY" 2>/dev/null || { truncate -s 1M "$E2E_KAT/pelny.img" &&
    mkfs.ext2 -q "$E2E_KAT/pelny.img" && mount -o loop "$E2E_KAT/pelny.img" "$PELNY" && rmdir "$PELNY/lost+found"; } 2>/dev/null; then
    cp -a "$E2E_PRACA/." "$PELNY/"
    head -c 2M /dev/zero >"$PELNY/media/zapelnienie" 2>/dev/null
    E2E_PRACA=$PELNY
    uruchom_gre
    grep -q "cannot write ekr.png" "$E2E_KAT/stderr" || porazka "no warning that ekr.png cannot be written"
    xdotool windowmove "$OKNO" 0 0
    mysz 700 100
    czekaj 10 "the menu whole on a full file system" caly "$OKNO"
    kliknij_pozycje 1 imie_gracza
    czekaj_klatki_po imie_gracza 25 10
    pisz ewa
    czekaj 10 "the typed name shown" imie_widac
    wcisnij_az Escape koniec
    czekaj_na_koniec 10
else
    log "SKIPPED the full file system: neither a tmpfs nor a loop file system can be mounted here (needs root)"
fi
kill "$INNE_PID"
exit 0
