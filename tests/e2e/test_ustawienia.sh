#!/bin/bash
# End to end: what a player sets is kept between runs (fullscreen and the sound switched off, the game quit and started again), the sound key's notice, and the window's smallest size.
. "$(dirname "$0")/lib.sh"

uruchom_x
przygotuj_katalog kotek lampa

# --- Run 1: the window refuses to shrink below 400 x 300; F9 silences the game with a notice
# that lasts about 1.5 s; F11 goes fullscreen; Escape quits.
uruchom_gre
xdotool windowsize "$OKNO" 300 200
czekaj 10 "the window held at 400x300 (it is $(geometria))" ma_geometrie 400x300
xdotool windowsize "$OKNO" 800 600
czekaj 10 "the window at 800x600" ma_geometrie 800x600
mysz 700 100
czekaj_klatki 3
przed=$(zrzut menu)
klawisz F9
czekaj_klatki 2
z_napisem=$(zrzut napis)
[ "$(roznica "$przed" "$z_napisem" 0 0 800 100)" -gt 2000 ] || porazka "no notice over the picture after F9"
sleep 2
czekaj_klatki 1
po=$(zrzut po_napisie)
[ "$(roznica "$przed" "$po" 0 0 800 600)" = 0 ] || porazka "the notice is still there 2 s later"
klawisz F11
czekaj 10 "fullscreen" ma_geometrie 1024x768
klawisz Escape
czekaj_na_koniec 30
[ -s "$E2E_KAT/stderr" ] && porazka "warnings: $(cat "$E2E_KAT/stderr")"

# --- Run 2, through OpenAL's wave writer: the game opens fullscreen and its intro is silent.
wav="$E2E_KAT/dzwiek.wav"
printf '[general]\ndrivers = wave\n[wave]\nfile = %s\n' "$wav" >"$E2E_KAT/alsoft.conf"
E2E_ALSOFT=wave ALSOFT_CONF="$E2E_KAT/alsoft.conf" uruchom_gre
ma_geometrie 1024x768 || porazka "not fullscreen again, but $(geometria)"
co_najmniej "sound s7" 3 || porazka "the intro asked for no sounds"
klawisz Escape
czekaj_na_koniec 30
maks=$(sox "$wav" -n stat 2>&1 | awk '/Maximum amplitude/ {print $3}')
awk -v m="${maks:-1}" 'BEGIN { exit !(m < 0.001) }' || porazka "the sound is on again (maximum amplitude ${maks:-unknown})"
log "fullscreen and silence kept"

# The best results are kept the same way: test_gra_1.sh plays a game into the table, quits and
# finds it on the next start.
