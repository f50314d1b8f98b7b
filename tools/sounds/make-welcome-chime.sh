#!/usr/bin/env bash
# Makes resources/welcome.mp3, the chime played at start: three plucked
# notes rising, C5 E5 G5, about a second long. Needs sox with mp3 support
# (libsox-fmt-mp3); the result is committed, so only a change needs it.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sox -n -r 44100 -c 1 "$work/1.wav" synth 0.7 pluck C5 fade q 0.005 0.7 0.6 gain -6
sox -n -r 44100 -c 1 "$work/2.wav" synth 0.7 pluck E5 fade q 0.005 0.7 0.6 gain -6 pad 0.15
sox -n -r 44100 -c 1 "$work/3.wav" synth 0.9 pluck G5 fade q 0.005 0.9 0.8 gain -6 pad 0.3
sox -m "$work/1.wav" "$work/2.wav" "$work/3.wav" "$work/chime.wav" norm -3
sox "$work/chime.wav" -C 96 "$here/resources/welcome.mp3"
