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

# The game ends by WHAT with status 0, its options saved with "Animation" off.
expect_saved_end() {
    harness_wait "the game ending by $1" $ExitMs exited "$pid"
    harness_stop "$pid"
    (( harness_status == 0 )) || harness_fail "ended by $1, the game exited with status $harness_status, not 0"
    [[ $(LC_ALL=C sort "$options" 2>&1) == $'Animation=True\nGameLine=False\nPlaycomputer=True\n[Settings]' ]] ||
        harness_fail "ended by $1, the options file holds: $(cat "$options" 2>&1)"
    echo "ok: $1 closes the game with status 0 and saves the options"
}

for signal in TERM INT HUP; do
    # A script's background job starts with SIGINT ignored, and the game keeps what it inherits: the
    # signals are reset to what a terminal's foreground program gets.
    start_and_switch_animation_off env --default-signal=TERM,INT,HUP "$game"
    kill -s "$signal" "$pid"
    expect_saved_end "SIG$signal"
done

# LeakSanitizer cannot run under a tracer; this run counts renames, not leaks.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0
start_and_switch_animation_off strace -f -qq -e trace=rename,renameat,renameat2 -o "$work/renames" "$game"
timeout 5 xdotool mousemove --window "$wid" 584 359 click 1
expect_saved_end '"Out"'
replaced=$(grep -c 'Vorni Game\.ini".* = 0$' "$work/renames" || true)
(( replaced == 1 )) || harness_fail "one close replaced the options file $replaced times, not once:
$(cat "$work/renames")"
echo "ok: a close replaces the options file once"

echo "PASS: every polite way of ending the game saves the options"
