"""Benchmarks of the real Velumbrino.exe under Wine: start-up, memory, idle CPU, exit save.

Start-up is measured from the process start to the moment all N notes are visible: restore
shows each note as it is created and AppReady follows the last one at once.
"""
import os
import subprocess
import sys
import time

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
EXE = os.path.join(REPO, "build", "windows", "dist", "Velumbrino.exe")
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


def seed(n, alarms=False):
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
        with open(os.path.join(DATA, f"stickie{i}.vmb"), "wb") as f:
            f.write(b"{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Nota %d: primeiro "
                    b"paragrafo com algumas palavras sobre o que fazer hoje.\\par Segundo "
                    b"paragrafo: leite, pao, cafe e frutas.\\par Terceiro paragrafo, ligar para "
                    b"a Ana depois do almoco.\\par}\r\n" % i)
    with open(os.path.join(DATA, "config.cfg"), "wb") as f:
        f.write(config)


def visible_notes():
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--classname", "velumbrino.exe"],
                         capture_output=True, text=True).stdout
    return len(out.split())


def program_pid():
    """The Wine process of the program in this prefix."""
    for pid in os.listdir("/proc"):
        if not pid.isdigit():
            continue
        try:
            with open(f"/proc/{pid}/comm") as f:
                if not f.read().startswith("Velumbrino"):
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


def start(n, alarms=False):
    seed(n, alarms)
    began = time.monotonic()
    program = subprocess.Popen([WINE, EXE], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    deadline = began + 60 + n * 0.2
    while visible_notes() < n and time.monotonic() < deadline:
        time.sleep(0.02)
    seconds = time.monotonic() - began
    time.sleep(2)
    return program, seconds


def stop(program):
    began = time.monotonic()
    subprocess.run([WINE, EXE, "uninstall"], capture_output=True)
    program.wait(timeout=120)
    return time.monotonic() - began


def main():
    kill_all()
    rows = []
    # The first start of a process pays for Wine's own start (DLLs, fonts): measure it once
    # with no note and subtract it from the others.
    program, base = start(0)
    pid = program_pid()
    mem0 = status(pid)
    stop(program)
    print(f"start-up N=0      {base * 1000:8.0f} ms (Wine's process start; subtracted below)")
    mem = {0: mem0}
    for n in (10, 100, 1000):
        program, seconds = start(n)
        pid = program_pid()
        mem[n] = status(pid)
        beyond = (seconds - base) * 1000 - n * PAUSE_MS
        print(f"start-up N={n:<5d} {seconds * 1000:8.0f} ms; beyond the {PAUSE_MS} ms pauses: "
              f"{beyond:8.0f} ms = {beyond / n:6.2f} ms per note", flush=True)
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
    program, _ = start(100, alarms=True)
    pid = program_pid()
    before = cpu_ticks(pid)
    time.sleep(IDLE_SECONDS)
    used = (cpu_ticks(pid) - before) / HZ
    print(f"idle N=100 alarms {used:6.2f} s CPU over {IDLE_SECONDS} s = "
          f"{used / IDLE_SECONDS * 100:5.2f} % of one core (every note with an armed alarm)",
          flush=True)
    stop(program)
    for n in (10, 100, 1000):
        rss = mem[n]["VmRSS"] - mem0["VmRSS"]
        anon = mem[n]["RssAnon"] - mem0["RssAnon"]
        print(f"memory N={n:<5d} resident {mem[n]['VmRSS']:7d} KiB, private (RssAnon) "
              f"{mem[n]['RssAnon']:7d} KiB; per note: resident {rss / n:6.1f} KiB, private "
              f"{anon / n:6.1f} KiB")
    print(f"memory N=0     resident {mem0['VmRSS']:7d} KiB, private (RssAnon) "
          f"{mem0['RssAnon']:7d} KiB")
    kill_all()


if __name__ == "__main__":
    sys.exit(main())
