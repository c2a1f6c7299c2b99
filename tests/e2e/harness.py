"""Drives the real Velumbrino.exe under Wine as a person would. scripts/test.sh sets WINEPREFIX,
DISPLAY, WINE and WINESERVER; ctest sets VELUMBRINO_DIST and VELUMBRINO_WINE_RUN."""
import os
import contextlib
import functools
import re
import shutil
import signal
import subprocess
import sys
import time
import traceback

DIST = os.environ["VELUMBRINO_DIST"]
WINE_RUN = os.environ["VELUMBRINO_WINE_RUN"]
EXE = os.path.join(DIST, "Velumbrino.exe")
TOOL = os.path.join(os.environ["VELUMBRINO_TOOLS"], "window_tool.exe")
USER = subprocess.run(["id", "-un"], capture_output=True, text=True).stdout.strip()
PREFIX = os.environ["WINEPREFIX"]
DOCUMENTS = os.path.join(PREFIX, "drive_c", "users", USER, "Documents")
DATA = os.path.join(DOCUMENTS, "Velumbrino")
SHOTS = os.path.join(os.path.dirname(DIST), "screenshots")
NOTE_SIZE = (184, 192)  # 2760 x 2880 twips at 96 dpi
CLIENT = (3, 21)  # a dialog's client area in its window, below the caption Wine's desktop draws
# Wine's Recycle Bin is the Unix user's trash: kept under the build folder, never the user's.
TRASH = os.path.join(os.path.dirname(DIST), "xdg-data", "Trash")
os.environ["XDG_DATA_HOME"] = os.path.dirname(TRASH)


def reset_documents():
    """An empty Documents folder and no running instance."""
    kill_all()
    shutil.rmtree(DOCUMENTS, ignore_errors=True)  # files a test saved there too
    shutil.rmtree(TRASH, ignore_errors=True)
    os.makedirs(DOCUMENTS, exist_ok=True)


def kill_all():
    """Kills only the program and fault helper; Wine's server and desktop stay up to start fast."""
    def ours():
        found = []
        for pid in filter(str.isdigit, os.listdir("/proc")):
            try:
                program = open(f"/proc/{pid}/cmdline", "rb").read().split(b"\0")[0]
                environ = open(f"/proc/{pid}/environ", "rb").read().split(b"\0")
            except OSError:
                continue
            if re.search(rb"[\\/](velumbrino|fault_helper)\.exe$", program, re.I) and \
                    b"WINEPREFIX=" + PREFIX.encode() in environ:
                found.append(int(pid))
        return found
    for pid in ours():
        with contextlib.suppress(OSError):  # it may have ended meanwhile
            os.kill(pid, signal.SIGKILL)
    wait_for(lambda: not ours(), interval=0.05, what="the program to end")


def start(*args, exe=EXE):
    return subprocess.Popen([WINE_RUN, exe, *args], stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)


def run(*args, timeout=30):
    return subprocess.run([WINE_RUN, EXE, *args], stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL, timeout=timeout).returncode


def wait_for(predicate, timeout=20, interval=0.2, what="condition", fail=True):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(interval)
    if fail:
        raise AssertionError(f"timed out waiting for {what}")
    return None


def read(name):
    with open(os.path.join(DATA, name), "rb") as f:
        return f.read()


def write(name, data):
    os.makedirs(DATA, exist_ok=True)
    with open(os.path.join(DATA, name), "wb") as f:
        f.write(data)


def seed(notes, extra_config=b"", bodies=True):
    """`notes` as (number, top twips, left twips, extra keys): unpinned, small bodies, in order."""
    write("indice.dat", ("," + "".join(f"{n}," for n, *_ in notes)).encode() + b"\r\n")
    write("config.cfg", extra_config + b"".join(
        f"[{n}]\r\nTop={top}\r\nLeft={left}\r\nOnTop=False\r\n{extra}".encode()
        for n, top, left, extra in notes))
    for n, *_ in notes if bodies else []:
        write(f"stickie{n}.vmb", f"{{\\rtf1\\ansi corpo da nota {n}}}".encode())


def start_and_wait(count, timeout=60):
    """Starts the program and waits for `count` visible notes and the end of its start-up."""
    program = start()
    wait_for(lambda: len(note_windows()) == count, timeout=timeout, interval=0.3,
             what=f"{count} visible notes")
    wait_ready(timeout)  # the bodies load after the windows show: as long again
    return program


def press_new_note_keys(held=0.3):
    xdotool("keydown", "shift", "keydown", "ctrl", "keydown", "n")
    time.sleep(held)
    xdotool("keyup", "n", "keyup", "ctrl", "keyup", "shift")


