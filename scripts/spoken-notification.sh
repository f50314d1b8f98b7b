#!/usr/bin/env bash
# Starts the real program from a fresh home on a desktop without a
# notification area (its own X server with a window manager but no panel,
# its own session bus with a real notification daemon), closes the first-run
# wizard, and speaks "go google" to it through a fifo as its microphone: the
# "I Heard" balloon must reach the daemon as a desktop notification with the
# same title and text, as dbus-monitor sees the call; with 12 windows of the
# default browser open, the next page opened raises the browser-window
# warning there too.
# Usage: scripts/spoken-notification.sh [kelvo] [screenshot.png]
# (exit 77 = skipped: a tool is missing)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
shot=${2:-}

# shellcheck source=lib/x-sandbox.sh
source "$here/scripts/lib/x-sandbox.sh"
# shellcheck source=lib/spoken.sh
source "$here/scripts/lib/spoken.sh"
speaking_to "${1:-}" xmessage openbox dbus-daemon dbus-monitor dunst
make_work_folder
fail() {
    echo "FAIL: $*" >&2
    [ -n "${KEEP_WORK:-}" ] && import -window root "$work/failed.png" 2>/dev/null
    sed -n 1,40p "$work/kelvo.log" >&2 || true
    sed -n 1,60p "$work/monitor.log" >&2 || true
    exit 1
}

sandbox_home
record_opened_addresses
use_fifo_microphone
start_x_server 1280x1024
start_session_bus
# A window manager, no panel: nothing offers a notification area.
openbox >/dev/null 2>&1 &
pids+=($!)
# A private configuration, so no user's or system's dunstrc changes the run.
mkdir -p "$XDG_CONFIG_HOME/dunst"
printf '[global]\n    timeout = 30\n' >"$XDG_CONFIG_HOME/dunst/dunstrc"
dunst -config "$XDG_CONFIG_HOME/dunst/dunstrc" >"$work/dunst.log" 2>&1 &
pids+=($!)
daemon_ready() { dbus-send --session --print-reply --dest=org.freedesktop.Notifications \
    /org/freedesktop/Notifications org.freedesktop.Notifications.GetServerInformation \
    >/dev/null 2>&1; }
wait_for daemon_ready || fail "the notification daemon did not start"
dbus-monitor --session "type='method_call',interface='org.freedesktop.Notifications',member='Notify'" \
    >"$work/monitor.log" 2>&1 &
pids+=($!)

KELVO_REPORT_LISTENING=1 "$kelvo" >"$work/kelvo.log" 2>&1 &
pids+=($!)
close_first_run_wizard "$patience" || fail "no first-run wizard to close"
wait_for settled || fail "the program never listened for commands"

# The call's summary and body are its fourth and fifth arguments, each a
# string line of dbus-monitor's listing.
notified() {
    awk '/member=Notify/ { n = 0; next } /^   string / { n++; s[n] = $0 }
         n == 4 { print s[3] "|" s[4]; n = 5 }' "$work/monitor.log" |
        grep -qxF '   string "I Heard"|   string "go google"'
}
say "go google"
wait_for notified || fail "no I Heard notification for go google"
wait_for opened_lines 1 || fail "nothing was opened for go google"

# The default browser is a stand-in whose windows are xmessage's: with 12
# of them open, opening a page raises the warning as a notification of its
# own title.
mkdir -p "$XDG_DATA_HOME/applications"
printf '[Desktop Entry]\nType=Application\nName=Stand-in Browser\nExec=xmessage %%u\n' \
    >"$XDG_DATA_HOME/applications/xmessage.desktop"
printf '[Default Applications]\nx-scheme-handler/http=xmessage.desktop\n' \
    >"$XDG_CONFIG_HOME/mimeapps.list"
for i in $(seq 12); do
    xmessage "page $i" 2>/dev/null &
    pids+=($!)
done
browser_windows() { [ "$(xdotool search --classname '^xmessage$' 2>/dev/null | wc -l)" -ge 12 ]; }
wait_for browser_windows || fail "the stand-in browser's windows did not open"
warned() { grep -qF 'string "Too Many Browser Tabs Or Browser Windows Open"' "$work/monitor.log"; }
say "go google"
wait_for opened_lines 2 || fail "nothing was opened for the second go google"
wait_for warned || fail "no warning with 12 browser windows open"
[ -n "$shot" ] && sleep 1 && import -window root "$shot"
echo "PASS: the daemon was sent \"I Heard\" / \"go google\" and the browser-window warning"
