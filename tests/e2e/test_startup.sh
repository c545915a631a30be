#!/bin/bash
# End-to-end tests of start-up and shutdown: the real game in a virtual X server with openbox (window title, intro, ekr.png, close request, signals, start-up faults).
# Usage: tests/e2e/test_startup.sh path/to/brolik   (from the repository root)
set -u
GRA=$(realpath "${1:?path of the game}")
cd "$(dirname "$0")/../.."
. tests/e2e/lib_start.sh
TYTUL=" Gra w/g teleturnieju 'Brolik'  (2018)"

# --- Without a display ----------------------------------------------------------------------------
nowy_katalog
(cd "$k" && env -u DISPLAY -u WAYLAND_DISPLAY ALSOFT_DRIVERS=null "$GRA" >"$k/wyjscie.txt" 2>&1)
s=$?
sprawdz "without a display the game exits with status 1 (got $s)" [ $s -eq 1 ]
sprawdz "without a display it says it cannot open one" grep -q "cannot open a display" "$k/wyjscie.txt"
sprawdz "without a display it writes no ekr.png" [ ! -e "$k/ekr.png" ]

# --- The command line, answered without a display ------------------------------------------------
(cd "$k" && env -u DISPLAY -u WAYLAND_DISPLAY "$GRA" --help >"$k/wyjscie.txt" 2>"$k/bledy.txt")
s=$?
sprawdz "--help exits with status 0 (got $s)" [ $s -eq 0 ]
for co in --fullscreen F11 Alt+Enter Escape "media/ in the working directory, else <dir of the executable>/../share/brolik/media"; do
    sprawdz "--help names $co" grep -qF -- "$co" "$k/wyjscie.txt"
done
sprawdz "--help writes nothing on stderr" [ ! -s "$k/bledy.txt" ]
wersja=$(cd "$k" && env -u DISPLAY -u WAYLAND_DISPLAY "$GRA" --version)
sprawdz "--version prints the version (\"$wersja\")" [ "$wersja" = "brolik 1.0.0" ]
(cd "$k" && env -u DISPLAY -u WAYLAND_DISPLAY "$GRA" --fulscreen >"$k/wyjscie.txt" 2>"$k/bledy.txt")
s=$?
sprawdz "an unknown option exits with status 2 (got $s)" [ $s -eq 2 ]
sprawdz "an unknown option is named on stderr with the usage" grep -q -- "--fulscreen" "$k/bledy.txt"
sprawdz "the usage goes to stderr then" grep -q -- "Usage: brolik" "$k/bledy.txt"
sprawdz "and nothing to stdout" [ ! -s "$k/wyjscie.txt" ]

start_x

