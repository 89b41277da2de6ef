#!/usr/bin/python3
"""One start of a program under the X server in DISPLAY, timed as a player sees it.

    probe-startup.py [--controls] [--idle SECONDS] BINARY

Starts BINARY and prints one line of figures:
  map_ms          exec to the window being mapped (the X server's MapNotify for a top-level window whose
                  _NET_WM_PID is the process started)
  map_cpu_ms      CPU time of the process, all its threads, ended ones too, up to that moment
  frame_ms        exec to the first drawing into the window
  painted_ms      with --controls: exec to the drawing after which every probed control shows
  painted_cpu_ms  with --controls: CPU time of the process up to that drawing
  early_frames    with --controls: drawings into the window before that one; 0 means the first frame
                  shown was complete, no black or partial frame came first
  spread_ms       with --controls: from the first probed control showing to the last; 0 means they all
                  came in one frame
  rss_kib         resident memory 1 s after the window was mapped
and with --idle, measured over SECONDS from 2 s after the window was mapped, the window visible and the
pointer elsewhere:
  idle_cpu_pct    CPU time of the process as a percentage of one core
  wakeups_per_s   voluntary context switches of all threads a second: each is a thread going to sleep,
                  so each is followed by one wake-up
  preempted_per_s involuntary context switches a second (other load takes the core; not wake-ups)
  drawn_px_per_s  pixels drawn into the window a second
The start is stamped in the forked child just before exec. Every drawing into the window is seen as it
happens through the X server's DAMAGE extension, watched on the root window from before the start, which
reports each rectangle drawn; the probed controls are read back (XGetImage) after each. A control shows
once any pixel of its area is no longer black.
The program is stopped (SIGTERM) once measured.
"""
import os
import select
import signal
import sys
import time

from Xlib import X, display
from Xlib.ext import damage

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


def process_cpu_ns(pid):
    """CPU nanoseconds of the whole process, threads that have already ended included (the start-up
    threads are done within milliseconds, and a thread's own figures go with it): the process's CPU-time
    clock, as clock_getcpuclockid() would name it."""
    try:
        return time.clock_gettime_ns(((~pid) << 3) | 2)
    except OSError:
        return 0  # the process has just ended


def switches(pid):
    """Voluntary and involuntary context switches, summed over the process's threads."""
    voluntary = involuntary = 0
    try:
        tasks = os.listdir(f"/proc/{pid}/task")
    except OSError:
        return 0, 0
    for task in tasks:
        try:
            with open(f"/proc/{pid}/task/{task}/status") as f:
                for line in f:
                    if line.startswith("voluntary_ctxt_switches:"):
                        voluntary += int(line.split()[1])
                    elif line.startswith("nonvoluntary_ctxt_switches:"):
                        involuntary += int(line.split()[1])
        except OSError:
            pass  # a thread that has just ended
    return voluntary, involuntary


def rss_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def window_pid(d, window):
    try:
        prop = window.get_full_property(d.intern_atom("_NET_WM_PID"), X.AnyPropertyType)
    except Exception:
        return None
    return int(prop.value[0]) if prop and len(prop.value) else None


def shows(window, area):
    x, y, w, h = area
    data = window.get_image(x, y, w, h, X.ZPixmap, 0xFFFFFFFF).data
    # 32 bits a pixel: blue, green, red, pad
    return max(data[0::4]) > BLACK_LIMIT or max(data[1::4]) > BLACK_LIMIT or max(data[2::4]) > BLACK_LIMIT


