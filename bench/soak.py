"""The soak: the real Velumbrino.exe with 50 notes, one of them blinking all along, through
rounds driven by soak.exe (bench/soak_win.cpp): the tray menu and a note menu opened and
closed, dialogs opened and cancelled, a letter typed into a note and erased, and its autosave.
Prints
the growth of the process's private memory (RssAnon) over the measured rounds, after the
warm-up ones, by segments (a leak grows the same in each; a heap that is still settling
grows less and less), on which side of Wine it lies, and the time the rounds took.

Beside it, the floor: the same dialogs (the system's as the program calls them, the program's
own from its templates) opened as often, and cancelled, in a bare process of soak.exe that
carries the program's manifest, so that what Wine's own dialogs and controls cost by themselves
can be told apart from the program's.

Each round opens the next BENCH_SOAK_DIALOGS of the twelve dialogs (default 4: each one every
third round), so that the row fits in five minutes; 12 opens all of them in every round.
BENCH_SOAK_ONLY=<dialog>, BENCH_SOAK_TYPING=0 (read by soak.exe) and BENCH_SOAK_BLINK=0 tell
the growth's sources apart. BENCH_SOAK_CENSUS=<rounds> runs that many rounds, after the
warm-up, under Wine's relay of the heap functions instead, and prints what they left
allocated by the module that allocated it (bench/heap_census.py): the program's own code
apart from Wine's.
"""
import os
import subprocess
import sys
import tempfile
import time

import heap_census
import program_bench as bench

SOAK = os.path.join(bench.REPO, "build", "windows", "soak.exe")
NOTES = 50
DIALOG_COUNT = 12
WARM_UP = int(os.environ.get("BENCH_SOAK_WARM_UP", "20"))
ROUNDS = int(os.environ.get("BENCH_SOAK_ROUNDS", "300"))
DIALOGS = int(os.environ.get("BENCH_SOAK_DIALOGS", "4"))
SEGMENT = int(os.environ.get("BENCH_SOAK_SEGMENT", "100"))
QUIET_LOG_BYTES_PER_SECOND = 32 * 1024
# Wine gives the Windows side of a process its memory at low addresses; the host's C library
# (Wine's Unix side: win32u, winex11, Xlib, fonts) takes the brk heap and high mappings.
WINDOWS_SIDE_END = 1 << 40


def rounds(count, first_dialog=0, warm_up=False):
    """Runs soak.exe for `count` rounds and waits for the autosave of its last typing;
    returns its report as a dictionary, with its steps under "steps": name -> (runs, ms).
    The warm-up gives every note its first edit and fills the typed notes' undo history."""
    command = [bench.WINE, SOAK, str(count), str(DIALOGS), str(first_dialog)]
    # Through a file: what Wine starts on the side may keep a pipe open.
    with tempfile.TemporaryFile() as output:
        code = subprocess.run(command + (["warm"] if warm_up else []), stdout=output,
                              stderr=output, timeout=900).returncode
        ended = time.time()
        output.seek(0)
        lines = output.read().decode(errors="replace").strip().splitlines()
    if code != 0 or not lines:
        raise RuntimeError("soak.exe failed: " + " ".join(lines))
    report = dict(pair.split("=") for pair in lines[-1].split())
    report["steps"] = {}
    for line in lines:
        if line.startswith("step "):
            name, runs, ms = line[5:].split("|")
            report["steps"][name] = (int(runs), float(ms))
    # Measured with no save under way: the last note typed into is saved two seconds later.
    last = os.path.join(bench.DATA, f"stickie{report['last']}.vmb")
    deadline = time.monotonic() + 30
    while os.stat(last).st_mtime < ended and time.monotonic() < deadline:
        time.sleep(0.1)
    return report


def anonymous_by_side(pid):
    """Private anonymous KiB of the process: (Windows side, Unix side)."""
    sides = [0, 0]
    with open(f"/proc/{pid}/smaps") as f:
        for line in f:
            fields = line.split()
            if not fields[0].endswith(":"):
                side = 0 if int(fields[0].split("-")[0], 16) < WINDOWS_SIDE_END else 1
            elif fields[0] == "Anonymous:":
                sides[side] += int(fields[1])
    return sides


def floor(name, times):
    """The growth of a bare process opening the dialog `name` `times` times; None for a name
    it does not know."""
    out = subprocess.run([bench.WINE, SOAK, "floor", name, str(times)], capture_output=True,
                         text=True, timeout=300).stdout.split()
    growth = dict(pair.split("=") for pair in out).get("growth", "n/a") if out else "n/a"
    return None if growth == "none" else growth


