"""Font, print, load and save of the note menu, through the real dialogs of the program."""
import os
import shutil
import subprocess
import sys
import time

import harness as h

PRINTER = "VelumbrinoPDF"
C_LOCALE = dict(os.environ, LANG="C", LC_ALL="C")  # lpstat answers in the user's language


def start_with_one_note(body):
    """Note 1, unpinned, at 100, 100 pixels, with the given body file."""
    h.seed([(1, 1500, 1500, "Titulo=Compras\r\n")])
    h.write("stickie1.vmb", body)
    return h.start_and_wait(1)


def note_menu(*captions):
    h.note_menu(h.note_windows()[0], *captions)


def dialog():
    """The program's open dialog window: the widest of its windows that is not a note."""
    boxes = h.message_boxes()
    windows = [w for w in h.program_windows()
               if (w[3], w[4]) != h.NOTE_SIZE and w[3] > 250 and w[0] not in boxes]
    return max(windows, key=lambda w: w[3]) if windows else None


OK_BUTTON, CANCEL_BUTTON = (363, 19), (363, 45)  # of the font dialog, in its client area


def type_file_name(name):
    box = h.wait_for(dialog, what="the file dialog")
    h.wait_foreground(box[0])
    h.press(box[0], "type", "--delay", 40, name)
    h.xdotool("key", "Return")
    h.wait_for(lambda: dialog() is None, what="the file dialog to close")


def save_and_load_through_the_menu():
    program = start_with_one_note(b"{\\rtf1\\ansi linha um\\par linha dois \\'e7}")
    note_menu("Texto", "Salvar em Arquivo...")
    h.screenshot("save-dialog.png")
    type_file_name("saida")  # in Documents, where the dialog opens; ".txt" is added
    saved = os.path.join(h.DOCUMENTS, "saida.txt")
    data = h.wait_for(lambda: os.path.exists(saved) and open(saved, "rb").read(),
                      what="the saved file")
    assert data == b"linha um\r\nlinha dois \xe7\r\n", data

    # "saida" again: with ".txt" it names the file just written; No, the default, leaves it alone.
    written = os.stat(saved).st_mtime_ns
    note_menu("Texto", "Salvar em Arquivo...")
    type_file_name("saida")
    h.answer("Return")
    assert os.stat(saved).st_mtime_ns == written

    # A UTF-8 file replaces the whole body, only once the user agrees to replace its text.
    with open(os.path.join(h.DOCUMENTS, "entrada.txt"), "wb") as f:
        f.write("carregado do arquivo: ação\nsegunda linha\n".encode())
    for keys in (["Return"], ["shift+Tab", "space"]):  # No, then Yes
        note_menu("Texto", "Carregar do Arquivo...")
        type_file_name("entrada.txt")
        h.answer(*keys)
        if keys == ["Return"]:
            time.sleep(2.5)  # past the autosave's pause: the body must still be the old one
            assert b"linha um" in h.read("stickie1.vmb")

    # A binary file is refused with a message naming it; the body stays.
    with open(os.path.join(h.DOCUMENTS, "binario.txt"), "wb") as f:
        f.write(b"MZ\x00\x00\x01\x02\x03" * 100)
    note_menu("Texto", "Carregar do Arquivo...")
    type_file_name("binario.txt")
    h.answer("Return", what="the refusal", shot="load-refused.png")
    h.stop(program)

    body = h.read("stickie1.vmb")
    assert b"carregado do arquivo: a\\'e7\\'e3o" in body, body
    assert b"segunda linha" in body and b"linha um" not in body, body


PROGRAM_KEY = "HKCU\\Software\\Ovrask\\Velumbrino"


def registry_value(name):
    out = subprocess.run([os.environ["WINE"], "reg", "query", PROGRAM_KEY, "/v", name],
                         capture_output=True, text=True).stdout
    for line in out.splitlines():
        parts = line.split(None, 2)
        if len(parts) == 3 and parts[0] == name:
            return parts[2].strip()
    return None


DEFAULT_FONT_VALUES = ["FontNome", "FontSize", "FontNegrito", "FontItalico", "FontSublinhado"]


def font_dialog_applies_and_makes_the_default():
    try:
        choose_font_and_make_it_the_default()
    finally:
        # The prefix outlives this test: later notes must not take the font picked here.
        for name in DEFAULT_FONT_VALUES:
            subprocess.run([os.environ["WINE"], "reg", "delete", PROGRAM_KEY, "/v", name, "/f"],
                           capture_output=True)


