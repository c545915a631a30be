# Shared functions of the end-to-end tests: an X server with a window manager, the game in a scratch directory, its trace, input and screenshots.
# Sourced by tests/e2e/test_*.sh, which get the game's path as $1 (and a case as $2) and run from the repository root.

set -u

. "$(dirname "${BASH_SOURCE[0]}")/lib_x.sh"
e2e_przypadki "$@"

E2E_GRA=$(readlink -f "${1:?path of the game}")
E2E_ZRODLA=$(pwd)
E2E_KAT=$(mktemp -d /tmp/brolik-e2e-XXXXXX)
E2E_PRACA="$E2E_KAT/praca"
E2E_SLAD="$E2E_KAT/slad"
E2E_NAZWA=$(basename "$0" .sh)${2:+:$2}
E2E_POCZATEK=$(date +%s.%N)
XVFB_PID=""
WM_PID=""
GRA_PID=""
OKNO=""
STATUS_GRY=""

# Seconds since the test began.
uplynelo() { awk -v a="$E2E_POCZATEK" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }'; }
log() { echo "[$(uplynelo) s] $*"; }

# The state of things when a check fails: the routines entered last and the game's stderr.
zrzut_stanu() {
    echo "--- last routines of the trace:" >&2
    [ -f "$E2E_SLAD" ] && grep -v -E ' (flip|present)$' "$E2E_SLAD" | tail -n 25 >&2
    echo "--- game stderr:" >&2
    [ -f "$E2E_KAT/stderr" ] && tail -n 20 "$E2E_KAT/stderr" >&2
    echo "--- files kept in $E2E_KAT" >&2
}

porazka() {
    echo "FAIL ($E2E_NAZWA): $*" >&2
    zrzut_stanu
    E2E_ZACHOWAJ=1
    exit 1
}

