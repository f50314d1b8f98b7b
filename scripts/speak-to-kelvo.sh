#!/usr/bin/env bash
# Speaks a phrase to the real program: it starts on its own X server with a
# fresh home folder of its own, its first-run wizard is closed as a user
# closes it, and espeak-ng says the phrase into its fifo microphone. A
# screenshot of the screen is saved once the phrase has had time to be heard.
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
record_opened_addresses

espeak-ng -v en-us -w "$work/phrase.wav" "$phrase"
sox -q "$work/phrase.wav" -r 16000 -c 1 -b 16 -e signed-integer -t raw "$work/phrase.raw"
mkfifo "$work/mic"
printf '[AudioInput]\nSource=fifo:%s\n' "$work/mic" >"$XDG_CONFIG_HOME/kelvo/speech.ini"

start_x_server 1280x1024
start_session_bus
# The main window shows only when the settings ask for it; the tray needs a
# panel, so a window manager and a panel run as on a desktop.
start_desktop

KELVO_REPORT_LISTENING=1 "$kelvo" >"$work/kelvo.log" 2>&1 &
pids+=($!)
close_first_run_wizard 60 || fail "no first-run wizard to close"
# The commands listen once the wizard's grammar switch is reported.
for _ in $(seq 100); do
    [ "$(grep "listening for" "$work/kelvo.log" | tail -n1)" = "kelvo: listening for commands" ] && break
    sleep 0.1
done
sleep 2
timeout 30 cat "$work/phrase.raw" >"$work/mic" || fail "the program stopped listening"
sleep 5
import -window root "$shot"
echo "screenshot: $shot"
sed -n 1,20p "$work/kelvo.log"
echo "opened: $(cat "$work/opened.txt" 2>/dev/null || echo nothing)"
