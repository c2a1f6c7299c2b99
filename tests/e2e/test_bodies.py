"""Bodies written by other programs: a body the user did not change keeps its exact bytes,
and a body that brings Wine's RichEdit down is set aside at the next start, not loaded again."""
import os
import time

import harness as h

# One declared cell and four cells: Wine's RichEdit fails an assertion and aborts on it.
CRASHING_BODY = b"{\\rtf1\\ansi\\trowd\\cellx1000 a\\cell b\\cell c\\cell d\\cell\\row}\r\n"
# A table, a field and a Greek letter: RichEdit shows them, but its own save cannot write
# them back as they were.
FOREIGN_BODY = (b"{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\r\n"
                b"\\f0\\fs20 antes da tabela\\par\r\n"
                b"\\trowd\\cellx1500\\cellx3000 um\\cell dois\\cell\\row\r\n"
                b"\\pard {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}} alfa \\u945?\\par\r\n"
                b"}\r\n")


def notes_config(count, x=1500):
    return b"".join(b"[%d]\r\nTop=%d\r\nLeft=%d\r\nOnTop=False\r\nTitulo=nota %d\r\n"
                    % (n, 600 + 3000 * ((n - 1) // 3), x + 3000 * ((n - 1) % 3), n)
                    for n in range(1, count + 1))


def balloons():
    """Visible windows of Wine's desktop (explorer) other than the desktop and the taskbar."""
    return [w for w in h.program_windows("explorer.exe")
            if w[1:] != h.taskbar() and w[3:] != (1280, 800)]


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
    h.write("indice.dat", b",1,2,3,\r\n")
    h.write("config.cfg", notes_config(3))
    h.write("stickie1.vmb", b"{\\rtf1\\ansi primeira\\par}\r\n")
    h.write("stickie2.vmb", CRASHING_BODY)
    h.write("stickie3.vmb", b"{\\rtf1\\ansi terceira\\par}\r\n")
    program = start_until_notes_or_exit(3)
    if program is not None:
        # This Wine loads the body after all: nothing is set aside or rewritten. The fall is
        # then played by leaving the marker as a load that never returned leaves it.
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
    h.wait_for(balloons, timeout=10, what="the tray balloon")
    h.screenshot("body-set-aside.png")
    assert h.read("carregando.dat") == b"separada=2\r\n"
    # The set-aside body takes no typing.
    windows = sorted(h.note_windows(), key=lambda w: w[1])
    _, x, y, _, _ = windows[1]
    h.xdotool("mousemove", x + 90, y + 120, "click", 1)
    h.xdotool("type", "--delay", "20", "nao entra")
    time.sleep(3)
    h.stop(program)
    assert h.read("stickie2.vmb") == CRASHING_BODY
    assert h.ini_value("2", "Titulo") == "nota 2"
    assert sorted(h.read("indice.dat").strip(b",\r\n").split(b",")) == [b"1", b"2", b"3"]

    # Later starts leave it aside too, and say nothing more.
    program = start_until_notes_or_exit(3)
    assert program is not None
    h.wait_ready()  # a balloon would be up by then
    assert balloons() == []
    h.stop(program)
    assert h.read("stickie2.vmb") == CRASHING_BODY
    assert h.read("carregando.dat") == b"separada=2\r\n"


def untouched_foreign_body_keeps_its_bytes_until_typed_in():
    h.write("indice.dat", b",1,2,\r\n")
    h.write("config.cfg", notes_config(2))
    h.write("stickie1.vmb", FOREIGN_BODY)
    h.write("stickie2.vmb", b"{\\rtf1\\ansi outra\\par}\r\n")
    before = h.snapshot()["stickie1.vmb"]
    program = start_until_notes_or_exit(2)
    assert program is not None
    h.stop(program)  # its save would write a body it took for changed
    assert h.snapshot()["stickie1.vmb"] == before, "an untouched body must not be rewritten"
    assert h.read("stickie2.vmb") == b"{\\rtf1\\ansi outra\\par}\r\n"
    assert not os.path.exists(os.path.join(h.DATA, "carregando.dat"))

    program = start_until_notes_or_exit(2)
    _, x, y, _, _ = min(h.note_windows(), key=lambda w: w[1])
    h.xdotool("mousemove", x + 90, y + 150, "click", 1)
    h.xdotool("key", "ctrl+End")
    h.xdotool("type", "--delay", "30", " digitado")
    h.wait_for(lambda: b"digitado" in h.read("stickie1.vmb"), timeout=10, what="the autosave")
    h.stop(program)
    body = h.read("stickie1.vmb")
    assert b"digitado" in body and b"antes da tabela" in body
    assert h.read("stickie2.vmb") == b"{\\rtf1\\ansi outra\\par}\r\n"


if __name__ == "__main__":
    h.main([crashing_body_is_set_aside_and_kept_as_it_was,
            untouched_foreign_body_keeps_its_bytes_until_typed_in])
