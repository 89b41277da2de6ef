#!/usr/bin/env bash
# Start-up benchmark of the game window against a bare Qt 6 window of the same size (vorni-bare-window),
# as a player sees it.
#
#   cmake --preset bench && cmake --build --preset bench -j2
#   bash bench/startup/measure-startup.sh build/bench     # RUNS=18 for more runs (at least 9)
#   bash bench/startup/measure-startup.sh build/bench OTHER_BUILD
# The second form also starts the game of another build (an earlier version, say) in turn with the two,
# so that both games are measured under the same conditions, and prints its figures in a column "other".
#
# Under one private Xvfb and session bus (a desktop has one; without it every Qt program forks
# dbus-launch while it shows its window), probe-startup.py starts each binary, alternating between the
# two, and reads from the X server:
#   - exec to the window being mapped, and to the first drawing into it;
#   - for the game, exec to the drawing after which every probed control shows, and how many drawings
#     came before that one (0: the first frame shown was complete);
#   - the CPU time of the process (every thread, those already ended too) up to the map and, for the
#     game, up to that complete frame: other load hardly changes it, so it is the figure to compare on a
#     busy machine;
#   - the resident memory (VmRSS) 1 s after the map.
# One discarded warm-up run of each comes first, so both are timed with the libraries in the page cache.
# Then IDLE_RUNS (default 3) more starts of each sit idle for IDLE_SECONDS (default 10), from 2 s after
# the map, the window visible and the pointer elsewhere: CPU time of the process (its CPU-time clock, in
# ns), wake-ups (voluntary context switches of all threads: each is a thread going to sleep) and pixels
# drawn into the window a second.
# It prints medians and the game's figures against the bare window's and against the goals.
set -euo pipefail

build=${1:-build/bench}
other_build=${2:-}
game=$build/ui/vorni-game
other=${other_build:+$other_build/ui/vorni-game}
bare=$build/bench/startup/vorni-bare-window
runs=${RUNS:-9}
idle_runs=${IDLE_RUNS:-3}
idle_seconds=${IDLE_SECONDS:-10}
probe=$(dirname "${BASH_SOURCE[0]}")/probe-startup.py

(( runs >= 9 )) || { echo "RUNS must be at least 9" >&2; exit 2; }
(( idle_runs >= 1 )) || { echo "IDLE_RUNS must be at least 1" >&2; exit 2; }
for bin in "$game" "$bare" $other; do
    [[ -x $bin ]] || { echo "$bin is missing: build the bench preset first (see the top of this script)" >&2; exit 2; }
done
/usr/bin/python3 -c 'import Xlib.ext.damage' 2>/dev/null ||
    { echo "python3-xlib is missing: run scripts/install-deps --test" >&2; exit 2; }

source "$(dirname "${BASH_SOURCE[0]}")/../../tests/e2e/harness.sh"
harness_session_bus "$@"
work=$harness_work
harness_x
harness_require xdotool
xdotool mousemove 1270 1010 # the pointer off both windows, so no hover repaints

# One start, stopped once measured: prints the probe's figures after the label given and appends each
# to $work/<name>.<figure>, one line a run.
probe_run() {
    local label=$1 name=$2 out field
    shift 2
    out=$(/usr/bin/python3 "$probe" "$@" 2>&1) || harness_fail "probe of $name: $out"
    [[ -z $label ]] || echo "$label  $out"
    for field in $out; do
        echo "${field#*=}" >>"$work/$name.${field%%=*}"
    done
}

