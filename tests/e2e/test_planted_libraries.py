"""Libraries planted beside a copy of the program under system libraries' names never run."""
import glob
import os
import shutil
import subprocess
import tempfile

import harness as h

PLANTED = ["Msftedit.dll", "hhctrl.ocx"]


def planted_libraries_never_run():
    h.seed([(1, 1500, 1500, ""), (2, 1500, 6000, "")])
    with tempfile.TemporaryDirectory(dir=os.path.dirname(h.DIST)) as folder:
        shutil.copytree(h.DIST, folder, dirs_exist_ok=True,
                        ignore=shutil.ignore_patterns("*-Setup-*"))
        for name in PLANTED:
            shutil.copy(os.environ["VELUMBRINO_PLANTED_LIBRARY"], os.path.join(folder, name))
        exe = os.path.join(folder, "Velumbrino.exe")
        # Wine takes its own hhctrl.ocx over one beside the program unless told, as Windows does.
        env = dict(os.environ, WINEDLLOVERRIDES=os.environ["WINEDLLOVERRIDES"] + ";hhctrl.ocx=n,b")
        program = subprocess.Popen([os.environ["WINE"], exe], env=env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        h.wait_for(lambda: len(h.note_windows()) == 2, what="both notes")
        h.wait_ready()
        # The bodies are the system's RichEdit: typed text reaches the note's file.
        h.type_in(min(h.note_windows(), key=lambda w: w[1]), " digitado", dy=150)
        h.wait_for(lambda: b"digitado" in h.read("stickie1.vmb"), timeout=10, what="the autosave")

        h.tray_menu("Ajuda")
        h.wait_for(lambda: h.window_named("Ajuda do Velumbrino"), what="the help viewer")
        h.screenshot("planted-libraries-help.png")
        h.close("Ajuda do Velumbrino")

        code = subprocess.run([h.WINE_RUN, exe, "uninstall"], stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL, timeout=30).returncode
        assert code == 1 and program.wait(timeout=60) == 1
        assert glob.glob(os.path.join(folder, "*.ran")) == []


if __name__ == "__main__":
    h.main([planted_libraries_never_run])
