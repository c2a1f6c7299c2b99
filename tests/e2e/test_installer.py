"""Silent install, use, install over it and uninstall while it runs; the notes stay."""
import glob
import os
import subprocess

import harness as h

INSTALLED = os.path.join(h.PREFIX, "drive_c", "Program Files", "Velumbrino")
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velumbrino"
RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"


def setup_exe():
    found = glob.glob(os.path.join(h.DIST, "Velumbrino-Setup-*.exe"))
    assert len(found) == 1, found
    return found[0]


def reg_query(key):
    return subprocess.run([h.WINE_RUN, "reg", "query", key], capture_output=True, encoding="latin-1",
                          timeout=60).stdout


def install_use_and_uninstall_keep_the_notes():
    assert subprocess.run([h.WINE_RUN, setup_exe(), "/S"], timeout=120).returncode == 0
    for name in ["Velumbrino.exe", "Ajuda.chm", "novo.wav", "excluir.wav",
                 os.path.join("Alarme", "Alarm08.wav"), "Desinstalar.exe"]:
        assert os.path.isfile(os.path.join(INSTALLED, name)), name
    entry = reg_query(UNINSTALL_KEY)
    for value in ["DisplayName", "DisplayVersion", "Publisher", "DisplayIcon", "EstimatedSize"]:
        assert value in entry, entry
    assert "Velumbrino.exe" in reg_query(RUN_KEY)

    # The installed program: first run, then one more note from the tray.
    program = subprocess.Popen([h.WINE_RUN, os.path.join(INSTALLED, "Velumbrino.exe")],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    h.wait_for(lambda: len(h.note_windows()) == 1, what="the welcome note")
    h.wait_ready()
    h.tray_click(1, repeat=2)
    h.wait_for(lambda: h.read("indice.dat") == b",1,2,\r\n", what="the second note")

    # Installed over it while it runs: it saves and exits; the new one has every note and setting.
    first = {key: h.ini_value("1", key) for key in ["Top", "Left", "Titulo", "OnTop"]}
    assert subprocess.run([h.WINE_RUN, setup_exe(), "/S"], timeout=120).returncode == 0
    assert program.wait(timeout=30) == 1
    assert h.read("indice.dat") == b",2,1,\r\n" and h.ini_value("2", "Tag") == "2"
    assert {key: h.ini_value("1", key) for key in first} == first
    program = subprocess.Popen([h.WINE_RUN, os.path.join(INSTALLED, "Velumbrino.exe")],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    h.wait_for(lambda: len(h.note_windows()) == 2, what="both notes after the upgrade")

    # Uninstalled while it runs: the program saves and exits first, the notes stay.
    subprocess.run([h.WINE_RUN, os.path.join(INSTALLED, "Desinstalar.exe"), "/S"], timeout=120)
    h.wait_for(lambda: not os.path.exists(os.path.join(INSTALLED, "Velumbrino.exe")),
               timeout=60, what="the program's files to go")
    assert program.wait(timeout=30) == 1
    assert h.read("indice.dat") == b",1,2,\r\n"  # by its own shutdown: restored, 1 is on top
    assert os.path.isfile(os.path.join(h.DATA, "stickie1.vmb"))
    assert os.path.isfile(os.path.join(h.DATA, "stickie2.vmb"))
    h.wait_for(lambda: not os.path.exists(INSTALLED), timeout=30, what="the program folder")
    assert "Velumbrino" not in reg_query(RUN_KEY)
    assert "DisplayName" not in reg_query(UNINSTALL_KEY)


if __name__ == "__main__":
    h.main([install_use_and_uninstall_keep_the_notes])