median() { sort -g "$1" | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.2f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
largest() { sort -g "$1" | tail -n 1; }

echo "Display $DISPLAY, $runs start-up runs and $idle_runs idle runs of $idle_seconds s each, $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
subjects=(bare game ${other:+other})
declare -A binary=([bare]=$bare [game]=$game [other]=$other)
declare -A controls=([bare]="" [game]=--controls [other]=--controls)
for name in "${subjects[@]}"; do
    probe_run "" "warm-$name" ${controls[$name]} "${binary[$name]}"
done
# Each run starts with the next program in turn, so that each takes each place in the order equally often
# over a multiple of their number of runs: in one fixed order, of two builds of the game the one started
# second painted some 6 ms sooner, whichever it was.
in_turn() {
    local k
    for (( k = 0; k < ${#subjects[@]}; k++ )); do
        echo "${subjects[(k + $1) % ${#subjects[@]}]}"
    done
}
for (( i = 1; i <= runs; i++ )); do
    for name in $(in_turn "$i"); do
        probe_run "$(printf 'run %2d  %-5s' "$i" "$name")" "$name" ${controls[$name]} "${binary[$name]}"
    done
done
for (( i = 1; i <= idle_runs; i++ )); do
    for name in $(in_turn "$i"); do
        probe_run "$(printf 'idle %d  %-5s' "$i" "$name")" "$name-idle" --idle "$idle_seconds" "${binary[$name]}"
    done
done

m() { [[ -s $work/$1 ]] && median "$work/$1" || echo nan; }
most() { [[ -s $work/$1 ]] && largest "$work/$1" || echo nan; }
# One row: its title, then for bare, game (and other) the figure's median, then game/bare and other/bare.
row() {
    local title=$1 figure=$2 format=$3 ratio=$4 goal=${5:-}
    local b g o
    b=$(m "bare$figure"); g=$(m "game$figure"); o=$(m "other$figure")
    awk -v t="$title" -v f="$format" -v b="$b" -v g="$g" -v o="$o" -v ratio="$ratio" -v goal="$goal" -v other="${other:+1}" 'BEGIN {
        printf "%-40s", t
        printf (b == "nan" ? "%9s" : "%9" f), (b == "nan" ? "" : b)
        printf (g == "nan" ? "%9s" : "%9" f), (g == "nan" ? "" : g)
        if (other) printf (o == "nan" ? "%9s" : "%9" f), (o == "nan" ? "" : o)
        if (ratio) { printf "%11.2f", g / b; if (other) printf "%11.2f", o / b } else { printf "%11s", ""; if (other) printf "%11s", "" }
        printf "   %s\n", goal
    }'
}
verdict() { awk -v v="$1" -v limit="$2" 'BEGIN { print (v <= limit ? "met" : "MISSED") }'; }

echo
echo "Medians of $runs start-up runs and $idle_runs idle runs of each, game from $build${other_build:+, other from $other_build}, load at the end $(cut -d' ' -f1-3 /proc/loadavg)"
if [[ -n $other ]]; then
    printf '%-40s%9s%9s%9s%11s%11s   %s\n' "" bare game other game/bare other/bare "goal (game)"
else
    printf '%-40s%9s%9s%11s   %s\n' "" bare game game/bare goal
fi
bare_map=$(m bare.map_ms)
row "exec to window mapped (ms)" .map_ms .1f 1
row "exec to first frame (ms)" .frame_ms .1f 1
# The controls are painted against the bare window's map: the bare window shows nothing more.
cp "$work/bare.map_ms" "$work/bare.painted_ms"
painted_ratio=$(awk -v g="$(m game.painted_ms)" -v b="$bare_map" 'BEGIN { print g / b }')
early=$(most game.early_frames)
row "exec to every control painted (ms)" .painted_ms .1f 1 \
    "<= 1.5 x bare mapped, first frame complete: $( [[ $early == 0 ]] && verdict "$painted_ratio" 1.5 || echo MISSED) (bare: mapped)"
rm "$work/bare.painted_ms"
# The same ratio taken within each run, then its median: the machine's speed drifts between runs, and the
# two programs of one run start under the same conditions.
per_run_ratio() {
    paste "$work/$1.painted_ms" "$work/bare.map_ms" | awk '{ printf "%.4f\n", $1 / $2 }' >"$work/$1.per_run_ratio"
    median "$work/$1.per_run_ratio"
}
printf '%-40s%9s%9.2f%s\n' "painted / bare mapped, per run (median)" "" "$(per_run_ratio game)" \
    "${other:+$(printf '%9.2f' "$(per_run_ratio other)")}"
printf '%-40s%9s%9s%s   %s\n' "frames shown before that (largest)" "" "$early" "${other:+$(printf '%9s' "$(most other.early_frames)")}" \
    "0: the first frame had every control"
printf '%-40s%9s%9s%s   %s\n' "first to last control showing (ms, largest)" "" "$(most game.spread_ms)" \
    "${other:+$(printf '%9s' "$(most other.spread_ms)")}" "0: every control came in one frame"
row "CPU time to window mapped (ms)" .map_cpu_ms .1f 1
cp "$work/bare.map_cpu_ms" "$work/bare.painted_cpu_ms"
row "CPU time to every control painted (ms)" .painted_cpu_ms .1f 1 "(bare: to mapped)"
rm "$work/bare.painted_cpu_ms"
row "resident memory 1 s after map (KiB)" .rss_kib .0f 1 \
    "<= 1.15: $(verdict "$(awk -v g="$(m game.rss_kib)" -v b="$(m bare.rss_kib)" 'BEGIN { print g / b }')" 1.15)"
row "idle CPU, window visible (% of a core)" -idle.idle_cpu_pct .3f "" "<= 0.15: $(verdict "$(m game-idle.idle_cpu_pct)" 0.15)"
row "idle wake-ups a second" -idle.wakeups_per_s .1f "" "<= 4: $(verdict "$(m game-idle.wakeups_per_s)" 4)"
row "idle preemptions a second (other load)" -idle.preempted_per_s .1f ""
row "idle pixels drawn a second" -idle.drawn_px_per_s .0f ""
