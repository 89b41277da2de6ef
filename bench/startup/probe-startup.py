#!/usr/bin/python3
"""One start of a program under the X server in DISPLAY, timed as a player sees it.

    probe-startup.py [--controls] BINARY

Starts BINARY and prints one line of figures:
  map_ms       exec to the window being mapped (the X server's MapNotify for a top-level window whose
               _NET_WM_PID is the process started)
  map_cpu_ms   CPU time of all the process's threads up to that moment
  painted_ms   with --controls: exec to the first moment every probed control shows on the screen
  spread_ms    with --controls: from the first probed control showing to the last; 0 means they all
               came in one frame
  rss_kib      resident memory 1 s after the window was mapped
The start is stamped in the forked child just before exec. The controls are probed by reading small
areas of the window from the X server (XGetImage) in a tight loop: a control shows once any pixel of its
area is no longer black. Each round of reads takes a fraction of a millisecond.
The process is left running; its pid is printed as pid=N and the caller stops it.
"""
import os
import select
import sys
import time

from Xlib import X, display

# Areas of the game's window (x, y, width, height in logical pixels) that are black until their control
# is painted: the title letter "V", the credits, the logo, the rule under them, Player 1's plate, the
# "Animation" command, column A's button, the board's grid and the web address.
GAME_CONTROLS = {
    "lights(0)": (40, 80, 40, 40),
    "Image3": (2, 2, 204, 46),
    "VorniImg": (492, 0, 172, 51),
    "LineImg": (200, 52, 40, 2),
    "DisImg(0)": (516, 93, 6, 20),
    "CButt(0)": (516, 236, 6, 20),
    "butt(0)": (134, 380, 6, 16),
    "Image1": (130, 85, 366, 293),
    "Image25": (496, 411, 173, 17),
}
BLACK_LIMIT = 24  # a channel above this is no longer black


def now_ns():
    return time.clock_gettime_ns(time.CLOCK_REALTIME)


def cpu_ns(pid):
    total = 0
    try:
        for task in os.listdir(f"/proc/{pid}/task"):
            with open(f"/proc/{pid}/task/{task}/schedstat") as f:
                total += int(f.read().split()[0])
    except OSError:
        pass
    return total


def rss_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def window_pid(d, window):
    atom = d.intern_atom("_NET_WM_PID")
    try:
        prop = window.get_full_property(atom, X.AnyPropertyType)
    except Exception:
        return None
    return int(prop.value[0]) if prop and len(prop.value) else None


def shows(window, area):
    x, y, w, h = area
    data = window.get_image(x, y, w, h, X.ZPixmap, 0xFFFFFFFF).data
    # 32 bits a pixel, blue green red pad
    for i in range(0, len(data), 4):
        if data[i] > BLACK_LIMIT or data[i + 1] > BLACK_LIMIT or data[i + 2] > BLACK_LIMIT:
            return True
    return False


def main():
    args = sys.argv[1:]
    controls = "--controls" in args
    args = [a for a in args if a != "--controls"]
    if len(args) != 1:
        sys.exit(__doc__)
    binary = args[0]

    d = display.Display()
    root = d.screen().root
    root.change_attributes(event_mask=X.SubstructureNotifyMask)
    d.sync()

    stamp_read, stamp_write = os.pipe()
    pid = os.fork()
    if pid == 0:
        os.close(stamp_read)
        devnull = os.open(os.devnull, os.O_WRONLY)
        os.dup2(devnull, 1)
        os.dup2(devnull, 2)
        os.write(stamp_write, str(now_ns()).encode())
        os.close(stamp_write)
        os.execv(binary, [binary])
    os.close(stamp_write)
    start_ns = int(os.read(stamp_read, 64))
    os.close(stamp_read)

    deadline = time.monotonic() + 20
    window = None
    while window is None:
        if time.monotonic() > deadline:
            sys.exit(f"{binary} mapped no window within 20 s")
        if not d.pending_events():
            select.select([d.fileno()], [], [], 0.05)
            if not d.pending_events():
                continue
        event = d.next_event()
        if event.type == X.MapNotify:
            mapped_ns, mapped_cpu = now_ns(), cpu_ns(pid)
            if window_pid(d, event.window) == pid:
                window = event.window
    figures = {"pid": pid, "map_ms": (mapped_ns - start_ns) / 1e6, "map_cpu_ms": mapped_cpu / 1e6}

    if controls:
        seen = {}
        while len(seen) < len(GAME_CONTROLS):
            if time.monotonic() > deadline:
                missing = ", ".join(sorted(set(GAME_CONTROLS) - set(seen)))
                sys.exit(f"{binary}: not painted within 20 s: {missing}")
            for name, area in GAME_CONTROLS.items():
                if name not in seen and shows(window, area):
                    seen[name] = now_ns()
        figures["painted_ms"] = (max(seen.values()) - start_ns) / 1e6
        figures["spread_ms"] = (max(seen.values()) - min(seen.values())) / 1e6

    time.sleep(max(0.0, mapped_ns / 1e9 + 1 - now_ns() / 1e9))
    figures["rss_kib"] = rss_kib(pid)
    print(" ".join(f"{k}={v:.1f}" if isinstance(v, float) else f"{k}={v}" for k, v in figures.items()))


main()
