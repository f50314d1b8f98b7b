#!/usr/bin/env bash
# Starts the real program from a fresh home with bookmarks in a Favorites
# folder and a Firefox profile, speaks "search bookmarks" to it through a
# fifo as its microphone and then a word, and checks the results page it
# opens: written to the data folder, well-formed, titled with the heard
# words, and linking the bookmarks that hold them, the titles as text.
# Usage: scripts/spoken-bookmark-search.sh [kelvo]  (exit 77 = skipped: a tool is missing)
# KEEP_WORK=1 keeps the folder, with the page, to look at.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
# A word the decoder hears as itself from espeak-ng.
export word=${KELVO_BOOKMARK_WORD:-garden}
Word=${word^}

# shellcheck source=lib/x-sandbox.sh
source "$here/scripts/lib/x-sandbox.sh"
# shellcheck source=lib/spoken.sh
source "$here/scripts/lib/spoken.sh"
speaking_to "${1:-}" python3
make_work_folder
fail() {
    echo "FAIL: $*" >&2
    sed -n 1,40p "$work/kelvo.log" >&2 || true
    exit 1
}
# Listening for this now: the last switch reported.
now_listening() { [ "$(grep "listening for" "$work/kelvo.log" | tail -n1)" = "kelvo: listening for $1" ]; }
opened_pages() {
    local opened
    opened=$(cat "$work/opened.txt" 2>/dev/null | grep -c 'bookmark_results.html' || true)
    [ "$opened" -ge "$1" ]
}

sandbox_home
data=$XDG_DATA_HOME/kelvo
record_opened_addresses
use_fifo_microphone

# The stores: shortcuts in nested folders, and a Firefox export.
mkdir -p "$HOME/Favorites/Daily/News" "$HOME/.mozilla/firefox/abc.default-release"
printf '[InternetShortcut]\r\nURL=https://daily.example/today?a=1&b=2\r\n' \
    >"$HOME/Favorites/Daily/News/$Word <b>today.url"
printf '[InternetShortcut]\r\nURL=javascript:alert(1)\r\n' >"$HOME/Favorites/$Word script.url"
printf '[InternetShortcut]\r\nURL=https://music.example/\r\n' >"$HOME/Favorites/Music.url"
printf '[Profile0]\nName=default-release\nIsRelative=1\nPath=abc.default-release\n' \
    >"$HOME/.mozilla/firefox/profiles.ini"
printf '<DL><p><DT><A HREF="https://sport.example/" ICON="data:image/png;base64,iVBO">%s &amp; Sport</A></DL>\n' "$Word" \
    >"$HOME/.mozilla/firefox/abc.default-release/bookmarks.html"

start_x_server 1280x1024
start_desktop
KELVO_REPORT_LISTENING=1 "$kelvo" >"$work/kelvo.log" 2>&1 &
kelvo_pid=$!
pids+=("$kelvo_pid")
close_first_run_wizard "$patience" || fail "no first-run wizard to close"
sed -i 's|^Favorites=x$|Favorites=~/Favorites|' "$data/mouse.ini"
grep -qx 'Favorites=~/Favorites' "$data/mouse.ini" || fail "no Favorites setting to change"
wait_for settled || fail "the program never listened for commands"

# A loaded machine now and then mishears the word: it is said again, at
# most three times, each time after "search bookmarks".
page=$data/bookmark_results.html
for attempt in 1 2 3; do
    say "search bookmarks"
    wait_for now_listening dictation || fail "search bookmarks did not start a dictation"
    say "$word"
    wait_for opened_pages "$attempt" || fail "no results page was opened"
    wait_for now_listening commands || fail "the commands did not listen again"
    heard=$(python3 - "$page" <<'PY'
import sys, xml.etree.ElementTree as ET
title = ET.parse(sys.argv[1]).getroot().find(
    ".//{http://www.w3.org/1999/xhtml}strong[@name='searchtitle']").text
print(title[len("Results For '"):-1])
PY
) || fail "the results page does not read as XML"
    echo "heard '$heard'"
    [[ $heard == *"$word"* ]] && break
    ((attempt < 3)) || fail "heard '$heard' three times for '$word'"
done
python3 - "$page" <<'PY' || fail "the results page is not as it should be"
import os, sys, xml.etree.ElementTree as ET
word = os.environ["word"]
root = ET.parse(sys.argv[1]).getroot()
ns = {"h": "http://www.w3.org/1999/xhtml"}
title = root.find(".//h:strong[@name='searchtitle']", ns).text
links = {a.get("href"): a.text for a in root.iter("{http://www.w3.org/1999/xhtml}a")}
print(f"links {links}")
assert title.startswith("Results For '") and title == title.lower().replace("results for", "Results For")
assert "javascript:alert(1)" not in links
assert all(not list(a) for a in root.iter("{http://www.w3.org/1999/xhtml}a")), "markup in a title"
Word = word.capitalize()
assert links.get("https://daily.example/today?a=1&b=2") == f"{Word} <b>today", links
assert links.get("https://sport.example/") == f"{Word} & Sport", links
assert "https://music.example/" not in links
PY
echo "PASS: spoken bookmark search opened $page"
