#!/usr/bin/env bash
# Checks the zips that scripts/package.sh writes into the folder given.
set -uo pipefail
PACKAGES="$1"
fail=0
bad() { echo "FAIL: $*"; fail=1; }

# Windows' own DLLs: what a clean Windows has. The compiler's runtime (libstdc++,
# libgcc, winpthread) is linked in, so it must not be imported.
SYSTEM='^(kernel32|user32|gdi32|advapi32|comctl32|comdlg32|ole32|oleaut32|shell32|shlwapi|mpr|ws2_32|winmm|msvfw32|winhttp|msvcrt|version|rpcrt4|uxtheme|api-ms-win-[a-z0-9-]+)\.dll$'

for arch in x86_64 i686; do
  zip="$PACKAGES/Orvanta_TM-$arch.zip"
  [ -f "$zip" ] || { bad "$zip is missing"; continue; }
  listing=$(unzip -Z1 "$zip")
  for f in Orvanta_TM.exe Quenda.ocx HTML/viewax.html HTML/login.html HTML/Quenda.cab Languages/english.lng \
           Sounds/alarm.wav SKINS/Korvel2.skn SKINS/Sarnic.skn HELP/Orvanta_Guide_en.html; do
    grep -qx "Orvanta_TM/$f" <<<"$listing" || bad "$arch: Orvanta_TM/$f is not in the zip"
  done
  work=$(mktemp -d)
  unzip -q "$zip" -d "$work"
  format=pei-x86-64; [ "$arch" = i686 ] && format=pei-i386
  objdump="$arch-w64-mingw32-objdump"
  for f in Orvanta_TM.exe Quenda.ocx; do
    file="$work/Orvanta_TM/$f"
    [ -f "$file" ] || continue
    "$objdump" -f "$file" 2>/dev/null | grep -q "file format $format" || bad "$arch: $f is not $format"
    while read -r dll; do
      grep -qiE "$SYSTEM" <<<"$dll" || bad "$arch: $f needs $dll, which Windows does not have"
    done < <("$objdump" -p "$file" | sed -n 's/^\s*DLL Name: //p')
  done
  # The viewer's download package inside the zip is the one the build made.
  cmp -s "$work/Orvanta_TM/HTML/Quenda.cab" "$PACKAGES/work/Quenda.cab" || bad "$arch: HTML/Quenda.cab differs"
  rm -rf "$work"
done
# The cabinet: an INF and the 32-bit control, as cabextract lists them.
cab=$(cabextract -l "$PACKAGES/work/Quenda.cab" 2>/dev/null)
grep -q "Quenda.inf" <<<"$cab" || bad "Quenda.cab has no Quenda.inf"
grep -q "Quenda.ocx" <<<"$cab" || bad "Quenda.cab has no Quenda.ocx"
if [ "$fail" = 0 ]; then echo "packages: both zips and the cabinet are whole"; fi
exit $fail
