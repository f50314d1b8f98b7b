#!/usr/bin/env bash
# Speaks a catalogue phrase to the real program on its own X server, with a
# window manager and a panel: the program must open the phrase's address
# (seen through a stand-in xdg-open first on PATH, which records its
# arguments), and its Quit button must end it through the close-down, which
# backs up the custom-command store and writes the session log.
# Run by hand on a quiet machine: the engine hears at real-time pace, and
# a loaded machine starves it. Usage: scripts/spoken-open-quit.sh [kelvo]
# (exit 77 = skipped: a tool is missing)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
kelvo=$(realpath "${1:-$here/build/src/kelvo}")
[ -x "$kelvo" ] || { echo "no program at $kelvo" >&2; exit 1; }
for tool in Xvfb espeak-ng sox xdotool; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    [ -n "${KEEP_WORK:-}" ] && echo "kept $work" || rm -rf "$work"
}
trap cleanup EXIT
# shellcheck source=lib/x-sandbox.sh
source "$here/scripts/lib/x-sandbox.sh"
fail() {
    echo "FAIL: $*" >&2
    sed -n 1,20p "$work/kelvo.log" >&2 || true
    exit 1
}

sandbox_home
data=$XDG_DATA_HOME/kelvo
mkdir -p "$data" "$work/bin"

# The lead of silence gives the engine time to compile its grammar.
# Past the first run (no profile wizard, no training grammar), window shown.
sed 's/^First=x/First=no/' "$here/resources/defaults/mouse.ini" >"$data/mouse.ini"
printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"%s/opened.txt"\n' "$work" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH=$work/bin:$PATH

espeak-ng -v en-us -w "$work/phrase.wav" "go google"
sox -q -n -r 22050 -c 1 -b 16 "$work/lead.wav" trim 0 8
sox -q "$work/lead.wav" "$work/phrase.wav" "$work/spoken.wav"
printf '[AudioInput]\nSource=file:%s\n' "$work/spoken.wav" >"$XDG_CONFIG_HOME/kelvo/speech.ini"

start_x_server 1280x1024
start_desktop

"$kelvo" >"$work/kelvo.log" 2>&1 &
kelvo_pid=$!
pids+=("$kelvo_pid")
for _ in $(seq 60); do
    [ -s "$work/opened.txt" ] && break
    sleep 1
done
[ -s "$work/opened.txt" ] || fail "nothing was opened"
grep -qx "https://www.google.com" "$work/opened.txt" ||
    fail "opened $(cat "$work/opened.txt") instead of https://www.google.com"

window=$(xdotool search --name '^kelvo$' | head -n1)
[ -n "$window" ] || fail "no main window"
xdotool windowactivate --sync "$window" key alt+q
for _ in $(seq 50); do
    kill -0 "$kelvo_pid" 2>/dev/null || break
    sleep 0.2
done
kill -0 "$kelvo_pid" 2>/dev/null && fail "Quit did not end the program"
[ -s "$data/sl.txt" ] || fail "no session log after the close-down"
[ -f "$HOME/Documents/commands_customfree.xml" ] || fail "store not backed up"
echo "PASS: heard, opened $(cat "$work/opened.txt"), quit through the close-down"
