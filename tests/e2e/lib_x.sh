# Shared by the end-to-end scripts: an X server with a window manager of their own, and the running of a script's cases.
# Sourced by lib.sh and lib_start.sh. x_start <log directory> starts Xvfb (1024 x 768, or X_EKRAN
# as "WxH") on the first free display, then openbox: it sets DISPLAY, X_XVFB_PID and X_WM_PID, or
# returns 1 with the reason in X_BLAD; the caller kills both at exit. The game's settings and data
# folders are moved into the directory too, so no test touches the user's own.

# A script's cases: its line "# Cases: a b" names them, each a function przypadek_<name>, picked by
# the script's second argument. Called first with the script's arguments: given a case, it checks
# the name; given none, it runs the script once per case and fails if any failed.
e2e_przypadki() {
    local lista p s=0
    lista=$(sed -n 's/^# Cases: *//p' "$0" | head -n1)
    [ -n "$lista" ] || return 0
    if [ -n "${2:-}" ]; then
        [[ " $lista " == *" $2 "* ]] && return 0
        echo "FAIL - $(basename "$0") has no case \"$2\" (its cases: $lista)" >&2
        exit 2
    fi
    for p in $lista; do bash "$0" "$1" "$p" || s=1; done
    exit $s
}

X_XVFB_PID=""
X_WM_PID=""
X_BLAD=""

# Polls a command every 0.05 s for up to n seconds; 0 once it succeeds.
x_czekaj() {
    local n=$(($1 * 20))
    shift
    while [ $n -gt 0 ]; do
        "$@" && return 0
        sleep 0.05
        n=$((n - 1))
    done
    return 1
}

x_wm_gotowy() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }

# -noreset: by default Xvfb resets when its last client leaves and refuses connections for that
# moment, so a window manager started just after a probing xprop can find no display at all.
# Each step is tried three times: a display can be taken by another server starting at the same
# moment, and openbox can still lose a race with a server that is coming up.
x_start() {
    X_BLAD=""
    local katalog=$1 plik="$1/ekran" proba wm
    export XDG_CONFIG_HOME="$katalog/konfiguracja" XDG_DATA_HOME="$katalog/dane"
    for proba in 1 2 3; do
        : >"$plik"
        exec 8>"$plik"
        Xvfb -displayfd 8 -noreset -screen 0 "${X_EKRAN:-1024x768}x24" -nolisten tcp >>"$katalog/xvfb.log" 2>&1 &
        X_XVFB_PID=$!
        exec 8>&-
        x_czekaj 15 sh -c "test -s '$plik' || ! kill -0 $X_XVFB_PID 2>/dev/null"
        export DISPLAY=":$(head -n1 "$plik")"
        if kill -0 "$X_XVFB_PID" 2>/dev/null && x_czekaj 5 sh -c "xprop -root >/dev/null 2>&1"; then break; fi
        echo "the X server did not come up (attempt $proba)" >&2
        kill "$X_XVFB_PID" 2>/dev/null
        wait "$X_XVFB_PID" 2>/dev/null
        X_XVFB_PID=""
    done
    if [ -z "$X_XVFB_PID" ]; then X_BLAD="no X server could be started (see $katalog/xvfb.log)"; return 1; fi
    for wm in 1 2 3; do
        openbox --sm-disable >>"$katalog/openbox.log" 2>&1 &
        X_WM_PID=$!
        # openbox is ready once it owns the window manager selection.
        x_czekaj 15 sh -c "xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' || ! kill -0 $X_WM_PID 2>/dev/null"
        if kill -0 "$X_WM_PID" 2>/dev/null && x_wm_gotowy; then return 0; fi
        echo "openbox did not come up on $DISPLAY (attempt $wm)" >&2
        kill "$X_WM_PID" 2>/dev/null
        wait "$X_WM_PID" 2>/dev/null
        X_WM_PID=""
    done
    X_BLAD="openbox did not start on $DISPLAY (see $katalog/openbox.log)"
    return 1
}