def wait_ready(timeout=30):
    """Start-up is over once the tray menu opens (not before); then it is closed again."""
    wait_for(lambda: menus() or tray_click(3) or wait_for(menus, timeout=5, fail=False),
             timeout=timeout, interval=0, what="the end of start-up")
    # A click on the empty desktop closes it, once the menu has taken the mouse.
    wait_for(lambda: not menus() or xdotool("mousemove", 1200, 20, "click", 1) or
             wait_for(lambda: not menus(), timeout=3, fail=False), timeout=30, interval=0,
             what="the tray menu to close")


def stop(program):
    """Closes the running instance the way the uninstaller does; it saves and exits."""
    assert run("uninstall") == 1 and program.wait(timeout=60) == 1


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


def program_windows(program="velumbrino.exe"):
    """Visible top-level windows of the program: (id, x, y, width, height)."""
    ids = subprocess.run(["xdotool", "search", "--onlyvisible", "--classname", program],
                         capture_output=True, text=True).stdout.split()
    # xwininfo gives places on the screen; xdotool's are wrong inside Wine's desktop window.
    tree = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, text=True).stdout
    places = {str(int(m[1], 16)): tuple(map(int, m.group(4, 5, 2, 3))) for m in re.finditer(
        r"(0x[0-9a-f]+) .*\s(\d+)x(\d+)[+-]-?\d+[+-]-?\d+\s+\+(-?\d+)\+(-?\d+)$", tree, re.M)}
    return [(wid, *places[wid]) for wid in ids if wid in places]


def note_windows():
    """Visible note windows (2760 x 2880 twips at 96 dpi)."""
    return [w for w in program_windows() if (w[3], w[4]) == NOTE_SIZE]


def window_named(name):
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name],
                         capture_output=True, text=True).stdout.split()
    return out[0] if out else None


def geometry(wid):
    return [w for w in program_windows() if w[0] == wid][0]


def window_tool(*args):
    """Runs the test tool of the Windows side (tests/e2e/window_tool.cpp); returns its output."""
    return subprocess.run([WINE_RUN, TOOL, *map(str, args)], capture_output=True, text=True,
                          timeout=60).stdout


def close(title):
    """Closes the window with this title as its close box does, with WM_CLOSE."""
    window_tool("close", title)
    wait_for(lambda: window_named(f"^{title}$") is None, what=f"{title} to close")


def wait_foreground(wid):
    """Waits until the window takes the keys (the title of the foreground window is its own)."""
    title = subprocess.run(["xdotool", "getwindowname", wid], capture_output=True,
                           text=True).stdout.strip()
    wait_for(lambda: window_tool("foreground").strip() == title, what=f"{title} to take the keys")


