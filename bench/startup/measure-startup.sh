#!/usr/bin/env bash
# Start-up benchmark of the game window against a bare Qt 6 window of the same size (vorni-bare-window),
# as a player sees it.
#
#   cmake --preset bench && cmake --build --preset bench -j2
#   bash bench/startup/measure-startup.sh build/bench     # RUNS=15 for more runs (at least 9)
#
# Under one private Xvfb and session bus (a desktop has one; without it every Qt program forks
# dbus-launch while it shows its window), probe-startup.py starts each binary, alternating between the
# two, and reads from the X server:
#   - exec to the window being mapped, and to the first drawing into it;
#   - for the game, exec to the drawing after which every probed control shows, and how many drawings
#     came before that one (0: the first frame shown was complete);
#   - the CPU time of all threads up to the map, which other load hardly changes;
#   - the resident memory (VmRSS) 1 s after the map.
# One discarded warm-up run of each comes first, so both are timed with the libraries in the page cache.
# Then IDLE_RUNS (default 3) more starts of each sit idle for IDLE_SECONDS (default 10), from 2 s after
# the map, the window visible and the pointer elsewhere: CPU time of all threads (from schedstat, in ns),
# wake-ups (voluntary context switches of all threads: each is a thread going to sleep) and pixels drawn
# into the window a second.
# It prints medians and the game's figures against the bare window's and against the goals.
set -euo pipefail

build=${1:-build/bench}
game=$build/ui/vorni-game
bare=$build/bench/startup/vorni-bare-window
runs=${RUNS:-9}
idle_runs=${IDLE_RUNS:-3}
idle_seconds=${IDLE_SECONDS:-10}
probe=$(dirname "${BASH_SOURCE[0]}")/probe-startup.py

(( runs >= 9 )) || { echo "RUNS must be at least 9" >&2; exit 2; }
(( idle_runs >= 1 )) || { echo "IDLE_RUNS must be at least 1" >&2; exit 2; }
for bin in "$game" "$bare"; do
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
probe_run "" warm-bare "$bare"
probe_run "" warm-game --controls "$game"
for (( i = 1; i <= runs; i++ )); do
    probe_run "$(printf 'run %2d  bare' "$i")" bare "$bare"
    probe_run "$(printf 'run %2d  game' "$i")" game --controls "$game"
done
for (( i = 1; i <= idle_runs; i++ )); do
    probe_run "idle $i  bare" bare-idle --idle "$idle_seconds" "$bare"
    probe_run "idle $i  game" game-idle --idle "$idle_seconds" "$game"
done

m() { median "$work/$1"; }
awk -v runs="$runs" -v idle_runs="$idle_runs" -v build="$build" -v load="$(cut -d' ' -f1-3 /proc/loadavg)" \
    -v bm="$(m bare.map_ms)" -v gm="$(m game.map_ms)" -v bf="$(m bare.frame_ms)" -v gf="$(m game.frame_ms)" \
    -v gp="$(m game.painted_ms)" -v early="$(largest "$work/game.early_frames")" -v spread="$(largest "$work/game.spread_ms")" \
    -v bc="$(m bare.map_cpu_ms)" -v gc="$(m game.map_cpu_ms)" -v br="$(m bare.rss_kib)" -v gr="$(m game.rss_kib)" \
    -v bi="$(m bare-idle.idle_cpu_pct)" -v gi="$(m game-idle.idle_cpu_pct)" \
    -v bw="$(m bare-idle.wakeups_per_s)" -v gw="$(m game-idle.wakeups_per_s)" \
    -v bp="$(m bare-idle.preempted_per_s)" -v gpr="$(m game-idle.preempted_per_s)" \
    -v bd="$(m bare-idle.drawn_px_per_s)" -v gd="$(m game-idle.drawn_px_per_s)" 'BEGIN {
    verdict = "met"
    printf "\nMedians of %d start-up runs and %d idle runs of each, binaries from %s, load at the end %s\n", runs, idle_runs, build, load
    printf "%-40s%9s%9s%11s   %s\n", "", "bare", "game", "game/bare", "goal"
    printf "%-40s%9.1f%9.1f%11.2f\n", "exec to window mapped (ms)", bm, gm, gm / bm
    printf "%-40s%9.1f%9.1f%11.2f\n", "exec to first frame (ms)", bf, gf, gf / bf
    ok = gp / bm <= 1.5 && early == 0
    printf "%-40s%9s%9.1f%11.2f   <= 1.5 x bare mapped, first frame complete: %s\n", "exec to every control painted (ms)", "", gp, gp / bm, (ok ? "met" : "MISSED")
    printf "%-40s%9s%9d%11s   (largest; 0: the first frame had every control)\n", "frames shown before that", "", early, ""
    printf "%-40s%9s%9.1f%11s   (largest; 0: every control in one frame)\n", "first to last control showing (ms)", "", spread, ""
    printf "%-40s%9.1f%9.1f%11.2f\n", "CPU time to window mapped (ms)", bc, gc, gc / bc
    ok = gr / br <= 1.15
    printf "%-40s%9.1f%9.1f%11.2f   <= 1.15: %s\n", "resident memory 1 s after map (MiB)", br / 1024, gr / 1024, gr / br, (ok ? "met" : "MISSED")
    ok = gi <= 0.15
    printf "%-40s%9.3f%9.3f%11s   <= 0.15: %s\n", "idle CPU, window visible (% of a core)", bi, gi, "", (ok ? "met" : "MISSED")
    ok = gw <= 4
    printf "%-40s%9.1f%9.1f%11s   <= 4: %s\n", "idle wake-ups a second", bw, gw, "", (ok ? "met" : "MISSED")
    printf "%-40s%9.1f%9.1f\n", "idle preemptions a second (load)", bp, gpr
    printf "%-40s%9.0f%9.0f\n", "idle pixels drawn a second", bd, gd
}'
