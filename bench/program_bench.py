"""Benchmarks of the real Velumbrino.exe under Wine: start-up, memory, idle CPU, exit save.

Start-up is measured from the process start to the moment all N notes are visible: restore
shows each note as it is created and AppReady follows the last one at once. Beside it, the
floor (floor.exe): bare note-shaped windows made at the same pace, under the same Wine and
display. Both subtract their own no-note start (the process up to its first top-level window).
"""
import os
import signal
import subprocess
import sys
import time

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
EXE = os.path.join(REPO, "build", "windows", "dist", "Velumbrino.exe")
FLOOR = os.path.join(REPO, "build", "windows", "floor.exe")
WINE = os.environ["WINE"]
PREFIX = os.environ["WINEPREFIX"]
USER = subprocess.run(["id", "-un"], capture_output=True, text=True).stdout.strip()
DATA = os.path.join(PREFIX, "drive_c", "users", USER, "Documents", "Velumbrino")
PAUSE_MS = 50
IDLE_SECONDS = int(os.environ.get("BENCH_IDLE_SECONDS", "60"))
HZ = os.sysconf("SC_CLK_TCK")


def kill_all():
    subprocess.run([os.environ["WINESERVER"], "-k"], capture_output=True)
    time.sleep(0.5)


def warm_up():
    """A persistent wineserver with its services running: no start below pays for them."""
    kill_all()
    subprocess.run([os.environ["WINESERVER"], "-p"], stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
    # Its services keep the output open: never a pipe here.
    subprocess.run([WINE, "wineboot"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def seed(n, alarms=False, blinking=False):
    import shutil
    shutil.rmtree(DATA, ignore_errors=True)
    os.makedirs(DATA)
    with open(os.path.join(DATA, "indice.dat"), "wb") as f:
        f.write(("," + "".join(f"{i}," for i in range(1, n + 1)) + "\r\n").encode() if n else b",\r\n")
    config = b"[Indice]\r\nTotalForms=%d\r\n" % n
    for i in range(1, n + 1):
        config += (b"[%d]\r\nTop=%d\r\nLeft=%d\r\nTag=%d\r\nTitulo=Nota %d\r\nVisivel=True\r\n"
                   b"OnTop=False\r\n" % (i, 600 + i % 25 * 300, 600 + i // 25 * 1200, i, i))
        if alarms:
            # Armed far in the future: every note's check timer runs, none fires.
            config += (b"Alarm=1\r\nDiariamente=0\r\nTocarSom=1\r\nSom=0\r\n"
                       b"Data=31/12/2099\r\nHora=10:00:00\r\nHoraAntes=09:59:00\r\n")
        elif blinking and i == 1:
            # A one-time alarm long past: it fires at start and the note blinks until pressed.
            config += (b"Alarm=1\r\nDiariamente=0\r\nTocarSom=0\r\nSom=0\r\n"
                       b"Data=01/01/2020\r\nHora=10:00:00\r\nHoraAntes=09:59:00\r\n")
        with open(os.path.join(DATA, f"stickie{i}.vmb"), "wb") as f:
            f.write(b"{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Nota %d: primeiro "
                    b"paragrafo com algumas palavras sobre o que fazer hoje.\\par Segundo "
                    b"paragrafo: leite, pao, cafe e frutas.\\par Terceiro paragrafo, ligar para "
                    b"a Ana depois do almoco.\\par}\r\n" % i)
    with open(os.path.join(DATA, "config.cfg"), "wb") as f:
        f.write(config)


def windows_of(classname, visible=True):
    args = ["xdotool", "search"] + (["--onlyvisible"] if visible else []) + ["--classname", classname]
    return len(subprocess.run(args, capture_output=True, text=True).stdout.split())


def program_pid(comm="Velumbrino"):
    """The Wine process of the program in this prefix."""
    for pid in os.listdir("/proc"):
        if not pid.isdigit():
            continue
        try:
            with open(f"/proc/{pid}/comm") as f:
                if not f.read().startswith(comm):
                    continue
            with open(f"/proc/{pid}/environ", "rb") as f:
                if b"WINEPREFIX=" + PREFIX.encode() + b"\0" in f.read():
                    return int(pid)
        except OSError:
            pass
    return None


def status(pid):
    values = {}
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            key, _, rest = line.partition(":")
            if key in ("VmRSS", "RssAnon"):
                values[key] = int(rest.split()[0])
    return values


def cpu_ticks(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])


def start(n, alarms=False, floor=False, blinking=False, env=None, log=subprocess.DEVNULL):
    """Returns the process, the seconds to all N notes visible and to the first one (with no
    note: to the program's first top-level window, its no-note start). Wine's output goes to
    `log`."""
    seed(n, alarms, blinking)
    command = [WINE, FLOOR, windows_path(DATA), str(n)] if floor else [WINE, EXE]
    classname = "floor.exe" if floor else "velumbrino.exe"
    began = time.monotonic()
    program = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=log, env=env)
    deadline = began + 60 + n * 0.2
    first = None
    while time.monotonic() < deadline:
        shown = windows_of(classname, visible=n > 0)
        if shown >= 1 and first is None:
            first = time.monotonic() - began
        if shown >= max(n, 1):
            break
        time.sleep(0.02)
    seconds = time.monotonic() - began
    time.sleep(2)
    return program, seconds, first


def windows_path(path):
    return "Z:" + path.replace("/", "\\") + "\\"


def stop(program):
    began = time.monotonic()
    subprocess.run([WINE, EXE, "uninstall"], capture_output=True)
    program.wait(timeout=120)
    return time.monotonic() - began


def stop_floor(program):
    pid = program_pid("floor.exe")
    if pid:
        os.kill(pid, signal.SIGKILL)
    try:
        program.wait(timeout=20)
    except subprocess.TimeoutExpired:
        program.kill()


def per_note(seconds, base, n):
    """Milliseconds per note beyond the pauses and the no-note start."""
    return ((seconds - base) * 1000 - n * PAUSE_MS) / n


def main():
    warm_up()
    # The start of a process pays for Wine's own start (DLLs, fonts): measured with no note,
    # up to the first top-level window, and subtracted from the others.
    # The median of three: one start alone varies by hundreds of milliseconds.
    bases, floor_bases = [], []
    for _ in range(3):
        program, seconds, _ = start(0)
        bases.append(seconds)
        mem0 = status(program_pid())
        stop(program)
        program, seconds, _ = start(0, floor=True)
        floor_bases.append(seconds)
        floor_mem0 = status(program_pid("floor.exe"))
        stop_floor(program)
    base = sorted(bases)[1]
    floor_base = sorted(floor_bases)[1]
    print(f"no-note start     {base * 1000:8.0f} ms; floor {floor_base * 1000:8.0f} ms "
          f"(Wine's process start; median of "
          f"{', '.join(f'{b * 1000:.0f}' for b in bases)}; subtracted below)")
    mem = {0: mem0}
    floor_mem = {0: floor_mem0}
    for n in (10, 100, 1000):
        program, seconds, first = start(n)
        pid = program_pid()
        mem[n] = status(pid)
        ours = per_note(seconds, base, n)
        print(f"start-up N={n:<5d} {seconds * 1000:8.0f} ms; beyond the {PAUSE_MS} ms pauses: "
              f"{ours * n:8.0f} ms = {ours:6.2f} ms per note; first note visible "
              f"{first * 1000:6.0f} ms = {(first - base) * 1000:5.0f} ms after the no-note start",
              flush=True)
        if n == 100:
            before = cpu_ticks(pid)
            time.sleep(IDLE_SECONDS)
            used = (cpu_ticks(pid) - before) / HZ
            print(f"idle N=100        {used:6.2f} s CPU over {IDLE_SECONDS} s = "
                  f"{used / IDLE_SECONDS * 100:5.2f} % of one core", flush=True)
        exit_seconds = stop(program)
        print(f"exit (uninstall)  N={n:<5d} {exit_seconds * 1000:8.0f} ms from the uninstall "
              f"command to the process end (includes Wine starting the uninstall process)",
              flush=True)
        program, seconds, _ = start(n, floor=True)
        floor_mem[n] = status(program_pid("floor.exe"))
        stop_floor(program)
        floor = per_note(seconds, floor_base, n)
        print(f"floor    N={n:<5d} {seconds * 1000:8.0f} ms; beyond the pauses {floor:6.2f} ms per "
              f"note; ours / floor = {ours / floor if floor > 0 else float('inf'):5.2f}",
              flush=True)
    program, _, _ = start(100, alarms=True)
    pid = program_pid()
    before = cpu_ticks(pid)
    time.sleep(IDLE_SECONDS)
    used = (cpu_ticks(pid) - before) / HZ
    print(f"idle N=100 alarms {used:6.2f} s CPU over {IDLE_SECONDS} s = "
          f"{used / IDLE_SECONDS * 100:5.2f} % of one core (every note with an armed alarm)",
          flush=True)
    stop(program)
    for name, table in (("memory", mem), ("floor ", floor_mem)):
        for n in (10, 100, 1000):
            rss = table[n]["VmRSS"] - table[0]["VmRSS"]
            anon = table[n]["RssAnon"] - table[0]["RssAnon"]
            print(f"{name} N={n:<5d} resident {table[n]['VmRSS']:7d} KiB, private (RssAnon) "
                  f"{table[n]['RssAnon']:7d} KiB; per note: resident {rss / n:6.1f} KiB, private "
                  f"{anon / n:6.1f} KiB")
        print(f"{name} N=0     resident {table[0]['VmRSS']:7d} KiB, private (RssAnon) "
              f"{table[0]['RssAnon']:7d} KiB")
    kill_all()


if __name__ == "__main__":
    sys.exit(main())
