#!/bin/sh
# Installs what Brolik needs on Debian 12, builds it, then plays it (`play`) or runs every test (`test`).
set -e
cd "$(dirname "$0")/.."

BUILD="g++ cmake make pkg-config liballegro5-dev liballegro-acodec5-dev liballegro-audio5-dev
       liballegro-image5-dev liballegro-ttf5-dev libvorbis-dev libx11-dev libgl-dev"
TESTS="libgtest-dev xvfb xauth xdotool openbox wmctrl x11-utils x11-xkb-utils x11-xserver-utils x11-apps imagemagick
       sox libsox-fmt-all vorbis-tools fontconfig hunspell hunspell-pl python3 python3-pil python3-numpy libopenal1
       desktop-file-utils appstream man-db dpkg-dev file lintian
       g++-mingw-w64-x86-64-posix wine64 googletest zip unzip"

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
# Another package manager (on a desktop often the automatic updates) may hold its locks for a
# while: wait for them rather than fail. apt-get waits for dpkg's lock itself, not for the lists'.
ZAMKI="/var/lib/dpkg/lock-frontend /var/lib/dpkg/lock /var/lib/apt/lists/lock /var/cache/apt/archives/lock"
zajete() {
  for z in $ZAMKI; do
    [ -e "$z" ] && grep -q ":$(stat -c %i "$z") " /proc/locks && return 0
  done
  return 1
}
if [ -n "$BRAK" ]; then
  if zajete; then
    echo "setup.sh: another package manager holds the package lock; waiting for it (up to 5 min)..."
    n=0
    while zajete && [ $n -lt 300 ]; do sleep 1; n=$((n + 1)); done
  fi
  $SUDO apt-get -o DPkg::Lock::Timeout=300 update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get -o DPkg::Lock::Timeout=300 install -y -q --no-install-recommends $BRAK
fi

if [ "$1" = play ]; then
  # The game alone: the test suites and benchmarks are for the test path.
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF
  cmake --build build -j"$(nproc)" --target brolik
  exec ./build/brolik
fi
# The Windows build's tests run under Wine when the libraries' tarballs are found: in
# $BROLIK_ZRODLA_WINDOWS (then they must run), else in ../shared/third_party if it is there.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON \
  ${BROLIK_ZRODLA_WINDOWS:+"-DBROLIK_ZRODLA_WINDOWS=$(readlink -f "$BROLIK_ZRODLA_WINDOWS")"}
cmake --build build -j"$(nproc)"
cd build
# The end-to-end tests spend their time waiting on the game's real-time pacing, not computing:
# three times as many tests as cores run at once.
ctest --output-on-failure -j"$(($(nproc) * 3))"
