#!/usr/bin/env bash
# Adds a custom command through the real editor window of the real program
# (driven with the keyboard through xdotool, on its own X server), speaks it
# through a fifo as its microphone and sees its address opened by a
# stand-in xdg-open; then removes it with the Custom tab's remove button and
# its confirmation, and sees that the phrase no longer opens anything while
# a catalogue phrase still does.
# Usage: scripts/custom-command-spoken.sh [kelvo]  (exit 77 = skipped: a tool is missing)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
kelvo=$(realpath "${1:-$here/build/src/kelvo}")
[ -x "$kelvo" ] || { echo "no program at $kelvo" >&2; exit 1; }
for tool in Xvfb espeak-ng sox xdotool openbox; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done
patience=${KELVO_E2E_PATIENCE:-120}
phrase="visit my garden"
address="https://garden.example/"

# shellcheck source=lib/x-sandbox.sh
source "$here/scripts/lib/x-sandbox.sh"
make_work_folder
fail() {
    echo "FAIL: $*" >&2
    sed -n 1,40p "$work/kelvo.log" >&2 || true
    exit 1
}
wait_for() {
    local deadline=$((SECONDS + patience))
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
}
# Listening for commands, and no grammar switch for two seconds.
settled() {
    local before
    before=$(grep -c "listening for" "$work/kelvo.log" || true)
    sleep 2
    [ "$(grep -c "listening for" "$work/kelvo.log" || true)" = "$before" ] &&
        [ "$(grep "listening for" "$work/kelvo.log" | tail -n1)" = "kelvo: listening for commands" ]
}
opened_lines() { [ "$(cat "$work/opened.txt" 2>/dev/null | wc -l)" -ge "$1" ]; }
stored() { grep -q "d=\"$phrase\"" "$data/commands_customfree.xml"; }
not_stored() { ! stored; }
window_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1; }
shown() { [ -n "$(window_named "$1")" ]; }
gone() { [ -z "$(window_named "$1")" ]; }
say() {
    espeak-ng -v en-us -w "$work/say.wav" "$1"
    # A second of silence after the words, as a microphone goes on giving.
    sox -q "$work/say.wav" -r 16000 -c 1 -b 16 -e signed-integer -t raw "$work/say.raw" pad 0 1
    timeout "$patience" cat "$work/say.raw" >"$work/mic" || fail "the program stopped listening"
}
keys() { xdotool key --delay 80 "$@"; }

sandbox_home
data=$XDG_DATA_HOME/kelvo
install_settings_past_first_run
record_opened_addresses
mkfifo "$work/mic"
printf '[AudioInput]\nSource=fifo:%s\n' "$work/mic" >"$XDG_CONFIG_HOME/kelvo/speech.ini"
start_x_server 1280x1024
start_desktop

KELVO_REPORT_LISTENING=1 "$kelvo" >"$work/kelvo.log" 2>&1 &
pids+=($!)
wait_for settled || fail "the program never listened for commands"
main=$(window_named kelvo)
[ -n "$main" ] || fail "no main window"

# The Custom tab (fifth), its list, then Add A Command.
xdotool windowactivate --sync "$main"
xdotool mousemove --window "$main" 30 45 click 1
keys Right Right Right Right Tab Tab space
wait_for shown "Add Custom Voice Command" || fail "Add A Command opened no editor"
xdotool type --delay 40 "Visit My Garden"
keys Tab Tab ctrl+a
xdotool type --delay 20 "$address"
keys Tab space
wait_for stored || fail "the editor saved no command"
wait_for gone "Add Custom Voice Command" || fail "the editor stayed open after saving"
wait_for settled || fail "no listening after the save"
say "$phrase"
wait_for opened_lines 1 || fail "nothing was opened for $phrase"
[ "$(sed -n 1p "$work/opened.txt")" = "$address" ] ||
    fail "opened $(sed -n 1p "$work/opened.txt") instead of $address"

# Back to the list (the focus is on Add A Command), its first row, then
# Remove A Command and Yes.
xdotool windowactivate --sync "$main"
keys shift+Tab Home Tab Tab space
wait_for shown "Delete Custom Command" || fail "Remove A Command asked nothing"
keys space
wait_for not_stored || fail "the command was not deleted"
wait_for settled || fail "no listening after the delete"
say "$phrase"
say "go google"
wait_for opened_lines 2 || fail "nothing was opened for go google"
[ "$(sed -n 2p "$work/opened.txt")" = "https://www.google.com" ] ||
    fail "the deleted phrase still acted: opened $(sed -n 2p "$work/opened.txt")"
echo "PASS: the new command opened $address, and once removed it acted no more"
