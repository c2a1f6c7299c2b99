"""Drives the real Velumbrino.exe under Wine as a person would, for the end-to-end tests.

The environment comes from scripts/test.sh (WINEPREFIX, DISPLAY, WINE, WINESERVER) and from
ctest (VELUMBRINO_DIST, VELUMBRINO_WINE_RUN).
"""
import os
import re
import shutil
import subprocess
import sys
import time
import traceback

DIST = os.environ["VELUMBRINO_DIST"]
WINE_RUN = os.environ["VELUMBRINO_WINE_RUN"]
EXE = os.path.join(DIST, "Velumbrino.exe")
USER = subprocess.run(["id", "-un"], capture_output=True, text=True).stdout.strip()
PREFIX = os.environ["WINEPREFIX"]
DOCUMENTS = os.path.join(PREFIX, "drive_c", "users", USER, "Documents")
DATA = os.path.join(DOCUMENTS, "Velumbrino")
SHOTS = os.path.join(os.path.dirname(DIST), "screenshots")


def reset_documents():
    """An empty Documents folder and no running instance."""
    kill_all()
    shutil.rmtree(DATA, ignore_errors=True)
    os.makedirs(DOCUMENTS, exist_ok=True)


def kill_all():
    subprocess.run([os.environ["WINESERVER"], "-k"], capture_output=True)
    time.sleep(0.5)


def start(*args):
    return subprocess.Popen([WINE_RUN, EXE, *args], stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)


def run(*args, timeout=30):
    """Runs the program to its end; returns (exit code, seconds taken)."""
    began = time.monotonic()
    code = subprocess.run([WINE_RUN, EXE, *args], stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL, timeout=timeout).returncode
    return code, time.monotonic() - began


def wait_for(predicate, timeout=20, interval=0.2, what="condition"):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(interval)
    raise AssertionError(f"timed out waiting for {what}")


def read(name):
    with open(os.path.join(DATA, name), "rb") as f:
        return f.read()


def write(name, data):
    os.makedirs(DATA, exist_ok=True)
    with open(os.path.join(DATA, name), "wb") as f:
        f.write(data)


def snapshot():
    """Every file of the data folder with its bytes and modification time."""
    result = {}
    if os.path.isdir(DATA):
        for name in sorted(os.listdir(DATA)):
            path = os.path.join(DATA, name)
            with open(path, "rb") as f:
                result[name] = (f.read(), os.stat(path).st_mtime_ns)
    return result


def ini_value(section, key, data=None):
    """A key of config.cfg read with the profile rules (for checks only)."""
    data = read("config.cfg") if data is None else data
    current = None
    for line in re.split(rb"\r\n|\r|\n", data):
        line = line.strip()
        if line.startswith(b"[") and b"]" in line:
            current = line[1:line.index(b"]")].strip().lower()
        elif current == section.lower().encode() and b"=" in line:
            k, v = line.split(b"=", 1)
            if k.strip().lower() == key.lower().encode():
                return v.strip().decode("cp1252")
    return None


def note_windows():
    """Visible top-level windows of the program: (id, x, y, width, height)."""
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--classname", "velumbrino.exe"],
                         capture_output=True, text=True).stdout.split()
    windows = []
    for wid in out:
        geo = subprocess.run(["xdotool", "getwindowgeometry", "--shell", wid],
                             capture_output=True, text=True).stdout
        values = dict(line.split("=", 1) for line in geo.split() if "=" in line)
        if "X" in values:
            windows.append((wid, int(values["X"]), int(values["Y"]), int(values["WIDTH"]),
                            int(values["HEIGHT"])))
    return windows


def xprop(wid):
    return subprocess.run(["xprop", "-id", str(wid)], capture_output=True, text=True).stdout


def screenshot(name):
    os.makedirs(SHOTS, exist_ok=True)
    path = os.path.join(SHOTS, name)
    subprocess.run(["import", "-window", "root", path], capture_output=True)
    return path


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True)


def main(tests):
    """Runs each test function; prints 'N passed, N failed' and exits non-zero on failure."""
    passed = failed = 0
    for test in tests:
        name = test.__name__
        try:
            reset_documents()
            test()
            passed += 1
            print(f"[  OK  ] {name}", flush=True)
        except Exception:  # noqa: BLE001 - every failure is reported the same way
            failed += 1
            print(f"[FAILED] {name}", flush=True)
            traceback.print_exc()
        finally:
            kill_all()
    print(f"{passed} passed, {failed} failed")
    sys.exit(1 if failed else 0)