sprzatanie() {
    local s=$?
    [ -n "$GRA_PID" ] && kill -0 "$GRA_PID" 2>/dev/null && kill "$GRA_PID" 2>/dev/null && kill -CONT "$GRA_PID" 2>/dev/null
    [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    wait 2>/dev/null
    if [ "${E2E_ZACHOWAJ:-0}" = 1 ] || [ $s -ne 0 ]; then
        echo "scratch files kept in $E2E_KAT" >&2
    else
        rm -rf "$E2E_KAT"
    fi
    log "$E2E_NAZWA: $([ $s -eq 0 ] && echo passed || echo FAILED) in $(uplynelo) s"
}
trap sprzatanie EXIT
trap 'exit 130' INT TERM

# A pause of s seconds without starting a process: a read that times out on a pipe nobody writes.
exec {E2E_CISZA}<> <(:)
drzemka() { read -r -t "$1" -u "$E2E_CISZA" || true; }

# Waits until the command succeeds, polling every 0.1 s (each poll may start a process or two); fails the test after `limit` seconds.
czekaj() {
    local limit=$1 opis=$2
    shift 2
    local koniec
    koniec=$((${EPOCHREALTIME/./} + $(awk -v l="$limit" 'BEGIN { printf "%d", l * 1000000 }')))
    until "$@"; do
        [ "${EPOCHREALTIME/./}" -le "$koniec" ] || porazka "waited ${limit} s for: $opis"
        if [ -n "$GRA_PID" ] && ! kill -0 "$GRA_PID" 2>/dev/null && [ "$opis" != "the game to end" ]; then
            "$@" && return 0
            porazka "the game ended while waiting for: $opis"
        fi
        drzemka 0.1
    done
}

# An X server of its own (the first free display), openbox, and the Polish keyboard layout.
uruchom_x() {
    for p in Xvfb openbox xdotool import convert setxkbmap xprop; do
        command -v "$p" >/dev/null || porazka "$p is not installed"
    done
    x_start "$E2E_KAT"
    XVFB_PID=$X_XVFB_PID
    WM_PID=$X_WM_PID
    [ -n "$X_BLAD" ] && porazka "$X_BLAD"
    setxkbmap pl || porazka "setxkbmap pl failed"
    log "X server $DISPLAY with openbox, layout pl"
}

# The scratch working directory: media/ links to the real media, the word list is the test's own.
przygotuj_katalog() {
    rm -rf "$E2E_PRACA"
    mkdir -p "$E2E_PRACA/media"
    local f
    for f in "$E2E_ZRODLA"/media/*; do
        [ "$(basename "$f")" = data_lista.txt ] && continue
        ln -s "$f" "$E2E_PRACA/media/"
    done
    printf '%s\n' "$@" ZZZ >"$E2E_PRACA/media/data_lista.txt"
}

# Lines of the trace naming this routine (or "sound s3" and the like).
ile() {
    if [ -f "$E2E_SLAD" ]; then grep -c -E "^[0-9.]+ $1\$" "$E2E_SLAD" || true; else echo 0; fi
}
co_najmniej() { [ "$(ile "$1")" -ge "$2" ]; }
czekaj_na() {  # routine, count, seconds
    czekaj "${3:-30}" "$1 entered $2 times" co_najmniej "$1" "$2"
}
# The next entry of a routine after now.
czekaj_na_kolejne() {  # routine, seconds
    local n
    n=$(ile "$1")
    czekaj_na "$1" $((n + 1)) "${2:-30}"
}
# Flips since the last line naming the routine.
klatki_po() {
    awk -v r="$1" '$2 == r { n = 0; w = 1; next } w && $2 == "flip" { n++ } END { print n + 0 }' "$E2E_SLAD"
}
# The screen has settled after the routine: at least n flips after its last entry.
czekaj_klatki_po() {  # routine, flips, seconds
    czekaj "${3:-30}" "$2 flips after $1" sh -c "[ \$(awk -v r='$1' '\$2 == r { n = 0; w = 1; next } w && \$2 == \"flip\" { n++ } END { print n + 0 }' '$E2E_SLAD') -ge $2 ]"
}
# At least n flips after the fade-in that follows the routine's last entry (which comes first).
czekaj_ukazania_po() {  # routine, flips, seconds
    czekaj "${3:-30}" "$2 flips after the fade-in after $1" sh -c "[ \$(awk -v r='$1' '\$2 == r { p = 1; w = 0; next } p && \$2 == \"ukazywanie_obrazu\" { n = 0; w = 1; next } w && \$2 == \"flip\" { n++ } END { print n + 0 }' '$E2E_SLAD') -ge $2 ]"
}
# Waits until n more frames than now have reached the window (input moves the picture only
# at the next frame, and a frame reaches the window at most once per refresh).
czekaj_klatki() {
    local n
    n=$(ile present)
    czekaj "${2:-10}" "$1 more frames shown" co_najmniej present $((n + $1))
}
# The routine entered last, leaving out presents, flips and sounds.
ostatnia() { grep -v -E ' (flip|present|sound .*)$' "$E2E_SLAD" | tail -n1 | cut -d' ' -f2; }

# Starts the game in the scratch directory (with the options given) and waits for its window and the menu.
# OpenAL's silent device unless E2E_ALSOFT names another driver.
uruchom_gre() {
    rm -f "$E2E_SLAD"
    # A new trace: read from its start.
    [ -z "$SLAD_FD" ] || exec {SLAD_FD}<&-
    SLAD_FD="" SLAD_RESZTA=""
    (cd "$E2E_PRACA" && exec env BROLIK_TRACE="$E2E_SLAD" ALSOFT_DRIVERS="${E2E_ALSOFT:-null}" "$E2E_GRA" "$@" >"$E2E_KAT/stdout" 2>"$E2E_KAT/stderr") &
    GRA_PID=$!
    STATUS_GRY=""
    czekaj 60 "the game's window" sh -c 'xdotool search --name "Gra w/g teleturnieju" >/dev/null 2>&1'
    OKNO=$(xdotool search --name "Gra w/g teleturnieju" | head -n1)
    xdotool windowactivate --sync "$OKNO" >/dev/null 2>&1 || xdotool windowfocus --sync "$OKNO"
    [ "$(xdotool getwindowname "$OKNO")" = " Gra w/g teleturnieju 'Brolik'  (2018)" ] ||
        porazka "window title is '$(xdotool getwindowname "$OKNO")'"
    czekaj_na szykowanie_menu 1 120
    czekaj_klatki_po ukazywanie_obrazu 45 30
    log "game started, menu shown"
}

# The game has ended: its status is 0 and "ekr.png" is gone.
czekaj_na_koniec() {  # seconds
    czekaj "${1:-20}" "the game to end" sh -c "! kill -0 $GRA_PID 2>/dev/null"
    wait "$GRA_PID"
    STATUS_GRY=$?
    local pid=$GRA_PID
    GRA_PID=""
    [ "$STATUS_GRY" = 0 ] || porazka "the game (pid $pid) ended with status $STATUS_GRY"
    [ ! -e "$E2E_PRACA/ekr.png" ] || porazka "ekr.png is left in the working directory"
    [ "$(tail -n1 "$E2E_SLAD" | cut -d' ' -f2)" = exit ] || porazka "the trace does not end with the shutdown"
    co_najmniej koniec 1 || porazka "the shutdown fade did not run"
    local zostalo
    zostalo=$(cd "$E2E_PRACA" && ls -A | grep -v '^media$' || true)
    [ -z "$zostalo" ] || porazka "files left in the working directory: $zostalo"
    log "game ended with status 0, ekr.png gone"
}
# The game ended from where it was (what $1 names did it), never going back to the menu.
skonczona_stad() {
    czekaj_na_koniec 15
    [ "$(ile szykowanie_menu)" = 1 ] || porazka "$1 went back to the menu"
    log "$1: ended"
}

# The game window's size, "WxH".
geometria() { xdotool getwindowgeometry "$OKNO" | sed -n 's/.*Geometry: //p'; }
ma_geometrie() { [ "$(geometria)" = "$1" ]; }

# Input. The mouse moves relative to the window, so positions are the game's coordinates.
mysz() { xdotool mousemove --window "$OKNO" "$1" "$2"; }
wcisnij_mysz() { xdotool mousedown "${1:-1}"; }
pusc_mysz() { xdotool mouseup "${1:-1}"; }
klawisz() { xdotool key --delay 0 "$@"; }
# A key held for `sekundy`: the game polls the keyboard state, so a press must outlast a pass.
przytrzymaj() {  # key, seconds
    xdotool keydown "$1"
    sleep "${2:-0.15}"
    xdotool keyup "$1"
}
pisz() { xdotool type --delay "${2:-150}" "$1"; }
# The window's close button, as the window manager sends it (WM_DELETE_WINDOW).
zamknij_okno() {
    xdotool windowactivate --sync "$OKNO" >/dev/null 2>&1
    xdotool key alt+F4
}

# Screenshots of the window's 800 x 600 picture, and reading them.
zrzut() {  # name -> path (numbered in order, for reading them after a failure)
    local nr
    nr=$(find "$E2E_KAT" -maxdepth 1 -name '[0-9]*.png' | wc -l)
    local p="$E2E_KAT/$(printf %03d $((nr + 1)))-$1.png"
    import -window "$OKNO" "png:$p" 2>/dev/null || porazka "screenshot failed"
    echo "$p"
}
piksel() {  # file x y -> "r g b"
    convert "$1" -format "%[pixel:p{$2,$3}]" info: | sed -E 's/^s?rgba?\(([0-9]+),([0-9]+),([0-9]+).*/\1 \2 \3/'
}
# Pixels of the colour within `tol` per channel in the rectangle.
ile_koloru() {  # file x y w h r g b [tol]
    local tol=${9:-0}
    convert "$1" -crop "$4x$5+$2+$3" +repage -depth 8 txt:- |
        awk -v r="$6" -v g="$7" -v b="$8" -v t="$tol" -F'[(),: ]+' 'NR > 1 {
            d1 = $3 - r; d2 = $4 - g; d3 = $5 - b
            if (d1 < 0) d1 = -d1; if (d2 < 0) d2 = -d2; if (d3 < 0) d3 = -d3
            if (d1 <= t && d2 <= t && d3 <= t) n++ } END { print n + 0 }'
}
oczekuj_koloru() {  # opis file x y w h r g b tol min
    local n
    n=$(ile_koloru "$2" "$3" "$4" "$5" "$6" "$7" "$8" "$9" "${10}")
    [ "$n" -ge "${11}" ] || porazka "$1: $n pixels of ($7,$8,$9) in $5x$6+$3+$4 of $(basename "$2"), expected at least ${11}"
}
brak_koloru() {  # opis file x y w h r g b tol
    local n
    n=$(ile_koloru "$2" "$3" "$4" "$5" "$6" "$7" "$8" "$9" "${10}")
    [ "$n" -eq 0 ] || porazka "$1: $n pixels of ($7,$8,$9) in $5x$6+$3+$4 of $(basename "$2"), expected none"
}
# Number of pixels that differ between two screenshots in the rectangle.
roznica() {  # a b x y w h
    convert "$1" -crop "$5x$6+$3+$4" +repage "$E2E_KAT/_a.png"
    convert "$2" -crop "$5x$6+$3+$4" +repage "$E2E_KAT/_b.png"
    compare -metric AE "$E2E_KAT/_a.png" "$E2E_KAT/_b.png" null: 2>&1 | cut -d' ' -f1
}
# Where two screenshots differ: "N WxH+X+Y" (pixels changed, and the box holding them), or "0 -".
zmiany() {  # a b
    local n
    n=$(compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1)
    if [ "$n" = 0 ]; then
        echo "0 -"
    else
        echo "$n $(convert "$1" "$2" -compose difference -composite -threshold 0 -format '%@' info: 2>/dev/null)"
    fi
}
# The largest difference of one channel (0..255) between two screenshots in the rectangle.
najwieksza_roznica() {  # a b x y w h
    convert "$1" "$2" -crop "$5x$6+$3+$4" +repage -compose difference -composite -format '%[fx:int(maxima*255+0.5)]' info:
}
# Reads a number drawn in arialbd at `rozmiar` px, centred on x with its top at y, in this colour:
# prints the candidate whose rendering by the same font overlaps the screenshot's pixels of that
# colour best (intersection over union), and that overlap.
czytaj_liczbe() {  # file x y size r g b candidates...
    local plik=$1 x=$2 y=$3 rozmiar=$4 kolor="rgb($5,$6,$7)"
    shift 7
    local w=$((rozmiar * 5)) h=$((rozmiar + rozmiar / 3))
    convert "$plik" -crop "${w}x${h}+$((x - w / 2))+$((y - 2))" +repage -fuzz 5% -fill white -opaque "$kolor" \
        -fill black +opaque white -colorspace gray "$E2E_KAT/_liczba.png"
    local n
    for n in "$@"; do
        convert -size "${w}x${h}" xc:black -font "$E2E_ZRODLA/media/arialbd.ttf" -pointsize "$rozmiar" -fill white \
            -gravity north -annotate +0+2 "$n" -threshold 50% -colorspace gray "$E2E_KAT/_wzor.png"
        convert "$E2E_KAT/_liczba.png" "$E2E_KAT/_wzor.png" \( -clone 0,1 -compose multiply -composite \) \
            \( -clone 0,1 -compose lighten -composite \) -delete 0,1 -format '%[fx:mean] ' info: |
            awk -v n="$n" '{ printf "%s %.3f\n", n, ($2 > 0 ? $1 / $2 : 0) }'
    done | sort -k2 -nr | head -n1
}
# Mean brightness (0..255) of the rectangle.
jasnosc() {  # file x y w h
    convert "$1" -crop "$4x$5+$2+$3" +repage -colorspace gray -format '%[fx:int(mean*255+0.5)]' info:
}

