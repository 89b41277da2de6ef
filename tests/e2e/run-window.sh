#!/usr/bin/env bash
# End-to-end check of the real game window under a private Xvfb, played with the mouse as a person would.
#
#   bash tests/e2e/run-window.sh build/dev/ui/vorni-game
#
# It starts the binary, checks the window's fixed client size, clicks column buttons and column letters
# with xdotool and reads the cells' colours from screenshots: golden for Player 1, green for Player 2,
# black for an empty cell. A second column clicked while a ball is still falling plays after it; a full
# column takes no click; with "Animation" switched off two quick clicks both play. Last it closes the
# window as a window manager does and reads the options back from the settings file. One key is pressed
# too, on a Russian layout. Every wait is
# bounded; a failure says what was expected and what the screen showed, and keeps the screenshot as
# run-window-failure.png in the working directory.
set -euo pipefail

game=${1:?usage: run-window.sh PATH-TO-vorni-game}
[[ -x $game ]] || { echo "FAIL: $game is not an executable" >&2; exit 1; }

source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
harness_require xdotool xwininfo xprop import convert timeout setxkbmap

# Sanitizer builds start several times slower; these bounds only matter when something is wrong.
WindowTimeoutMs=20000
MoveTimeoutMs=6000
PollSeconds=0.05
work=$harness_work
now_ms() { harness_now_ms; }

fail() {
    if [[ -s $work/shot.ppm ]]; then
        convert "$work/shot.ppm" run-window-failure.png 2>/dev/null &&
            echo "      last screenshot kept as $PWD/run-window-failure.png" >&2
    fi
    harness_fail "$@"
}

# A crash (or a sanitizer report, which aborts) must show up as itself, not as a missing ball.
check_game_alive() {
    if ! kill -0 "$game_pid" 2>/dev/null; then
        local status=0
        wait "$game_pid" || status=$?
        fail "the game exited with status $status $1"
    fi
}

# A private X server and a fresh home, so the game starts with its default options (animation on, two
# people) and the user's own options are neither read nor changed.
harness_x
harness_start "$work/game.log" "$game"
game_pid=$harness_pid

# --- The window: polled every 50 ms, since `xdotool search --sync` would wait forever. ---
wid=
deadline=$(( $(now_ms) + WindowTimeoutMs ))
while :; do
    check_game_alive "before its window appeared"
    wid=$(timeout 5 xdotool search --onlyvisible --name '^Vorni Game$' 2>/dev/null | head -n 1) || true
    [[ -n $wid ]] && break
    (( $(now_ms) < deadline )) || fail "no visible window titled \"Vorni Game\" within $(( WindowTimeoutMs / 1000 )) s"
    sleep "$PollSeconds"
done

info=$(timeout 5 xwininfo -id "$wid") || fail "xwininfo could not read window $wid"
width=$(awk '/^ *Width:/ {print $2}' <<<"$info")
height=$(awk '/^ *Height:/ {print $2}' <<<"$info")
[[ $width == 669 && $height == 428 ]] || fail "the client area is ${width} x ${height}, not 669 x 428"

# A fixed-size window tells the window manager so: its minimum and maximum size are both the client size.
hints=$(timeout 5 xprop -id "$wid" WM_NORMAL_HINTS) || fail "xprop could not read WM_NORMAL_HINTS"
if ! grep -q 'minimum size: 669 by 428' <<<"$hints" || ! grep -q 'maximum size: 669 by 428' <<<"$hints"; then
    fail "the window is not fixed at 669 x 428; its size hints are:
$hints"
fi
echo "ok: window $wid maps with a fixed 669 x 428 client area"

