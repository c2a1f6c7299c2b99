"""The note dialogs of the real program: title, insert date and time, show and delete notes."""
import os
import re

import harness as h

ALL_BUTTON = (137, 134)  # centre of "&Todas", 1485, 1845 twips


def start_with(notes):
    """Notes (number, top twips, left twips, title)."""
    h.seed([(n, top, left, f"Titulo={title}\r\n") for n, top, left, title in notes])
    return h.start_and_wait(len(notes))


def note_at(x, y):
    return [w for w in h.note_windows() if (w[1], w[2]) == (x, y)][0]


def open_dialog(title):
    """Waits for the dialog to take the keys and puts the pointer on it, where keys go."""
    wid = h.wait_for(lambda: h.window_named(f"^{title}$"), what=f"the dialog {title}")
    _, x, y, w, hgt = h.geometry(wid)
    h.xdotool("mousemove", x + w // 2, y + 8)
    h.wait_foreground(wid)
    return wid


def show_dialog():
    h.tray_menu("Notas", "Mostra Selecionadas...")
    open_dialog("Mostrar Notas")


def keys(*names):
    h.xdotool("key", "--delay", 100, *names)


def title_dialog_limits_typing_and_ok_sets_the_title():
    program = start_with([(1, 1500, 1500, "Lista"), (2, 1500, 6000, "Outra")])
    h.note_menu(note_at(100, 100), "Título...")
    dialog = h.geometry(open_dialog("Título da Nota"))
    h.screenshot("title-dialog.png")
    # Into the text box (165, 255 twips), everything selected, then 30 characters typed.
    h.click_in(dialog, 60, 27)
    keys("ctrl+a")
    h.xdotool("type", "--delay", "30", "abcdefghijklmnopqrstuvwxyz1234")
    h.screenshot("title-dialog-typed.png")
    # "Ok" at 615, 1300 twips.
    h.click_in(dialog, 79, 98)
    h.wait_for(lambda: h.window_named("^Título da Nota$") is None, what="the dialog to close")

    # Cancelled on the other note: its title stays.
    h.note_menu(note_at(400, 100), "Título...")
    open_dialog("Título da Nota")
    keys("Tab", "Tab", "Tab", "Tab", "ctrl+a", "x", "Escape")
    h.wait_for(lambda: h.window_named("^Título da Nota$") is None, what="the dialog to close")
    h.stop(program)
    assert h.ini_value("1", "Titulo") == "abcdefghijklmnopqrstuvw", h.ini_value("1", "Titulo")
    assert h.ini_value("2", "Titulo") == "Outra"


def insert_replaces_the_selection_with_the_chosen_sample():
    program = start_with([(1, 1500, 1500, "")])
    note = note_at(100, 100)
    h.xdotool("mousemove", 190, 200, "click", 1)
    keys("ctrl+a")
    h.xdotool("type", "--delay", "30", "bom dia mundo")
    keys(*["shift+Left"] * 5)  # "mundo" selected
    h.note_menu(note, "Inserir", "Data e hora...")
    open_dialog("Data e hora")
    h.screenshot("insert-date-time.png")
    keys("Home", *["Down"] * 10, "Return")  # entry 11: "hh:mm"
    h.wait_for(lambda: h.window_named("^Data e hora$") is None, what="the dialog to close")
    h.xdotool("mousemove", 190, 200)
    h.xdotool("type", "!")  # lands after the inserted text
    h.stop(program)
    body = h.read("stickie1.vmb")
    assert re.search(rb"bom dia \d\d:\d\d!", body), body
    assert b"mundo" not in body


def show_dialog_hides_the_unselected_notes():
    program = start_with([(1, 1500, 1500, "Um"), (2, 1500, 6000, ""), (3, 6000, 1500, "  ")])
    show_dialog()
    h.screenshot("show-notes.png")
    # The list is last in the tab order; all visible notes start selected; 1 and 2 are unselected.
    hide_first_two = ["shift+Tab", "space", "Down", "space", "alt+s"]
    keys(*hide_first_two[:-1])
    h.screenshot("show-notes-chosen.png")
    keys(hide_first_two[-1])
    h.wait_for(lambda: len(h.note_windows()) == 1, what="two notes hidden")
    assert [w[1:3] for w in h.note_windows()] == [(100, 400)]

    # "&Ajuda" opens the topic and keeps the dialog; "&Todas" shows every note again.
    show_dialog()
    keys("alt+a")
    h.wait_for(lambda: h.window_named("Ajuda do Velumbrino"), what="the help viewer")
    h.close("Ajuda do Velumbrino")
    dialog = h.wait_for(lambda: [w for w in h.menus() if 300 < w[3] < 400], what="the dialog")
    h.click_in(dialog[0], *ALL_BUTTON)  # still open
    h.wait_for(lambda: len(h.note_windows()) == 3, what="every note shown")
    show_dialog()
    keys(*hide_first_two)
    h.wait_for(lambda: len(h.note_windows()) == 1, what="two notes hidden")
    h.stop(program)
    assert h.ini_value("1", "Visivel") == "False" and h.ini_value("2", "Visivel") == "False"
    assert h.ini_value("3", "Visivel") != "False"


def delete_dialog_deletes_chosen_notes_then_all_but_user_files():
    program = start_with([(1, 1500, 1500, "Um"), (2, 1500, 6000, "Dois"),
                          (3, 6000, 1500, "Tres")])
    body_two = h.read("stickie2.vmb")
    h.write("lista.txt", b"minha lista")
    h.tray_menu("Notas", "Excluir")
    open_dialog("Excluir Notas...")
    keys("shift+Tab", "space", "Down", "Down", "space")
    h.screenshot("delete-notes.png")
    keys("alt+s")
    h.wait_for(lambda: len(h.note_windows()) == 1, what="two notes deleted")
    assert [w[1:3] for w in h.note_windows()] == [(400, 100)]
    assert h.read("indice.dat") == b",2,\r\n"
    assert h.read("stickie2.vmb") == body_two
    assert not os.path.exists(os.path.join(h.DATA, "stickie1.vmb"))
    assert not os.path.exists(os.path.join(h.DATA, "stickie3.vmb"))
    assert h.message_boxes() == []  # no question asked

    h.tray_menu("Notas", "Excluir")
    open_dialog("Excluir Notas...")
    keys("alt+t")
    h.wait_for(lambda: h.note_windows() == [], what="every note deleted")
    # The user's own file and the daily backups stay.
    h.wait_for(lambda: sorted(os.listdir(h.DATA)) == ["Backup", "lista.txt"], timeout=5,
               what="only the user's file and the backups")
    h.tray_click(1, repeat=2)
    h.wait_for(lambda: len(h.note_windows()) == 1, what="a new note")
    assert h.read("indice.dat") == b",1,\r\n"
    h.stop(program)
    assert h.read("lista.txt") == b"minha lista"
    assert h.ini_value("Indice", "TotalForms") == "1"
    assert os.path.exists(os.path.join(h.DATA, "stickie1.vmb"))


if __name__ == "__main__":
    h.main([title_dialog_limits_typing_and_ok_sets_the_title,
            insert_replaces_the_selection_with_the_chosen_sample,
            show_dialog_hides_the_unselected_notes,
            delete_dialog_deletes_chosen_notes_then_all_but_user_files])