# The menu items: the centre of item k (1..5).
pozycja() { echo "400 $((50 * $1 + 251))"; }
# The game polls the mouse and keyboard, and a loaded machine can stall it for a moment: a
# press is held until the trace shows the game has acted on it.
kliknij_pozycje() {  # item, routine whose next entry shows the click was taken
    read -r x y <<<"$(pozycja "$1")"
    local n
    n=$(ile "$2")
    mysz "$x" "$y"
    wcisnij_mysz 1
    czekaj 15 "item $1 to start $2" co_najmniej "$2" $((n + 1))
    pusc_mysz 1
    mysz 700 100
}
wcisnij_az() {  # key, routine (or "sound sN") whose next entry shows the key was taken
    local n
    n=$(ile "$2")
    xdotool keydown "$1"
    czekaj "${3:-15}" "$1 to start $2" co_najmniej "$2" $((n + 1))
    xdotool keyup "$1"
}

# --- Playing a game from the trace.
# The routines that mark where the game stands; the last one entered is the phase.
ZNACZNIKI='spacja|wpisywanie_z_klawiatury|los_kul|los_kulf|koniec_fin|gratulacje|to_jest_haslo|final_pocz|zmiana_gracza|koniec_czasu|pech|start|szykowanie_menu|koniec|przesuwanie_diagramu'
SLAD_FD=""       # the trace, kept open: each poll reads on from where the last one stopped
SLAD_RESZTA=""   # a line the game was still writing at the last poll
FAZA=""
SLOWO=0          # words finished so far (main stage and final together)
PROBA=0          # tries entered in the current word
declare -A WEJSCIA=()

