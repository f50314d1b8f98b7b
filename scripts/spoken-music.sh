#!/usr/bin/env bash
# Starts the real program and a real music player (an idle mpv with its
# MPRIS plugin, playing two tones) on one X server and one session bus, then
# speaks to the program through a fifo as its microphone: "pause music"
# must pause the player, "next track" skip to the second tone, "mute music"
# set its volume to 0 (each read back with playerctl), "music store" open
# the store in the browser and "quit music" end the player. Then, with no
# player running, "play music" must start the home's default audio player
# (set with xdg-mime) playing the music folder, "next track" move to its
# other track and "quit music" end it.
# Usage: scripts/spoken-music.sh [kelvo]  (exit 77 = skipped: a tool is missing)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
plugin=/usr/lib/mpv-mpris/mpris.so
[ -f "$plugin" ] || { echo "SKIP: mpv-mpris is missing"; exit 77; }

# shellcheck source=lib/x-sandbox.sh
source "$here/scripts/lib/x-sandbox.sh"
# shellcheck source=lib/spoken.sh
source "$here/scripts/lib/spoken.sh"
speaking_to "${1:-}" mpv playerctl dbus-daemon
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
# The music folder the library plays from.
mkdir -p "$HOME/Music"
for song in morning:330 evening:550; do
    sox -n -r 8000 -c 1 "$HOME/Music/${song%:*}.wav" synth 300 sine "${song#*:}"
done
mpv --no-config --script="$plugin" --ao=null --vo=null --really-quiet --idle=yes \
    "$work/tone440.wav" "$work/tone660.wav" >"$work/mpv.log" 2>&1 &
first=$!
pids+=("$first")
wait_for is Playing status || fail "mpv did not play"

# The home's default audio player, as a user sets it: an idle mpv.
mkdir -p "$XDG_DATA_HOME/applications"
printf '[Desktop Entry]\nType=Application\nName=Idle Player\nExec=mpv --no-config "--script=%s" --ao=null --vo=null --idle=yes --really-quiet %%U\n' \
    "$plugin" >"$XDG_DATA_HOME/applications/idle-mpv.desktop"
xdg-mime default idle-mpv.desktop audio/mpeg
[ "$(xdg-mime query default audio/mpeg)" = idle-mpv.desktop ] || fail "xdg-mime set no default"
player_pid() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
        org.freedesktop.DBus.GetConnectionUnixProcessID string:org.mpris.MediaPlayer2.mpv 2>/dev/null |
        awk '/uint32/ { print $2 }'
}
has_player() { [ -n "$(player_pid)" ]; }
ended() { ! kill -0 "$1" 2>/dev/null; }

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
say "music store"
wait_for opened_lines 1 || fail "music store opened nothing"
grep -qx "https://bandcamp.com/" "$work/opened.txt" || fail "music store opened $(cat "$work/opened.txt")"
say "quit music"
wait_for ended "$first" || fail "quit music left the player running"

say "play music"
wait_for has_player || fail "play music started no player: $(sed -n '/Music/,+2p' "$work/kelvo.log")"
started=$(player_pid)
pids+=("$started")
[ "$started" != "$first" ] || fail "the old player is still there"
track() { player metadata xesam:url; }
from_music_folder() { case "$(track)" in "file://$HOME/Music/"*.wav) true ;; *) false ;; esac; }
wait_for from_music_folder || fail "play music plays $(track), not the music folder"
played=$(track)
say "next track"
moved() { from_music_folder && [ "$(track)" != "$played" ]; }
wait_for moved || fail "next track left $(track)"
say "quit music"
wait_for ended "$started" || fail "quit music left the started player running"
echo "PASS: the player paused, skipped to the second tone, was muted, opened the store and quit by voice; play music started the default player on the music folder, next track moved on and quit music ended it"
