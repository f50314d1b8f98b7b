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
phrase="open my garden"
address="https://garden.example/"

# shellcheck source=lib/x-sandbox.sh
source "$here/scripts/lib/x-sandbox.sh"
# shellcheck source=lib/spoken.sh
source "$here/scripts/lib/spoken.sh"
speaking_to "${1:-}" openbox
make_work_folder
fail() {
    echo "FAIL: $*" >&2
    # With KEEP_WORK=1, the screen as it was, to look at.
    [ -n "${KEEP_WORK:-}" ] && import -window root "$work/failed.png" 2>/dev/null
    sed -n 1,40p "$work/kelvo.log" >&2 || true
    exit 1
}
stored() { grep -q "d=\"$phrase\"" "$data/commands_customfree.xml"; }
not_stored() { ! stored; }
window_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1; }
shown() { [ -n "$(window_named "$1")" ]; }
gone() { [ -z "$(window_named "$1")" ]; }
keys() { xdotool key --delay 80 "$@"; }

sandbox_home
data=$XDG_DATA_HOME/kelvo
record_opened_addresses
use_fifo_microphone
start_x_server 1280x1024
start_desktop

KELVO_REPORT_LISTENING=1 "$kelvo" >"$work/kelvo.log" 2>&1 &
pids+=($!)
close_first_run_wizard "$patience" || fail "no first-run wizard to close"
wait_for settled || fail "the program never listened for commands"
main=$(window_named kelvo)
[ -n "$main" ] || fail "no main window"

# The Custom tab (fifth), its list, then Add A Command.
xdotool windowactivate --sync "$main"
xdotool mousemove --window "$main" 30 45 click 1
keys Right Right Right Right Tab Tab space
wait_for shown "Add Custom Voice Command" || fail "Add A Command opened no editor"
xdotool type --delay 40 "Open My Garden"
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

# Back to the list (the focus is on Add A Command), its first row chosen, then
# Remove A Command and Yes.
xdotool windowactivate --sync "$main"
keys shift+Tab Home space Tab Tab space
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
