#!/usr/bin/env bash
# Starts the real program from a fresh home on its own X server and plays
# four seconds of digital silence into its fifo microphone, as a muted
# input gives, followed by the spoken "go google": the program must report
# that the signal is lost while the silence lasts and back once the speech
# comes, and still hear the phrase. With SHOTS=FOLDER it leaves a screenshot
# of the main window during the silence (no-signal.png, "No signal - check
# mic" under the feedback line) and after the phrase (signal-back.png).
# Usage: scripts/spoken-no-signal.sh [kelvo]  (exit 77 = skipped: a tool is missing)
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

shoot() {
    if [ -n "${SHOTS:-}" ] && command -v import >/dev/null; then
        mkdir -p "$SHOTS"
        import -window root "$SHOTS/$1.png"
    fi
}

logged() { grep -qx "kelvo: $1" "$work/kelvo.log"; }
line_of() { grep -nx "kelvo: $1" "$work/kelvo.log" | head -n1 | cut -d: -f1; }

sandbox_home
record_opened_addresses
use_fifo_microphone
start_x_server 1280x1024
start_desktop

KELVO_REPORT_LISTENING=1 "$kelvo" >"$work/kelvo.log" 2>&1 &
kelvo_pid=$!
pids+=("$kelvo_pid")

close_first_run_wizard "$patience" || fail "no first-run wizard to close"
wait_for settled || fail "the program never listened for commands"
logged "no signal" && fail "a quiet room was taken for no signal"
window=$(xdotool search --onlyvisible --name '^kelvo$' | head -n1)
[ -n "$window" ] || fail "no main window"
xdotool windowactivate --sync "$window" 2>/dev/null || true

# One writer: the silence at the pace a microphone gives it (the fifo takes
# whatever comes at once), then the phrase, so nothing else comes between.
espeak-ng -v en-us -w "$work/say.wav" "go google"
sox -q "$work/say.wav" -r 16000 -c 1 -b 16 -e signed-integer -t raw "$work/say.raw" pad 0 1
head -c 3200 /dev/zero >"$work/silence.raw" # 100 ms
(
    for _ in $(seq 40); do
        cat "$work/silence.raw"
        sleep 0.1
    done
    cat "$work/say.raw"
) >"$work/mic" &
pids+=($!)
wait_for logged "no signal" || fail "four seconds of digital silence were not reported"
shoot no-signal
wait_for opened_lines 1 || fail "nothing was opened for go google after the silence"
logged "signal back" || fail "the speech did not bring the signal back"
[ "$(line_of "no signal")" -lt "$(line_of "signal back")" ] || fail "the signal came back first"
sleep 0.5
shoot signal-back
echo "PASS: digital silence reported as no signal, cleared by speech that was heard"
