#!/usr/bin/env bash
# Installs every Debian package the project needs; does nothing when all are there.
set -euo pipefail
# The Windows builds: mingw-w64 (compilers, windres, widl), zlib for it, nasm for
# libjpeg-turbo's SIMD code, dpkg-dev for Debian's source packages of the libraries
# that scripts/deps.sh cross-builds, gcab and zip for the packages, cabextract to
# check them. Wine's headers (libwine-dev) carry the standard IDL files. The codec
# stand-in is built with winelib against libavcodec.
PKGS=(wine64 wine64-tools libwine-dev xvfb xauth googletest cmake make g++ libogg-dev libvorbis-dev
      zlib1g-dev libjpeg-dev libavcodec-dev libavutil-dev libswscale-dev vorbis-tools curl
      libasound2-plugins alsa-utils libasound2-dev python3 x11-apps imagemagick
      g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools libz-mingw-w64-dev nasm
      dpkg-dev gcab cabextract zip unzip ccache)
SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
updated=0
# Debian's source packages (apt-get source), for the libraries built for Windows.
SRC_LIST=/etc/apt/sources.list.d/orvanta-src.sources
if [ ! -f "$SRC_LIST" ]; then
  printf '%s\n' 'Types: deb-src' 'URIs: http://deb.debian.org/debian' 'Suites: bookworm bookworm-updates' \
    'Components: main' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' | $SUDO tee "$SRC_LIST" >/dev/null
  $SUDO apt-get update -qq
  updated=1
fi
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  [ "$updated" = 1 ] || $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi
