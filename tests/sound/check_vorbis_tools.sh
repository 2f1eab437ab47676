#!/usr/bin/env bash
# Independent check of the encoder's output: the stream that the export test
# wrote with its stamps stripped must be plain Ogg Vorbis to ogginfo and
# oggdec, and decode to the expected length and tone.
set -euo pipefail
dir="$1"
ogg="$dir/stripped.ogg"
read -r samples rate channels tone <"$dir/stripped.expect"

info="$(ogginfo "$ogg" 2>&1)" || { echo "$info"; echo "ogginfo rejected the stream"; exit 1; }
echo "$info" | grep -qiE 'warning|error' && { echo "$info"; echo "ogginfo complained"; exit 1; }
echo "$info" | grep -q "Rate: $rate" || { echo "$info"; echo "rate is not $rate"; exit 1; }
echo "$info" | grep -q "Channels: $channels" || { echo "$info"; echo "channels are not $channels"; exit 1; }

raw="$(mktemp)"
trap 'rm -f "$raw"' EXIT
oggdec -Q -R -b 16 -e 0 -s 1 -o "$raw" "$ogg"
python3 - "$raw" "$samples" "$rate" "$tone" <<'PY'
import math, struct, sys
raw, samples, rate, tone = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), float(sys.argv[4])
data = open(raw, "rb").read()
x = struct.unpack("<%dh" % (len(data) // 2), data)
assert len(x) == samples, "decoded %d samples, expected %d" % (len(x), samples)
def energy(hz):
    w = 2 * math.pi * hz / rate; c = 2 * math.cos(w); s1 = s2 = 0.0
    for v in x:
        s1, s2 = v + c * s1 - s2, s1
    return s1 * s1 + s2 * s2 - c * s1 * s2
assert energy(tone) > 50 * energy(tone * 2.3), "the tone did not survive"
rms = math.sqrt(sum(v * v for v in x) / len(x))
assert rms > 1000, "decoded sound is too quiet (rms %.0f)" % rms
print("stripped stream: %d samples at %d Hz, tone %.0f Hz, rms %.0f" % (len(x), rate, tone, rms))
PY
# The stamped stream must not pass as plain Vorbis: the stamps are really there.
if oggdec -Q -o /dev/null "$dir/stamped.ogg" 2>/dev/null; then
  echo "the stamped stream decoded as plain Vorbis: are the stamps missing?"; exit 1
fi
echo "vorbis-tools check passed"
