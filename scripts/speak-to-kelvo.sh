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

# shellcheck source=lib/x-sandbox.sh
source "$here/scripts/lib/x-sandbox.sh"
make_work_folder
fail() {
    echo "$*" >&2
    exit 1
}

sandbox_home
install_settings_past_first_run
record_opened_addresses

espeak-ng -v en-us -w "$work/phrase.wav" "$phrase"
# Silence first, so the program is listening when the phrase comes.
sox -q -n -r 22050 -c 1 -b 16 "$work/lead.wav" trim 0 3
sox -q "$work/lead.wav" "$work/phrase.wav" "$work/spoken.wav"
listen_to() {
    printf '[AudioInput]\nSource=file:%s\n' "$1" >"$XDG_CONFIG_HOME/kelvo/speech.ini"
}

start_x_server 1280x1024
start_session_bus
# The main window shows only when the settings ask for it; the tray needs a
# panel, so a window manager and a panel run as on a desktop.
start_desktop

listen_to "$work/spoken.wav"
"$kelvo" >"$work/kelvo.log" 2>&1 &
pids+=($!)
sleep 12
import -window root "$shot"
echo "screenshot: $shot"
sed -n 1,20p "$work/kelvo.log"
echo "opened: $(cat "$work/opened.txt" 2>/dev/null || echo nothing)"
