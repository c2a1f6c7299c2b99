"""Damage, an unwritable folder, locks and kills: told once, retried, no stored note lost."""
import os
import random
import re
import subprocess
import time

import harness as h

HELPER = os.environ["VELUMBRINO_FAULT_HELPER"]
KILLS = 25
NOTES = 200
# Wine's RichEdit loads about 0.5 MB of RTF a second: VELUMBRINO_BIG_BODY_MB=50 runs it whole.
BIG_BODY_MB = int(os.environ.get("VELUMBRINO_BIG_BODY_MB", "4"))


def set_read_only(path, read_only):
    """chmod for a normal user; root writes through modes, so it gets the immutable flag."""
    if os.geteuid() == 0:
        subprocess.run(["chattr", "+i" if read_only else "-i", path], check=True)
    else:
        os.chmod(path, 0o555 if read_only else 0o755)


def type_into_note(text):
    _, x, y, _, _ = h.note_windows()[0]
    h.xdotool("mousemove", x + 90, y + 120, "click", 1)
    time.sleep(0.3)  # the click gives the body the keyboard first, even on a busy machine
    h.xdotool("type", "--delay", "20", text)


def one_note():
    """Note 1 with a body that ends in an empty line: a click below the text types there."""
    h.seed([(1, 1500, 1500, "Titulo=nota\r\n")], bodies=False)
    h.write("stickie1.vmb", b"{\\rtf1\\ansi inicio\\par}\r\n")