class Probe:
    def __init__(self, binary, controls):
        self.binary = binary
        self.controls = GAME_CONTROLS if controls else {}
        self.d = display.Display()
        if not self.d.has_extension(damage.extname):
            sys.exit("the X server has no DAMAGE extension")
        self.d.damage_query_version()
        self.damage_event = self.d.extension_event.DamageNotify
        self.root = self.d.screen().root
        self.root.change_attributes(event_mask=X.SubstructureNotifyMask)
        # Damage to the root window reports every drawing into the windows on it, from before the
        # program starts: no drawing of its window can come before the probe watches.
        self.root.damage_create(damage.DamageReportRawRectangles)
        self.d.sync()
        while self.d.pending_events():
            self.d.next_event()
        self.pid = None
        self.window = None
        self.deadline = time.monotonic() + 20

    def start(self):
        stamp_read, stamp_write = os.pipe()
        pid = os.fork()
        if pid == 0:
            os.close(stamp_read)
            devnull = os.open(os.devnull, os.O_WRONLY)
            os.dup2(devnull, 1)
            os.dup2(devnull, 2)
            os.write(stamp_write, str(now_ns()).encode())
            os.close(stamp_write)
            os.execv(self.binary, [self.binary])
        os.close(stamp_write)
        self.start_ns = int(os.read(stamp_read, 64))
        os.close(stamp_read)
        self.pid = pid

    def next_event(self, timeout):
        if not self.d.pending_events():
            select.select([self.d.fileno()], [], [], timeout)
            if not self.d.pending_events():
                return None
        return self.d.next_event()

    def handle(self, event):
        """Records our window's MapNotify and the drawings into its area."""
        at = now_ns()
        if event.type == X.MapNotify and self.window is None:
            cpu = process_cpu_ns(self.pid)
            if window_pid(self.d, event.window) == self.pid:
                geometry = event.window.get_geometry()
                origin = event.window.translate_coords(self.root, 0, 0)
                self.area = (-origin.x, -origin.y, geometry.width, geometry.height)
                self.window = event.window
                self.map_ns, self.map_cpu = at, cpu
        elif event.type == self.damage_event and self.window is not None:
            x, y, w, h = self.area
            a = event.area
            overlap_w = min(x + w, a.x + a.width) - max(x, a.x)
            overlap_h = min(y + h, a.y + a.height) - max(y, a.y)
            if overlap_w > 0 and overlap_h > 0:
                self.drawings.append((at, overlap_w * overlap_h, process_cpu_ns(self.pid) if self.controls else 0))

    def run(self, idle_seconds):
        self.drawings = []
        self.start()
        while self.window is None:
            if time.monotonic() > self.deadline:
                sys.exit(f"{self.binary} mapped no window within 20 s")
            event = self.next_event(0.05)
            if event is not None:
                self.handle(event)
        figures = {"map_ms": (self.map_ns - self.start_ns) / 1e6, "map_cpu_ms": self.map_cpu / 1e6}

        seen = {}
        checked = 0
        complete_at = None
        while not self.drawings or (self.controls and complete_at is None):
            if time.monotonic() > self.deadline:
                missing = ", ".join(sorted(set(self.controls) - set(seen))) or "any drawing"
                sys.exit(f"{self.binary}: not painted within 20 s: {missing}")
            event = self.next_event(0.05)
            if event is None:
                continue
            self.handle(event)
            while checked < len(self.drawings) and complete_at is None:
                checked += 1
                at, _, cpu = self.drawings[checked - 1]
                for name, area in self.controls.items():
                    if name not in seen and shows(self.window, area):
                        seen[name] = at
                if len(seen) == len(self.controls):
                    complete_at = checked - 1
                    painted_cpu = cpu
        figures["frame_ms"] = (self.drawings[0][0] - self.start_ns) / 1e6
        if self.controls:
            figures["painted_ms"] = (max(seen.values()) - self.start_ns) / 1e6
            figures["painted_cpu_ms"] = painted_cpu / 1e6
            figures["early_frames"] = complete_at
            figures["spread_ms"] = (max(seen.values()) - min(seen.values())) / 1e6

        self.drain_until(self.map_ns + 1_000_000_000)
        figures["rss_kib"] = rss_kib(self.pid)
        if idle_seconds > 0:
            self.drain_until(self.map_ns + 2_000_000_000)
            drawn_before = len(self.drawings)
            t0, cpu0, (vol0, invol0) = now_ns(), process_cpu_ns(self.pid), switches(self.pid)
            self.drain_until(t0 + int(idle_seconds * 1e9))
            t1, cpu1, (vol1, invol1) = now_ns(), process_cpu_ns(self.pid), switches(self.pid)
            seconds = (t1 - t0) / 1e9
            figures["idle_cpu_pct"] = 100 * (cpu1 - cpu0) / 1e9 / seconds
            figures["wakeups_per_s"] = (vol1 - vol0) / seconds
            figures["preempted_per_s"] = (invol1 - invol0) / seconds
            figures["drawn_px_per_s"] = sum(d[1] for d in self.drawings[drawn_before:]) / seconds
        return figures

    def drain_until(self, until_ns):
        """Handles events (and so records drawings) until the given time."""
        while True:
            left = (until_ns - now_ns()) / 1e9
            if left <= 0:
                return
            event = self.next_event(left)
            if event is not None:
                self.handle(event)


def main():
    args = sys.argv[1:]
    controls = "--controls" in args
    args = [a for a in args if a != "--controls"]
    idle = 0.0
    if "--idle" in args:
        i = args.index("--idle")
        idle = float(args[i + 1])
        del args[i : i + 2]
    if len(args) != 1:
        sys.exit(__doc__)
    probe = Probe(args[0], controls)
    try:
        figures = probe.run(idle)
    finally:
        if probe.pid:
            os.kill(probe.pid, signal.SIGTERM)
            os.waitpid(probe.pid, 0)
    print(" ".join(f"{k}={v:.2f}" if isinstance(v, float) else f"{k}={v}" for k, v in figures.items()))


main()
