#!/usr/bin/python3
"""Start-up of Vurp against the floor program, side by side.

Starts a private Xvfb (unless --display names a running X server), then runs
Vurp and the floor alternately, after a warm-up, and watches each window
through the X server: the MapNotify of its top-level window, and every paint
reported by the DAMAGE extension on it, waiting on X events (select on the
connection), never polling. For each run it records

  map        launch to the window being mapped
  paint      launch to the last paint within the first second
  rss, pss   resident and proportional memory after one second
             (/proc/PID/smaps_rollup)
  cpu        CPU time after one second: user + system from /proc/PID/stat,
             which counts in clock ticks (10 ms), and the same time to the
             nanosecond as the scheduler counts it, summed over the threads
             (/proc/PID/task/*/schedstat)

and prints per program the median and range, and the ratio of Vurp's median
to the floor's. The whole comparison runs again with QT_SCALE_FACTOR=2.

The floor shows every control and loads a picture into each of its card
boxes; Vurp shows no card until the first deal. So a third program runs in
the same rotation, the floor started with --before-deal, which hides as many
controls of each kind as Vurp hides at start and loads no picture: Vurp's
ratio to it is the stricter one.

Both programs start from the repository root, where Vurp finds Pict/.
Needs Xvfb and python3-xlib (Debian: xvfb, python3-xlib).

  python3 bench/startup.py --runs 20 --vurp build-bench/ui/vurp \\
      --floor build-bench/bench/vurp_floor
"""

import argparse
import json
import os
import platform
import select
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

try:
    from Xlib import X, error as xerror
    from Xlib.display import Display
    from Xlib.ext import damage
except ImportError:
    sys.exit("startup.py: needs python3-xlib (apt-get install python3-xlib)")

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
WIDTH, HEIGHT = 792, 566