def band_and_opacity(window):
    """(topmost, opacity 0-255) of the window at the centre of this one, as Windows has them."""
    _, x, y, w, hgt = window
    values = dict(pair.split("=") for pair in window_tool("at", x + w // 2, y + hgt // 2).split())
    return values["topmost"] == "1", int(values["alpha"])


def screenshot(name, crop=None):
    """The whole screen, or only the area crop = (x, y, width, height)."""
    os.makedirs(SHOTS, exist_ok=True)
    path = os.path.join(SHOTS, name)
    area = [] if crop is None else ["-crop", "{2}x{3}+{0}+{1}".format(*crop), "+repage"]
    subprocess.run(["import", "-window", "root", *area, path], capture_output=True)
    return path


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True)


def click_in(window, x, y):
    """Clicks a point of the client area of a dialog, given as (id, x, y, width, height)."""
    xdotool("mousemove", window[1] + CLIENT[0] + x, window[2] + CLIENT[1] + y, "click", 1)


def press(wid, *action):
    """Puts the pointer on the window's caption, where keys go, then runs the xdotool action."""
    _, x, y, w, _ = geometry(wid)
    xdotool("mousemove", x + w // 2, y + 8, *action)


def hold(name):
    """Another program holds the data file open until the returned release() is called."""
    path = "Z:" + os.path.join(DATA, name).replace("/", "\\")
    release = os.path.join(os.path.dirname(DIST), "release-lock")
    if os.path.exists(release):
        os.remove(release)
    log = os.path.join(os.path.dirname(DIST), "lock_helper.log")
    with open(log, "wb") as out:
        # Wine itself, not the wrapper, so that "locked" reaches the log while it holds.
        lock = subprocess.Popen([os.environ["WINE"], os.environ["VELUMBRINO_FAULT_HELPER"], "lock",
                                 path, "120", "Z:" + release.replace("/", "\\")],
                                stdout=out, stderr=subprocess.DEVNULL)
    wait_for(lambda: b"locked" in open(log, "rb").read(), what="the lock")

    def release_lock():
        open(release, "wb").close()
        lock.wait(timeout=30)
    return release_lock


def main(tests):
    passed = failed = 0
    # Keeps the prefix alive: a program started as Wine closes an emptied desktop shows nothing.
    keeper = subprocess.Popen([os.environ["WINE"], "cmd", "/c", "pause"], stdin=subprocess.PIPE,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for test in tests:
        name = test.__name__
        began = time.monotonic()
        try:
            reset_documents()
            test()
            passed += 1
            print(f"[  OK  ] {name} ({time.monotonic() - began:.1f} s)", flush=True)
        except Exception:  # noqa: BLE001 - every failure is reported the same way
            failed += 1
            print(f"[FAILED] {name}", flush=True)
            screenshot(f"failed-{name}.png")
            traceback.print_exc()
        finally:
            kill_all()
    keeper.stdin.close()  # its "pause" ends
    keeper.wait(timeout=30)
    print(f"{passed} passed, {failed} failed")
    sys.exit(1 if failed else 0)


MENU_BORDER = 3
ITEM_HEIGHT, SEPARATOR_HEIGHT = 22, 7
# Item layouts, "-" for a separator, as the menus show them.
TRAY_MENU = ["Nova Nota", "Notas", "-", "Ajuda", "Obtendo Suporte...", "Sobre o Velumbrino...",
             "Fechar"]
NOTE_MENU = ["Sempre Visível", "Ocultar", "Alarme", "Excluir", "-", "Aparência", "Fonte...", "-",
             "Imprimir", "Texto", "Inserir", "-", "Título..."]
# The submenus, by the caption of the item that opens them.
SUBMENUS = {
    "Notas": ["Excluir", "-", "Mostra Selecionadas...", "Mostrar Todos", "Ocutar Todos"],
    "Aparência": ["Classico", "Personaliza", "Transparência"],
    "Transparência": [f"{k * 10} %" for k in range(1, 11)],
    "Texto": ["Desfazer", "Recortar", "Copiar", "Colar", "-", "Selecionar Tudo", "-",
              "Carregar do Arquivo...", "Salvar em Arquivo..."],
    "Inserir": ["Data e hora..."]}


@functools.cache
def taskbar():
    """(x, y, width, height) of the taskbar of Wine's desktop."""
    return wait_for(lambda: (place := tuple(map(int, window_tool("tray").split()))) and place[2]
                    and place, what="the taskbar")


def tray_click(button, repeat=1):
    """Clicks the program's icon, the only one, at the right end of the taskbar."""
    x, y, w, hgt = taskbar()
    xdotool("mousemove", x + w - 10, y + hgt // 2, "click", "--repeat", repeat, "--delay", 80,
            button)


def open_note_menu(note, dx=90, dy=120):
    xdotool("mousemove", note[1] + dx, note[2] + dy, "click", 3)
    wait_for(menus, what="the note menu")


def note_menu(note, *captions):
    open_note_menu(note)
    choose(NOTE_MENU, *captions)


def tray_menu(*captions):
    tray_click(3)
    choose(TRAY_MENU, *captions)


def answer(*keys, what="the message box", shot=None, timeout=20):
    """Waits for the program's message box, presses the keys on it and waits until it closes."""
    box = wait_for(message_boxes, timeout=timeout, what=what)[0]
    if shot:
        screenshot(shot)
    wait_foreground(box)
    press(box, "key", *keys)
    wait_for(lambda: box not in message_boxes(), what=f"{what} to close")


def type_in(note, text, dy=120, first=None):
    """Clicks dy pixels below the body's top, presses the key `first` if any, types the text."""
    xdotool("mousemove", note[1] + 90, note[2] + dy, "click", 1, *(["key", first] if first else []))
    xdotool("type", "--delay", "30", text)


def menus():
    """Open popup menus of the program (its visible windows that are not notes)."""
    return [w for w in program_windows()
            if (w[3], w[4]) != NOTE_SIZE and w[3] > 20 and w[0] not in message_boxes()]


def item_point(menu, layout, caption):
    _, x, y, _, _ = menu
    top = y + MENU_BORDER
    for item in layout:
        if item == caption:
            return x + 50, top + ITEM_HEIGHT // 2
        top += SEPARATOR_HEIGHT if item == "-" else ITEM_HEIGHT
    raise KeyError(caption)


def choose(layout, *captions):
    """Clicks each caption in turn, in the open menu laid out as `layout` and then its submenus."""
    for depth, caption in enumerate(captions):
        open_menus = wait_for(lambda: len(menus()) > depth and menus(), what="a menu")
        # A submenu opens after its parent: its X window is the newer one.
        menu = sorted(open_menus, key=lambda m: int(m[0]))[depth]
        xdotool("mousemove", *item_point(menu, layout, caption), "click", 1)
        layout = SUBMENUS.get(caption)
    wait_for(lambda: menu not in menus() or len(menus()) > len(captions), what="the menu to act")


def balloons():
    """Visible windows of Wine's desktop (explorer) other than the desktop and the taskbar."""
    return [w for w in program_windows("explorer.exe")
            if w[1:] != taskbar() and w[3:] != (1280, 800)]


def message_boxes():
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Velumbrino$"],
                         capture_output=True, text=True).stdout.split()
    return out
