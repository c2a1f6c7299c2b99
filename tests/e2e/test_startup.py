"""Start-up, single instance, uninstall and the first-run files of the real program."""
import os

import harness as h


def first_run_seeds_the_data_folder_byte_for_byte():
    program = h.start()
    h.wait_for(lambda: all(os.path.exists(os.path.join(h.DATA, name)) for name in
                           ("indice.dat", "config.cfg", "stickie1.vmb")), what="first-run files")
    assert h.read("indice.dat") == b",1,\r\n"
    assert h.read("config.cfg") == (b"[Indice]\rTotalForms = 1\r[1]\rTop = 5175\rLeft = 8760\r"
                                    b"Tag = 1\rTitulo=Bem Vindo !\rVisivel = True\rOnTop = True\r\n")
    body = h.read("stickie1.vmb")
    assert body.startswith(b"{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1046{\\fonttbl")
    assert b"\\par \\cf2\\i\\f1\\fs20 Ola " + h.USER.encode() + b" agora voc\\'ea tem" in body
    assert body.endswith(b"\r\\par \\f2\r\\par }\r\n")
    assert program.poll() is None, "the program must keep running"


def second_start_exits_at_once_touching_nothing():
    program = h.start_and_wait(1)  # its first-run files written
    before = h.snapshot()
    code = h.run()
    assert code == 1, code
    assert h.snapshot() == before
    assert program.poll() is None
    code = h.run("Uninstall")  # not the exact argument: a normal (second) start
    assert code == 1 and program.poll() is None


def uninstall_closes_the_running_instance_through_its_shutdown():
    h.write("indice.dat", b",1,2,3,\r\n")
    h.write("config.cfg", b"[Indice]\r\nTotalForms=3\r\n")
    program = h.start()
    h.wait_for(lambda: len(h.note_windows()) == 3, what="three notes")
    code = h.run("uninstall")
    assert code == 1
    assert program.wait(timeout=20) == 1
    assert h.read("indice.dat") == b",3,2,1,\r\n"
    assert h.ini_value("Indice", "TotalForms") == "3"
    assert h.ini_value("2", "Tag") == "2"


def uninstall_with_nothing_running_does_nothing():
    code = h.run("uninstall")
    assert code == 1
    assert not os.path.exists(h.DATA)


def existing_empty_data_folder_is_not_a_first_run():
    os.makedirs(h.DATA)
    program = h.start()
    h.wait_ready()
    assert program.poll() is None
    assert os.listdir(h.DATA) == []
    assert h.note_windows() == []


def logging_off_saves_like_a_close():
    h.seed([(1, 1500, 1500, ""), (2, 1500, 6000, "")], bodies=False)
    program = h.start()
    h.wait_for(lambda: len(h.note_windows()) == 2, what="two notes")
    out = h.window_tool("logoff", " Velumbrino ")
    assert "query=1" in out, out
    assert program.wait(timeout=20) == 1
    assert h.read("indice.dat") == b",2,1,\r\n"
    assert h.ini_value("2", "Left") == "6000"


def uninstall_during_restore_loses_no_note():
    numbers = list(range(1, 61))
    h.seed([(n, 1500, 1500, "") for n in numbers], bodies=False)
    index = h.read("indice.dat")
    program = h.start()
    h.wait_for(lambda: len(h.note_windows()) >= 1, what="the restore to begin")
    code = h.run("uninstall")
    assert code == 1 and program.wait(timeout=30) == 1
    assert h.read("indice.dat") == index
    for n in numbers:
        assert h.ini_value(str(n), "Top") == "1500", n


if __name__ == "__main__":
    h.main([first_run_seeds_the_data_folder_byte_for_byte,
            second_start_exits_at_once_touching_nothing,
            uninstall_closes_the_running_instance_through_its_shutdown,
            uninstall_with_nothing_running_does_nothing,
            existing_empty_data_folder_is_not_a_first_run,
            logging_off_saves_like_a_close,
            uninstall_during_restore_loses_no_note])
