# Sourced by the scripts that run the real program as a user would: a home
# folder of its own below $work, its own X server and its own session bus.
# The caller defines fail() and calls make_work_folder first.

# The folder $work and the array pids; at exit the processes in pids are
# ended and the folder removed (KEEP_WORK=1 keeps it to look at).
make_work_folder() {
    work=$(mktemp -d)
    pids=()
    trap remove_work_folder EXIT
}

remove_work_folder() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    if [ -n "${KEEP_WORK:-}" ]; then
        echo "kept $work"
    else
        rm -rf "$work"
    fi
}

sandbox_home() {
    export HOME=$work/home
    export XDG_DATA_HOME=$HOME/.local/share
    export XDG_CONFIG_HOME=$HOME/.config
    export XDG_CACHE_HOME=$HOME/.cache
    export XDG_RUNTIME_DIR=$work/runtime
    unset XDG_DATA_DIRS XDG_CONFIG_DIRS
    mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME/kelvo"
    chmod 700 "$XDG_RUNTIME_DIR"
}

# Our own X server on the first free display; $1 is its size.
start_x_server() {
    exec 3<>"$work/display"
    Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp >"$work/xvfb.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    [ -s "$work/display" ] || fail "Xvfb did not start"
    export DISPLAY=:$(head -n1 "$work/display")
    # Its own X server is an X11 session, whatever session started the run.
    unset WAYLAND_DISPLAY
    export XDG_SESSION_TYPE=x11
    export QT_QPA_PLATFORM=xcb
}

# Our own session bus, so nothing autolaunches one into the home folder.
start_session_bus() {
    local bus
    bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1)
    export DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p <<<"$bus")
    pids+=("$(sed -n 2p <<<"$bus")")
}

# A window manager and a panel with a tray, where installed.
start_desktop() {
    local program
    for program in openbox tint2; do
        if command -v "$program" >/dev/null; then
            "$program" >/dev/null 2>&1 &
            pids+=($!)
        fi
    done
}

# A fresh home's first start shows the create-profile wizard and listens
# only for its training phrases until the wizard closes. This closes it as a
# user does (Escape), after which the main window shows and the commands
# listen; the first run is then over for good. Waits at most $1 seconds.
close_first_run_wizard() {
    local name='^kelvo - Create A Recognition Profile$' wizard="" deadline=$((SECONDS + ${1:-60}))
    until wizard=$(xdotool search --onlyvisible --name "$name" 2>/dev/null | head -n1) &&
        [ -n "$wizard" ]; do
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
    xdotool windowactivate --sync "$wizard" 2>/dev/null || xdotool windowfocus --sync "$wizard"
    xdotool key --clearmodifiers Escape
    while xdotool search --onlyvisible --name "$name" >/dev/null 2>&1; do
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
}

# A stand-in xdg-open first on PATH: addresses the program opens are
# written, one a line, to $work/opened.txt instead of opened.
record_opened_addresses() {
    mkdir -p "$work/bin"
    printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"%s/opened.txt"\n' "$work" >"$work/bin/xdg-open"
    chmod +x "$work/bin/xdg-open"
    export PATH=$work/bin:$PATH
}
