# shellcheck shell=bash
# The real parts that end-to-end tests and the start-up benchmark run against, each private to the script
# that sources this file and stopped when that script exits: an X server (Xvfb), a Wayland compositor
# (weston's headless back end), a D-Bus session with the accessibility bus, and a home of its own.
#
#   source tests/e2e/harness.sh
#   harness_session_bus "$@"   # first, where a bus is needed: re-runs the script inside dbus-run-session
#   harness_home               # HOME and the XDG folders in the private folder: the user's files stay untouched
#   harness_x                  # Xvfb on a free display; exports DISPLAY and QT_QPA_PLATFORM=xcb
#   harness_wayland            # weston on its own socket; exports WAYLAND_DISPLAY
#   harness_accessibility_bus  # the AT-SPI bus on the session bus, as a screen reader finds it
#   harness_start LOG CMD...   # a background process, stopped at exit; its pid in harness_pid
#   harness_track PID          # stops a process started otherwise at exit too
#   harness_stop PID           # stops one such process now and sets harness_status to its exit status
#   harness_window TITLE PID   # waits for a visible X window titled TITLE; its id in harness_wid
#   harness_close_window WID PID  # closes the window as a window manager does (WM_DELETE_WINDOW) and waits
#                                 # for the program to exit; its exit status in harness_status
#   harness_wait WHAT MS CMD...   # polls CMD every 50 ms until it succeeds, or fails after MS
#   harness_fail MESSAGE       # says what went wrong, shows the logs' tails, exits 1
#
# Every wait is bounded, so a missing part fails the test with a message instead of hanging it.

harness_work=$(mktemp -d "${TMPDIR:-/tmp}/vorni-e2e.XXXXXX")
# A sanitizer build of the game reports only leaks of its own (see tests/lsan.supp).
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
harness_pids=()
harness_logs=()
harness_pid=
harness_status=

harness_cleanup() {
    local i pid
    for (( i = ${#harness_pids[@]} - 1; i >= 0; i-- )); do
        pid=${harness_pids[i]}
        [[ -n $pid ]] || continue
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$harness_work"
}
trap harness_cleanup EXIT
trap 'exit 130' INT TERM

harness_now_ms() { echo $(( ${EPOCHREALTIME/./} / 1000 )); }

harness_fail() {
    local log
    echo "FAIL: $*" >&2
    for log in "${harness_logs[@]}"; do
        if [[ -s $log ]]; then
            echo "----- $(basename "$log") (last 20 lines) -----" >&2
            tail -n 20 "$log" >&2
        fi
    done
    exit 1
}

harness_require() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null ||
            harness_fail "$tool is missing: run scripts/install-deps --test"
    done
}

harness_wait() {
    local what=$1 ms=$2
    shift 2
    local deadline=$(( $(harness_now_ms) + ms ))
    until "$@"; do
        (( $(harness_now_ms) < deadline )) || harness_fail "$what: not within $(( ms / 1000 )) s"
        sleep 0.05
    done
}

harness_start() {
    local log=$1
    shift
    "$@" >"$log" 2>&1 &
    harness_pid=$!
    harness_pids+=("$harness_pid")
    harness_logs+=("$log")
}

harness_track() { harness_pids+=("$1"); }

harness_stop() {
    local pid=$1 i
    harness_status=0
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || harness_status=$?
    for i in "${!harness_pids[@]}"; do
        [[ ${harness_pids[i]} == "$pid" ]] && harness_pids[i]=
    done
}

harness_session_bus() {
    if [[ -z ${VORNI_HARNESS_BUS:-} ]]; then
        harness_require dbus-run-session
        rm -rf "$harness_work"
        trap - EXIT
        VORNI_HARNESS_BUS=1 exec dbus-run-session -- bash "$0" "$@"
    fi
}

harness_home() {
    mkdir -p -m 700 "$harness_work/home" "$harness_work/home/.config" "$harness_work/home/.local/share" \
        "$harness_work/home/.cache" "$harness_work/runtime"
    export HOME=$harness_work/home
    export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache
    export XDG_RUNTIME_DIR=$harness_work/runtime
    # Without a bus of its own a test gets none: D-Bus would otherwise start a session bus for the
    # program on the X display, one that outlives the test.
    [[ -n ${VORNI_HARNESS_BUS:-} ]] || export DBUS_SESSION_BUS_ADDRESS=unix:path=$harness_work/no-session-bus
}

# Xvfb chooses a free display itself and reports it through -displayfd.
harness_x() {
    harness_require Xvfb
    [[ -n ${XDG_RUNTIME_DIR:-} && $XDG_RUNTIME_DIR == "$harness_work"/* ]] || harness_home
    harness_start "$harness_work/xvfb.log" \
        Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$harness_work/display"
    harness_wait "Xvfb reporting its display" 10000 grep -qx '[0-9][0-9]*' "$harness_work/display"
    DISPLAY=":$(tr -d '\n' <"$harness_work/display")"
    export DISPLAY
    # One logical pixel is one screen pixel: no scaling comes in from the caller's environment.
    unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING \
        QT_FONT_DPI QT_DEVICE_PIXEL_RATIO WAYLAND_DISPLAY
    export QT_QPA_PLATFORM=xcb
}

harness_wayland() {
    harness_require weston
    [[ -n ${XDG_RUNTIME_DIR:-} && $XDG_RUNTIME_DIR == "$harness_work"/* ]] || harness_home
    local socket=vorni-wayland-$$
    harness_start "$harness_work/weston.log" \
        weston --backend=headless-backend.so --socket="$socket" --width=1280 --height=1024 --idle-time=0
    harness_wait "weston listening on $socket" 10000 test -S "$XDG_RUNTIME_DIR/$socket"
    export WAYLAND_DISPLAY=$socket
    unset DISPLAY
    export QT_QPA_PLATFORM=wayland
}

harness_accessibility_bus() {
    [[ -n ${DBUS_SESSION_BUS_ADDRESS:-} ]] || harness_fail "no session bus: call harness_session_bus first"
    local launcher=/usr/libexec/at-spi-bus-launcher
    [[ -x $launcher ]] || harness_fail "$launcher is missing: run scripts/install-deps --test"
    harness_start "$harness_work/at-spi.log" "$launcher" --launch-immediately
    harness_wait "the accessibility bus" 10000 \
        dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress
}

harness_find_window() {
    kill -0 "$2" 2>/dev/null || harness_fail "the program exited before its window appeared"
    harness_wid=$(timeout 5 xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) || true
    [[ -n $harness_wid ]]
}

harness_window() {
    harness_require xdotool
    harness_wid=
    harness_wait "a visible window titled \"$1\"" 20000 harness_find_window "$1" "$2"
}

# The close button of a window manager: a WM_DELETE_WINDOW message to the window's own client.
harness_close_window() {
    harness_send_delete "$1"
    harness_wait "the program exiting after its window was closed" 20000 bash -c "! kill -0 $2 2>/dev/null"
    harness_stop "$2"
}

harness_send_delete() {
    /usr/bin/python3 - "$1" <<'PY' || harness_fail "could not send WM_DELETE_WINDOW to window $1"
import sys
from Xlib import X, display, protocol
d = display.Display()
window = d.create_resource_object("window", int(sys.argv[1], 0))
protocols = d.intern_atom("WM_PROTOCOLS")
message = protocol.event.ClientMessage(window=window, client_type=protocols,
                                       data=(32, [d.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0]))
window.send_event(message, event_mask=X.NoEventMask)
d.flush()
PY
}