def choose_font_and_make_it_the_default():
    program = start_with_one_note(b"{\\rtf1\\ansi texto}")
    note_menu("Fonte...")
    box = h.wait_for(dialog, what="the font dialog")
    h.wait_foreground(box[0])
    h.screenshot("font-dialog.png")
    h.click_in(box, *CANCEL_BUTTON)  # cancel: nothing is asked
    h.wait_for(lambda: dialog() is None, timeout=5, what="the font dialog to close")
    note_menu("Texto", "Selecionar Tudo")
    assert not h.message_boxes()
    note_menu("Fonte...")
    box = h.wait_for(dialog, what="the font dialog")
    h.wait_foreground(box[0])
    h.click_in(box, *OK_BUTTON)
    h.answer("Return", what="the default-font question", shot="font-question.png")  # Yes
    h.stop(program)
    face = registry_value("FontNome")
    assert face and registry_value("FontSize"), "no default font stored"
    # The font the dialog confirmed is the selection's: it is in the stored body.
    assert face.encode("cp1252") in h.read("stickie1.vmb")


def pdf_printer():
    """Starts cupsd if needed, makes a PDF printer the default: (PDF folder, pid started or None),
    or None when this machine cannot print (not root, or no CUPS and PDF printer)."""
    ppd = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"
    if os.geteuid() != 0 or not shutil.which("cupsd") or not os.path.exists(ppd):
        return None
    started = None
    status = subprocess.run(["lpstat", "-r"], capture_output=True, text=True, env=C_LOCALE)
    if status.stdout.strip() != "scheduler is running":
        # In the foreground, as a child of this test, so that it is stopped by its own pid.
        started = subprocess.Popen(["cupsd", "-f"], stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        try:
            h.wait_for(lambda: subprocess.run(["lpstat", "-r"], capture_output=True, text=True,
                                              env=C_LOCALE).stdout.strip() ==
                       "scheduler is running", what="cupsd")
        except AssertionError:
            started.terminate()
            raise
    subprocess.run(["lpadmin", "-p", PRINTER, "-v", "cups-pdf:/", "-P", ppd, "-E"],
                   check=True, capture_output=True)
    subprocess.run(["lpadmin", "-d", PRINTER], check=True, capture_output=True)
    # cups-pdf writes the jobs of a local user into $HOME/PDF (cups-pdf.conf, "Out").
    return os.path.expanduser("~/PDF"), started


def printing_reaches_the_pdf_printer():
    printer = pdf_printer()
    if printer is None:
        print("skipped printing: needs root and the packages cups and printer-driver-cups-pdf")
        return
    out_dir, cupsd = printer
    try:
        os.makedirs(out_dir, exist_ok=True)
        before = set(os.listdir(out_dir))
        program = start_with_one_note(
            b"{\\rtf1\\ansi primeira linha impressa\\par " + b"x" * 100 + b"}")
        note_menu("Imprimir")
        box = h.wait_for(dialog, what="the printer dialog")
        h.wait_foreground(box[0])
        h.screenshot("print-dialog.png")
        h.press(box[0], "key", "Return")
        pdf = h.wait_for(lambda: [n for n in set(os.listdir(out_dir)) - before
                                  if n.endswith(".pdf")], timeout=60, what="the PDF")[0]
        # Written by the backend while it runs: read once it is whole.
        text = h.wait_for(lambda: subprocess.run(["pdftotext", "-layout", os.path.join(
            out_dir, pdf), "-"], capture_output=True, text=True).stdout.strip(), what="the PDF")
        h.stop(program)
        lines = [line.strip() for line in text.splitlines() if line.strip()]
        assert lines[0] == "Compras", text
        assert lines[1] == "primeira linha impressa", text
        assert all(len(line) <= 79 for line in lines), text
        assert "".join(lines[2:]) == "x" * 100, text
    finally:
        subprocess.run(["lpadmin", "-x", PRINTER], capture_output=True)
        if cupsd is not None:
            cupsd.terminate()
            cupsd.wait(timeout=10)


if __name__ == "__main__":
    only = sys.argv[1:]  # names of the tests to run; all when none
    tests = [save_and_load_through_the_menu, font_dialog_applies_and_makes_the_default,
             printing_reaches_the_pdf_printer]
    h.main([t for t in tests if not only or t.__name__ in only])