# --- Start-up faults ---------------------------------------------------------------------------------
nowy_katalog
rm "$k/media/el.png"
(cd "$k" && ALSOFT_DRIVERS=null timeout 30 "$GRA" >"$k/wyjscie.txt" 2>&1)
s=$?
sprawdz "a missing media/el.png stops start-up with status 1 (got $s)" [ $s -eq 1 ]
sprawdz "the message names media/el.png" grep -q "media/el.png" "$k/wyjscie.txt"
sprawdz "nothing is written when start-up stops" [ "$(ls "$k")" = "media
wyjscie.txt" ]

nowy_katalog
rm "$k/media/s3.ogg"
printf 'OggS but not really\n' >"$k/media/s3.ogg"
(cd "$k" && ALSOFT_DRIVERS=null timeout 30 "$GRA" >"$k/wyjscie.txt" 2>&1)
s=$?
sprawdz "an undecodable media/s3.ogg stops start-up with status 1 (got $s)" [ $s -eq 1 ]
sprawdz "the message names media/s3.ogg" grep -q "media/s3.ogg" "$k/wyjscie.txt"
sprawdz "no ekr.png after a failed start-up" [ ! -e "$k/ekr.png" ]

nowy_katalog
rm "$k/media/data_lista.txt"
printf 'kotek\r\nlampa\r\nkot\r\nZZZ\r\n' >"$k/media/data_lista.txt"
(cd "$k" && ALSOFT_DRIVERS=null timeout 30 "$GRA" >"$k/wyjscie.txt" 2>&1)
s=$?
sprawdz "a three-letter word on line 3 stops start-up with status 1 (got $s)" [ $s -eq 1 ]
sprawdz "the message names the list and line 3" grep -q "media/data_lista.txt: line 3:" "$k/wyjscie.txt"

# --- A normal run ended by the window's close button ------------------------------------------------
nowy_katalog
uruchom_gre "$k" ALSOFT_DRIVERS=null
okno=$(okno_gry 20)
sprawdz "a window opens" [ -n "$okno" ]
if [ -n "$okno" ]; then
    # The window is mapped under the program's name and titled a moment later.
    nazwa=$(tytul_okna "$okno" "$TYTUL" 5)
    sprawdz "the window is titled exactly \"$TYTUL\" (xdotool: \"$nazwa\")" [ "$nazwa" = "$TYTUL" ]
    wm_name=$(xprop -id "$okno" _NET_WM_NAME 2>/dev/null | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p')
    sprawdz "its _NET_WM_NAME is the same title (\"$wm_name\")" [ "$wm_name" = "$TYTUL" ]
    geometria=$(xdotool getwindowgeometry "$okno" 2>/dev/null | sed -n 's/.*Geometry: //p')
    sprawdz "the window is 800x600 (got $geometria)" [ "$geometria" = "800x600" ]
    ikony=$(xprop -id "$okno" -notype _NET_WM_ICON 2>/dev/null | grep -o 'Icon ([0-9]* x [0-9]*)' | tr -dc '0-9x\n' | tr '\n' ' ')
    sprawdz "the window carries the game's icon at 16, 32, 48 and 128 px (got: $ikony)" [ "$ikony" = "16x16 32x32 48x48 128x128 " ]
fi
sprawdz "the intro starts (trace: pocz)" czekaj_na_slad pocz 20 "$k/slad.txt"
od=$(linia_sladu pocz "$k/slad.txt")
sprawdz "frames of the intro reach the window (trace: present after pocz)" czekaj_na_slad present 10 "$k/slad.txt" "${od:-1}"
sprawdz "the intro writes ekr.png" czekaj_na_plik "$k/ekr.png" 20
# The file appears when its writing starts.
if [ -e "$k/ekr.png" ] && command -v identify >/dev/null; then
    sprawdz "ekr.png is an 800x600 PNG" x_czekaj 10 sh -c "[ \"\$(identify -format '%m %wx%h' '$k/ekr.png' 2>/dev/null)\" = 'PNG 800x600' ]"
fi
if kill -0 "$gra_pid" 2>/dev/null; then
    zamknij_okno "$okno"
    czekaj_na_koniec 15
    sprawdz "after a close request the game exits with status 0 (got $status_gry)" [ "$status_gry" -eq 0 ]
else
    czekaj_na_koniec 1
    echo "note - the game ended by itself after the intro (no menu yet); checking its exit"
    sprawdz "the game exits with status 0 (got $status_gry)" [ "$status_gry" -eq 0 ]
fi
sprawdz "shutdown ran (trace: koniec)" grep -q ' koniec$' "$k/slad.txt"
sprawdz "ekr.png is gone after shutdown" [ ! -e "$k/ekr.png" ]
sprawdz "the intro played s7 three times" [ "$(grep -c ' sound s7$' "$k/slad.txt")" -eq 3 ]
sprawdz "the working directory holds nothing new" [ "$(ls "$k" | tr '\n' ' ')" = "media slad.txt wyjscie.txt " ]

# --- SIGTERM and SIGHUP while the game waits in the menu, SIGINT during the intro ------------------
for sygnal in TERM HUP INT; do
    nowy_katalog
    # a missing icon size costs only that size: the game warns and plays on
    [ $sygnal = INT ] && rm "$k/media/ikona_48.png"
    uruchom_gre "$k" ALSOFT_DRIVERS=null
    if [ $sygnal != INT ]; then
        czekaj_na_slad menu 20 "$k/slad.txt"
    else
        czekaj_na_slad pocz 20 "$k/slad.txt"
    fi
    kill -$sygnal "$gra_pid" 2>/dev/null
    czekaj_na_koniec 15
    sprawdz "SIG$sygnal: the game exits in order, with status 0 (got $status_gry)" wyszla_po_sygnale $sygnal "$status_gry" "$k"
    [ "$status_gry" -ne 0 ] || sprawdz "SIG$sygnal: shutdown ran (trace: koniec)" grep -q ' koniec$' "$k/slad.txt"
    sprawdz "SIG$sygnal: ekr.png is gone" [ ! -e "$k/ekr.png" ]
    if [ $sygnal = INT ]; then
        sprawdz "without media/ikona_48.png the game only warns, naming it" grep -q "warning: media/ikona_48.png" "$k/wyjscie.txt"
    fi
done

# --- A signal always ends the game: the information page held with the mouse, then SIGTERM -----------
# The page may wait for the button to be let go; the game must still end 3 s after the signal, by
# its watchdog, which says so, and at once, without it, on a second signal. Which way out was
# taken tells them apart; the 10 s allowed only catch a hang.
for signaly in 1 2; do
    nowy_katalog
    uruchom_gre "$k" ALSOFT_DRIVERS=null
    okno=$(okno_gry 20)
    czekaj_na_slad menu 20 "$k/slad.txt"
    xdotool mousemove --window "$okno" 400 450 mousedown 1
    czekaj_na_slad info 10 "$k/slad.txt"
    t0=$(date +%s%N)
    kill -TERM "$gra_pid"
    [ $signaly = 2 ] && sleep 0.2 && kill -TERM "$gra_pid"
    czekaj_na_koniec 10
    ms=$((($(date +%s%N) - t0) / 1000000))
    xdotool mouseup 1
    inaczej=("by the watchdog no sooner than 3 s" "[ $ms -ge 2900 ] && grep -q") # one signal
    [ $signaly = 1 ] || inaczej=("at once on the second" "! grep -q")
    sprawdz "$signaly SIGTERM on a held page: the game ends in order (status 0), or ${inaczej[0]} (status $status_gry, $ms ms)" \
        sh -c "[ $status_gry -eq 0 ] || { [ $status_gry -eq 143 ] && ${inaczej[1]} 'no orderly exit after the signal' '$k/wyjscie.txt'; }"
    sprawdz "$signaly SIGTERM on a held page: ekr.png is gone" [ ! -e "$k/ekr.png" ]
done

# --- The X server goes away under a running game -----------------------------------------------------
# A server of its own, so the rest of the tests keep theirs.
kx=$(mktemp -d /tmp/brolik-e2e-x-XXXXXX)
katalogi+=("$kx")
wspolny_display=$DISPLAY
if x_start "$kx"; then
    nowy_katalog
    uruchom_gre "$k" ALSOFT_DRIVERS=null
    czekaj_na_slad menu 20 "$k/slad.txt"
    kill -KILL "$X_XVFB_PID" 2>/dev/null
    czekaj_na_koniec 15
    kill "$X_WM_PID" 2>/dev/null
    sprawdz "the X server gone: the game exits with status 1 (got $status_gry)" [ "$status_gry" -eq 1 ]
    sprawdz "the X server gone: it says the display is lost" grep -q "connection to the display server is lost" "$k/wyjscie.txt"
    sprawdz "the X server gone: ekr.png is gone" [ ! -e "$k/ekr.png" ]
else
    zle "a second X server for the lost-server case: $X_BLAD"
fi
export DISPLAY=$wspolny_display

wynik
