"""Unchanged foreign bodies keep their bytes; one that brings RichEdit down is set aside."""
import os
import subprocess
import time

import harness as h

# One declared cell and four cells: Wine's RichEdit fails an assertion and aborts on it.
CRASHING_BODY = b"{\\rtf1\\ansi\\trowd\\cellx1000 a\\cell b\\cell c\\cell d\\cell\\row}\r\n"
# A table, a field and a Greek letter: RichEdit shows them but cannot save them back as they were.
FOREIGN_BODY = (b"{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\r\n"
                b"\\f0\\fs20 antes da tabela\\par\r\n"
                b"\\trowd\\cellx1500\\cellx3000 um\\cell dois\\cell\\row\r\n"
                b"\\pard {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}} alfa \\u945?\\par\r\n"
                b"}\r\n")


def seed_notes(count):
    """Notes 1 to count in rows of three, titled "nota n", with small bodies, returned."""
    h.seed([(n, 600 + 3000 * ((n - 1) // 3), 1500 + 3000 * ((n - 1) % 3), f"Titulo=nota {n}\r\n")
            for n in range(1, count + 1)])
    return {n: h.read(f"stickie{n}.vmb") for n in range(1, count + 1)}


def start_until_notes_or_exit(count, timeout=30):
    """Starts the program; returns it once `count` notes show, or None when it died first."""
    program = h.start()
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if program.poll() is not None:
            return None
        if len(h.note_windows()) >= count:
            time.sleep(0.5)
            return program
        time.sleep(0.3)
    raise AssertionError(f"neither {count} notes nor an exit")


def crashing_body_is_set_aside_and_kept_as_it_was():
    seed_notes(3)
    h.write("stickie2.vmb", CRASHING_BODY)
    program = start_until_notes_or_exit(3)
    if program is not None:
        # This Wine survives the body: the fall is played by leaving the marker as a hung load does.
        print("this Wine's RichEdit survives the table row: the fall is simulated", flush=True)
        h.stop(program)
        assert h.read("stickie2.vmb") == CRASHING_BODY
        assert not os.path.exists(os.path.join(h.DATA, "carregando.dat"))
        h.write("carregando.dat", b"carregando=2\r\n")
    # The load of note 2 never returned: the marker names it.
    assert h.read("carregando.dat") == b"carregando=2\r\n"
    h.kill_all()

    program = start_until_notes_or_exit(3)
    assert program is not None, "the second start died too"
    h.wait_for(h.balloons, timeout=10, what="the tray balloon")
    h.screenshot("body-set-aside.png")
    assert h.read("carregando.dat") == b"separada=2\r\n"
    # The set-aside body takes no typing.
    windows = sorted(h.note_windows(), key=lambda w: w[1])
    h.type_in(windows[1], "nao entra")
    h.open_note_menu(windows[1])  # the keys before the click are handled by then
    h.xdotool("key", "Escape")
    h.wait_for(lambda: not h.menus(), what="the menu to close")
    h.stop(program)
    assert h.read("stickie2.vmb") == CRASHING_BODY
    assert h.ini_value("2", "Titulo") == "nota 2"
    assert sorted(h.read("indice.dat").strip(b",\r\n").split(b",")) == [b"1", b"2", b"3"]

    # Later starts leave it aside too, and say nothing more.
    program = start_until_notes_or_exit(3)
    assert program is not None
    h.wait_ready()  # a balloon would be up by then
    assert h.balloons() == []
    h.stop(program)
    assert h.read("stickie2.vmb") == CRASHING_BODY
    assert h.read("carregando.dat") == b"separada=2\r\n"


def untouched_foreign_body_keeps_its_bytes_until_typed_in():
    bodies = seed_notes(2)
    h.write("stickie1.vmb", FOREIGN_BODY)
    before = h.snapshot()["stickie1.vmb"]
    program = start_until_notes_or_exit(2)
    assert program is not None
    h.stop(program)  # its save would write a body it took for changed
    assert h.snapshot()["stickie1.vmb"] == before, "an untouched body must not be rewritten"
    assert h.read("stickie2.vmb") == bodies[2]
    assert not os.path.exists(os.path.join(h.DATA, "carregando.dat"))

    program = start_until_notes_or_exit(2)
    h.type_in(min(h.note_windows(), key=lambda w: w[1]), " digitado", dy=150, first="ctrl+End")
    h.wait_for(lambda: b"digitado" in h.read("stickie1.vmb"), timeout=10, what="the autosave")
    h.stop(program)
    body = h.read("stickie1.vmb")
    assert b"digitado" in body and b"antes da tabela" in body
    assert h.read("stickie2.vmb") == bodies[2]


def close_during_start_up_sets_no_note_aside():
    bodies = seed_notes(60)
    program = h.start()
    h.wait_for(lambda: len(h.note_windows()) >= 12, interval=0.05, what="12 notes shown")
    h.stop(program)  # the uninstaller's close request, while notes are still restored
    assert not os.path.exists(os.path.join(h.DATA, "carregando.dat"))

    program = h.start_and_wait(60)
    assert h.balloons() == [], "no note may be reported as set aside"
    h.stop(program)
    assert not os.path.exists(os.path.join(h.DATA, "carregando.dat"))
    assert {n: h.read(f"stickie{n}.vmb") for n in bodies} == bodies


def body_locked_at_start_is_read_only_and_loaded_next_time():
    bodies = seed_notes(2)
    release = h.hold("stickie2.vmb")
    try:
        program = start_until_notes_or_exit(2)
        assert program is not None
        h.type_in(sorted(h.note_windows(), key=lambda w: w[1])[1], "digitado agora")
        h.screenshot("body-locked.png")
    finally:
        release()
    time.sleep(2.5)  # past the autosave's pause: nothing typed may have gone into the file
    assert h.read("stickie2.vmb") == bodies[2]
    h.stop(program)
    assert h.read("stickie2.vmb") == bodies[2]
    assert h.read("stickie1.vmb") == bodies[1]

    program = start_until_notes_or_exit(2)
    h.type_in(sorted(h.note_windows(), key=lambda w: w[1])[1], " digitado depois",
              first="ctrl+End")
    h.wait_for(lambda: b"digitado depois" in h.read("stickie2.vmb"), timeout=10,
               what="the autosave of the body loaded this time")
    h.stop(program)
    assert b"corpo da nota 2" in h.read("stickie2.vmb")


def held_index_at_start_is_waited_for_and_nothing_is_touched():
    bodies = seed_notes(2)
    before = h.snapshot()
    release = h.hold("indice.dat")
    try:
        # Cancel: the program ends without reading or writing a note.
        program = h.start()
        h.answer("Escape", what="the question about the held index", shot="index-held.png")
        assert program.wait(timeout=20) == 1
        assert h.snapshot() == before
        assert not os.path.exists(os.path.join(h.DATA, "Backup"))
        # Retry once the other program let go: every note is there.
        program = h.start()
        box = h.wait_for(h.message_boxes, what="the question about the held index")[0]
    finally:
        release()
    h.press(box, "key", "Return")
    h.wait_for(lambda: len(h.note_windows()) == 2, what="both notes after the retry")
    h.stop(program)
    assert h.read("indice.dat") in (b",1,2,\r\n", b",2,1,\r\n")
    assert {n: h.read(f"stickie{n}.vmb") for n in bodies} == bodies


if __name__ == "__main__":
    h.main([crashing_body_is_set_aside_and_kept_as_it_was,
            untouched_foreign_body_keeps_its_bytes_until_typed_in,
            close_during_start_up_sets_no_note_aside,
            body_locked_at_start_is_read_only_and_loaded_next_time,
            held_index_at_start_is_waited_for_and_nothing_is_touched])