# Reads the trace lines written since the last call and counts the markers among them, with the
# shell's own reads: polled twenty times a second, it must not start processes.
odswiez_faze() {
    if [ -z "$SLAD_FD" ]; then
        [ -f "$E2E_SLAD" ] || return 0
        exec {SLAD_FD}<"$E2E_SLAD"
    fi
    local linia
    while IFS= read -r -u "$SLAD_FD" linia; do
        linia=$SLAD_RESZTA$linia
        SLAD_RESZTA=""
        linia=${linia#* }
        [[ $linia =~ ^($ZNACZNIKI)$ ]] || continue
        FAZA=$linia
        WEJSCIA[$FAZA]=$((${WEJSCIA[$FAZA]:-0} + 1))
        case "$FAZA" in
        gratulacje | to_jest_haslo) SLOWO=$((SLOWO + 1)); PROBA=0 ;;
        esac
    done
    SLAD_RESZTA+=$linia
}

# Time of the last line of the trace, in the game's seconds.
czas_gry() { tail -n1 "$E2E_SLAD" | cut -d' ' -f1; }
# A line of the routine stamped after game time t has been written.
po_czasie() {  # routine, t
    tail -n 4000 "$E2E_SLAD" | awk -v r="$1" -v t="$2" '$2 == r && $1 > t { f = 1 } END { exit !f }'
}

