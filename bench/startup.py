#!/usr/bin/env python3
"""tolvane.exe's start-up beside an empty Win32 window program, under Wine.

    scripts/wine-env bench/startup.py [--runs N]

Run inside one Wine session (scripts/wine-env), so that the server and the
prefix's own processes are up for both programs alike. tolvane.exe runs a
command-line script that holds only `exit`: it goes through its whole
start-up (settings, window, console, font, popup menu, tray icon, the script)
and ends at the point where it would print its first prompt, by the quit
sequence (which also stores the window's place). empty-window.exe registers a
class, shows a window and ends the same way. The two run interleaved; the
medians and their ratio are printed.
"""
import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time


def run_once(argv, cwd):
    """Seconds for one whole process; None when it hangs (it is then ended)."""
    start = time.perf_counter()
    p = subprocess.Popen(argv, cwd=cwd, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                         stderr=subprocess.DEVNULL)
    try:
        p.wait(timeout=30)
    except subprocess.TimeoutExpired:
        p.kill()
        p.wait()
        return None
    return time.perf_counter() - start


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--runs", type=int, default=15)
    args = ap.parse_args()
    wine = os.environ.get("WINE")
    windir = os.environ.get("TOLVANE_WIN_DIR")
    if not wine or not windir:
        print("startup.py: run it inside scripts/wine-env", file=sys.stderr)
        return 2
    work = tempfile.mkdtemp(prefix="tolvane-startup-")
    with open(os.path.join(work, "quit.tvs"), "w") as f:
        f.write("exit\n")
    programs = {
        "empty-window.exe": [wine, os.path.join(windir, "empty-window.exe")],
        "tolvane.exe": [wine, os.path.join(windir, "tolvane.exe"), "quit.tvs"],
    }
    times = {name: [] for name in programs}
    for name, argv in programs.items():  # one warm-up run each
        run_once(argv, work)
    for _ in range(args.runs):
        for name, argv in programs.items():
            t = run_once(argv, work)
            if t is None:
                print(f"startup.py: {name} did not end", file=sys.stderr)
                return 1
            times[name].append(t)
    med = {name: statistics.median(v) for name, v in times.items()}
    for name in programs:
        v = times[name]
        print(f"{name:<18} median {med[name] * 1e3:7.1f} ms  (min {min(v) * 1e3:.1f}, "
              f"max {max(v) * 1e3:.1f}, {len(v)} runs)")
    print(f"start-up ratio tolvane.exe / empty-window.exe: "
          f"{med['tolvane.exe'] / med['empty-window.exe']:.3f}")
    size = os.path.getsize(os.path.join(windir, "tolvane.exe"))
    print(f"tolvane.exe as built: {size} bytes ({size / 1024:.1f} KiB)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
