#!/usr/bin/env bash
# Starts the real program on its own X server and session bus, with a home
# folder of its own, and checks what a user sees of a start:
#  - the first start fills the data folder from the installed defaults;
#  - each start raises Welcome/Uses by one;
#  - a second start while one runs exits at once and touches no file;
#  - SIGTERM ends the program through its close-down (session log, store
#    backup) with success.
# Usage: scripts/smoke-start.sh [path/to/kelvo]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
kelvo=$(realpath "${1:-$here/build/src/kelvo}")
[ -x "$kelvo" ] || { echo "no program at $kelvo" >&2; exit 1; }

# shellcheck source=lib/x-sandbox.sh
source "$here/scripts/lib/x-sandbox.sh"
make_work_folder

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

sandbox_home
data=$XDG_DATA_HOME/kelvo
ini=$data/mouse.ini

start_x_server 1024x768
start_session_bus

uses() {
    awk -F= '/^\[/{s=$0} s=="[Welcome]" && $1=="Uses"{print $2}' "$ini" 2>/dev/null | tr -d '\r'
}

wait_for_uses() {
    for _ in $(seq 200); do
        [ "$(uses)" = "$1" ] && return 0
        sleep 0.1
    done
    fail "Welcome/Uses is '$(uses)', expected $1"
}

snapshot() {
    # Content and modification time of every file below the home folder.
    (cd "$HOME" && find . -type f -printf '%p %T@\n' | sort && find . -type f -exec sha256sum {} + | sort)
}

start_first() {
    "$kelvo" >"$work/kelvo-$1.log" 2>&1 &
    first=$!
    pids+=("$first")
}

stop_first() {
    local status=0
    # A start that sends its report deletes the log, maybe after this point,
    # so only a log written after the signal counts.
    touch "$work/signal-sent"
    rm -f "$HOME/Documents/commands_customfree.xml"
    kill -TERM "$first"
    wait "$first" 2>/dev/null || status=$?
    [ "$status" = 0 ] || fail "SIGTERM ended the program with status $status"
    [ -n "$(find "$data/sl.txt" -newer "$work/signal-sent" 2>/dev/null)" ] ||
        fail "SIGTERM skipped the session log"
    [ -f "$HOME/Documents/commands_customfree.xml" ] || fail "SIGTERM skipped the store backup"
}

# First start: the installed defaults arrive and the counter reads 1.
[ -e "$data" ] && fail "data folder exists before the first start"
start_first 1
wait_for_uses 1
for file in mouse.ini commands.xml commands_customfree.xml en_CLICK.XML en_CLICK_mute.XML min.xml; do
    [ -f "$data/$file" ] || fail "$file was not installed"
done
[ "$(stat -c %a "$ini")" = 600 ] || fail "mouse.ini is not owner-only"

# A second start while the first runs ends at once and changes nothing.
# Wait until the first one has stopped writing, so only the second could.
before=$(snapshot)
for _ in $(seq 20); do
    sleep 0.5
    now=$(snapshot)
    [ "$now" = "$before" ] && break
    before=$now
done
if ! timeout 20 "$kelvo" >"$work/kelvo-second.log" 2>&1; then
    fail "the second start did not end at once with success"
fi
after=$(snapshot)
[ "$before" = "$after" ] || fail "the second start touched files: $(diff <(echo "$before") <(echo "$after"))"
kill -0 "$first" 2>/dev/null || fail "the first instance ended"
[ "$(uses)" = 1 ] || fail "the second start counted itself"
stop_first

# Each later start counts once more.
start_first 2
wait_for_uses 2
stop_first
start_first 3
wait_for_uses 3
stop_first

echo "smoke start: ok"
