#!/usr/bin/env bash
# The command line of the real binary, run as a terminal user would, with no display or one that cannot be
# opened: --help and --version answer and exit 0; a mistake is told in the game's own words with the hint
# to --help, a display that cannot be opened in one line, each with status 1, never an abort. Last, under a
# private Xvfb, the game is shown through -display alone and closed by the window manager while its help
# window is open.
#
#   bash tests/e2e/run-command-line.sh build/dev/ui/vorni-game 1.0
set -euo pipefail

game=${1:?usage: run-command-line.sh PATH-TO-vorni-game VERSION}
version=${2:?usage: run-command-line.sh PATH-TO-vorni-game VERSION}
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
work=$harness_work
failures=0

# An X display with no server: neither a lock file nor a socket.
absent=98
while [[ -e /tmp/.X$absent-lock || -e /tmp/.X11-unix/X$absent ]]; do absent=$(( absent + 1 )); done
hint="\nTry 'vorni-game --help'."

# environment | arguments | status | a whole line stdout must hold | stderr, exactly (\n between lines)
cases=(
    "|--help|0|  Out                    close the game; the options are kept|"
    "|-h|0|Usage: $game [options]|"
    "|--help-all|0|  --display <display>  the X display to show the game on, rather than \$DISPLAY|"
    "|--version|0|Vorni Game $version|"
    "|-v|0|Vorni Game $version|"
    "||1||vorni-game: no display to show the game on: neither DISPLAY nor WAYLAND_DISPLAY is set"
    "|--unknown|1||vorni-game: unknown option 'unknown'$hint"
    "QT_QPA_PLATFORM=offscreen|--unknown|1||vorni-game: unknown option 'unknown'$hint"
    "|extra|1||vorni-game: unexpected argument 'extra'$hint"
    "QT_QPA_PLATFORM=offscreen|extra|1||vorni-game: unexpected argument 'extra'$hint"
    "|-platform|1||vorni-game: missing value after '-platform'$hint"
    "DISPLAY=:$absent||1||vorni-game: cannot open display ':$absent'"
    "|-display :$absent|1||vorni-game: cannot open display ':$absent'"
    "|-platform bogus|1||vorni-game: cannot start the platform 'bogus'"
    "WAYLAND_DISPLAY=vorni-none||1||vorni-game: cannot open Wayland display 'vorni-none'"
)
mkdir -m 700 "$work/run"
for case in "${cases[@]}"; do
    IFS='|' read -r environment args want_status want_out want_err <<<"$case"
    status=0
    # No display but the one a case names, and a home of its own: nothing may be written there.
    # shellcheck disable=SC2086 # the environment and the arguments are lists of words
    env -i PATH="$PATH" HOME="$work/home" XDG_RUNTIME_DIR="$work/run" $environment \
        timeout 20 "$game" $args >"$work/out" 2>"$work/err" </dev/null || status=$?
    problem=
    [[ $status == "$want_status" ]] || problem+=" exit status $status, not $want_status;"
    [[ -z $want_out ]] || grep -qxF -- "$want_out" "$work/out" || problem+=" stdout lacks \"$want_out\";"
    [[ $(cat "$work/err") == "$(printf '%b' "$want_err")" ]] || problem+=" stderr is not \"$want_err\";"
    [[ ! -e $work/home ]] || problem+=" it wrote into the home folder;"
    if [[ $args == --help* ]]; then
        awk 'length > 80 { exit 1 }' "$work/out" || problem+=" a line is wider than 80 columns;"
        awk 'NR > 1 && $0 == "" && last == "" { exit 1 } { last = $0 }' "$work/out" ||
            problem+=" two blank lines follow each other;"
    fi
    if [[ -n $problem ]]; then
        echo "FAIL: $environment vorni-game $args:$problem" >&2
        sed 's/^/      stdout: /' "$work/out" | head -5 >&2
        sed 's/^/      stderr: /' "$work/err" | head -5 >&2
        failures=$(( failures + 1 ))
    else
        echo "ok: $environment vorni-game $args exits $status"
    fi
done
# A refused command line ends the program before it starts any thread: ended by exit() with a start-up
# thread still reading the fonts, it would tear them down under that thread.
command -v strace >/dev/null || { echo "FAIL: strace is missing: run scripts/install-deps --test" >&2; exit 1; }
for args in --unknown extra; do
    rm -f "$work/clones"
    status=0
    env -i PATH="$PATH" HOME="$work/home" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen \
        timeout 20 strace -f -qq -e trace=clone,clone3 -o "$work/clones" "$game" $args >/dev/null 2>&1 </dev/null ||
        status=$?
    threads=$(grep -c CLONE_THREAD "$work/clones" 2>/dev/null || true)
    if [[ $status != 1 || $threads != 0 ]]; then
        echo "FAIL: vorni-game $args exits $status having started ${threads:-unknown} threads, not 1 and 0" >&2
        failures=$(( failures + 1 ))
    else
        echo "ok: vorni-game $args is refused before any thread starts"
    fi
done
(( failures == 0 )) || exit 1

# -display alone names the X display; the window manager's close ends the game even while its help window
# is open, with status 0 and the options saved.
harness_require xdotool
harness_x
harness_start "$work/game.log" env -u DISPLAY "$game" -display "$DISPLAY"
game_pid=$harness_pid
harness_window "Vorni Game" "$game_pid"
game_wid=$harness_wid
# Keys go to the window under the pointer; F1 is pressed until the window has made its controls.
timeout 5 xdotool mousemove --window "$game_wid" 60 60
help_shown() {
    timeout 5 xdotool key F1 && timeout 5 xdotool search --onlyvisible --name '^Vorni Game: how to play$' >/dev/null
}
harness_wait "the help window after F1" 20000 help_shown
harness_close_window "$game_wid" "$game_pid"
[[ $harness_status == 0 ]] ||
    harness_fail "closed with its help window open, the game exited with status $harness_status"
[[ $(LC_ALL=C sort "$XDG_CONFIG_HOME/Vorni Game.ini" 2>&1) == \
    $'Animation=False\nGameLine=False\nPlaycomputer=True\n[Settings]' ]] ||
    harness_fail "closed with its help window open, the game saved: $(cat "$XDG_CONFIG_HOME/Vorni Game.ini" 2>&1)"
echo "ok: shown through -display alone; closed with its help window open, it exits 0 and saves the options"
echo "PASS: the command line answers in the game's words, and the game closes however it is asked to"