def start_xvfb():
    """A private Xvfb; its display number comes back through -displayfd once
    it accepts connections, so nothing is guessed and nothing is polled."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1920x1200x24",
         "-nolisten", "tcp", "-noreset"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    number = b""
    ready, _, _ = select.select([read_end], [], [], 30)
    while ready:
        chunk = os.read(read_end, 64)
        if not chunk:
            break
        number += chunk
        if number.endswith(b"\n"):
            break
        ready, _, _ = select.select([read_end], [], [], 30)
    os.close(read_end)
    if not number.strip():
        server.kill()
        sys.exit("startup.py: Xvfb did not start")
    return server, ":" + number.decode().strip()


class Watcher:
    """One connection to the X server that sees every top-level window come,
    be mapped and be painted."""

    def __init__(self, display_name):
        self.display = Display(display_name)
        if not self.display.has_extension("DAMAGE"):
            sys.exit("startup.py: the X server has no DAMAGE extension")
        self.display.damage_query_version()
        self.root = self.display.screen().root
        self.root.change_attributes(event_mask=X.SubstructureNotifyMask)
        # Windows of a program that has already gone make damage requests
        # fail; those errors mean nothing here.
        self.display.set_error_handler(lambda *args: None)
        self.display.sync()

    def watch(self, argv, env, seconds):
        """Runs argv and watches it for `seconds` after launch."""
        windows = {}  # window id -> damage id
        mapped = None
        first_paint = last_paint = None
        paints = 0
        main_window = None
        launch = time.monotonic()
        process = subprocess.Popen(argv, cwd=REPO, env=env, stdin=subprocess.DEVNULL,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        deadline = launch + seconds
        fd = self.display.fileno()
        while True:
            while self.display.pending_events():
                event = self.display.next_event()
                now = time.monotonic()
                if now > deadline:
                    continue
                if event.type == X.CreateNotify:
                    # A damage object from birth: a window shows nothing
                    # before it is mapped, so no paint is missed.
                    windows[event.window.id] = event.window.damage_create(
                        damage.DamageReportRawRectangles)
                elif event.type == X.MapNotify:
                    if mapped is None and event.window.id in windows:
                        geometry = event.window.get_geometry()
                        if geometry.width >= WIDTH and geometry.height >= HEIGHT:
                            mapped = now
                            main_window = event.window.id
                elif event.type == self.display.extension_event.DamageNotify:
                    if event.drawable.id == main_window:
                        paints += 1
                        first_paint = first_paint or now
                        last_paint = now
            remaining = deadline - time.monotonic()
            if remaining <= 0:
                break
            select.select([fd], [], [], remaining)
        sample = read_proc(process.pid)
        process.send_signal(signal.SIGTERM)
        errors = process.stderr.read().decode(errors="replace")
        process.stderr.close()
        process.wait()
        for window, damage_id in windows.items():
            self.display.damage_destroy(damage_id)
        self.display.sync()
        while self.display.pending_events():
            self.display.next_event()
        if mapped is None:
            sys.exit("startup.py: %s showed no %dx%d window within %.1f s%s" %
                     (argv[0], WIDTH, HEIGHT, seconds, "\n" + errors if errors else ""))
        return {
            "map_ms": (mapped - launch) * 1e3,
            "first_paint_ms": ((first_paint or mapped) - launch) * 1e3,
            "paint_ms": ((last_paint or mapped) - launch) * 1e3,
            "paints": paints,
            "rss_mb": sample["Rss"] / 1024,
            "pss_mb": sample["Pss"] / 1024,
            "cpu_ms": sample["cpu_ns"] / 1e6,
            "cpu_stat_ms": sample["cpu_stat_ms"],
        }


def read_proc(pid):
    values = {}
    with open("/proc/%d/smaps_rollup" % pid) as f:
        for line in f:
            parts = line.split()
            if parts and parts[0].rstrip(":") in ("Rss", "Pss"):
                values[parts[0].rstrip(":")] = int(parts[1])
    with open("/proc/%d/stat" % pid) as f:
        # The command may hold spaces; the fields after its ")" are fixed.
        fields = f.read().rsplit(")", 1)[1].split()
    ticks = os.sysconf("SC_CLK_TCK")
    # Fields 14 and 15 of the whole line: utime and stime.
    values["cpu_stat_ms"] = (int(fields[11]) + int(fields[12])) * 1e3 / ticks
    values["cpu_ns"] = 0
    task_folder = "/proc/%d/task" % pid
    for task in os.listdir(task_folder):
        try:
            with open(os.path.join(task_folder, task, "schedstat")) as f:
                values["cpu_ns"] += int(f.read().split()[0])
        except OSError:
            pass  # a thread that ended just now
    return values


METRICS = [
    ("map_ms", "launch to window mapped", "ms"),
    ("paint_ms", "launch to last paint in 1 s", "ms"),
    ("rss_mb", "RSS after 1 s", "MiB"),
    ("pss_mb", "PSS after 1 s", "MiB"),
    ("cpu_ms", "CPU after 1 s (schedstat)", "ms"),
    ("cpu_stat_ms", "CPU after 1 s (utime+stime)", "ms"),
]


def summary(runs, key):
    values = [r[key] for r in runs]
    return statistics.median(values), min(values), max(values)


def machine():
    model = platform.processor() or "unknown CPU"
    try:
        with open("/proc/cpuinfo") as f:
            for line in f:
                if line.startswith("model name"):
                    model = line.split(":", 1)[1].strip()
                    break
    except OSError:
        pass
    return "%s, %d cores, %s" % (model, os.cpu_count() or 0, platform.platform())


def table(results, runs, loads):
    lines = []
    lines.append("Machine: %s" % machine())
    lines.append("Load average before / after: %.2f / %.2f; %d runs each after warm-up" %
                 (loads[0], loads[1], runs))
    lines.append("")
    lines.append("| scale | measure | Vurp median (range) | floor median (range) | Vurp / floor "
                 "| floor before deal median (range) | Vurp / floor before deal |")
    lines.append("|---|---|---|---|---|---|---|")

    def cell(values):
        return "%.1f (%.1f-%.1f)" % values

    def ratio(a, b):
        return "%.2f" % (a[0] / b[0]) if b[0] else "-"

    for scale, by_program in results.items():
        for key, title, unit in METRICS:
            v = summary(by_program["vurp"], key)
            f = summary(by_program["floor"], key)
            row = "| %s | %s, %s | %s | %s | %s |" % (scale, title, unit, cell(v), cell(f),
                                                      ratio(v, f))
            if by_program.get("bare"):
                b = summary(by_program["bare"], key)
                row += " %s | %s |" % (cell(b), ratio(v, b))
            else:
                row += " - | - |"
            lines.append(row)
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--vurp", required=True, help="the vurp program")
    parser.add_argument("--floor", required=True, help="the vurp_floor program")
    parser.add_argument("--runs", type=int, default=20, help="runs of each program per scale")
    parser.add_argument("--warmup", type=int, default=2, help="unrecorded runs of each first")
    parser.add_argument("--scales", default="1,2", help="QT_SCALE_FACTOR values, comma-separated")
    parser.add_argument("--seconds", type=float, default=1.0, help="how long each run is watched")
    parser.add_argument("--display", help="an X server without a window manager to use "
                        "instead of a private Xvfb")
    parser.add_argument("--no-before-deal", action="store_true",
                        help="leave out the floor started with --before-deal")
    parser.add_argument("--json", help="also write every run to this file")
    args = parser.parse_args()

    vurp, floor = os.path.abspath(args.vurp), os.path.abspath(args.floor)
    for path in (vurp, floor):
        if not os.access(path, os.X_OK):
            sys.exit("startup.py: not a program: %s" % path)
    programs = {"vurp": [vurp], "floor": [floor]}
    if not args.no_before_deal:
        programs["bare"] = [floor, "--before-deal"]

    server = None
    runtime = None
    display_name = args.display
    if display_name is None:
        server, display_name = start_xvfb()
    try:
        watcher = Watcher(display_name)
        base_env = {k: v for k, v in os.environ.items()
                    if not k.startswith(("QT_", "WAYLAND_")) and k != "DISPLAY"}
        runtime = tempfile.mkdtemp(prefix="vurp-startup-")
        # An empty data folder: the start of a new player, with no journal
        # to resume (and none written, as nothing is played), and no window
        # size remembered.
        base_env.update({"DISPLAY": display_name, "QT_QPA_PLATFORM": "xcb",
                         "XDG_RUNTIME_DIR": runtime, "XDG_DATA_HOME": runtime,
                         "XDG_CONFIG_HOME": runtime})
        loads = [os.getloadavg()[0]]
        results = {}
        for scale in args.scales.split(","):
            env = dict(base_env)
            if scale.strip() != "1":
                env["QT_SCALE_FACTOR"] = scale.strip()
            by_program = {name: [] for name in programs}
            for _ in range(args.warmup):
                for argv in programs.values():
                    watcher.watch(argv, env, args.seconds)
            for _ in range(args.runs):
                for name, argv in programs.items():
                    by_program[name].append(watcher.watch(argv, env, args.seconds))
            results["x" + scale.strip()] = by_program
        loads.append(os.getloadavg()[0])
    finally:
        if runtime is not None:
            shutil.rmtree(runtime, ignore_errors=True)
        if server is not None:
            server.terminate()
            server.wait()

    print(table(results, args.runs, loads))
    if args.json:
        with open(args.json, "w") as f:
            json.dump({"machine": machine(), "loads": loads, "results": results}, f, indent=1)


if __name__ == "__main__":
    main()
