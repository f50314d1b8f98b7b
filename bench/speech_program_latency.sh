#!/usr/bin/env bash
# Speaks catalogue phrases into the real program and times each answer: the
# program runs on its own X server with a fifo as its microphone, a writer
# sends espeak-ng's audio at the pace of speech, and a stand-in xdg-open
# first on PATH notes when it is called. Reported per phrase: the time from
# the end of the voice in the audio to the xdg-open call, then the median
# and the 95th percentile.
# Usage: bench/speech_program_latency.sh [phrases] [voice] [kelvo]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
count=${1:-40}
voice=${2:-en-us}
kelvo=$(realpath "${3:-$here/build/src/kelvo}")
[ -x "$kelvo" ] || { echo "no program at $kelvo" >&2; exit 1; }
patience=${KELVO_E2E_PATIENCE:-120}

# shellcheck source=../scripts/lib/x-sandbox.sh
source "$here/scripts/lib/x-sandbox.sh"
make_work_folder
fail() {
    echo "FAIL: $*" >&2
    sed -n 1,40p "$work/kelvo.log" >&2 || true
    exit 1
}

sandbox_home
# The stand-in notes the moment it is called, then the address.
mkdir -p "$work/bin"
printf '#!/bin/sh\nprintf "%%s %%s\\n" "$(date +%%s.%%N)" "$*" >>"%s/opened.txt"\n' "$work" \
    >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH=$work/bin:$PATH
mkfifo "$work/mic"
printf '[AudioInput]\nSource=fifo:%s\n' "$work/mic" >"$XDG_CONFIG_HOME/kelvo/speech.ini"

start_x_server 1280x1024
start_desktop
KELVO_REPORT_LISTENING=1 "$kelvo" >"$work/kelvo.log" 2>&1 &
pids+=($!)
close_first_run_wizard "$patience" || fail "no first-run wizard to close"

# Listening for commands, and no grammar switch for two seconds.
deadline=$((SECONDS + patience))
until [ "$(grep "listening for" "$work/kelvo.log" | tail -n1)" = "kelvo: listening for commands" ] &&
    before=$(grep -c "listening for" "$work/kelvo.log") && sleep 2 &&
    [ "$(grep -c "listening for" "$work/kelvo.log")" = "$before" ]; do
    ((SECONDS < deadline)) || fail "the program never listened for commands"
    sleep 0.2
done

python3 - "$here/resources/defaults/commands.xml" "$work" "$count" "$voice" <<'EOF'
import os, random, subprocess, sys, time
import xml.etree.ElementTree as ET

catalogue, work, count, voice = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]
RATE, CHUNK = 16000, 320
entries = []
for c in ET.parse(catalogue).getroot():
    phrase = bytes.fromhex(c.text or "").decode("latin-1")
    url = bytes.fromhex(c.get("u", "")).decode("latin-1")
    if url.startswith("http") and phrase.replace(" ", "").isalpha():
        entries.append((phrase, url))
entries = entries[:count]

rng = random.Random(1)
def quiet(n):
    return b"".join(rng.randint(-6, 6).to_bytes(2, "little", signed=True) for _ in range(n))

opened = os.path.join(work, "opened.txt")
def opened_lines():
    try:
        with open(opened) as f:
            return f.read().splitlines()
    except FileNotFoundError:
        return []

mic = open(os.path.join(work, "mic"), "wb", buffering=0)
start = time.monotonic()
wall = time.time() - start  # monotonic -> wall clock, as date prints it
sent = 0
def send(data):
    """Writes at the pace of speech: sample i leaves at start + i / RATE."""
    global sent
    for at in range(0, len(data), CHUNK * 2):
        piece = data[at:at + CHUNK * 2]
        due = start + (sent + CHUNK) / RATE
        delay = due - time.monotonic()
        if delay > 0:
            time.sleep(delay)
        mic.write(piece)
        sent += len(piece) // 2

results = []
for phrase, url in entries:
    wav = subprocess.run(["espeak-ng", "-v", voice, "--stdout", phrase], check=True,
                         capture_output=True).stdout
    raw = subprocess.run(["sox", "-t", "wav", "-", "-t", "raw", "-r", str(RATE), "-c", "1",
                          "-b", "16", "-e", "signed-integer", "-"], input=wav, check=True,
                         capture_output=True).stdout
    samples = [int.from_bytes(raw[i:i + 2], "little", signed=True) for i in range(0, len(raw), 2)]
    end = len(samples)
    while end > 0 and abs(samples[end - 1]) < 1000:
        end -= 1
    before = len(opened_lines())
    send(quiet(RATE // 2))
    voice_end = wall + start + (sent + end) / RATE
    send(raw)
    waited = 0
    while len(opened_lines()) == before and waited < 4 * RATE:
        send(quiet(CHUNK))
        waited += CHUNK
    lines = opened_lines()[before:]
    if not lines:
        results.append((phrase, None, "nothing opened"))
    else:
        at, address = lines[0].split(" ", 1)
        results.append((phrase, (float(at) - voice_end) * 1000,
                        "" if address == url else "opened " + address))
    send(quiet(RATE // 2))

times = sorted(r[1] for r in results if r[1] is not None and not r[2])
for phrase, ms, note in results:
    print(f"{phrase:32} {'-' if ms is None else f'{ms:6.0f} ms'} {note}")
if times:
    p = lambda q: times[int(q * (len(times) - 1))]
    print(f"{len(times)} of {len(results)} opened their page; "
          f"end of speech to xdg-open p50 {p(0.5):.0f} ms, p95 {p(0.95):.0f} ms")
EOF
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
