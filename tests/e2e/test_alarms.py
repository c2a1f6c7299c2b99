"""Alarms of the real program: set through the dialog, fire on a hidden note, blink until a
press in the body, missed alarms at start-up, and the refusal of the current minute."""
import datetime
import subprocess
import time

import harness as h

ALARM_KEYS = ["Alarm", "Diariamente", "TocarSom", "Som", "Path", "Data", "Hora", "HoraAntes"]
WINDOW_COLOR = (0xE5, 0xE5, 0x73)  # Color1 7595493 as red, green, blue
BODY_COLOR = (0xFF, 0xFF, 0x87)    # Color2 8912895
FRAME = (4, 12)                    # a pixel of the title strip, left of the title text
BODY = (90, 100)


def start_with_one_note(extra=b"", visible=True):
    h.write("indice.dat", b",1,\r\n")
    h.write("config.cfg", b"[1]\r\nTop=1500\r\nLeft=1500\r\nOnTop=False\r\nVisivel=%s\r\n%s"
            % (b"True" if visible else b"False", extra))
    program = h.start()
    if visible:
        h.wait_for(lambda: len(h.note_windows()) == 1, what="the note")
    else:
        h.wait_for(h.tray_window, what="the tray icon")
    time.sleep(1.0)
    return program


def stop(program):
    code, _ = h.run("uninstall")
    assert code == 1
    program.wait(timeout=20)


def pixel(x, y):
    out = subprocess.run(["import", "-window", "root", "-crop", f"1x1+{x}+{y}", "-depth", "8",
                          "txt:-"], capture_output=True, text=True).stdout
    values = out.splitlines()[-1].split("(")[1].split(")")[0].split(",")
    return tuple(round(float(v)) for v in values[:3])


def frame_colours(note, seconds):
    _, x, y, _, _ = note
    seen = []
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        seen.append(pixel(x + FRAME[0], y + FRAME[1]))
        time.sleep(0.12)
    return seen


def dialog():
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Ajustar Alarme$"],
                         capture_output=True, text=True).stdout.split()
    return out[0] if out else None


def open_alarm_dialog(note):
    _, x, y, _, _ = note
    h.xdotool("mousemove", x + BODY[0], y + BODY[1], "click", 3)
    h.choose([(h.NOTE_MENU, "Alarme")])
    wid = h.wait_for(dialog, what="the alarm dialog")
    time.sleep(0.5)
    return wid


def geometry(wid):
    geo = subprocess.run(["xdotool", "getwindowgeometry", "--shell", wid], capture_output=True,
                         text=True).stdout
    return dict(line.split("=", 1) for line in geo.split() if "=" in line)


def check_use_alarm(wid):
    """Clicks "Usar Alarme", which also gives the dialog the keyboard."""
    values = geometry(wid)
    # The check box's square, 10, 9 dialog units into the client area (Tahoma 8 at 96 dpi);
    # with no window manager the X window is the client area.
    h.xdotool("mousemove", int(values["X"]) + 21, int(values["Y"]) + 20, "click", 1)
    time.sleep(0.3)


