# Sourced by the scripts: where things are, and the Wine environment of the build tree.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${BUILD_DIR:-$ROOT/build}"
export WINEPREFIX="$BUILD/wineprefix"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
# DLLs of the platform stand-ins are built into $BUILD/platform/dlls. Wine 8 does not load a
# winelib DLL that it does not ship from WINEDLLPATH by its plain name, so the install scripts
# register a full path or copy the DLL into the prefix's system32 as name.dll (the ELF file).
case ":${WINEDLLPATH:-}:" in *":$BUILD/platform/dlls:"*) ;; *) export WINEDLLPATH="$BUILD/platform/dlls${WINEDLLPATH:+:$WINEDLLPATH}" ;; esac
# The prefix's sound devices (platform/sound/install.sh writes the second file).
# ALSA_SYSTEM_CONFIG: the system's own ALSA configuration (Debian's place by default).
export ALSA_CONFIG_PATH="${ALSA_SYSTEM_CONFIG:-/usr/share/alsa/alsa.conf}:$WINEPREFIX/alsa/asound.conf"