# --- Screenshots and the cells' colours ---
# Cells are indexed 6 * column + row (row 0 at the bottom), as the game numbers them less one.
# A cell's centre is that of its 35 x 31 ball: x = (ColumnLeft + 262.5) / 15, y = (RowTop + 232.5) / 15.
RowTop=(5000 4300 3600 2900 2200 1500)
Letters=(A B C D E F G)
# A cell's colour is the mean of nine points spread over 5 x 5 pixels around its centre, so that a
# highlight or an anti-aliased edge does not decide it.
cell_format=
for c in 0 1 2 3 4 5 6; do
    for r in 0 1 2 3 4 5; do
        x=$(( (2 * (2145 + 765 * c) + 525 + 15) / 30 ))
        y=$(( (2 * RowTop[r] + 465 + 15) / 30 ))
        for channel in r g b; do
            sum=
            for dx in -2 0 2; do
                for dy in -2 0 2; do sum+="p{$(( x + dx )),$(( y + dy ))}.$channel+"; done
            done
            cell_format+="%[fx:int(255*(${sum%+})/9+0.5)],"
        done
        cell_format=${cell_format%,}" "
    done
done

shoot() {
    check_game_alive "$1"
    timeout 10 import -silent -window "$wid" "ppm:$work/shot.ppm" 2>>"$work/import.log" ||
        fail "could not take a screenshot of window $wid $1: $(tail -n 3 "$work/import.log")"
}

# Fills `seen` (one character per cell: 1 golden, 2 green, . black, ? anything else) and `seen_rgb`.
read_cells() {
    seen_rgb=$(timeout 10 convert "$work/shot.ppm" -format "$cell_format" info:) ||
        fail "could not read the cells' colours from the screenshot"
    seen=$(awk '{
        for (i = 1; i <= NF; i++) {
            split($i, v, ",")
            r = v[1]; g = v[2]; b = v[3]
            if (r < 40 && g < 40 && b < 40) printf "."
            else if (r >= 180 && g >= 140 && b <= g - 40 && r >= g - 10) printf "1"
            else if (g >= 100 && g >= r + 40 && g >= b + 40) printf "2"
            else printf "?"
        }
    }' <<<"$seen_rgb")
}

# Draws a board string as the window shows it, top row first.
show_board() {
    local board=$1 r c line
    for (( r = 5; r >= 0; r-- )); do
        line="      "
        for c in 0 1 2 3 4 5 6; do line+=" ${board:$(( 6 * c + r )):1}"; done
        echo "$line"
    done
    echo "       A B C D E F G"
}

describe_mismatch() {
    local i rgb
    read -ra rgb <<<"$seen_rgb"
    echo "expected (1 golden, 2 green, . black):"
    show_board "$expected"
    echo "seen (? neither):"
    show_board "$seen"
    for (( i = 0; i < 42; i++ )); do
        [[ ${expected:i:1} == "${seen:i:1}" ]] ||
            echo "      cell ${Letters[i / 6]}$(( i % 6 + 1 )): expected ${expected:i:1}, seen RGB(${rgb[i]})"
    done
}

# Waits until every cell shows what `expected` says, or fails after MoveTimeoutMs.
wait_for_board() {
    local what=$1 deadline=$(( $(now_ms) + MoveTimeoutMs ))
    while :; do
        shoot "$what"
        read_cells
        [[ $seen == "$expected" ]] && return 0
        (( $(now_ms) < deadline )) ||
            fail "$what: the board did not show the expected balls within $(( MoveTimeoutMs / 1000 )) s
$(describe_mismatch)"
        sleep "$PollSeconds"
    done
}

# The board must show `expected` now and still after `seconds`: a late ball would be a click played
# that should have been ignored.
check_board_stays() {
    local what=$1 seconds=$2
    sleep "$seconds"
    shoot "$what"
    read_cells
    [[ $seen == "$expected" ]] || fail "$what
$(describe_mismatch)"
}

# Column buttons lie in a strip at (132, 377); button c starts at ButtonLeft[c] in it and is 22 pixels
# high. Its letter, a small label in front of it, is centred at (LetterCentre[c], 10) in the strip, so a
# button is clicked well left of its letter, and a letter on its glyph.
ButtonLeft=(0 51 103 155 206 258 310)
LetterCentre=(24 75 126 179 232 283 336)
click_at() {
    timeout 5 xdotool mousemove --window "$wid" "$1" "$2" click 1 || fail "xdotool could not click at ($1, $2)"
}
click_button() { click_at $(( 132 + ButtonLeft[$1] + 8 )) $(( 377 + 11 )); }
click_letter() { click_at $(( 132 + LetterCentre[$1] )) $(( 377 + 10 )); }

