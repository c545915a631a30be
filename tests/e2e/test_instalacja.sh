#!/bin/bash
# End to end: cmake --install into a scratch prefix, then moved; the installed game played from a read-only folder of the player's to the menu and out; the desktop entry, metainfo, manual page and Debian package checked, the package by lintian too.
# Usage: tests/e2e/test_instalacja.sh path/to/build/brolik   (from the repository root; the build folder is the game's)
. "$(dirname "$0")/lib.sh"

BUILD=$(dirname "$E2E_GRA")
[ -f "$BUILD/CPackConfig.cmake" ] || porazka "$BUILD is not the build folder (no CPackConfig.cmake)"
for p in desktop-file-validate appstreamcli man dpkg-deb dpkg-shlibdeps file cpack lintian; do
    command -v "$p" >/dev/null || porazka "$p is not installed (tools/setup.sh test installs it)"
done

# The player's folder is mounted read-only where that is allowed (root ignores a mode of 555).
ZAMONTOWANY=""
odmontuj() { [ -n "$ZAMONTOWANY" ] && umount "$ZAMONTOWANY" 2>/dev/null; ZAMONTOWANY=""; }
trap 's=$?; odmontuj; (exit $s); sprzatanie' EXIT

# --- cmake --install, then the installation moved: nothing may depend on where it was put --------
cmake --install "$BUILD" --prefix "$E2E_KAT/najpierw" >"$E2E_KAT/install.log" 2>&1 ||
    porazka "cmake --install failed: $(tail -n 3 "$E2E_KAT/install.log")"
