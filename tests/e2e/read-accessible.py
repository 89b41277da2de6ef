#!/usr/bin/python3
# The game as a screen reader meets it, read and played over AT-SPI with pyatspi, the client library Orca
# uses (Debian's own /usr/bin/python3 has it). Run by run-accessibility.sh, which says what it checks.
import sys
import time

import pyatspi
from gi.repository import GLib


def wait_for(what, check, seconds=15):
    deadline = time.monotonic() + seconds
    while not (found := check()):
        if time.monotonic() > deadline:
            sys.exit(f"FAIL: {what}: not within {seconds} s")
        GLib.MainContext.default().iteration(False)  # delivers the events listened to
        time.sleep(0.02)
    return found


def game_window():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Vorni Game":
            return next((w for w in app if w.getRole() == pyatspi.ROLE_FRAME and w.childCount > 0), None)
    return None


def action_names(acc):
    action = acc.queryAction()
    return [action.getName(i) for i in range(action.nActions)]


def described(acc):
    states = acc.getState()
    text = f"{acc.getRoleName()} '{acc.name}'" + (f" ({acc.description})" if acc.description else "")
    if acc.getRole() == pyatspi.ROLE_CHECK_BOX:
        text += " [checked]" if states.contains(pyatspi.STATE_CHECKED) else " [unchecked]"
    if not states.contains(pyatspi.STATE_SENSITIVE):
        text += " [not sensitive]"
    names = action_names(acc)
    return text + (f" actions {names}" if names else "")


def act(acc, name):
    names = action_names(acc)
    if name not in names:
        sys.exit(f"FAIL: {acc.name} has no action {name}, only {names}")
    acc.queryAction().doAction(names.index(name))


window = wait_for("the game's window on the accessibility bus", game_window)
controls = {child.name: child for child in window}
board = controls["Board"]
table = board.queryTable()
print(f"{window.getRoleName()} '{window.name}'")
print(f"  {board.getRoleName()} '{board.name}', {table.nRows} rows x {table.nColumns} columns:")
for row in range(table.nRows):
    print("    " + " | ".join(table.getAccessibleAt(row, column).name for column in range(table.nColumns)))
for child in list(window)[1:]:
    print("  " + described(child))

heard = []
pyatspi.Registry.registerEventListener(lambda event: heard.append(event.source.name),
                                       "object:property-change:accessible-name")
# The game hears of a new listener over the bus; the first change it tells comes with the press itself.
settled = time.monotonic() + 0.5
wait_for("a moment", lambda: time.monotonic() > settled)
act(controls["Column C"], "Press")
c1 = table.getAccessibleAt(table.nRows - 1, 2)
wait_for("C1 read as Player 1's", lambda: c1.name == "C1: Player 1")
wait_for("the reader told of C1 and the turn", lambda: {"C1: Player 1", "Next: Player 2"} <= set(heard))
print(f"after pressing Column C: {c1.name}, heard {heard}")

animation = controls["Animation"]
wait_for("Animation read as checked, being on", lambda: animation.getState().contains(pyatspi.STATE_CHECKED))
act(animation, "Toggle")
wait_for("Animation read as unchecked", lambda: not animation.getState().contains(pyatspi.STATE_CHECKED))
print("after toggling: " + described(animation))

column = controls["Column A"]
for _ in range(6):
    act(column, "Press")
wait_for("the full column A read as not sensitive", lambda: not column.getState().contains(pyatspi.STATE_SENSITIVE))
print("after six presses: " + described(column))

# Every other column filled to the end of the game: the result is heard once, as the two game-over texts
# join the window's list, and the turn says "Game Over" alone.
joined = []
pyatspi.Registry.registerEventListener(lambda event: joined.append(event.any_data.name),
                                       "object:children-changed:add")
heard.clear()
for letter in "BCDEFG":
    button = controls["Column " + letter]
    for _ in range(6):
        if button.getState().contains(pyatspi.STATE_SENSITIVE):
            act(button, "Press")
results = ("Player 1 Wins", "Player 2 Wins", "Both are Equal")
result = wait_for("a game-over text with the result", lambda: next(
    (child.name for child in window if child.name in results), None))
wait_for("the result heard", lambda: result in heard)
settled = time.monotonic() + 0.5
wait_for("a moment", lambda: time.monotonic() > settled)
told = [name for name in heard if any(r in name for r in results)]
if told != [result]:
    sys.exit(f"FAIL: the result was heard {len(told)} times, not once: {told}")
if "Game Over" not in heard or not {"Game Over", result} <= set(joined):
    sys.exit(f"FAIL: at game over heard {heard}, joined {joined}")
print(f"game over: heard {heard}, joined {joined}")

# The links are links named by what they open, pressed as a click opens them.
links = [child for child in window if child.getRole() == pyatspi.ROLE_LINK]
print("links: " + ", ".join(described(link) for link in links))
if len(links) != 3:
    sys.exit(f"FAIL: {len(links)} links in the window, not 3")
act(next(link for link in links if link.name.startswith("E-mail to ")), "Press")
