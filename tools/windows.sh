#!/bin/sh
# Builds the Windows game with mingw-w64: the four libraries once into a cache, then brolik.exe (static) and its zip.
# Usage: tools/windows.sh [--tests] [SOURCES_DIR [BUILD_DIR]]
#   SOURCES_DIR holds the libraries' release tarballs (default ../shared/third_party beside the
#   repository); BUILD_DIR defaults to build/windows. --tests also builds the test programs run under Wine.
set -e
cd "$(dirname "$0")/.."
KORZEN=$(pwd)

TESTY=
if [ "$1" = --tests ]; then TESTY=1; shift; fi
ZRODLA=$(readlink -m "${1:-../shared/third_party}")
BUDOWA=$(readlink -m "${2:-build/windows}")
CACHE="$BUDOWA/deps"
RDZENIE=$(nproc)
[ "$RDZENIE" -le 2 ] || RDZENIE=2

for p in x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-windres cmake pkg-config python3 zip; do
  command -v "$p" >/dev/null ||
    { echo "windows.sh: $p is missing (apt-get install g++-mingw-w64-x86-64-posix cmake pkg-config python3 zip)" >&2; exit 1; }
done

# The upstream trees at their release tags (git archive --prefix=<name>-<tag>/ of each tag). The
# checksums are ours, so a tarball from anywhere is checked against what the game was built with.
SUMY="4a092434fe55e1fb2d057c0a069a6661b8284b50811f5e2592de7605eaef15aa  allegro5-5.2.8.0.tar.gz
e80f66320480564fa357789c743d6706b5431628f141bd89871ad283d20fa45d  freetype-VER-2-13-3.tar.gz
ef1464a8d93a0d75d89a3b6196cca12226989abb5715bfe31bcb58cc2e4f850b  ogg-1.3.5.tar.gz
267fb73a5ec116e33eb524694760364afe9e1a511be7420ea9ec9887d4eba701  vorbis-1.3.7.tar.gz"
# Raised whenever the libraries' build options below change, so the cache is rebuilt.
RECEPTURA=1

[ -d "$ZRODLA" ] || { echo "windows.sh: no folder of library sources at ${1:-../shared/third_party}" >&2; exit 1; }
if ! (cd "$ZRODLA" && printf '%s\n' "$SUMY" | sha256sum --quiet -c -); then
  echo "windows.sh: the tarballs in $ZRODLA do not match the checksums in tools/windows.sh" >&2
  exit 1
fi
STEMPEL=$(printf '%s\nrecipe %s\n' "$SUMY" "$RECEPTURA")

TOOLCHAIN="$KORZEN/cmake/mingw-w64.cmake"
WSPOLNE="-DCMAKE_TOOLCHAIN_FILE=$TOOLCHAIN -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF"

zbuduj() {  # name source-folder [cmake options...]: configures, builds and installs one library into the cache
  nazwa=$1 zrodlo=$2
  shift 2
  echo "== $nazwa"
  cmake -S "$zrodlo" -B "$TMP/$nazwa" $WSPOLNE -DCMAKE_INSTALL_PREFIX="$CACHE" -DCMAKE_PREFIX_PATH="$CACHE" \
    -DBROLIK_ZALEZNOSCI="$CACHE" "$@" >"$TMP/$nazwa.log" 2>&1 ||
    { tail -n 30 "$TMP/$nazwa.log" >&2; exit 1; }
  cmake --build "$TMP/$nazwa" -j"$RDZENIE" >>"$TMP/$nazwa.log" 2>&1 ||
    { tail -n 30 "$TMP/$nazwa.log" >&2; exit 1; }
  cmake --install "$TMP/$nazwa" >>"$TMP/$nazwa.log" 2>&1 || { tail -n 30 "$TMP/$nazwa.log" >&2; exit 1; }
}

