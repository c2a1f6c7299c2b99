"""The program from the keyboard alone, and right clicks at a quick user's pace."""
import time

import harness as h


def keyboard_alone_makes_a_note_and_runs_its_menu():
    h.seed([])
    program = h.start_and_wait(0)
    # X sends keys to the window under the pointer: on the desktop, then on the note; no click.
    h.xdotool("mousemove", 1200, 20)
    h.press_new_note_keys()
    note = h.wait_for(lambda: h.note_windows(), what="the new note")[0]
    h.xdotool("mousemove", note[1] + note[3] // 2, note[2] + 4)
    time.sleep(0.5)
    h.xdotool("type", "--delay", "30", "compras")

    h.xdotool("key", "shift+F10")
    menu = h.wait_for(h.menus, what="the note menu")[0]
    # At the caret after a short word (the note's left half), not at the pointer mid-title; a menu
    # crossing the taskbar moves up, so only its height surely spans a point of the note.
    _, x, y, width, height = note
    assert x <= menu[1] < x + width // 2, (note, menu)
    assert menu[2] <= y + height and y <= menu[2] + menu[4], (note, menu)
    h.screenshot("note-menu-keyboard.png")
    h.xdotool("key", "Down", "Return")  # "Sempre Visível"
    h.wait_for(lambda: h.ini_value("1", "OnTop") == "True", what="OnTop=True")
    h.wait_for(lambda: not h.menus(), what="the menu to close")

    h.xdotool("type", "--delay", "30", " e pao")
    h.xdotool("key", "shift+F10")
    h.wait_for(h.menus, what="the note menu again")
    h.xdotool("key", "Down", "Down", "Return")
    h.wait_for(lambda: h.note_windows() == [], what="the note to hide")
    h.stop(program)
    assert h.ini_value("1", "Visivel") == "False" and h.ini_value("1", "OnTop") == "True"
    assert b"compras e pao" in h.read("stickie1.vmb")


def every_right_click_opens_the_menu():
    h.seed([(1, 1500, 1500, "")])
    program = h.start_and_wait(1)
    note = h.note_windows()[0]
    for _ in range(8):
        h.open_note_menu(note)
        h.xdotool("key", "Escape")
        h.wait_for(lambda: not h.menus(), interval=0.05, what="the menu to close")
        time.sleep(0.2)
    h.stop(program)


if __name__ == "__main__":
    h.main([keyboard_alone_makes_a_note_and_runs_its_menu,
            every_right_click_opens_the_menu])
