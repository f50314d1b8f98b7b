#!/usr/bin/env bash
# Starts the real program and a real music player (mpv with its MPRIS
# plugin, playing two tones) on one X server and one session bus, then
# speaks to the program through a fifo as its microphone: "pause music"
# must pause the player, "next track" skip to the second tone and "mute
# music" set its volume to 0, each read back with playerctl.
# Usage: scripts/spoken-music.sh [kelvo]  (exit 77 = skipped: a tool is missing)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
kelvo=$(realpath "${1:-$here/build/src/kelvo}")
[ -x "$kelvo" ] || { echo "no program at $kelvo" >&2; exit 1; }
for tool in Xvfb espeak-ng sox xdotool mpv playerctl dbus-daemon; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done
plugin=/usr/lib/mpv-mpris/mpris.so
[ -f "$plugin" ] || { echo "SKIP: mpv-mpris is missing"; exit 77; }
patience=${KELVO_E2E_PATIENCE:-120}

# shellcheck source=lib/x-sandbox.sh
source "$here/scripts/lib/x-sandbox.sh"
# shellcheck source=lib/spoken.sh
source "$here/scripts/lib/spoken.sh"
make_work_folder
fail() {
    echo "FAIL: $*" >&2
    sed -n 1,40p "$work/kelvo.log" >&2 || true
    exit 1
}
player() { playerctl -p mpv "$@" 2>/dev/null; }
is() { [ "$(player "${@:2}")" = "$1" ]; }

sandbox_home
record_opened_addresses
use_fifo_microphone
start_x_server 1280x1024
start_session_bus

for tone in 440 660; do
    sox -n -r 8000 -c 1 "$work/tone$tone.wav" synth 300 sine "$tone"
done
mpv --no-config --script="$plugin" --ao=null --vo=null --really-quiet --idle=no \
    "$work/tone440.wav" "$work/tone660.wav" >"$work/mpv.log" 2>&1 &
pids+=($!)
wait_for is Playing status || fail "mpv did not play"

KELVO_REPORT_LISTENING=1 "$kelvo" >"$work/kelvo.log" 2>&1 &
pids+=($!)
close_first_run_wizard "$patience" || fail "no first-run wizard to close"
wait_for settled || fail "the program never listened for commands"

say "pause music"
wait_for is Paused status || fail "pause music left the player $(player status)"
say "next track"
wait_for is tone660.wav metadata xesam:title || fail "next track left $(player metadata xesam:title)"
say "mute music"
wait_for is 0.000000 volume || fail "mute music left the volume at $(player volume)"
echo "PASS: the player paused, skipped to $(player metadata xesam:title) and was muted by voice"