if [ "$(cat "$CACHE/stamp" 2>/dev/null)" != "$STEMPEL" ]; then
  echo "Building FreeType, libogg, libvorbis and Allegro into $CACHE (once; a few minutes)"
  START=$(date +%s)
  rm -rf "$CACHE" "$BUDOWA/deps.tmp"
  TMP="$BUDOWA/deps.tmp"
  mkdir -p "$TMP" "$CACHE/licences"
  for t in allegro5-5.2.8.0 freetype-VER-2-13-3 ogg-1.3.5 vorbis-1.3.7; do
    tar -xzf "$ZRODLA/$t.tar.gz" -C "$TMP"
  done
  # FreeType alone: the fonts are plain TrueType files, so no zlib, bzip2, PNG, HarfBuzz or Brotli.
  zbuduj freetype "$TMP/freetype-VER-2-13-3" -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON \
    -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
  zbuduj ogg "$TMP/ogg-1.3.5" -DINSTALL_DOCS=OFF -DBUILD_TESTING=OFF
  zbuduj vorbis "$TMP/vorbis-1.3.7"
  # Allegro: Direct3D and OpenGL displays, GDI+ for PNG, DirectSound, TTF and Ogg Vorbis; nothing else.
  zbuduj allegro "$TMP/allegro5-5.2.8.0" -DSHARED=OFF -DPREFER_STATIC_DEPS=ON \
    -DWANT_DOCS=OFF -DWANT_EXAMPLES=OFF -DWANT_DEMO=OFF -DWANT_TESTS=OFF \
    -DWANT_IMAGE_PNG=OFF -DWANT_IMAGE_JPG=OFF -DWANT_IMAGE_WEBP=OFF -DWANT_IMAGE_FREEIMAGE=OFF \
    -DWANT_NATIVE_IMAGE_LOADER=ON -DWANT_PHYSFS=OFF -DWANT_VIDEO=OFF -DWANT_NATIVE_DIALOG=OFF \
    -DWANT_PRIMITIVES=OFF -DWANT_COLOR=OFF -DWANT_MEMFILE=OFF -DWANT_SHADERS_D3D=OFF \
    -DWANT_FLAC=OFF -DWANT_OPUS=OFF -DWANT_MODAUDIO=OFF -DWANT_MP3=OFF -DWANT_OPENAL=OFF \
    -DWANT_DSOUND=ON -DWANT_VORBIS=ON -DWANT_TTF=ON -DWANT_PYTHON_WRAPPER=OFF \
    -DFREETYPE_ZLIB=OFF -DFREETYPE_BZIP2=OFF -DFREETYPE_PNG=OFF -DFREETYPE_HARFBUZZ=OFF
  cp "$TMP/allegro5-5.2.8.0/LICENSE.txt" "$CACHE/licences/LICENSE-allegro.txt"
  cp "$TMP/freetype-VER-2-13-3/LICENSE.TXT" "$CACHE/licences/LICENSE-freetype.txt"
  cp "$TMP/freetype-VER-2-13-3/docs/FTL.TXT" "$CACHE/licences/LICENSE-freetype-FTL.txt"
  cp "$TMP/ogg-1.3.5/COPYING" "$CACHE/licences/LICENSE-libogg.txt"
  cp "$TMP/vorbis-1.3.7/COPYING" "$CACHE/licences/LICENSE-libvorbis.txt"
  rm -rf "$TMP"
  printf '%s\n' "$STEMPEL" >"$CACHE/stamp"
  echo "Libraries built in $(($(date +%s) - START)) s"
fi

# The game: a GUI program linked statically, with its icon, version and manifest.
START=$(date +%s)
cmake -S . -B "$BUDOWA" -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" \
  -DBROLIK_ZALEZNOSCI="$CACHE" >"$BUDOWA/cmake.log" 2>&1 || { tail -n 30 "$BUDOWA/cmake.log" >&2; exit 1; }
cmake --build "$BUDOWA" -j"$RDZENIE" --target brolik
[ -z "$TESTY" ] || cmake --build "$BUDOWA" -j"$RDZENIE" --target testy_wine
echo "Game built in $(($(date +%s) - START)) s"

# Only Windows' own DLLs may be loaded: anything else would have to travel beside the exe.
WLASNE=" advapi32.dll comdlg32.dll d3d9.dll dinput8.dll dsound.dll gdi32.dll gdiplus.dll glu32.dll
  kernel32.dll msvcrt.dll ole32.dll opengl32.dll psapi.dll shell32.dll shlwapi.dll user32.dll winmm.dll "
for dll in $(x86_64-w64-mingw32-objdump -p "$BUDOWA/brolik.exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z'); do
  case "$WLASNE" in
    *" $dll "*) ;;
    *) echo "windows.sh: brolik.exe needs $dll, which Windows does not have" >&2; exit 1 ;;
  esac
done

# The zip: one folder Brolik/ with the program, its media, the players' notes and every licence.
VERSJA=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUDOWA/CMakeCache.txt")
PACZKA="$BUDOWA/brolik-$VERSJA-windows-x64.zip"
SKLAD="$BUDOWA/paczka"
rm -rf "$SKLAD" "$PACZKA"
mkdir -p "$SKLAD/Brolik/licencje"
x86_64-w64-mingw32-strip -o "$SKLAD/Brolik/brolik.exe" "$BUDOWA/brolik.exe"
cp -R media "$SKLAD/Brolik/media"
# Notes for Notepad: UTF-8 with its mark, CR LF line ends.
for notka in CZYTAJ README; do
  { printf '\357\273\277'; sed "s/@PROJECT_VERSION@/$VERSJA/; s/\$/\r/" "dist/windows/$notka.txt"; } >"$SKLAD/Brolik/$notka.txt"
done
[ ! -f LICENSE ] || sed 's/$/\r/' LICENSE >"$SKLAD/Brolik/LICENSE.txt"
cp "$CACHE"/licences/* "$SKLAD/Brolik/licencje/"
(cd "$SKLAD" && zip -qrX "$PACZKA" Brolik)
rm -rf "$SKLAD"
echo "$PACZKA ($(du -k "$PACZKA" | cut -f1) KiB)"