def damaged_bodies_leave_the_other_notes_whole():
    h.seed([(n, 600 * n, 1500, "") for n in range(1, 6)])
    h.write("stickie1.vmb", b"texto simples, sem RTF\r\n\x00\x01\xff")
    h.write("stickie2.vmb", b"{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 comeco cortado {\\b ne")
    h.write("stickie3.vmb", b"")
    with open(os.path.join(h.DATA, "stickie4.vmb"), "wb") as f:
        f.write(b"{\\rtf1\\ansi grande ")
        line = b"0123456789 abcdefghij " * 46 + b"\\par\r\n"
        f.write(line * (BIG_BODY_MB * 1024 * 1024 // len(line)))
        f.write(b"fim}\r\n")
    h.write("stickie5.vmb", b"{\\rtf1\\ansi nota boa\\par}\r\n")
    program = h.start_and_wait(5, timeout=60 + 10 * BIG_BODY_MB)
    assert program.poll() is None
    h.stop(program)
    assert h.read("indice.dat") == b",5,4,3,2,1,\r\n"
    assert b"nota boa" in h.read("stickie5.vmb")
    assert b"texto simples, sem RTF" in h.read("stickie1.vmb")
    assert b"comeco cortado" in h.read("stickie2.vmb")
    big = h.read("stickie4.vmb")
    assert len(big) > BIG_BODY_MB * 1000 * 1000 and b"fim" in big[-200:], len(big)


def read_only_folder_is_reported_once_and_retried():
    one_note()
    program = h.start_and_wait(1)
    set_read_only(h.DATA, True)
    try:
        type_into_note("primeiro")
        h.answer("Return", timeout=15, shot="save-failed.png")
        assert program.poll() is None
        type_into_note(" segundo")
        time.sleep(5)  # the autosave fails again, silently this time
        assert h.message_boxes() == []
    finally:
        set_read_only(h.DATA, False)
    type_into_note(" terceiro")
    h.wait_for(lambda: b"terceiro" in h.read("stickie1.vmb"), timeout=15, what="the retried save")
    assert b"primeiro" in h.read("stickie1.vmb")
    assert program.poll() is None
    h.stop(program)


def unwritable_documents_at_first_start_is_reported():
    set_read_only(h.DOCUMENTS, True)
    try:
        program = h.start()
        h.answer("Return")
        assert program.poll() is None
    finally:
        set_read_only(h.DOCUMENTS, False)
    h.stop(program)  # the shutdown save tries again and now creates the folder
    assert h.read("indice.dat") == b",\r\n"


def locked_settings_file_is_reported_and_retried():
    one_note()
    program = h.start_and_wait(1)
    release = h.hold("config.cfg")
    try:
        type_into_note("trancado")
        h.answer("Return", timeout=15)
        assert program.poll() is None
    finally:
        release()
    type_into_note(" livre")
    h.wait_for(lambda: b"livre" in h.read("stickie1.vmb"), timeout=15, what="the retried save")
    h.stop(program)
    assert h.ini_value("1", "Titulo") == "nota"


def body_is_complete(data, n):
    return (data.startswith(b"{\\rtf") and data.rstrip(b"\r\n\x00").endswith(b"}")
            and data.count(b"{") == data.count(b"}") and b"nota %d " % n in data)


def check_after_kill(kill):
    """Every file old or new and complete; every note still named by the index."""
    index = h.read("indice.dat")
    assert re.fullmatch(rb",(\d+,)+\r\n", index), (kill, index[:80])
    assert sorted(int(n) for n in index.strip(b",\r\n").split(b",")) == list(range(1, NOTES + 1))
    config = h.read("config.cfg")
    assert config.endswith(b"\r\n"), kill
    titles = {h.ini_value(str(n), "Titulo", config) for n in range(1, NOTES + 1)}
    assert len(titles) == 1, (kill, titles)  # one write of the file: one round's titles
    for n in range(1, NOTES + 1):
        assert body_is_complete(h.read("stickie%d.vmb" % n), n), (kill, n)


def seed_many_notes():
    h.seed([(n, 1500 + n % 20 * 150, 1500 + n // 20 * 900, "Titulo=inicio\r\n")
            for n in range(1, NOTES + 1)], b"[Indice]\r\nTotalForms=%d\r\n" % NOTES, bodies=False)
    for n in range(1, NOTES + 1):
        h.write("stickie%d.vmb" % n,
                b"{\\rtf1\\ansi nota %d \\par primeiro paragrafo da nota\\par segundo "
                b"paragrafo, um pouco mais longo que o primeiro\\par}\r\n" % n)


def kills_while_saving_200_notes_lose_nothing():
    seed_many_notes()
    rng = random.Random(2024)
    folder = "Z:" + h.DATA.replace("/", "\\") + "\\"
    log = os.path.join(os.path.dirname(h.DIST), "fault_helper.log")
    saved_rounds = 0
    # A helper saves in a loop through the program's own code, without windows, so the kills fit
    # in a few minutes; the program itself with its real note windows is killed once more below.
    for kill in range(KILLS):
        with open(log, "wb") as out:
            helper = subprocess.Popen([os.environ["WINE"], HELPER, "save-loop", folder], stdout=out,
                                      stderr=subprocess.DEVNULL)
        # Once a round is done the helper does nothing but save: every kill lands among writes.
        h.wait_for(lambda: b"round" in open(log, "rb").read(), timeout=60, interval=0.1,
                   what="the helper's first save")
        time.sleep(rng.uniform(0.0, 0.5))
        h.kill_all()
        helper.wait(timeout=10)
        saved_rounds += open(log, "rb").read().count(b"saved")
        check_after_kill(kill)
    assert saved_rounds > 0, "the kills must land among saves"
    # Killed during its shutdown save (over within half a second of the close here), then started.
    program = h.start_and_wait(NOTES, timeout=90)
    subprocess.Popen([h.WINE_RUN, h.EXE, "uninstall"], stdout=subprocess.DEVNULL,
                     stderr=subprocess.DEVNULL)
    time.sleep(rng.uniform(0.1, 0.6))
    h.kill_all()
    program.wait(timeout=10)
    check_after_kill(KILLS)
    program = h.start_and_wait(NOTES, timeout=90)
    assert len(h.note_windows()) == NOTES
    h.stop(program)
    check_after_kill(KILLS + 1)
    print(f"{KILLS + 1} kills, {saved_rounds} complete save rounds between them", flush=True)


if __name__ == "__main__":
    h.main([damaged_bodies_leave_the_other_notes_whole,
            read_only_folder_is_reported_once_and_retried,
            unwritable_documents_at_first_start_is_reported,
            locked_settings_file_is_reported_and_retried,
            kills_while_saving_200_notes_lose_nothing])
