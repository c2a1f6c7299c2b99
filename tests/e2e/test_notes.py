"""Note windows of the real program: placement, pin, drag, typing, autosave, restart."""
import time

import harness as h

PIN = (153, 12)  # centre of the pin button inside the note (2175, 60 twips + half its size)


def start_with_one_unpinned_note():
    """Note 1, unpinned, at 100, 100 pixels."""
    h.seed([(1, 1500, 1500, "")], bodies=False)
    return h.start_and_wait(1)


def is_above(window):
    return h.band_and_opacity(window)[0]


def welcome_note_is_pinned_at_its_place():
    program = h.start_and_wait(1)
    note = h.note_windows()[0]
    _, x, y, w, hgt = note
    assert (x, y) == (584, 345), (x, y)
    assert (w, hgt) == h.NOTE_SIZE, (w, hgt)
    assert is_above(note)
    h.screenshot("welcome-note.png")
    h.screenshot("readme-nota.png", crop=(x - 16, y - 16, w + 32, hgt + 32))
    h.stop(program)
    assert h.ini_value("1", "Titulo") == "Bem Vindo !"
    assert h.ini_value("1", "Top") == "5175" and h.ini_value("1", "Left") == "8760"


def hand_written_notes_come_back_as_stored():
    h.write("indice.dat", b",1,2,3,4,\r\n")
    h.write("config.cfg", b"[Indice]\r\nTotalForms=4\r\n"
                          b"[1]\r\nTop=1500\r\nLeft=1500\r\nTitulo=Compras\r\nOnTop=false\r\n"
                          b"[2]\r\nTop=1500\r\nLeft=6000\r\nVisivel=False\r\n"
                          b"[3]\r\nTop=4500\r\nLeft=6000\r\nOnTop=False\r\nColor1=11829830\r\n"
                          b"Color2=14474460\r\n"
                          b"[4]\r\nTop=-60000\r\nLeft=300000\r\nOnTop=False\r\n")  # off screen
    program = h.start_and_wait(3)
    windows = sorted(h.note_windows(), key=lambda w: w[1] + w[2])
    assert [(w[1], w[2]) for w in windows[:2]] == [(100, 100), (400, 300)], windows
    assert is_above(windows[0])       # "false" in lower case still pins
    assert not is_above(windows[1])
    _, x, y, w, hgt = windows[2]  # brought onto the screen
    assert 0 <= x and x + w <= 1280 and 0 <= y and y + hgt <= 800, (x, y)
    h.screenshot("restored-notes.png")
    h.stop(program)
    assert h.ini_value("2", "Visivel") == "False"
    assert h.read("indice.dat") == b",4,3,2,1,\r\n"
    # The stored place changes only with the next save, here the exit save.
    assert int(h.ini_value("4", "Left")) < 1280 * 15


def pin_drag_and_typing_survive_restarts_and_a_kill():
    program = start_with_one_unpinned_note()
    note = h.note_windows()[0]
    _, x, y, _, _ = note
    assert not is_above(note)
    h.xdotool("mousemove", x + PIN[0], y + PIN[1], "click", 1)
    h.wait_for(lambda: h.ini_value("1", "OnTop") == "True", what="OnTop=True")
    assert is_above(note)
    h.screenshot("pinned-hover.png")
    h.xdotool("mousemove", x + PIN[0], y + PIN[1], "click", 1)
    h.wait_for(lambda: h.ini_value("1", "OnTop") == "False", what="OnTop=False")

    h.xdotool("mousemove", x + 60, y + 10, "mousedown", 1)
    for step in range(1, 11):
        h.xdotool("mousemove", x + 60 + 20 * step, y + 10 + 15 * step)
        time.sleep(0.05)
    h.xdotool("mouseup", 1)
    x, y = x + 200, y + 150
    h.wait_for(lambda: h.note_windows()[0][1:3] == (x, y), what="the note to move")
    h.type_in(h.note_windows()[0], "leite e pao", dy=100)
    h.stop(program)
    assert (h.ini_value("1", "Left"), h.ini_value("1", "Top")) == (str(x * 15), str(y * 15))
    assert b"leite e pao" in h.read("stickie1.vmb")

    program = h.start_and_wait(1)
    note = h.note_windows()[0]
    assert note[1:3] == (x, y) and not is_above(note)
    h.type_in(note, "ligar para a Ana", dy=150)
    h.wait_for(lambda: b"ligar para a Ana" in h.read("stickie1.vmb"), timeout=10,
               what="the autosave")
    h.kill_all()
    program = h.start_and_wait(1)
    h.stop(program)
    body = h.read("stickie1.vmb")
    assert b"leite e pao" in body and b"ligar para a Ana" in body


if __name__ == "__main__":
    h.main([welcome_note_is_pinned_at_its_place,
            hand_written_notes_come_back_as_stored,
            pin_drag_and_typing_survive_restarts_and_a_kill])
