#!/usr/bin/env bash
# The real game under a private Xvfb, ended as a desktop or a terminal ends it: SIGTERM (logout),
# SIGINT (Ctrl+C) and SIGHUP (the terminal closed). Each time "Animation" is switched off first; the game
# must exit with status 0 and the options file must hold the change. Then, under strace, one close by
# "Out" must replace the options file exactly once.
#
#   bash tests/e2e/run-quit-signals.sh build/dev/ui/vorni-game
set -euo pipefail

game=${1:?usage: run-quit-signals.sh PATH-TO-vorni-game}
[[ -x $game ]] || { echo "FAIL: $game is not an executable" >&2; exit 1; }

source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
harness_require xdotool import convert strace timeout
# A session bus of its own, as a desktop has: the game's libraries find it rather than start one that
# would outlive the test.
harness_session_bus "$@"
harness_x
work=$harness_work
options="$XDG_CONFIG_HOME/Vorni Game.ini"
# Sanitizer builds start several times slower; the bounds only matter when something is wrong.
StartMs=30000
ExitMs=20000

shoot() { timeout 10 import -silent -window "$wid" "$@" 2>/dev/null; }
painted() {
    wid=$(timeout 5 xdotool search --onlyvisible --name '^Vorni Game$' 2>/dev/null | head -n 1) || true
    [[ -n $wid ]] && shoot "ppm:$work/shot.ppm" &&
        [[ $(convert "$work/shot.ppm" -format '%[fx:maxima.r+maxima.g+maxima.b > 0.5 ? 1 : 0]' info:) == 1 ]]
}
# The "Animation" command's label, 57 x 13 at (557, 240): struck out once the option is off.
animation_label() { shoot -crop 57x13+557+240 ppm:- | md5sum; }
label_changed() { [[ $(animation_label) != "$before" ]]; }
exited() { ! kill -0 "$1" 2>/dev/null; }

# Starts the game with CMD..., waits for its first frame and switches "Animation" off by its label.
start_and_switch_animation_off() {
    rm -f "$options"
    harness_start "$work/game.log" "$@"
    pid=$harness_pid
    harness_wait "the game's first frame" $StartMs painted
    timeout 5 xdotool mousemove --window "$wid" 581 246
    before=$(animation_label)
    timeout 5 xdotool click 1
    harness_wait "the Animation label struck out" 5000 label_changed
}

for signal in TERM INT HUP; do
    # A script's background job starts with SIGINT ignored, and the game keeps what it inherits: the
    # signals are reset to what a terminal's foreground program gets.
    start_and_switch_animation_off env --default-signal=TERM,INT,HUP "$game"
    kill -s "$signal" "$pid"
    harness_wait "the game ending on SIG$signal" $ExitMs exited "$pid"
    harness_stop "$pid"
    (( harness_status == 0 )) || harness_fail "SIG$signal: the game exited with status $harness_status, not 0"
    [[ -f $options ]] || harness_fail "SIG$signal: no options file was saved"
    for line in Animation=True Playcomputer=True GameLine=False; do
        grep -qx "$line" "$options" || harness_fail "SIG$signal: \"$line\" is not in the options file:
$(cat "$options")"
    done
    echo "ok: SIG$signal closes the game with status 0 and saves the options"
done

# LeakSanitizer cannot run under a tracer; this run counts renames, not leaks.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0
start_and_switch_animation_off strace -f -qq -e trace=rename,renameat,renameat2 -o "$work/renames" "$game"
timeout 5 xdotool mousemove --window "$wid" 584 359 click 1 # "Out"
harness_wait "the game ending by Out" $ExitMs exited "$pid"
harness_stop "$pid"
(( harness_status == 0 )) || harness_fail "the game closed by Out exited with status $harness_status"
replaced=$(grep -c 'Vorni Game\.ini".* = 0$' "$work/renames" || true)
(( replaced == 1 )) || harness_fail "one close replaced the options file $replaced times, not once:
$(cat "$work/renames")"
grep -qx Animation=True "$options" || harness_fail "the close by Out did not save the options"
echo "ok: a close replaces the options file once"

echo "PASS: every polite way of ending the game saves the options"