def alarm_set_in_the_dialog_fires_on_the_hidden_note():
    # Two minutes ahead must stay within today and within the hour field's wrap.
    h.wait_for(lambda: datetime.datetime.now().minute < 57, timeout=200, interval=5,
               what="a minute that leaves room for the alarm")
    program = start_with_one_note()
    note = h.note_windows()[0]
    wid = open_alarm_dialog(note)
    check_use_alarm(wid)
    h.screenshot("alarm-dialog.png")
    # A click on the time picker's minutes selects that field; then two minutes up.
    h.xdotool("mousemove", int(geometry(wid)["X"]) + 100, int(geometry(wid)["Y"]) + 77,
              "click", 1)
    time.sleep(0.3)
    h.xdotool("key", "Up")
    h.xdotool("key", "Up")
    h.screenshot("alarm-dialog-set.png")
    h.xdotool("key", "Return")
    h.wait_for(lambda: not dialog(), what="the dialog to close")
    assert h.ini_value("1", "Alarm") == "1"
    hora = h.ini_value("1", "Hora")
    # It fires at the start of its minute; the seconds stored with it do not count.
    due = datetime.datetime.combine(datetime.date.today(),
                                    datetime.datetime.strptime(hora, "%H:%M:%S").time())
    due = due.replace(second=0)
    assert h.ini_value("1", "Data") == datetime.date.today().strftime("%d/%m/%Y")
    ahead = (due - datetime.datetime.now()).total_seconds()
    assert 30 < ahead <= 125, (hora, ahead)

    # Hidden from its own menu; the alarm brings it back above the others.
    h.xdotool("mousemove", note[1] + BODY[0], note[2] + BODY[1], "click", 3)
    h.choose([(h.NOTE_MENU, "Ocultar")])
    h.wait_for(lambda: not h.note_windows(), what="the note to hide")
    shown = h.wait_for(h.note_windows, timeout=ahead + 75, interval=1, what="the alarm")
    late = (datetime.datetime.now() - due).total_seconds()
    assert -1 <= late < 10, late
    note = shown[0]
    assert "_NET_WM_STATE_ABOVE" in h.xprop(note[0])

    seen = frame_colours(note, 2.0)
    h.screenshot("alarm-blinking.png")
    assert WINDOW_COLOR in seen and BODY_COLOR in seen, set(seen)
    # One-time: the keys are gone once it fired.
    h.wait_for(lambda: all(h.ini_value("1", k) is None for k in ALARM_KEYS), timeout=5,
               what="the alarm keys to go")

    h.xdotool("mousemove", note[1] + BODY[0], note[2] + BODY[1], "click", 1)
    time.sleep(0.5)
    assert set(frame_colours(note, 1.5)) == {WINDOW_COLOR}
    stop(program)


def missed_alarm_fires_once_at_start_up():
    yesterday = (datetime.date.today() - datetime.timedelta(days=1)).strftime("%d/%m/%Y")
    program = start_with_one_note(
        b"Alarm=1\r\nDiariamente=0\r\nTocarSom=1\r\nSom=1\r\nPath=C:\\nada\\sumiu.wav\r\n"
        b"Data=%s\r\nHora=10:00:00\r\nHoraAntes=09:59:00\r\n" % yesterday.encode(),
        visible=False)
    note = h.wait_for(h.note_windows, timeout=15, what="the missed alarm")[0]
    assert WINDOW_COLOR in frame_colours(note, 1.5)
    h.wait_for(lambda: all(h.ini_value("1", k) is None for k in ALARM_KEYS), timeout=5,
               what="the alarm keys to go")
    h.xdotool("mousemove", note[1] + BODY[0], note[2] + BODY[1], "click", 1)
    time.sleep(0.5)
    # Once only: no further blinking.
    assert set(frame_colours(note, 2.0)) == {WINDOW_COLOR}
    stop(program)
    assert all(h.ini_value("1", k) is None for k in ALARM_KEYS)


def current_minute_is_refused_and_the_dialog_stays():
    program = start_with_one_note()
    note = h.note_windows()[0]
    wid = open_alarm_dialog(note)
    check_use_alarm(wid)
    h.xdotool("key", "Return")  # the date and time the dialog opened with: now
    box = h.wait_for(h.message_boxes, what="the refusal")
    h.screenshot("alarm-refused.png")
    assert dialog()
    h.xdotool("key", "Return")
    h.wait_for(lambda: not h.message_boxes(), what="the refusal to close")
    h.wait_for(dialog, timeout=3, what="the dialog to stay open")
    h.xdotool("key", "Escape")
    h.wait_for(lambda: not dialog(), what="the dialog to close")
    assert h.ini_value("1", "Alarm") is None
    assert box
    stop(program)


if __name__ == "__main__":
    h.main([missed_alarm_fires_once_at_start_up,
            current_minute_is_refused_and_the_dialog_stays,
            alarm_set_in_the_dialog_fires_on_the_hidden_note])