def census(count):
    """The census of what `count` rounds leave allocated."""
    log_path = os.path.join(bench.REPO, "build", "soak-census.log")
    bench.warm_up()
    heap_census.relay(bench.WINE, True)
    try:
        with open(log_path, "wb") as log:
            program, _, _ = bench.start(NOTES, blinking=os.environ.get("BENCH_SOAK_BLINK") != "0",
                                        env=dict(os.environ, WINEDEBUG="+relay"), log=log)
            pid = bench.program_pid()
            rounds(WARM_UP, warm_up=True)
            begin = os.path.getsize(log_path)
            report = rounds(count)
            # Ended once the program has gone quiet (the blinking alone logs a few KB a second):
            # a save may follow the last autosave.
            end = 0
            while os.path.getsize(log_path) - end > QUIET_LOG_BYTES_PER_SECOND:
                end = os.path.getsize(log_path)
                time.sleep(1)
            ranges = heap_census.modules(pid, bench.EXE)
            bench.stop(program)
    finally:
        heap_census.relay(bench.WINE, False)
    left = heap_census.count(log_path, begin, end, ranges)
    left.setdefault(os.path.basename(bench.EXE), ({}, 0))  # named even when it keeps nothing
    steps = ", ".join(f"{name} {runs}x" for name, (runs, _) in report["steps"].items())
    print(f"soak census       left allocated by {count} rounds ({steps}): "
          f"{heap_census.summary(left)}", flush=True)
    os.remove(log_path)
    bench.kill_all()


def main():
    if os.environ.get("BENCH_SOAK_CENSUS"):
        return census(int(os.environ["BENCH_SOAK_CENSUS"]))
    bench.warm_up()
    program, _, _ = bench.start(NOTES, blinking=os.environ.get("BENCH_SOAK_BLINK", "1") != "0")
    pid = bench.program_pid()
    rounds(WARM_UP, warm_up=True)
    before = bench.status(pid)["RssAnon"]
    sides_before = anonymous_by_side(pid)
    segments, seconds, steps, retries = [], 0.0, {}, 0
    for done in range(0, ROUNDS, SEGMENT):
        start = bench.status(pid)["RssAnon"]
        report = rounds(min(SEGMENT, ROUNDS - done), done * DIALOGS % DIALOG_COUNT)
        segments.append(bench.status(pid)["RssAnon"] - start)
        seconds += float(report["seconds"])
        retries += int(report["retries"])
        for name, (runs, ms) in report["steps"].items():
            total = steps.get(name, (0, 0.0))
            steps[name] = (total[0] + runs, total[1] + ms)
    after = bench.status(pid)["RssAnon"]
    sides = [a - b for a, b in zip(anonymous_by_side(pid), sides_before)]
    bench.stop(program)
    print(f"soak N={NOTES}        private (RssAnon) {after - before:+6d} KiB over {ROUNDS} rounds "
          f"after {WARM_UP} ({before} -> {after} KiB), {seconds:.0f} s = "
          f"{seconds / ROUNDS * 1000:.0f} ms a round ({DIALOGS} dialogs each, {retries} steps "
          f"taken again); "
          f"GDI objects {report['gdi']}, USER objects {report['user']}", flush=True)
    print(f"soak by {SEGMENT} rounds  " + " ".join(f"{kib:+d}" for kib in segments) + " KiB",
          flush=True)
    print(f"soak where        Windows side (the program, Wine's DLLs) {sides[0]:+d} KiB, "
          f"Unix side (Wine's win32u and X11, the C library) {sides[1]:+d} KiB", flush=True)
    print("soak mean ms      " + "; ".join(f"{name} {ms / runs:.0f}"
                                           for name, (runs, ms) in steps.items()), flush=True)
    floors, total = [], 0
    for name, (runs, _) in steps.items():
        growth = floor(name, runs) if "menu" not in name else None
        if growth is not None:
            floors.append(f"{name} {runs}x {growth}")
            total += int(growth) if growth != "n/a" else 0
    print(f"soak floor        the same dialogs in a bare process: {', '.join(floors)} "
          f"= {total:+d} KiB of the program's {after - before:+d}", flush=True)
    bench.kill_all()


if __name__ == "__main__":
    sys.exit(main())
