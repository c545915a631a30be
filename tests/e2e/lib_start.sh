# Helpers of the start-up end-to-end tests: a virtual X server with a window manager, a scratch working directory, waiting on the game's trace.
# Sourced by tests/e2e/test_startup*.sh; they call start_x first and sprzatanie runs at exit.

BROLIK_ZRODLA=$(pwd)
. "$(dirname "${BASH_SOURCE[0]}")/lib_x.sh"
e2e_przypadki "$@"
bledy=0
xvfb_pid=
wm_pid=
gra_pid=
katalogi=()

sprzatanie() {
    [ -n "$gra_pid" ] && kill -KILL "$gra_pid" 2>/dev/null
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    for k in "${katalogi[@]}"; do rm -rf "$k"; done
}
trap sprzatanie EXIT

ok() { echo "ok   - $*"; }
zle() { echo "FAIL - $*"; bledy=$((bledy + 1)); }
sprawdz() {  # sprawdz "what" command...; returns the command's verdict
    local co=$1
    shift
    if "$@"; then
        ok "$co"
    else
        zle "$co"
        return 1
    fi
}
wynik() {
    if [ $bledy -eq 0 ]; then echo "all checks passed"; exit 0; fi
    echo "$bledy check(s) failed"
    exit 1
}

# A virtual screen and openbox, which turns Alt+F4 into the close request a window's close button sends.
start_x() {
    for narzedzie in Xvfb openbox xdotool xprop; do
        command -v $narzedzie >/dev/null || { echo "FAIL - $narzedzie is not installed"; exit 1; }
    done
    local k
    k=$(mktemp -d /tmp/brolik-e2e-x-XXXXXX)
    katalogi+=("$k")
    x_start "$k"
    xvfb_pid=$X_XVFB_PID
    wm_pid=$X_WM_PID
    [ -z "$X_BLAD" ] || { echo "FAIL - $X_BLAD"; cat "$k"/*.log; exit 1; }
}

# A fresh working directory in $k whose media/ links to the game's media files (removed at exit).
nowy_katalog() {
    k=$(mktemp -d /tmp/brolik-e2e-XXXXXX)
    katalogi+=("$k")
    mkdir "$k/media"
    for p in "$BROLIK_ZRODLA"/media/*; do ln -s "$p" "$k/media/"; done
}

# Starts the game in the background in directory $1 with trace file $1/slad.txt; more
# environment can be given as NAME=value arguments after the directory.
uruchom_gre() {
    local k=$1
    shift
    (cd "$k" && exec env BROLIK_TRACE="$k/slad.txt" "$@" "$GRA" >"$k/wyjscie.txt" 2>&1) &
    gra_pid=$!
}

# Waits up to $2 seconds for a trace line equal to $1 (after the timestamp) in $3, at or after line $4.
czekaj_na_slad() {
    local co=$1 limit=$2 plik=$3 od=${4:-1}
    local koniec=$(($(date +%s%N) + limit * 1000000000))
    while [ "$(date +%s%N)" -lt $koniec ]; do
        [ -f "$plik" ] && tail -n +"$od" "$plik" | cut -d' ' -f2- | grep -qx -- "$co" && return 0
        sleep 0.02
    done
    return 1
}

# The line number of the first trace line equal to $1 in $2, or nothing.
linia_sladu() { cut -d' ' -f2- "$2" 2>/dev/null | grep -nx -- "$1" | head -1 | cut -d: -f1; }

# Waits up to $1 seconds for the game to end; its status goes to $status_gry (124 if it is still running).
czekaj_na_koniec() {
    local koniec=$(($(date +%s%N) + $1 * 1000000000))
    while kill -0 "$gra_pid" 2>/dev/null && [ "$(date +%s%N)" -lt $koniec ]; do sleep 0.05; done
    if kill -0 "$gra_pid" 2>/dev/null; then
        status_gry=124
        kill -KILL "$gra_pid" 2>/dev/null
        wait "$gra_pid" 2>/dev/null
    else
        wait "$gra_pid"
        status_gry=$?
    fi
    gra_pid=
}

# Whether the game in directory $3 left in order after signal $1 with status $2: 0, or the watchdog's
# exit (128 + the signal, said on stderr) when a busy machine held it past 3 s in work that reads no
# input (the intro, the menu's 40-frame fade-in) or in the shutdown it had begun (trace: koniec).
wyszla_po_sygnale() {  # signal name, status, directory
    [ "$2" -eq 0 ] && return 0
    [ "$2" -eq $((128 + $(kill -l "$1"))) ] && grep -q "no orderly exit after the signal" "$3/wyjscie.txt" || return 1
    grep -q ' koniec$' "$3/slad.txt" ||
        [ "$(awk '/ ukazywanie_obrazu$/ { n = 0; w = 1; next } w && / flip$/ { n++ } END { print n + 0 }' "$3/slad.txt")" -lt 40 ] ||
        return 1
    echo "note - SIG$1: on this busy machine the 3 s ran out before the game could leave in order"
}

# The game's window id (the first window of class "brolik"), waiting up to $1 seconds.
okno_gry() {
    local koniec=$(($(date +%s%N) + $1 * 1000000000)) w
    while [ "$(date +%s%N)" -lt $koniec ]; do
        w=$(xdotool search --classname '^brolik$' 2>/dev/null | head -1)
        [ -n "$w" ] && { echo "$w"; return 0; }
        sleep 0.05
    done
    return 1
}

# The window's title once it is $2, or whatever it is after $3 seconds.
tytul_okna() {
    local koniec=$(($(date +%s%N) + $3 * 1000000000)) t
    while :; do
        t=$(xdotool getwindowname "$1" 2>/dev/null)
        [ "$t" = "$2" ] || [ "$(date +%s%N)" -ge $koniec ] && break
        sleep 0.05
    done
    printf '%s' "$t"
}

# Waits up to $2 seconds for file $1 to exist while the game runs.
czekaj_na_plik() {
    local koniec=$(($(date +%s%N) + $2 * 1000000000))
    while [ "$(date +%s%N)" -lt $koniec ]; do
        [ -e "$1" ] && return 0
        sleep 0.01
    done
    return 1
}

# Sends the close request of a window's close button: Alt+F4 to the focused game window under openbox.
zamknij_okno() {
    xdotool windowactivate --sync "$1" >/dev/null 2>&1 || xdotool windowfocus --sync "$1" >/dev/null 2>&1
    xdotool key --clearmodifiers alt+F4
}
