#!/usr/bin/env bash
# The game as a native Wayland client, under weston's headless back end on a socket of its own: from the
# client's own protocol log (WAYLAND_DEBUG=1) it must make its toplevel titled "Vorni Game", fixed at
# 669 x 428 by equal minimum and maximum sizes, with the game's application ID, and draw into it; a
# SIGTERM, as a session sends at logout, then closes it through its normal close, with status 0.
#
#   bash tests/e2e/run-wayland.sh build/dev/ui/vorni-game org.example.vorni.game
set -euo pipefail

game=${1:?usage: run-wayland.sh PATH-TO-vorni-game APP-ID}
app_id=${2:?usage: run-wayland.sh PATH-TO-vorni-game APP-ID}
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"

harness_wayland
# Qt's Wayland plugin leaves the client library's proxies and its own decoration plugin's memory to the
# end of the process, which LeakSanitizer in the sanitizer build reports (not the game's allocations,
# which the X11 tests check for leaks); this test is about the protocol.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0
log=$harness_work/wayland.log
WAYLAND_DEBUG=1 harness_start "$log" "$game"
game_pid=$harness_pid

# The requests of the client itself ("->"), on its one xdg_toplevel.
requests() { grep -E -- '-> xdg_toplevel@[0-9]+\.' "$log" || true; }
has_frame() {
    kill -0 "$game_pid" 2>/dev/null || harness_fail "the game exited under Wayland"
    requests | grep -q 'set_title("Vorni Game")' && grep -qE -- '-> wl_surface@[0-9]+\.attach\(wl_buffer@' "$log"
}
harness_wait "a toplevel titled \"Vorni Game\" with a frame drawn into it" 20000 has_frame
for request in 'set_min_size(669, 428)' 'set_max_size(669, 428)' "set_app_id(\"$app_id\")"; do
    requests | grep -qF "$request" || harness_fail "the toplevel was not given $request; it was given:
$(requests | sed 's/^.*-> /      /')"
done
echo "ok: a native Wayland toplevel \"Vorni Game\", 669 x 428 fixed, app ID $app_id, drawn"

harness_stop "$game_pid"
[[ $harness_status == 0 ]] || harness_fail "SIGTERM ended the game with status $harness_status, not 0"
[[ -s "$XDG_CONFIG_HOME/Vorni Game.ini" ]] || harness_fail "the options were not saved on SIGTERM"
echo "PASS: the game runs on Wayland and closes cleanly"
