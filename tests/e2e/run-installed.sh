#!/usr/bin/env bash
# The game as a player gets it: installed with `cmake --install` into a staging folder (DESTDIR), the
# installed binary started under a private Xvfb, matched to its installed desktop entry, and closed as
# a window manager closes it, which saves the options.
#
#   bash tests/e2e/run-installed.sh build/dev
set -euo pipefail

build=${1:?usage: run-installed.sh BUILD-FOLDER}
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
harness_require cmake xwininfo xprop

stage=$harness_work/stage
DESTDIR=$stage cmake --install "$build" --prefix /usr >"$harness_work/install.log" 2>&1 ||
    harness_fail "cmake --install failed: $(tail -n 5 "$harness_work/install.log")"
desktop=$(ls "$stage"/usr/share/applications/*.desktop)
entry() { sed -n "s/^$1=//p" "$desktop"; }
binary=$stage/usr/games/$(entry Exec)
[[ -x $binary ]] || harness_fail "the desktop entry starts $(entry Exec), which is not installed in /usr/games"
for size in 16 22 24 32 48 64 128 256; do
    icon=$stage/usr/share/icons/hicolor/${size}x$size/apps/$(entry Icon).png
    [[ $(identify -format '%wx%h' "$icon" 2>/dev/null) == "${size}x$size" ]] ||
        harness_fail "no ${size} x ${size} icon named as the desktop entry says: $icon"
done
[[ -s $stage/usr/share/man/man6/vorni-game.6.gz && -s $stage/usr/share/doc/vorni-game/copyright ]] ||
    harness_fail "the manual page or the copyright file is not installed"
echo "ok: installed $(find "$stage" -type f | wc -l) files; the desktop entry names the binary and its icons"

harness_x
harness_start "$harness_work/game.log" "$binary"
game_pid=$harness_pid
harness_window "Vorni Game" "$game_pid"
size=$(timeout 5 xwininfo -id "$harness_wid" | awk '/^ *Width:/ {w = $2} /^ *Height:/ {h = $2} END {print w "x" h}')
[[ $size == 669x428 ]] || harness_fail "the installed game's window is $size, not 669x428"
class=$(timeout 5 xprop -id "$harness_wid" WM_CLASS)
[[ $class == *"\"$(entry StartupWMClass)\""* ]] ||
    harness_fail "WM_CLASS is $class; the desktop entry expects $(entry StartupWMClass)"
echo "ok: the installed game shows \"Vorni Game\", 669 x 428, with the WM_CLASS its desktop entry names"

harness_close_window "$harness_wid" "$game_pid"
[[ $harness_status == 0 ]] || harness_fail "the game exited with status $harness_status after its window was closed"
settings="$XDG_CONFIG_HOME/Vorni Game.ini"
for key in Animation Playcomputer GameLine; do
    grep -qiE "^$key=(true|false)$" "$settings" 2>/dev/null ||
        harness_fail "the options were not written on close: no $key in $settings"
done
echo "PASS: the installed game runs, matches its desktop entry and saves its options on close"
