#!/usr/bin/env bash
# A game killed at any moment of a save: the options file's name always holds a whole file, the old or
# the new, and the next start leaves nothing of the killed save behind but the damaged file's backup.
# Each run kills one save (of a damaged file, which is also kept as a backup) just before one of its
# steps, by strace; then a second run stands for the next start.
#
#   bash tests/settings/run-kill-during-save.sh build/dev/tests/settings/vorni-settings-switch-animation
set -euo pipefail

run=${1:?usage: run-kill-during-save.sh PATH-TO-vorni-settings-switch-animation}
command -v strace >/dev/null || { echo "FAIL: strace is not installed (scripts/install-deps --test)" >&2; exit 1; }
# LeakSanitizer cannot run under a tracer.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
old=$'[Settings]\nAnimation=Tr\xfc'

# What an undisturbed save writes.
mkdir "$work/calm"
printf '%s' "$old" > "$work/calm/Vorni Game.ini"
"$run" "$work/calm" >/dev/null 2>&1
new=$(cat "$work/calm/Vorni Game.ini")

failed=0
# Before: the new file is made, written, synced; the old one is linked to its backup; the new file
# is renamed over the old, the folder synced.
for step in fchmod fsync:1 link rename fsync:2; do
    call=${step%:*} when=${step#*:}
    [[ $when == "$step" ]] && when=1
    folder="$work/$step"
    mkdir "$folder"
    printf '%s' "$old" > "$folder/Vorni Game.ini"
    # Its status comes through a shell of its own, which says "Killed" where no one listens.
    status=$(strace -f -qq -o /dev/null -e trace="$call" -e inject="$call:error=EIO:signal=SIGKILL:when=$when" \
        "$run" "$folder" >/dev/null 2>&1; echo $?) 2>/dev/null
    now=$(cat "$folder/Vorni Game.ini" 2>/dev/null) || now="(no file)"
    held=$([[ $now == "$new" ]] && echo new || echo old)
    problem=""
    (( status == 137 )) || problem="it was not killed (status $status)"
    [[ -z $problem && $now != "$old" && $now != "$new" ]] && problem="the name holds: $now"
    # The next start.
    "$run" "$folder" >/dev/null 2>&1
    left=$(cd "$folder" && ls -A | grep -v -x -e 'Vorni Game.ini' -e 'Vorni Game.ini.bak' | tr '\n' ' ') || true
    [[ -z $problem && -n $left ]] && problem="the next start leaves: $left"
    [[ -z $problem && $(cat "$folder/Vorni Game.ini.bak" 2>/dev/null) != "$old" ]] && problem="no backup of the old file"
    if [[ -n $problem ]]; then
        echo "FAIL: killed before $call #$when: $problem"
        failed=1
    else
        echo "ok: killed before $call #$when, the name held the $held file and the next start tidied up"
    fi
done
(( failed == 0 )) && echo "PASS: a save killed at any step leaves a whole file"
exit "$failed"
