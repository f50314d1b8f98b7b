#!/usr/bin/env bash
# Starts the real program against the reference content service, on its own
# X server, session bus and home folder, and checks the exchange as a user
# would meet it:
#  - the start-up report reaches the service and its reply is taken in;
#  - at close-down the update fetches a new catalogue whose phrase clashes
#    with a custom command: the command becomes "my ..." and the conflicts
#    notice shows;
#  - with the service down the program starts, paints and closes down
#    without touching the good files.
# Usage: scripts/content-exchange.sh [path/to/kelvo] [path/to/kelvo-content-service]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
kelvo=$(realpath "${1:-$here/build/src/kelvo}")
service=$(realpath "${2:-$here/build/tools/content_service/kelvo-content-service}")
server_address=$(dirname "$kelvo")/kelvo-server-address
for program in "$kelvo" "$service" "$server_address"; do
    [ -x "$program" ] || { echo "no program at $program" >&2; exit 1; }
done

# shellcheck source=lib/x-sandbox.sh
source "$here/scripts/lib/x-sandbox.sh"
make_work_folder

fail() {
    echo "FAIL: $*" >&2
    [ -f "$work/kelvo.log" ] && sed 's/^/  kelvo: /' "$work/kelvo.log" >&2
    [ -f "$work/service.log" ] && sed 's/^/  service: /' "$work/service.log" >&2
    exit 1
}

sandbox_home
data=$XDG_DATA_HOME/kelvo
ini=$data/mouse.ini
start_x_server 1024x768
start_session_bus
export KELVO_REPORT_FIRST_PAINT=1
# The installed settings past the first run, without the splash.
mkdir -p "$data"
sed -e 's/^First=x/First=10/' -e '/^\[Splash\]/,/^\[/ s/^DisplayOnStart=True/DisplayOnStart=False/' \
    "$here/resources/defaults/mouse.ini" >"$ini"

setting() { # section key
    awk -F= -v s="[$1]" -v k="$2" '/^\[/{in_s=($0==s)} in_s && $1==k{print substr($0, length(k)+2)}' "$ini" | tr -d '\r'
}

wait_for() { # what, command...
    local what=$1
    shift
    for _ in $(seq 150); do
        "$@" && return 0
        sleep 0.1
    done
    fail "$what"
}

# The custom command that the new catalogue will clash with.
printf '<?xml version="1.0"?>\n<cset><c d="open my notes" u="http://notes.test/">open my notes</c></cset>\n' \
    >"$data/commands_customfree.xml"

# The service's folder: the installed grammar, the installed catalogue plus
# the clashing phrase, one coupon picture.
content=$work/content
mkdir -p "$content"
cp "$here/resources/defaults/en_CLICK.XML" "$content/"
hex() { printf '%s' "$1" | od -An -tx1 | tr -d ' \n' | tr a-f A-F; }
phrase=$(hex "open my notes")
sed "s|</commands>|\t<c d=\"$phrase\" c2=\"31\" c1=\"31\" u=\"$(hex https://notes.example.test/)\">$phrase</c>\n</commands>|" \
    "$here/resources/defaults/commands.xml" >"$content/commands.xml"
printf 'GIF89a our coupon' >"$content/coupon1.gif"

"$service" "$content" >"$work/service.log" 2>&1 &
service_pid=$!
pids+=("$service_pid")
wait_for "the content service did not start" grep -q 'listening on' "$work/service.log"
base=$(sed -n 's/.*listening on \(http[^ ]*\).*/\1/p' "$work/service.log")
# State 0000 leaves the questionnaire alone; 3 days between updates.
fields=("0000" "" "" "" "" "3" "1" "0" "0" "0" "local" "#" "#" "#" "2.7")
line=$(IFS='|'; echo "${fields[*]}")
printf '%s||||||||||||||||||||||||%s|0|0|\n' "$line" "$base" >"$content/reply.txt"
"$server_address" "$ini" "$base" || fail "kelvo-server-address failed"

# A start that reports and takes in the reply.
"$kelvo" >"$work/kelvo.log" 2>&1 &
kelvo_pid=$!
pids+=("$kelvo_pid")
wait_for "the report did not reach the service" grep -q 'processupdate.aspx' "$work/service.log"
grep -q 'version=2.7&edition=Free' "$work/service.log" || fail "the report lacks its fields"
days_are() { [ "$(setting Etowah Days)" = "$1" ]; }
wait_for "the reply was not taken in" days_are 3
wait_for "the main window did not paint" grep -q 'first paint' "$work/kelvo.log"

# Close-down: the update fetches the new files and renames the clash.
kill -TERM "$kelvo_pid"
# The conflicts notice holds the close-down until it closes: closed as a
# user would (Escape) once it shows.
notice=""
for _ in $(seq 200); do
    notice=$(xdotool search --onlyvisible --name '^Custom Commands Renamed$' 2>/dev/null | head -n1) || true
    [ -n "$notice" ] && break
    sleep 0.1
done
[ -n "$notice" ] || fail "no conflicts notice was shown"
xdotool windowfocus --sync "$notice" 2>/dev/null || true
xdotool key --window "$notice" --clearmodifiers Escape
status=0
timeout 60 tail --pid="$kelvo_pid" -f /dev/null || fail "the close-down did not end"
wait "$kelvo_pid" || status=$?
[ "$status" = 0 ] || fail "the close-down ended with status $status"
grep -q 'type=grammarxml' "$work/service.log" || fail "no grammar was asked for"
grep -q 'type=corewebcomm' "$work/service.log" || fail "no catalogue was asked for"
cmp -s "$content/commands.xml" "$data/commands.xml" || fail "the new catalogue was not saved"
grep -q '>my open my notes</c>' "$data/commands_customfree.xml" || fail "the clash was not renamed"
grep -q 'NAME="my open my notes"' "$data/en_CLICK.XML" || fail "the renamed command is not in the grammar"
cmp -s "$content/coupon1.gif" "$data/coupon1.gif" || fail "the coupon picture was not saved"
[ -n "$(setting Etowah Last)" ] && [ "$(setting Etowah Last)" != x ] || fail "Etowah/Last was not stamped"
[ -s "$data/sl.txt" ] || fail "the session log was not written"

# The service is gone: the program starts, paints and closes down, and the
# files it has stay as they are. Last is reset so the report is due again.
kill -TERM "$service_pid"
wait "$service_pid" 2>/dev/null || true
sed -i 's/^Last=.*/Last=x/' "$ini"
before=$(cd "$data" && sha256sum commands.xml coupon1.gif commands_customfree.xml)
days_before=$(setting Etowah Days)
# Emptied here: the started program's own redirect may come after the wait
# below has already read the first run's "first paint".
: >"$work/kelvo.log"
"$kelvo" >"$work/kelvo.log" 2>&1 &
kelvo_pid=$!
pids+=("$kelvo_pid")
wait_for "the main window did not paint with the service down" grep -q 'first paint' "$work/kelvo.log"
kill -TERM "$kelvo_pid"
timeout 30 tail --pid="$kelvo_pid" -f /dev/null || fail "the close-down did not end with the service down"
status=0
wait "$kelvo_pid" || status=$?
[ "$status" = 0 ] || fail "the close-down ended with status $status with the service down"
after=$(cd "$data" && sha256sum commands.xml coupon1.gif commands_customfree.xml)
[ "$before" = "$after" ] || fail "files changed with the service down"
[ "$(setting Etowah Days)" = "$days_before" ] || fail "a setting changed with the service down"
grep -q 'no reply to the start-up report' "$work/kelvo.log" || fail "the missing reply was not logged"

echo "content exchange: ok"
