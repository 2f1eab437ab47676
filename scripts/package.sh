#!/usr/bin/env bash
# Packs what users get, from the two Windows builds:
# - Quenda.cab, the viewer's download package: the 32-bit control (browser hosts
#   load 32-bit controls) and the INF that tells the browser's code download to
#   register it. It goes into the HTML folder of both programs, where the viewer
#   page's codebase line names it.
# - $BUILD/packages/Orvanta_TM-<arch>.zip: the program, its folders and the viewer
#   control, unpacked and run as they are.
set -euo pipefail
. "$(dirname "$0")/env.sh"
# The control's class and version: the viewer page's classid and codebase lines
# and the control's version resource say the same.
CLSID='{FFD85318-7565-4886-945C-D31E428F0947}'
VERSION='1,0,0,0'

OCX32="$I686_BUILD/dist/Quenda.ocx"
[ -f "$OCX32" ] || { echo "package: $OCX32 is not built" >&2; exit 1; }
WORK="$BUILD/packages/work"
rm -rf "$WORK"; mkdir -p "$WORK/cab"
# What users download carries no debugging information.
i686-w64-mingw32-strip -o "$WORK/cab/Quenda.ocx" "$OCX32"
# CR LF lines, as Windows' INF reader expects.
sed 's/$/\r/' >"$WORK/cab/Quenda.inf" <<EOF
; Code download of the Quenda viewer control.
[version]
signature="\$CHICAGO\$"
AdvancedINF=2.0

[Add.Code]
Quenda.ocx=Quenda.ocx

[Quenda.ocx]
file-win32-x86=thiscab
clsid=$CLSID
FileVersion=$VERSION
RegisterServer=yes
EOF
(cd "$WORK/cab" && gcab -c -z "$WORK/Quenda.cab" Quenda.inf Quenda.ocx)
for dist in "$BUILD/dist" "$I686_BUILD/dist"; do
  mkdir -p "$dist/HTML"
  cp -f "$WORK/Quenda.cab" "$dist/HTML/Quenda.cab"
done

# One zip per architecture: Orvanta_TM\ with the program, the viewer control and the folders.
for arch in x86_64 i686; do
  dist="$BUILD/dist"; [ "$arch" = i686 ] && dist="$I686_BUILD/dist"
  top="$WORK/zip-$arch/Orvanta_TM"
  mkdir -p "$top"
  for f in Orvanta_TM.exe Quenda.ocx; do "$arch-w64-mingw32-strip" -o "$top/$f" "$dist/$f"; done
  cp "$dist/client.jar" "$top/"
  for dir in HTML Languages Sounds SKINS HELP; do
    mkdir -p "$top/$dir"
    cp -r "$dist/$dir/." "$top/$dir/"
  done
  zipfile="$BUILD/packages/Orvanta_TM-$arch.zip"
  rm -f "$zipfile"
  (cd "$WORK/zip-$arch" && zip -qr -X "$zipfile" Orvanta_TM)
done
echo "package: $BUILD/packages/Orvanta_TM-x86_64.zip, $BUILD/packages/Orvanta_TM-i686.zip, Quenda.cab"
