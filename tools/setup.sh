#!/bin/sh
# Installs what Brolik needs on Debian 12, builds it, then plays it (`play`) or runs every test (`test`).
set -e
cd "$(dirname "$0")/.."

BUILD="g++ cmake make pkg-config liballegro5-dev liballegro-acodec5-dev liballegro-audio5-dev
       liballegro-image5-dev liballegro-ttf5-dev libvorbis-dev libx11-dev libgl-dev"
TESTS="libgtest-dev xvfb xauth xdotool openbox wmctrl x11-utils x11-xkb-utils x11-xserver-utils x11-apps imagemagick
       sox libsox-fmt-all vorbis-tools fontconfig hunspell hunspell-pl python3 python3-pil python3-numpy libopenal1
       desktop-file-utils appstream man-db dpkg-dev file lintian"

case "$1" in
  play) PAKIETY="$BUILD" ;;
  test) PAKIETY="$BUILD $TESTS" ;;
  *) echo "usage: tools/setup.sh play|test" >&2; exit 2 ;;
esac

if [ "$(id -u)" -eq 0 ]; then SUDO=; else SUDO=sudo; fi
BRAK=
for p in $PAKIETY; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || BRAK="$BRAK $p"
done
if [ -n "$BRAK" ]; then
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends $BRAK
fi

if [ "$1" = play ]; then
  # The game alone: the test suites and benchmarks are for the test path.
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF
  cmake --build build -j"$(nproc)" --target brolik
  exec ./build/brolik
fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON
cmake --build build -j"$(nproc)"
cd build
ctest --output-on-failure -j2
