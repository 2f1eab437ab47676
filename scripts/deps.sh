#!/usr/bin/env bash
# Cross-builds the libraries the program links (libogg, libvorbis + vorbisenc,
# libjpeg-turbo) for Windows from Debian's own source packages, as static
# libraries, into $BUILD/deps/<arch> (include/, lib/). zlib comes ready-made
# with libz-mingw-w64-dev. Each library is built once per architecture: a stamp
# file names the source version, so a second build does nothing.
#   scripts/deps.sh x86_64|i686
set -euo pipefail
. "$(dirname "$0")/env.sh"
ARCH="${1:?usage: deps.sh x86_64|i686}"
HOST="$ARCH-w64-mingw32"
PREFIX="$BUILD/deps/$ARCH"
SRC="$BUILD/deps/src"
WORK="$BUILD/deps/work-$ARCH"
JOBS="${BUILD_JOBS:-$(nproc)}"
mkdir -p "$PREFIX" "$SRC" "$WORK"

# The unpacked source tree of a Debian source package (fetched once).
source_dir() {
  local pkg="$1" dir
  dir=$(find "$SRC" -maxdepth 1 -mindepth 1 -type d -name "$pkg-*" | head -n 1)
  if [ -z "$dir" ]; then
    (cd "$SRC" && apt-get source -qq "$pkg" >/dev/null 2>&1) || {
      echo "deps: apt-get source $pkg failed (is the deb-src entry of scripts/setup.sh there?)" >&2
      exit 1
    }
    dir=$(find "$SRC" -maxdepth 1 -mindepth 1 -type d -name "$pkg-*" | head -n 1)
  fi
  echo "$dir"
}

built() { [ -f "$PREFIX/.$1" ] && [ "$(cat "$PREFIX/.$1")" = "$2" ]; }
mark() { echo "$2" >"$PREFIX/.$1"; }

autotools_lib() {
  local pkg="$1"; shift
  local dir; dir=$(source_dir "$pkg")
  local stamp; stamp="$(basename "$dir") $HOST"
  built "$pkg" "$stamp" && return 0
  echo "deps: building $pkg for $HOST"
  rm -rf "$WORK/$pkg"; mkdir -p "$WORK/$pkg"
  (cd "$WORK/$pkg" &&
   "$dir/configure" --host="$HOST" --prefix="$PREFIX" --disable-shared --enable-static \
      CC="$HOST-gcc-posix" AR="$HOST-ar" RANLIB="$HOST-ranlib" CFLAGS="-O2" "$@" >configure.log 2>&1 &&
   make -j"$JOBS" >make.log 2>&1 && make install >install.log 2>&1) || {
    echo "deps: $pkg failed; see $WORK/$pkg/*.log" >&2; exit 1; }
  mark "$pkg" "$stamp"
}

autotools_lib libogg
autotools_lib libvorbis --with-ogg="$PREFIX" --disable-docs --disable-examples --disable-oggtest

jpeg_dir=$(source_dir libjpeg-turbo)
jpeg_stamp="$(basename "$jpeg_dir") $HOST"
if ! built libjpeg-turbo "$jpeg_stamp"; then
  echo "deps: building libjpeg-turbo for $HOST"
  rm -rf "$WORK/libjpeg-turbo"
  proc=$ARCH; [ "$ARCH" = i686 ] && proc=i686
  cmake -S "$jpeg_dir" -B "$WORK/libjpeg-turbo" -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_SYSTEM_PROCESSOR="$proc" \
    -DCMAKE_C_COMPILER="$HOST-gcc-posix" -DCMAKE_RC_COMPILER="$HOST-windres" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$PREFIX" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF \
    -DCMAKE_ASM_NASM_COMPILER=nasm >"$WORK/libjpeg-turbo.log" 2>&1 &&
  cmake --build "$WORK/libjpeg-turbo" -j"$JOBS" >>"$WORK/libjpeg-turbo.log" 2>&1 &&
  cmake --install "$WORK/libjpeg-turbo" >>"$WORK/libjpeg-turbo.log" 2>&1 || {
    echo "deps: libjpeg-turbo failed; see $WORK/libjpeg-turbo.log" >&2; exit 1; }
  mark libjpeg-turbo "$jpeg_stamp"
fi
