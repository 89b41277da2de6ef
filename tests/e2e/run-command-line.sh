#!/usr/bin/env bash
# The command line of the real binary, run as a terminal user would, with no display at all:
# --help and --version answer and exit 0; without a display the game says so in one line and fails;
# what it does not understand is refused.
#
#   bash tests/e2e/run-command-line.sh build/dev/ui/vorni-game 1.0
set -euo pipefail

game=${1:?usage: run-command-line.sh PATH-TO-vorni-game VERSION}
version=${2:?usage: run-command-line.sh PATH-TO-vorni-game VERSION}
work=$(mktemp -d "${TMPDIR:-/tmp}/vorni-cli.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0

# platform | arguments | status | a line stdout must hold | stderr lines (- for any) | stderr must hold
cases=(
    "|--help|0|--version|0|"
    "|-h|0|Usage: |0|"
    "|--help-all|0|Usage: |0|"
    "|--version|0|Vorni Game $version|0|"
    "|-v|0|Vorni Game $version|0|"
    "||1||1|no display to show the game on"
    "|--unknown|1||1|no display"
    "offscreen|--unknown|1||-|Unknown option 'unknown'"
    "offscreen|extra|1||-|unexpected argument 'extra'"
)
mkdir -m 700 "$work/run"
for case in "${cases[@]}"; do
    IFS='|' read -r platform args want_status want_out want_lines want_err <<<"$case"
    status=0
    # No display but the one a case names, and a home of its own: nothing may be written there.
    env -i PATH="$PATH" HOME="$work/home" XDG_RUNTIME_DIR="$work/run" ${platform:+QT_QPA_PLATFORM=$platform} \
        timeout 20 "$game" $args >"$work/out" 2>"$work/err" </dev/null || status=$?
    lines=$(wc -l <"$work/err")
    problem=
    [[ $status == "$want_status" ]] || problem+=" exit status $status, not $want_status;"
    [[ -z $want_out ]] || grep -qF -- "$want_out" "$work/out" || problem+=" stdout lacks \"$want_out\";"
    [[ $want_lines == - || $lines == "$want_lines" ]] || problem+=" $lines lines on stderr, not $want_lines;"
    [[ -z $want_err ]] || grep -qF -- "$want_err" "$work/err" || problem+=" stderr lacks \"$want_err\";"
    [[ ! -e $work/home ]] || problem+=" it wrote into the home folder;"
    if [[ -n $problem ]]; then
        echo "FAIL: vorni-game $args:$problem" >&2
        sed 's/^/      stdout: /' "$work/out" | head -5 >&2
        sed 's/^/      stderr: /' "$work/err" | head -5 >&2
        failures=$(( failures + 1 ))
    else
        echo "ok: vorni-game $args exits $status"
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
echo "PASS: the command line answers without a display"
