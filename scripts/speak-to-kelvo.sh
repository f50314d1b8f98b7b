#!/usr/bin/env bash
# Speaks a phrase to the real program: espeak-ng says it into a WAV file,
# the program's audio input is pointed at that file, and the program runs
# on its own X server with a home folder of its own. A screenshot of the
# screen is saved once the phrase has had time to be heard.
# Usage: scripts/speak-to-kelvo.sh "go wikipedia" [screenshot.png] [path/to/kelvo]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
phrase=${1:?usage: $0 PHRASE [SCREENSHOT] [KELVO]}
shot=$(realpath -m "${2:-kelvo-heard.png}")
kelvo=$(realpath "${3:-$here/build/src/kelvo}")
[ -x "$kelvo" ] || { echo "no program at $kelvo" >&2; exit 1; }

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

export HOME=$work/home
export XDG_DATA_HOME=$HOME/.local/share
export XDG_CONFIG_HOME=$HOME/.config
export XDG_CACHE_HOME=$HOME/.cache
export XDG_RUNTIME_DIR=$work/runtime
unset XDG_DATA_DIRS XDG_CONFIG_DIRS
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME/kelvo"
chmod 700 "$XDG_RUNTIME_DIR"

espeak-ng -v en-us -w "$work/phrase.wav" "$phrase"
# Silence first, so the program is listening when the phrase comes.
sox -q -n -r 22050 -c 1 -b 16 "$work/lead.wav" trim 0 3
sox -q "$work/lead.wav" "$work/phrase.wav" "$work/spoken.wav"
listen_to() {
    printf '[AudioInput]\nSource=file:%s\n' "$1" >"$XDG_CONFIG_HOME/kelvo/speech.ini"
}

exec 3<>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(head -n1 "$work/display")
export QT_QPA_PLATFORM=xcb

bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1)
export DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p <<<"$bus")
pids+=("$(sed -n 2p <<<"$bus")")

# The main window shows only when the settings ask for it; the tray needs a
# panel, so a window manager and a panel run as on a desktop.
if command -v openbox >/dev/null; then
    openbox >/dev/null 2>&1 &
    pids+=($!)
fi
if command -v tint2 >/dev/null; then
    tint2 >/dev/null 2>&1 &
    pids+=($!)
fi

# The first start listens with the training grammar (a new user creates a
# voice profile first), so it runs once on silence and is ended.
listen_to "$work/lead.wav"
"$kelvo" >"$work/first.log" 2>&1 &
first=$!
sleep 6
kill "$first" 2>/dev/null || true
wait "$first" 2>/dev/null || true

listen_to "$work/spoken.wav"
"$kelvo" >"$work/kelvo.log" 2>&1 &
pids+=($!)
sleep 18
import -window root "$shot"
echo "screenshot: $shot"
sed -n 1,20p "$work/kelvo.log"
