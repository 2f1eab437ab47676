#!/usr/bin/env bash
# Installs every Debian package the project needs; does nothing when all are there.
set -euo pipefail
PKGS=(wine64 wine64-tools libwine-dev xvfb xauth googletest cmake make g++ libogg-dev libvorbis-dev
      zlib1g-dev libjpeg-dev libavcodec-dev libavutil-dev libswscale-dev vorbis-tools curl
      libasound2-plugins alsa-utils libasound2-dev python3 x11-apps imagemagick)
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi
