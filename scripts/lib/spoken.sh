# Sourced by the scripts that speak to the real program through a fifo, after
# x-sandbox.sh. The caller calls speaking_to, defines fail(), and starts the
# program with KELVO_REPORT_LISTENING=1 and its output in $work/kelvo.log.

# Sets $kelvo to the program spoken to (the argument, else the build's) and
# $patience (seconds); a tool missing, beside the extra ones named, skips the
# check (exit 77).
speaking_to() { # [kelvo] [tool...]
    kelvo=$(realpath "${1:-$here/build/src/kelvo}")
    shift || true
    [ -x "$kelvo" ] || { echo "no program at $kelvo" >&2; exit 1; }
    local tool
    for tool in Xvfb espeak-ng sox xdotool "$@"; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
    done
    # Generous: a sanitizer build on a loaded machine is many times slower.
    patience=${KELVO_E2E_PATIENCE:-120}
}

# Waits until the command succeeds, at most $patience seconds.
wait_for() {
    local deadline=$((SECONDS + patience))
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
}

reported() { grep -qx "kelvo: listening for $1" "$work/kelvo.log"; }

# The program switches the grammar a few times after a start or a change of
# the commands: listening for commands, and no switch for two seconds.
settled() {
    local before
    before=$(grep -c "listening for" "$work/kelvo.log" || true)
    sleep 2
    [ "$(grep -c "listening for" "$work/kelvo.log" || true)" = "$before" ] &&
        [ "$(grep "listening for" "$work/kelvo.log" | tail -n1)" = "kelvo: listening for commands" ]
}

# At least $1 addresses opened (see record_opened_addresses).
opened_lines() { [ "$(cat "$work/opened.txt" 2>/dev/null | wc -l)" -ge "$1" ]; }

# A fifo as the program's microphone, named in its speech settings.
use_fifo_microphone() {
    mkfifo "$work/mic"
    printf '[AudioInput]\nSource=fifo:%s\n' "$work/mic" >"$XDG_CONFIG_HOME/kelvo/speech.ini"
}

# Speaks the words into the fifo as raw 16 kHz mono samples, with a second
# of silence after them, as a microphone goes on giving.
say() {
    espeak-ng -v en-us -w "$work/say.wav" "$1"
    sox -q "$work/say.wav" -r 16000 -c 1 -b 16 -e signed-integer -t raw "$work/say.raw" pad 0 1
    timeout "$patience" cat "$work/say.raw" >"$work/mic" || fail "the program stopped listening"
}
