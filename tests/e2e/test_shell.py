"""The tray icon, Shift+Ctrl+N and both popup menus of the real program."""
import os
import re
import shutil
import subprocess
import tempfile
import time
import urllib.parse

import harness as h


def start_with(notes):
    """Notes (number, top twips, left twips, extra keys)."""
    h.seed(notes)
    return h.start_and_wait(sum(1 for *_, extra in notes if "Visivel=False" not in extra))


def tray_double_click_creates_one_note_unless_a_menu_or_box_is_open():
    program = start_with([])
    h.tray_click(3)
    h.wait_for(h.menus, what="the tray menu")
    h.screenshot("tray-menu-no-notes.png")
    # While a menu is open the key combination is not handled.
    h.press_new_note_keys(0.5)
    h.choose(h.TRAY_MENU, "Notas")
    h.screenshot("tray-menu-notes-disabled.png")
    # With no notes, "Mostrar Todos" is disabled: choosing it must not close the menu's work.
    h.xdotool("key", "Escape", "Escape")
    h.wait_for(lambda: not h.menus(), what="the menus to close")

    # Nor is the tray icon while the about box is open.
    h.tray_menu("Sobre o Velumbrino...")
    about = h.wait_for(lambda: h.window_named("Sobre o Velumbrino"), what="the about box")
    h.screenshot("about-box.png")
    h.tray_click(1, repeat=2)
    _, x, y, width, height = h.geometry(about)
    h.xdotool("mousemove", x + width - 45, y + height - 20, "click", 1)  # its OK button
    h.wait_for(lambda: h.window_named("Sobre o Velumbrino") is None, what="the box to close")

    # Nothing came of the keys and the double click before: this is note 1.
    h.tray_click(1, repeat=2)
    h.wait_for(lambda: len(h.note_windows()) == 1, what="the new note")
    h.tray_click(1)  # a single click does nothing
    h.stop(program)
    assert h.read("indice.dat") == b",1,\r\n"


def key_combination_makes_one_note_per_press():
    program = start_with([])
    for held, count in ((0.3, 1), (1.0, 2)):  # held long, it still makes one note
        h.press_new_note_keys(held)
        h.wait_for(lambda: len(h.note_windows()) == count, what=f"{count} notes")
        time.sleep(1)  # the keys stay up a moment, as between two presses of a user
    assert h.read("indice.dat") == b",1,2,\r\n"
    h.stop(program)


def delete_asks_and_only_yes_deletes_and_the_bin_gives_the_note_back():
    program = start_with([(1, 1500, 1500, ""), (2, 1500, 6000, "Titulo=Compras\r\n")])
    body = b"{\\rtf1 leite e p\\'e3o}"
    h.write("stickie2.vmb", body)
    before = h.snapshot()
    note = [w for w in h.note_windows() if w[1] > 300][0]
    h.open_note_menu(note)
    h.screenshot("note-menu.png")
    h.screenshot("readme-menu-nota.png", crop=(note[1] - 16, note[2] - 16, 360, 400))
    h.choose(h.NOTE_MENU, "Excluir")
    h.answer("Return", what="the delete question", shot="delete-question.png")  # No: default
    h.open_note_menu(note)  # the answer is handled by then
    assert h.snapshot() == before and len(h.note_windows()) == 2
    h.choose(h.NOTE_MENU, "Excluir")
    h.answer("Left", "Return", what="the delete question")
    h.wait_for(lambda: len(h.note_windows()) == 1 and h.read("indice.dat") == b",1,\r\n" and
               not os.path.exists(os.path.join(h.DATA, "stickie2.vmb")) and
               h.ini_value("Indice", "TotalForms") == "1", what="note 2 gone, window and files")
    h.stop(program)

    # The body waits in the bin under the note's title and the time of the delete.
    [info] = os.listdir(os.path.join(h.TRASH, "info"))
    assert re.fullmatch(r"Compras \d{4}-\d\d-\d\d \d\dh\d\dm\d\d\.vmb\.trashinfo", info), info
    with open(os.path.join(h.TRASH, "info", info), encoding="utf-8") as f:
        original = urllib.parse.unquote(re.search(r"^Path=(.*)$", f.read(), re.M).group(1))
    assert os.path.realpath(os.path.dirname(original)) == os.path.realpath(h.DATA), original
    # Put back where it was, it is a note again at the next start, with its text.
    shutil.move(os.path.join(h.TRASH, "files", info[:-len(".trashinfo")]), original)
    program = h.start_and_wait(2)
    h.wait_for(h.balloons, timeout=10, what="the balloon naming the note")
    h.screenshot("note-back-from-bin.png")
    h.stop(program)
    assert sorted(h.read("indice.dat").strip(b",\r\n").split(b",")) == [b"1", b"2"]
    assert h.read("stickie2.vmb") == body
    assert h.ini_value("2", "Titulo") == "Compras" and not os.path.exists(original)