# Holds Space during a ball draw until that ball is over: the line check after it (`spr`), bad
# luck, or the draw over (the yellow ball of the final ends it without a check).
losuj_kule() {
    local spr_ pech_ faza=$FAZA
    spr_=$(ile spr)
    pech_=$(ile pech)
    xdotool keydown space
    local koniec=$((SECONDS + 20))
    while [ $SECONDS -lt $koniec ]; do
        [ "$(ile spr)" -gt "$spr_" ] && break
        [ "$(ile pech)" -gt "$pech_" ] && break
        odswiez_faze
        [ "$FAZA" != "$faza" ] && break
        drzemka 0.1
    done
    xdotool keyup space
}

# Plays until the phase is one of the given ones (a regular expression), answering each try
# with what the function `plan SLOWO PROBA` prints: a word to type, "-" to let the time run
# out, or "zly>dobry" for a word outside the list and then a word to try.
graj_do() {  # phase regex, seconds
    local cel=$1 limit=$(($SECONDS + $2)) ostatnie_wejscie="" klucz kule=0
    while :; do
        odswiez_faze
        [[ "$FAZA" =~ ^($cel)$ ]] && return 0
        [ $SECONDS -lt $limit ] || porazka "the game did not reach $cel in $2 s (phase $FAZA)"
        kill -0 "$GRA_PID" 2>/dev/null || porazka "the game ended in phase $FAZA"
        klucz="$FAZA:${WEJSCIA[$FAZA]:-0}"
        case "$FAZA" in
        spacja)
            # Each wait for Space ends with its sound; a key still down may have ended it already.
            [ "$(ile "sound s3")" -lt "$(ile spacja)" ] && wcisnij_az space "sound s3"
            ;;
        wpisywanie_z_klawiatury)
            if [ "$klucz" != "$ostatnie_wejscie" ]; then
                ostatnie_wejscie=$klucz
                # A test may look at the screen before each try.
                if declare -F przed_proba >/dev/null; then przed_proba; fi
                odpowiedz "$(plan "$SLOWO" "$PROBA")"
                PROBA=$((PROBA + 1))
            fi
            ;;
        los_kul)
            # At most two balls: a third press would start the next word's wait for Space.
            [ "$klucz" = "$ostatnie_wejscie" ] || { kule=0; ostatnie_wejscie=$klucz; }
            if [ "$kule" -lt 2 ]; then
                losuj_kule
                kule=$((kule + 1))
            fi
            ;;
        los_kulf) losuj_kule ;;
        esac
        drzemka 0.05
    done
}

# One try's answer.
odpowiedz() {
    local a=$1
    log "word $((SLOWO + 1)), try $((PROBA + 1)): ${a:--}"
    case "$a" in
    -) ;;
    *\>*)
        local n t z
        n=$(ile "sound s9")
        pisz "${a%%>*}" 120
        # Refused at its fifth letter: the message shows for 1 s, then the entry row is cleared and
        # the keys dropped. The frame after the last letter's is the message: once it is shown,
        # the game is stopped for the screenshot, so a slow screenshot cannot miss it.
        czekaj 10 "the refused word typed" co_najmniej "sound s9" $((n + 5))
        t=$(grep -E '^[0-9.]+ sound s9$' "$E2E_SLAD" | sed -n "$((n + 5))p" | cut -d' ' -f1)
        czekaj 10 "the refusal shown" sh -c "awk -v t=$t '\$1 > t && / flip\$/ { f++ } \$1 > t && f >= 2 && / present\$/ { p = 1 } END { exit !p }' '$E2E_SLAD'"
        kill -STOP "$GRA_PID"
        z=$(zrzut odmowa)
        kill -CONT "$GRA_PID"
        oczekuj_koloru "\"nie znam tego słowa\"" "$z" 32 500 338 40 140 160 10 10 40
        ODMOWY=$((${ODMOWY:-0} + 1))
        czekaj 10 "the refusal's pause to end" po_czasie wpisz_haslo "$t"
        pisz "${a#*>}" 120
        ;;
    *) pisz "$a" 120 ;;
    esac
}
