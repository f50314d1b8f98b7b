#!/usr/bin/env bash
# Starts the real program beside an idle real music player (mpv with its
# MPRIS plugin, playing nothing) on one X server and one session bus, with a
# music folder of tagged tracks, and speaks to it through a fifo as its
# microphone: "play music" must play a track of the music folder, "search
# music artist" and an artist's name that artist's tracks, and "create
# playlist" and a name must write that playlist into the music folder. The
# artist's name is one the general dictation mishears ("so the rear"): it is
# heard as written because the dictation expects the library's artists.
# Usage: scripts/spoken-music-library.sh [kelvo]  (exit 77 = skipped: a tool is missing)
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
    grep -E "heard|Music|music" "$work/kelvo.log" | tail -n 20 >&2 || true
    exit 1
}
player() { playerctl -p mpv "$@" 2>/dev/null; }
# What mpv itself plays, asked on its own socket: its bus plugin reports a
# file loaded into an idle player as stopped while it plays.
mpv_says() {
    python3 - "$work/mpv.sock" "$1" <<'PY' 2>/dev/null
import json, socket, sys
s = socket.socket(socket.AF_UNIX)
s.connect(sys.argv[1])
s.sendall(json.dumps({"command": ["get_property", sys.argv[2]]}).encode() + b"\n")
print(json.loads(s.makefile().readline()).get("data"))
PY
}
track() { mpv_says path; }
playing_from() {
    [[ "$(track)" == "$music/$1"* ]] && [ "$(mpv_says pause)" = False ] &&
        [ "$(mpv_says core-idle)" = False ]
}
now_listening() { [ "$(grep "listening for" "$work/kelvo.log" | tail -n1)" = "kelvo: listening for $1" ]; }
last_heard() { grep -o 'kelvo: heard "[^"]*"$' "$work/kelvo.log" | tail -n1 | cut -d'"' -f2; }

sandbox_home
use_fifo_microphone
start_x_server 1280x1024
start_session_bus

# The music folder: tracks tagged as a ripper tags them, in an artist's
# folder and an album's.
music=$HOME/Music
tag() { # file artist album title tone
    mkdir -p "$(dirname "$music/$1")"
    sox -n -r 8000 -c 1 --comment "ARTIST=$2" --add-comment "ALBUM=$3" --add-comment "TITLE=$4" \
        "$music/$1" synth 300 sine "$5"
}
tag "Aardvark Quartet/First/01.flac" "Aardvark Quartet" "First" "Opening" 300
tag "Summer Rain/Clouds/01.flac" "Summer Rain" "Clouds" "Grey Morning" 440
tag "Summer Rain/Clouds/02.flac" "Summer Rain" "Clouds" "Wet Streets" 550
tag "Golden River/Delta/01.flac" "Golden River" "Summer Songs" "Rain Dance" 660

mpv --no-config --script="$plugin" --ao=null --vo=null --really-quiet --idle=yes \
    --input-ipc-server="$work/mpv.sock" >"$work/mpv.log" 2>&1 &
pids+=($!)
on_bus() { player status >/dev/null; }
wait_for on_bus || fail "mpv offered no player on the bus"

KELVO_REPORT_LISTENING=1 "$kelvo" >"$work/kelvo.log" 2>&1 &
pids+=($!)
close_first_run_wizard "$patience" || fail "no first-run wizard to close"
wait_for settled || fail "the program never listened for commands"

say "play music"
# The library in its order: the first artist's track comes first.
wait_for playing_from "Aardvark Quartet/" || fail "play music plays '$(track)'"
[ -s "$XDG_DATA_HOME/kelvo/media-index.txt" ] || fail "no media index in the data folder"

# A dictated word now and then comes out wrong on a loaded machine: the
# two-step command is said again, at most three times.
two_step() { # command words check...
    local attempt command=$1 words=$2
    shift 2
    for attempt in 1 2 3; do
        say "$command"
        wait_for now_listening dictation || fail "$command did not start a dictation"
        say "$words"
        wait_for now_listening commands || fail "the commands did not listen again after $command"
        echo "$command: heard '$(last_heard)'"
        if wait_for_briefly "$@"; then
            return 0
        fi
    done
    fail "$command never did its step for '$words'"
}
wait_for_briefly() { local patience=5; wait_for "$@"; }

two_step "search music artist" "summer rain" playing_from "Summer Rain/"
search=$music/"kelvo search.m3u"
[ "$(grep -vc '^#' "$search")" = 2 ] || fail "the search playlist holds $(cat "$search")"
! grep -q "Golden River" "$search" || fail "the search playlist holds another artist"

made_playlist() { [ -f "$music/chicago.m3u" ]; }
two_step "create playlist" "chicago" made_playlist
[ "$(cat "$music/chicago.m3u")" = "#EXTM3U" ] || fail "the new playlist is not an empty playlist"
echo "PASS: play music played the music folder's first artist, search music artist played Summer Rain, create playlist wrote 'chicago.m3u'"