def hide_all_then_show_all():
    program = start_with([(1, 1500, 1500, ""), (2, 1500, 6000, ""), (3, 6000, 1500, "")])
    h.tray_menu("Notas")
    h.screenshot("readme-menu-bandeja.png", crop=(800, 560, 480, 240))
    h.choose(h.TRAY_MENU, "Notas", "Ocutar Todos")
    h.wait_for(lambda: h.note_windows() == [], what="every note hidden")
    h.tray_menu("Notas", "Mostrar Todos")
    h.wait_for(lambda: len(h.note_windows()) == 3, what="every note shown")
    h.stop(program)


def opacity_and_classic_colours_are_stored():
    program = start_with([(1, 1500, 1500, "Color1=11829830\r\nColor2=14474460\r\n")])
    note = h.note_windows()[0]
    h.note_menu(note, "Aparência", "Transparência", "30 %")
    h.wait_for(lambda: h.ini_value("1", "Opacidade") == "3", what="Opacidade=3")
    assert h.band_and_opacity(note)[1] == 76
    h.screenshot("custom-colour-30-percent.png")

    h.note_menu(note, "Aparência", "Classico")
    h.wait_for(lambda: h.ini_value("1", "Opacidade") == "10", what="Opacidade=10")
    assert h.ini_value("1", "Color1") == "7595493"
    assert h.ini_value("1", "Color2") == "8912895"
    assert h.band_and_opacity(note)[1] == 255
    h.stop(program)


def fechar_saves_every_note_and_exits():
    program = start_with([(1, 1500, 1500, ""), (2, 1500, 6000, "Visivel=False\r\n")])
    h.tray_menu("Fechar")
    assert program.wait(timeout=20) == 1
    assert h.read("indice.dat") == b",2,1,\r\n"
    assert h.ini_value("2", "Visivel") == "False"
    assert h.ini_value("1", "Visivel") == "True"
    assert h.read("stickie1.vmb") == b"{\\rtf1\\ansi corpo da nota 1}"  # untouched, as it was


def help_opens_and_a_missing_file_is_explained():
    listing = subprocess.run(["enum_chmLib", os.path.join(h.DIST, "Ajuda.chm")],
                             capture_output=True, text=True).stdout
    for topic in ("velumbrino.htm", "suporte.htm", "alarme.htm", "mostrar.htm",
                  "excluir_notas.htm"):
        assert f"/{topic}" in listing, topic

    program = start_with([])
    h.tray_menu("Obtendo Suporte...")
    h.wait_for(lambda: h.window_named("Ajuda do Velumbrino"), what="the help viewer")
    h.close("Ajuda do Velumbrino")
    h.stop(program)

    # The same program in a folder without its help file.
    with tempfile.TemporaryDirectory(dir=os.path.dirname(h.DIST)) as folder:
        shutil.copy(h.EXE, folder)
        program = h.start(exe=os.path.join(folder, "Velumbrino.exe"))
        h.wait_ready()
        h.tray_menu("Ajuda")
        box = h.wait_for(lambda: h.window_named("^Ajuda do Windows$"), what="the message")
        h.screenshot("help-missing.png")
        h.press(box, "key", "Return")
        h.wait_for(lambda: h.window_named("^Ajuda do Windows$") is None, what="its close")
        assert h.window_named("Ajuda do Velumbrino") is None
        h.stop(program)


if __name__ == "__main__":
    h.main([tray_double_click_creates_one_note_unless_a_menu_or_box_is_open,
            key_combination_makes_one_note_per_press,
            delete_asks_and_only_yes_deletes_and_the_bin_gives_the_note_back,
            hide_all_then_show_all,
            opacity_and_classic_colours_are_stored,
            fechar_saves_every_note_and_exits,
            help_opens_and_a_missing_file_is_explained])
