#!/usr/bin/env bash
# Starts the real program from a fresh home, as a new user does, on its own
# X server with a window manager and a panel, and closes the first-run
# wizard it shows. Then it speaks to it through a fifo as its microphone: a
# catalogue phrase must open its
# address, "search wikipedia" and then dictated words must open the site's
# search for those words (both seen through a stand-in xdg-open first on
# PATH, which records its arguments), and the Quit button must end the
# program through the close-down, which backs up the custom-command store
# and writes the session log. Each phrase is spoken once the program reports
# that it listens for it, so a slow machine only makes the run longer.
# Usage: scripts/spoken-open-quit.sh [kelvo]  (exit 77 = skipped: a tool is missing)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

# shellcheck source=lib/x-sandbox.sh
source "$here/scripts/lib/x-sandbox.sh"
# shellcheck source=lib/spoken.sh
source "$here/scripts/lib/spoken.sh"
speaking_to "${1:-}"
make_work_folder
fail() {
    echo "FAIL: $*" >&2
    sed -n 1,40p "$work/kelvo.log" >&2 || true
    exit 1
}

program_ended() { ! kill -0 "$kelvo_pid" 2>/dev/null; }
sandbox_home
data=$XDG_DATA_HOME/kelvo
record_opened_addresses
use_fifo_microphone

start_x_server 1280x1024
start_desktop

KELVO_REPORT_LISTENING=1 "$kelvo" >"$work/kelvo.log" 2>&1 &
kelvo_pid=$!
pids+=("$kelvo_pid")

close_first_run_wizard "$patience" || fail "no first-run wizard to close"
grep -qx 'First=10' "$data/mouse.ini" || fail "closing the wizard did not end the first run"
wait_for settled || fail "the program never listened for commands"
say "go google"
wait_for opened_lines 1 || fail "nothing was opened for go google"
[ "$(sed -n 1p "$work/opened.txt")" = "https://www.google.com" ] ||
    fail "opened $(sed -n 1p "$work/opened.txt") instead of https://www.google.com"

say "search wikipedia"
wait_for reported dictation || fail "search wikipedia did not start a dictation"
say "the solar system"
wait_for opened_lines 2 || fail "nothing was opened for the dictated words"
search=$(sed -n 2p "$work/opened.txt")
prefix="https://en.wikipedia.org/w/index.php?search="
[[ $search == "$prefix"?* ]] || fail "opened $search instead of a search of the site"
words=${search#"$prefix"}
grep -qwE "the|solar|system" <<<"${words//+/ }" || fail "no spoken word in $search"

window=$(xdotool search --name '^kelvo$' | head -n1)
[ -n "$window" ] || fail "no main window"
xdotool windowactivate --sync "$window" key alt+q 2>/dev/null
wait_for program_ended || fail "Quit did not end the program"
[ -s "$data/sl.txt" ] || fail "no session log after the close-down"
[ -f "$HOME/Documents/commands_customfree.xml" ] || fail "store not backed up"
echo "PASS: opened $(tr '\n' ' ' <"$work/opened.txt")and quit through the close-down"
