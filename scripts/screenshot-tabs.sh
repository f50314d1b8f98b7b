#!/usr/bin/env bash
# Runs the program on a virtual X display with a window manager (openbox)
# and a panel with a tray (tint2), shows its main window and saves a
# screenshot of each of the ten tabs, plus one of the whole screen with the
# tray icon, into the folder given (default build/screenshots).
# Usage: scripts/screenshot-tabs.sh [output-folder] [build-folder]
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build/screenshots}")
build=$(realpath "${2:-build}")
program="$build/src/kelvo"
[ -x "$program" ] || { echo "build the program first: scripts/build.sh $build" >&2; exit 1; }
for tool in xvfb-run dbus-launch openbox tint2 xdotool import sox; do
  command -v "$tool" >/dev/null || { echo "missing $tool (scripts/install-deps.sh)" >&2; exit 1; }
done
mkdir -p "$out"

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/data/kelvo" "$home/config" "$home/runtime"
chmod 700 "$home/runtime"
# The installed settings with the music lists on and no splash; the first
# run's wizard is closed as a user closes it.
awk '/^\[/ { section = $0 }
     section == "[Amite]" && /^Date=/ { $0 = "Date=1/1/2026" }
     section == "[Splash]" && /^DisplayOnStart=/ { $0 = "DisplayOnStart=False" }
     { print }' resources/defaults/mouse.ini >"$home/data/kelvo/mouse.ini"

# The engine listens to a second of silence instead of a microphone.
sox -n -r 16000 -c 1 -b 16 "$home/silence.wav" trim 0.0 1.0
mkdir -p "$home/config/kelvo"
printf '[AudioInput]\nSource=file:%s\n' "$home/silence.wav" >"$home/config/kelvo/speech.ini"

export HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" \
  XDG_RUNTIME_DIR="$home/runtime" KELVO_PROGRAM="$program" KELVO_OUT="$out"

xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  set -euo pipefail
  # A session bus as every desktop has: without one the toolkit blocks
  # while it tries to start one, which a real start never pays.
  eval "$(dbus-launch --sh-syntax)"
  trap "kill \$DBUS_SESSION_BUS_PID 2>/dev/null || true" EXIT
  openbox >/dev/null 2>&1 &
  sleep 0.5
  tint2 >/dev/null 2>&1 &
  sleep 1
  KELVO_REPORT_FIRST_PAINT=1 "$KELVO_PROGRAM" 2>"$KELVO_OUT/kelvo.log" &
  pid=$!
  # A fresh home: the first-run wizard comes first; Escape closes it as a
  # user would, and the main window shows.
  wizard=""
  for _ in $(seq 1 150); do
    wizard=$(xdotool search --onlyvisible --name "^kelvo - Create A Recognition Profile$" 2>/dev/null | head -1 || true)
    [ -n "$wizard" ] && break
    sleep 0.2
  done
  [ -n "$wizard" ] || { echo "the first-run wizard did not appear" >&2; kill $pid; exit 1; }
  xdotool windowactivate --sync "$wizard" key Escape
  win=""
  for _ in $(seq 1 150); do
    win=$(xdotool search --onlyvisible --name "^kelvo$" 2>/dev/null | head -1 || true)
    [ -n "$win" ] && break
    sleep 0.2
  done
  [ -n "$win" ] || { echo "the main window did not appear" >&2; cat "$KELVO_OUT/kelvo.log" >&2; kill $pid; exit 1; }
  sleep 1
  import -window root "$KELVO_OUT/screen.png"
  xdotool windowactivate --sync "$win" || true
  # The tab strip sits under the menu bar at the top left; a click on the
  # first tab gives it focus, then the arrow keys walk the tabs.
  eval "$(xdotool getwindowgeometry --shell "$win")"
  xdotool mousemove --window "$win" 30 45 click 1
  names=(Basic Stuff Places Fun Custom Music Bookmarks Searches Social Options)
  for i in "${!names[@]}"; do
    [ "$i" -gt 0 ] && xdotool key --window "$win" Right
    sleep 0.4
    import -window "$win" "$KELVO_OUT/tab-$((i + 1))-${names[$i]}.png"
  done
  kill $pid 2>/dev/null || true
  wait $pid 2>/dev/null || true
'
ls "$out"
grep -h "first paint" "$out/kelvo.log" || true
