#!/usr/bin/env bash
# End-to-end check of the game as a screen reader meets it, through the real accessibility bus: the game under
# a private Xvfb inside a D-Bus session of its own, with the AT-SPI bus launched and Qt's bridge switched on,
# read by read-accessible.py (pyatspi, as Orca): it prints the start position's tree, presses "Column C" by its
# action and reads cell C1 back while hearing the cell's and the turn's names change, toggles "Animation" and
# reads it unchecked, fills column A and reads its button as not sensitive, fills the board and hears the
# result once, and presses the e-mail link, which a stand-in for the desktop's opener (xdg-open) must be
# handed. Last the window is closed and the settings file must hold "Animation" off, as the reader toggled
# it.
#
#   bash tests/e2e/run-accessibility.sh build/dev/ui/vorni-game
set -euo pipefail

game=${1:?usage: run-accessibility.sh PATH-TO-vorni-game}
[[ -x $game ]] || { echo "FAIL: $game is not an executable" >&2; exit 1; }

source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
harness_session_bus "$@"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || harness_fail "pyatspi is missing: run scripts/install-deps --test"

harness_x
harness_accessibility_bus
# The desktop's opener of addresses, which Qt runs for a link, stands in as a script that notes them.
mkdir "$harness_work/bin"
opened=$harness_work/opened
printf '#!/bin/sh\necho "$*" >>"%s"\n' "$opened" >"$harness_work/bin/xdg-open"
chmod +x "$harness_work/bin/xdg-open"
PATH=$harness_work/bin:$PATH QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 harness_start "$harness_work/game.log" "$game"
game_pid=$harness_pid
harness_window "Vorni Game" "$game_pid"

/usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/read-accessible.py" || harness_fail "the game as a reader meets it"
harness_wait "the e-mail link handed to the opener" 10000 test -s "$opened"
grep -qx 'mailto:.*@.*' "$opened" || harness_fail "the opener was handed $(cat "$opened"), not a mailto: address"

harness_close_window "$harness_wid" "$game_pid"
[[ $harness_status == 0 ]] || harness_fail "the game exited with status $harness_status after its window was closed"
grep -qx 'Animation=True' "$XDG_CONFIG_HOME/Vorni Game.ini" ||
    harness_fail "the settings file does not hold Animation off: $(tr '\n' ' ' <"$XDG_CONFIG_HOME/Vorni Game.ini")"
echo "PASS: the game reads and plays through the accessibility bus"