mv "$E2E_KAT/najpierw" "$E2E_KAT/potem"
P="$E2E_KAT/potem"
METAINFO=$(ls "$P"/share/metainfo/*.metainfo.xml 2>/dev/null | head -n1)
[ -n "$METAINFO" ] || porazka "no metainfo file in share/metainfo"

# Where each file goes: the same list, under /usr, is what the package must hold.
OCZEKIWANE=(bin/brolik share/applications/brolik.desktop "share/metainfo/$(basename "$METAINFO")"
    share/man/man6/brolik.6.gz share/doc/brolik/copyright share/doc/brolik/changelog.gz
    share/doc/brolik/LICENSE-arialbd.txt share/doc/brolik/LICENSE-georgiab.txt
    share/doc/brolik/README.media share/brolik/media/LICENSE-arialbd.txt share/brolik/media/LICENSE-georgiab.txt)
# The icons, drawn by the media generator, in the theme's sizes and as a vector picture.
for n in 48 64 128 256; do OCZEKIWANE+=("share/icons/hicolor/${n}x${n}/apps/brolik.png"); done
OCZEKIWANE+=(share/icons/hicolor/scalable/apps/brolik.svg)
for f in "${OCZEKIWANE[@]}"; do [ -f "$P/$f" ] || porazka "cmake --install did not install $f"; done
for n in 48 64 128 256; do
    f="$P/share/icons/hicolor/${n}x${n}/apps/brolik.png"
    file "$f" | grep -q "PNG image data, $n x $n," || porazka "$f is not a $n x $n PNG: $(file -b "$f")"
done
log "installed and moved: ${#OCZEKIWANE[@]} files in place"

desktop-file-validate "$P/share/applications/brolik.desktop" >"$E2E_KAT/desktop.log" 2>&1 &&
    [ ! -s "$E2E_KAT/desktop.log" ] || porazka "desktop-file-validate: $(cat "$E2E_KAT/desktop.log")"
grep -qx 'Categories=Game;.*' "$P/share/applications/brolik.desktop" || porazka "the desktop entry is not in the Game category"
appstreamcli validate --no-net "$METAINFO" >"$E2E_KAT/appstream.log" 2>&1 ||
    porazka "appstreamcli validate: $(cat "$E2E_KAT/appstream.log")"
MANWIDTH=80 man --warnings -l "$P/share/man/man6/brolik.6.gz" >"$E2E_KAT/man.txt" 2>"$E2E_KAT/man.err"
[ ! -s "$E2E_KAT/man.err" ] || porazka "man -l warns: $(cat "$E2E_KAT/man.err")"
for co in "brolik - word-guessing" "--fullscreen" "--help" "--version" "share/brolik/media"; do
    grep -q -- "$co" "$E2E_KAT/man.txt" || porazka "the manual page does not render \"$co\""
done
log "desktop entry, metainfo and manual page valid"

# --- The installed game, started from a folder of the player's that it may not write to ----------
uruchom_x
mkdir -p "$E2E_PRACA"
E2E_GRA="$P/bin/brolik"
if [ "$(id -u)" = 0 ] && mount --bind "$E2E_PRACA" "$E2E_PRACA" 2>/dev/null; then
    ZAMONTOWANY=$E2E_PRACA
    mount -o remount,bind,ro "$E2E_PRACA" || porazka "cannot make $E2E_PRACA read-only"
else
    chmod 555 "$E2E_PRACA"
fi
uruchom_gre
MENU=$(zrzut menu)
oczekuj_koloru "the menu's title" "$MENU" 320 228 160 30 22 122 22 0 20
oczekuj_koloru "WYJSCIE in orange-red" "$MENU" 300 490 200 24 222 99 9 0 30
[ -z "$(ls -A "$E2E_PRACA")" ] || porazka "files in the working directory while in the menu: $(ls -A "$E2E_PRACA")"
kliknij_pozycje 5 koniec
czekaj_na_koniec 20
! grep -q "ekr.png" "$E2E_KAT/stderr" || porazka "the installed game tried the working directory: $(cat "$E2E_KAT/stderr")"
[ -z "$(ls -A "$E2E_PRACA")" ] || porazka "files left in the working directory: $(ls -A "$E2E_PRACA")"
log "the installed game reached the menu from a read-only folder and left it untouched"

# Without its media the installed game names both places it looked in.
mv "$P/share/brolik/media" "$P/share/brolik/schowane"
(cd "$E2E_PRACA" && ALSOFT_DRIVERS=null timeout 30 "$E2E_GRA" >/dev/null 2>"$E2E_KAT/bez_mediow.txt")
s=$?
[ $s -eq 1 ] || porazka "without media the game ended with status $s, not 1"
grep -qF "$E2E_PRACA/media" "$E2E_KAT/bez_mediow.txt" && grep -qF "$P/share/brolik/media" "$E2E_KAT/bez_mediow.txt" ||
    porazka "the message does not name both places: $(cat "$E2E_KAT/bez_mediow.txt")"
mv "$P/share/brolik/schowane" "$P/share/brolik/media"
odmontuj

# --- The Debian package: dependencies from the binary, the same files under /usr (the game's in games/) ---
(cd "$BUILD" && cpack -G DEB -B "$E2E_KAT/deb") >"$E2E_KAT/cpack.log" 2>&1 || porazka "cpack failed: $(tail -n 5 "$E2E_KAT/cpack.log")"
DEB=$(ls "$E2E_KAT"/deb/brolik_*.deb 2>/dev/null | head -n1)
[ -n "$DEB" ] || porazka "cpack made no brolik_*.deb"
dpkg-deb -c "$DEB" | awk '{ print $6 }' >"$E2E_KAT/deb.txt"
for f in "${OCZEKIWANE[@]}" $(cd "$P" && find share/brolik/media -type f); do
    f=${f/#bin\//games/}
    grep -qx "./usr/$f" "$E2E_KAT/deb.txt" || porazka "the package lacks /usr/$f"
done
[ "$(dpkg-deb -f "$DEB" Package Section | tr '\n' ' ')" = "Package: brolik Section: games " ] ||
    porazka "package fields: $(dpkg-deb -f "$DEB" Package Section)"
dpkg-deb -f "$DEB" Depends | grep -q "liballegro5.2 .*libvorbisfile3" || porazka "dependencies not computed: $(dpkg-deb -f "$DEB" Depends)"
log "$(basename "$DEB"): $(wc -l <"$E2E_KAT/deb.txt") entries, depends on $(dpkg-deb -f "$DEB" Depends | tr ',' '\n' | wc -l) packages"
lintian --fail-on error,warning "$DEB" >"$E2E_KAT/lintian.txt" 2>&1 || porazka "lintian: $(grep '^[EW]:' "$E2E_KAT/lintian.txt")"