# Plays column c for `player` and waits for its ball to show in the lowest free cell, then lets the move
# finish (the falling ball hides just after it reaches the cell) before anything else is clicked.
fill=(0 0 0 0 0 0 0)
expected=$(printf '.%.0s' {1..42})
expect_ball() {
    local c=$1 player=$2
    local i=$(( 6 * c + fill[c] ))
    expected=${expected:0:i}$player${expected:i+1}
    fill[c]=$(( fill[c] + 1 ))
}
play() {
    local how=$1 c=$2 player=$3
    "click_$how" "$c"
    expect_ball "$c" "$player"
    wait_for_board "after a click on column ${Letters[c]}'s $how"
    sleep 0.25
}

# --- The game ---
# Wait for the first paint: an unpainted window would pass for an empty board.
deadline=$(( $(now_ms) + WindowTimeoutMs ))
while :; do
    shoot "before the first paint"
    [[ $(convert "$work/shot.ppm" -format '%[fx:maxima.r+maxima.g+maxima.b > 0.5 ? 1 : 0]' info:) == 1 ]] && break
    (( $(now_ms) < deadline )) || fail "the window stayed black for $(( WindowTimeoutMs / 1000 )) s"
    sleep "$PollSeconds"
done
wait_for_board "at start-up"
echo "ok: the board starts empty"

# Column A by its button; column C clicked while A's ball is still falling waits and plays after it.
click_button 0
click_button 2
expect_ball 0 1
expect_ball 2 2
wait_for_board "after a click on column A's button and one on C's during A's drop"
check_board_stays "after the clicks on A and C" 0.6
echo "ok: column A's button plays a golden ball; a click during the drop plays after it, green"

play letter 3 1
echo "ok: column D's letter plays a golden ball for Player 1"

# Fill column A (golden, green, golden, green, golden, green from the bottom; no line of four anywhere).
play button 0 2
play letter 0 1
play button 0 2
play button 0 1
play letter 0 2
echo "ok: column A fills from the bottom with alternating players"

# A full column takes no move, by its button or by its letter; Player 1 is still to move afterwards.
click_button 0
click_letter 0
check_board_stays "a click on the full column A played" 0.8
play letter 6 1
play button 5 2
echo "ok: clicks on the full column A are ignored; G's letter and F's button play for the right players"

# "Animation" off (its command in the panel at (514, 91)): a ball shows in its cell at once, so a second
# click straight after the first is a move of its own.
click_at 581 246
sleep 0.3
click_button 4
click_letter 1
expect_ball 4 1
expect_ball 1 2
wait_for_board "with Animation switched off, after quick clicks on E's button and then B's letter"
check_board_stays "with Animation switched off, a later ball appeared" 0.5
echo "ok: with Animation off, two quick clicks play two moves"

# On a Russian layout the key printed D types a Cyrillic letter; it still plays column D, for Player 1.
setxkbmap -layout ru || fail "setxkbmap could not switch the keyboard to Russian"
timeout 5 xdotool key Cyrillic_ve || fail "xdotool could not press the key that types Cyrillic_ve"
setxkbmap -layout us
expect_ball 3 1
wait_for_board "after the key printed D was pressed on a Russian layout"
echo "ok: on a Russian layout, the key printed D plays column D"

# Closed as a window manager closes it: the options are saved, "Animation" now off.
harness_close_window "$wid" "$game_pid"
[[ $harness_status == 0 ]] || fail "the game exited with status $harness_status after its window was closed"
settings="$XDG_CONFIG_HOME/Vorni Game.ini"
for option in Animation=True Playcomputer=True GameLine=False; do
    grep -qx "$option" "$settings" 2>/dev/null ||
        fail "after the window was closed, $settings lacks $option: $(tr '\n' ' ' <"$settings" 2>/dev/null)"
done
echo "ok: closed by WM_DELETE_WINDOW, the game exits 0 and its settings file holds the options shown"

echo "PASS: the game window plays by mouse as expected"
