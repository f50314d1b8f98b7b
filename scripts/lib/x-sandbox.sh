# Sourced by the scripts that run the real program as a user would: a home
# folder of its own below $work, its own X server and its own session bus.
# The caller sets $work, the array pids (killed at exit) and fail().

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
