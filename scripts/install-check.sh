#!/usr/bin/env bash
# Installs the build into a folder of its own as a packager does, checks the
# menu entry and the software-centre description with the desktop's own
# validators, and starts the installed program as a user would: its first
# start must fill the data folder from the installed program folder, not
# from the source tree, and SIGTERM must end it with success.
# Usage: scripts/install-check.sh BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:?usage: install-check.sh BUILD_DIR}")

# shellcheck source=lib/x-sandbox.sh
source "$here/scripts/lib/x-sandbox.sh"
make_work_folder

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

dest=$work/dest
DESTDIR=$dest cmake --install "$build" --prefix /usr >"$work/install.log"
share=$dest/usr/share
for file in bin/kelvo share/kelvo/defaults/mouse.ini share/applications/org.kelvo.Kelvo.desktop \
    share/metainfo/org.kelvo.Kelvo.metainfo.xml share/icons/hicolor/scalable/apps/org.kelvo.Kelvo.svg \
    share/icons/hicolor/48x48/apps/org.kelvo.Kelvo.png; do
    [ -e "$dest/usr/$file" ] || fail "$file was not installed"
done
desktop-file-validate "$share/applications/org.kelvo.Kelvo.desktop" || fail "the menu entry is not valid"
appstreamcli validate --no-net "$share/metainfo/org.kelvo.Kelvo.metainfo.xml" >"$work/appstream.log" ||
    fail "the metainfo is not valid: $(cat "$work/appstream.log")"

# A mark only the installed copy of the start page carries.
mark='<!-- installed program folder -->'
echo "$mark" >>"$share/kelvo/defaults/logo.html"

sandbox_home
start_x_server 1024x768
start_session_bus
"$dest/usr/bin/kelvo" >"$work/kelvo.log" 2>&1 &
kelvo=$!
pids+=("$kelvo")
page=$XDG_DATA_HOME/kelvo/logo.html
for _ in $(seq 300); do
    grep -qF "$mark" "$page" 2>/dev/null && break
    kill -0 "$kelvo" 2>/dev/null || fail "the installed program ended: $(cat "$work/kelvo.log")"
    sleep 0.1
done
grep -qF "$mark" "$page" 2>/dev/null || fail "the data folder was not filled from the installed program folder"
kill -TERM "$kelvo"
status=0
wait "$kelvo" || status=$?
[ "$status" = 0 ] || fail "SIGTERM ended the installed program with status $status"
echo "install check: ok"
