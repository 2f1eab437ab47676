#!/usr/bin/env bash
# Gives the Wine prefix a sound device: builds the software sound card (an ALSA
# plugin of ours, softcard.c) into $WINEPREFIX/alsa and writes the ALSA
# configuration that scripts/env.sh names in ALSA_CONFIG_PATH. Idempotent.
#
# Without a sound card the default device is the software card: real-time
# input and output, input from $SOFTCARD_IN (silence without it), output
# appended to $SOFTCARD_OUT (discarded without it). With a card the default is
# the system's own device. SOFTCARD_DEFAULT names the default's device for one
# process (the tests set it to "softcard").
set -euo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
[ -n "${WINEPREFIX:-}" ] || . "$HERE/../../scripts/env.sh"
DEST="$WINEPREFIX/alsa"
mkdir -p "$DEST"

so="$DEST/libasound_module_pcm_softcard.so"
if [ ! -f "$so" ] || [ "$HERE/softcard.c" -nt "$so" ]; then
  # -DPIC: without it the ALSA headers make the plugin ask for a symbol that
  # only a static libasound has (snd_dlsym_start), and loading it fails.
  cc -O2 -Wall -shared -fPIC -DPIC -o "$so.tmp" "$HERE/softcard.c" -lasound
  mv -f "$so.tmp" "$so"
fi

fallback=softcard
if [ -r /proc/asound/cards ] && grep -qE '^ *[0-9]+ ' /proc/asound/cards; then
  fallback=sysdefault
fi

conf="$DEST/asound.conf"
tmp="$(mktemp)"
cat >"$tmp" <<CONF
# Written by platform/sound/install.sh; do not edit.
pcm_type.softcard { lib "$so" }
pcm.softcard {
  type softcard
  rate 8000
  channels 1
  hint.description "Software sound card (real time, file-backed)"
}
# plug converts whatever the wave devices ask for (8-bit output, other rates).
pcm.!default {
  type plug
  slave.pcm { @func getenv vars [ SOFTCARD_DEFAULT ] default "$fallback" }
}
CONF
chmod 644 "$tmp"
if cmp -s "$tmp" "$conf"; then rm -f "$tmp"; else mv -f "$tmp" "$conf"; fi
chmod 644 "$conf"
