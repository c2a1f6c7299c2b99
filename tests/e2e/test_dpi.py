"""144 dpi in a copy of the prefix: notes 1.5 x as big, stored twips survive, screenshots seen."""
import os
import shutil
import subprocess
import time

BASE_PREFIX = os.environ["WINEPREFIX"]
os.environ["WINEPREFIX"] = BASE_PREFIX + "-144dpi"
import harness as h  # noqa: E402 - reads WINEPREFIX

DPI_KEYS = [r"HKCU\Control Panel\Desktop",
            r"HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts"]


def prefix_at_144_dpi():
    if not os.path.isfile(os.path.join(h.PREFIX, "system.reg")):
        subprocess.run([os.environ["WINESERVER"], "-k"], capture_output=True,
                       env={**os.environ, "WINEPREFIX": BASE_PREFIX})
        shutil.copytree(BASE_PREFIX, h.PREFIX, symlinks=True)
    for key in DPI_KEYS:
        subprocess.run([h.WINE_RUN, "reg", "add", key, "/v", "LogPixels", "/t", "REG_DWORD",
                        "/d", "144", "/f"], capture_output=True, timeout=60, check=True)
    subprocess.run([os.environ["WINESERVER"], "-k"], capture_output=True)  # read at start


def note_is_one_and_a_half_times_larger_and_keeps_its_twips():
    # Twips that are no whole pixel at 144 dpi: they must still come back unchanged.
    h.seed([(1, 1505, 2999, "Titulo=Nota a 144 dpi\r\n")])
    h.write("stickie1.vmb", b"{\\rtf1\\ansi Texto do corpo, n\\'edtido.\\par}\r\n")
    program = h.start()
    size = (h.NOTE_SIZE[0] * 3 // 2, h.NOTE_SIZE[1] * 3 // 2)
    note = h.wait_for(lambda: [w for w in h.program_windows() if (w[3], w[4]) == size],
                      what=f"a {size} note")[0]
    assert note[1:3] == (300, 150), note  # 2999 and 1505 twips at 144 dpi
    wid, x, y, width, height = note
    time.sleep(1)
    h.xdotool("mousemove", x + 230, y + 12)  # over the pin (2175-2430 twips): raised
    time.sleep(0.3)
    h.screenshot("dpi144_note.png", (x, y, width, height))
    h.xdotool("mousemove", x + width // 2, y + height // 2, "click", 3)
    menu = h.wait_for(lambda: [w for w in h.program_windows() if w[0] != wid and w[3] > 20],
                      what="the note menu")[0]
    at_96 = sum(h.SEPARATOR_HEIGHT if item == "-" else h.ITEM_HEIGHT for item in h.NOTE_MENU)
    assert menu[4] >= at_96 * 3 // 2, menu  # its items sized for 144 dpi
    h.screenshot("dpi144_menu.png", (menu[1], menu[2], menu[3], menu[4]))
    h.xdotool("key", "Escape")

    h.stop(program)  # saves every note and exits
    assert (h.ini_value("1", "Top"), h.ini_value("1", "Left")) == ("1505", "2999")


if __name__ == "__main__":
    prefix_at_144_dpi()
    h.main([note_is_one_and_a_half_times_larger_and_keeps_its_twips])
