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
NOTE_SIZE = (184, 192)  # 2760 x 2880 twips at 96 dpi
# Wine's Recycle Bin is the Unix user's trash: kept under the build folder, never the user's.
TRASH = os.path.join(os.path.dirname(DIST), "xdg-data", "Trash")
os.environ["XDG_DATA_HOME"] = os.path.dirname(TRASH)


def reset_documents():
    """An empty Documents folder and no running instance."""
    kill_all()
    shutil.rmtree(DATA, ignore_errors=True)
    shutil.rmtree(TRASH, ignore_errors=True)
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


def seed(notes, extra_config=b"", bodies=True):
    """The data folder holding `notes`: (number, top twips, left twips, extra keys), each
    unpinned and, unless `bodies` is false, with a small body, in index order."""
    write("indice.dat", ("," + "".join(f"{n}," for n, *_ in notes)).encode() + b"\r\n")
    write("config.cfg", extra_config + b"".join(
        f"[{n}]\r\nTop={top}\r\nLeft={left}\r\nOnTop=False\r\n{extra}".encode()
        for n, top, left, extra in notes))
    for n, *_ in notes if bodies else []:
        write(f"stickie{n}.vmb", f"{{\\rtf1\\ansi corpo da nota {n}}}".encode())


def start_and_wait(count, timeout=30):
    """Starts the program and waits for `count` visible notes and the tray icon."""
    program = start()
    wait_for(lambda: len(note_windows()) == count, timeout=timeout, interval=0.3,
             what=f"{count} visible notes")
    wait_for(tray_window, what="the tray icon")
    time.sleep(1)
    return program


def stop(program):
    """Closes the running instance the way the uninstaller does; it saves and exits."""
    code, _ = run("uninstall")
    assert code == 1 and program.wait(timeout=60) == 1


def snapshot():
    """Every file of the data folder with its bytes and modification time."""
    result = {}
    if os.path.isdir(DATA):
        for name in sorted(os.listdir(DATA)):
            path = os.path.join(DATA, name)
            if os.path.isdir(path):  # the daily backups
                continue
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


def program_windows():
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


def note_windows():
    """Visible note windows (2760 x 2880 twips at 96 dpi)."""
    return [w for w in program_windows() if (w[3], w[4]) == NOTE_SIZE]


def window_named(name):
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name],
                         capture_output=True, text=True).stdout.split()
    return out[0] if out else None


def geometry(wid):
    return [w for w in program_windows() if w[0] == wid][0]


def xprop(wid):
    return subprocess.run(["xprop", "-id", str(wid)], capture_output=True, text=True).stdout


def screenshot(name, crop=None):
    """The whole screen, or only the area crop = (x, y, width, height)."""
    os.makedirs(SHOTS, exist_ok=True)
    path = os.path.join(SHOTS, name)
    area = [] if crop is None else ["-crop", "{2}x{3}+{0}+{1}".format(*crop), "+repage"]
    subprocess.run(["import", "-window", "root", *area, path], capture_output=True)
    return path


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True)


def close_window(wid):
    """Closes a window as its user would, with Alt+F4, and waits until it is gone."""
    xdotool("key", "--window", wid, "alt+F4")
    wait_for(lambda: wid not in subprocess.run(
        ["xdotool", "search", "--onlyvisible", "--name", "."], capture_output=True,
        text=True).stdout.split(), what="the window to close")


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


# --- Tray icon and popup menus -----------------------------------------------------------

MENU_BORDER = 3
ITEM_HEIGHT, SEPARATOR_HEIGHT = 22, 7
# Item layouts, "-" for a separator, as the menus show them.
TRAY_MENU = ["Nova Nota", "Notas", "-", "Ajuda", "Obtendo Suporte...", "Sobre o Velumbrino...",
             "Fechar"]
NOTES_SUBMENU = ["Excluir", "-", "Mostra Selecionadas...", "Mostrar Todos", "Ocutar Todos"]
NOTE_MENU = ["Sempre Visível", "Ocultar", "Alarme", "Excluir", "-", "Aparência", "Fonte...", "-",
             "Imprimir", "Texto", "Inserir", "-", "Título..."]
APPEARANCE_SUBMENU = ["Classico", "Personaliza", "Transparência"]
OPACITY_SUBMENU = [f"{k * 10} %" for k in range(1, 11)]


def tray_window():
    out = subprocess.run(["xdotool", "search", "--name", "Wine System Tray"],
                         capture_output=True, text=True).stdout.split()
    return out[0] if out else None


def tray_click(button, repeat=1):
    """Clicks the program's icon, the first one in Wine's tray window."""
    tray = wait_for(tray_window, what="the Wine System Tray window")
    xdotool("mousemove", "--window", tray, 10, 10, "click", "--repeat", repeat, "--delay", 80,
            button)


def open_note_menu(note, dx=90, dy=120):
    """Right-clicks the note's body; its menu opens."""
    xdotool("mousemove", note[1] + dx, note[2] + dy, "click", 3)
    wait_for(menus, what="the note menu")


def menus():
    """Open popup menus of the program (its visible windows that are not notes)."""
    return [w for w in program_windows()
            if (w[3], w[4]) != NOTE_SIZE and w[3] > 20 and w[0] not in message_boxes()]


def item_point(menu, layout, caption):
    """Screen point of an item of an open menu window."""
    _, x, y, _, _ = menu
    top = y + MENU_BORDER
    for item in layout:
        if item == caption:
            return x + 50, top + ITEM_HEIGHT // 2
        top += SEPARATOR_HEIGHT if item == "-" else ITEM_HEIGHT
    raise KeyError(caption)


def choose(path):
    """Walks open menus: path is [(layout, caption), ...], the last one clicked."""
    for depth, (layout, caption) in enumerate(path):
        open_menus = wait_for(lambda: len(menus()) > depth and menus(), what="a menu")
        # The newest menu is the top of the stacking order: the deepest one on screen.
        menu = sorted(open_menus, key=lambda m: m[1])[depth]
        px, py = item_point(menu, layout, caption)
        xdotool("mousemove", px, py)
        time.sleep(0.4)
        if depth == len(path) - 1:
            xdotool("click", 1)
    time.sleep(0.5)


def window_opacity(wid):
    """_NET_WM_WINDOW_OPACITY scaled to 0-255, or None when the window has none."""
    match = re.search(r"_NET_WM_WINDOW_OPACITY\(CARDINAL\) = (\d+)", xprop(wid))
    return None if not match else round(int(match.group(1)) * 255 / 0xFFFFFFFF)


def balloons():
    """Visible windows of Wine's tray (explorer) other than the tray window itself."""
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--classname", "explorer.exe"],
                         capture_output=True, text=True).stdout.split()
    tray = tray_window()
    return [w for w in out if w != tray]


def message_boxes():
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Velumbrino$"],
                         capture_output=True, text=True).stdout.split()
    return out
