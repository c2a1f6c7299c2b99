"""The soak: the real Velumbrino.exe with 50 notes, one of them blinking all along, through
rounds driven by soak.exe (bench/soak_win.cpp): the tray menu and a note menu opened and
closed, dialogs opened and cancelled, a letter typed into a note and its autosave. Prints
the growth of the process's private memory (RssAnon) over the measured rounds, after the
warm-up ones, and the time they took. Beside it, the floor: a bare process of soak.exe opening
and answering Wine's own message box (300 times, or as often as the program opened dialogs),
so that what Wine's modal windows cost by themselves can be told apart.

Each round opens the next BENCH_SOAK_DIALOGS of the twelve dialogs (default 4: each one every
third round), so that 320 rounds fit in five minutes; 12 opens all of them in every round.
"""
import os
import subprocess
import sys
import tempfile
import time

import program_bench as bench

SOAK = os.path.join(bench.REPO, "build", "windows", "soak.exe")
NOTES = 50
WARM_UP = int(os.environ.get("BENCH_SOAK_WARM_UP", "20"))
ROUNDS = int(os.environ.get("BENCH_SOAK_ROUNDS", "300"))
DIALOGS = int(os.environ.get("BENCH_SOAK_DIALOGS", "4"))


def rounds(count, *extra):
    """Runs soak.exe for `count` rounds and waits for the autosave of its last typing;
    returns its report as a dictionary, with its other lines under "lines"."""
    # Through a file: what Wine starts on the side may keep a pipe open.
    with tempfile.TemporaryFile() as output:
        code = subprocess.run([bench.WINE, SOAK, str(count), str(DIALOGS), *extra],
                              stdout=output, stderr=output, timeout=900).returncode
        ended = time.time()
        output.seek(0)
        lines = output.read().decode(errors="replace").strip().splitlines()
    if code != 0 or not lines:
        raise RuntimeError("soak.exe failed: " + " ".join(lines))
    report = dict(pair.split("=") for pair in lines[-1].split())
    report["lines"] = lines[:-1]
    # Measured with no save under way: the last note typed into is saved two seconds later.
    last = os.path.join(bench.DATA, f"stickie{report['last']}.vmb")
    deadline = time.monotonic() + 30
    while os.stat(last).st_mtime < ended and time.monotonic() < deadline:
        time.sleep(0.1)
    return report


def main():
    bench.warm_up()
    program, _, _ = bench.start(NOTES, blinking=True)
    pid = bench.program_pid()
    rounds(WARM_UP)
    before = bench.status(pid)["RssAnon"]
    report = rounds(ROUNDS, "times")
    after = bench.status(pid)["RssAnon"]
    print(f"soak N={NOTES}        private (RssAnon) {after - before:+6d} KiB over {ROUNDS} rounds "
          f"after {WARM_UP} ({before} -> {after} KiB), {float(report['seconds']):.0f} s = "
          f"{float(report['seconds']) / ROUNDS * 1000:.0f} ms a round ({DIALOGS} dialogs each); "
          f"GDI objects {report['gdi']}, USER objects {report['user']}", flush=True)
    print(f"soak mean ms      {' '.join(report['lines'])}", flush=True)
    bench.stop(program)
    opened = ROUNDS * DIALOGS
    boxes = min(opened, 300)
    floor = subprocess.run([bench.WINE, SOAK, "floor", str(boxes)], capture_output=True,
                           text=True, timeout=300).stdout.split()
    floor = dict(pair.split("=") for pair in floor) if floor else {"growth": "n/a"}
    per_box = (f"{int(floor['growth']) / boxes:.2f} KiB per box" if floor["growth"] != "n/a"
               else "n/a")
    print(f"soak floor        private {floor['growth']} KiB over {boxes} of Wine's message boxes "
          f"in a bare process = {per_box}; the program: {(after - before) / opened:.2f} KiB per "
          f"dialog opened (all of its growth)", flush=True)
    bench.kill_all()


if __name__ == "__main__":
    sys.exit(main())
