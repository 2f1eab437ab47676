# Sourced by the scripts: where things are, and the Wine environment of the build tree.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${BUILD_DIR:-$ROOT/build}"
export WINEPREFIX="$BUILD/wineprefix"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
# $BUILD holds the x86-64 Windows build (PE files: what users get, and what the tests run);
# $BUILD/i686 the 32-bit one; $BUILD/winelib the stand-ins that bridge to Linux libraries
# (the codec); $BUILD/deps the cross-built libraries.
WINELIB_BUILD="$BUILD/winelib"
I686_BUILD="$BUILD/i686"
# DLLs of the platform stand-ins are built into platform/dlls of their build. Wine 8 does not
# load a winelib DLL that it does not ship from WINEDLLPATH by its plain name, so the install
# scripts register a full path or copy the DLL into the prefix's system32 as name.dll.
case ":${WINEDLLPATH:-}:" in *":$WINELIB_BUILD/platform/dlls:"*) ;; *) export WINEDLLPATH="$WINELIB_BUILD/platform/dlls${WINEDLLPATH:+:$WINEDLLPATH}" ;; esac
# The file wine runs for a program of a build folder: name.exe when it is a Windows
# program, name.exe.so beside a winelib build's launcher script name.exe.
wine_program() {
  if [ "$(head -c 2 "$1.exe" 2>/dev/null)" = "MZ" ]; then echo "$1.exe"; else echo "$1.exe.so"; fi
}
# The prefix's sound devices (platform/sound/install.sh writes the second file).
# ALSA_SYSTEM_CONFIG: the system's own ALSA configuration (Debian's place by default).
export ALSA_CONFIG_PATH="${ALSA_SYSTEM_CONFIG:-/usr/share/alsa/alsa.conf}:$WINEPREFIX/alsa/asound.conf"
