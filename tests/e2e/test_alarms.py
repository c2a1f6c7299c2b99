"""Alarms: set, fired on a hidden note, blinking, missed at start-up; the current minute refused."""
import datetime
import subprocess
import time

import harness as h

ALARM_KEYS = ["Alarm", "Diariamente", "TocarSom", "Som", "Path", "Data", "Hora", "HoraAntes"]
WINDOW_COLOR = (0xE5, 0xE5, 0x73)  # Color1 7595493 as red, green, blue
BODY_COLOR = (0xFF, 0xFF, 0x87)    # Color2 8912895
FRAME = (4, 12)                    # a pixel of the title strip, left of the title text
BODY = (90, 100)


def start_with_one_note(extra="", visible=True):
    h.seed([(1, 1500, 1500, f"Visivel={visible}\r\n{extra}")])
    return h.start_and_wait(1 if visible else 0)


def pixel(x, y):
    out = subprocess.run(["import", "-window", "root", "-crop", f"1x1+{x}+{y}", "-depth", "8",
                          "txt:-"], capture_output=True, text=True).stdout
    values = out.splitlines()[-1].split("(")[1].split(")")[0].split(",")
    return tuple(round(float(v)) for v in values[:3])


def frame_colours(note, seconds):
    """Colours of the title strip within the seconds, or until it showed the body's and its own."""
    _, x, y, _, _ = note
    seen = set()
    h.wait_for(lambda: seen.add(pixel(x + FRAME[0], y + FRAME[1])) or
               {WINDOW_COLOR, BODY_COLOR} <= seen, timeout=seconds, interval=0.1, fail=False)
    return seen


def dialog():
    return h.window_named("^Ajustar Alarme$")


def open_alarm_dialog(note):
    h.note_menu(note, "Alarme")
    wid = h.wait_for(dialog, what="the alarm dialog")
    h.wait_foreground(wid)
    return wid


def check_use_alarm(wid):
    """Clicks "Usar Alarme", which also gives the dialog the keyboard."""
    # The check box's square: 16, 6 dialog units into the client area (Tahoma 8 at 96 dpi).
    h.click_in(h.geometry(wid), 30, 15)


def alarm_set_in_the_dialog_fires_on_the_hidden_note():
    # Two minutes ahead must stay within today.
    h.wait_for(lambda: datetime.datetime.now().strftime("%H:%M") < "23:58", timeout=200,
               interval=5, what="a minute that leaves room for the alarm")
    program = start_with_one_note()
    note = h.note_windows()[0]
    wid = open_alarm_dialog(note)
    check_use_alarm(wid)
    h.screenshot("alarm-dialog.png")
    if datetime.datetime.now().minute >= 58:  # the minutes wrap alone: the hour goes up too
        h.click_in(h.geometry(wid), 86, 76)
        h.xdotool("key", "Up")
    # A click on the time picker's minutes selects that field; then two minutes up.
    h.click_in(h.geometry(wid), 100, 76)
    h.xdotool("key", "Up", "Up")
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
    h.note_menu(note, "Ocultar")
    h.wait_for(lambda: not h.note_windows(), what="the note to hide")
    shown = h.wait_for(h.note_windows, timeout=ahead + 75, interval=1, what="the alarm")
    late = (datetime.datetime.now() - due).total_seconds()
    assert -1 <= late < 10, late
    note = shown[0]
    assert h.band_and_opacity(note)[0]

    assert frame_colours(note, 10) == {WINDOW_COLOR, BODY_COLOR}
    h.screenshot("alarm-blinking.png")
    # One-time: the keys are gone once it fired.
    h.wait_for(lambda: all(h.ini_value("1", k) is None for k in ALARM_KEYS), timeout=5,
               what="the alarm keys to go")

    h.xdotool("mousemove", note[1] + BODY[0], note[2] + BODY[1], "click", 1)
    time.sleep(0.5)
    assert frame_colours(note, 1.5) == {WINDOW_COLOR}
    h.stop(program)


def missed_alarm_fires_once_at_start_up():
    yesterday = (datetime.date.today() - datetime.timedelta(days=1)).strftime("%d/%m/%Y")
    program = start_with_one_note(
        "Alarm=1\r\nDiariamente=0\r\nTocarSom=1\r\nSom=1\r\nPath=C:\\nada\\sumiu.wav\r\n"
        f"Data={yesterday}\r\nHora=10:00:00\r\nHoraAntes=09:59:00\r\n",
        visible=False)
    note = h.wait_for(h.note_windows, timeout=15, what="the missed alarm")[0]
    assert frame_colours(note, 10) == {WINDOW_COLOR, BODY_COLOR}
    h.wait_for(lambda: all(h.ini_value("1", k) is None for k in ALARM_KEYS), timeout=5,
               what="the alarm keys to go")
    h.xdotool("mousemove", note[1] + BODY[0], note[2] + BODY[1], "click", 1)
    time.sleep(0.5)
    # Once only: no further blinking.
    assert frame_colours(note, 2.0) == {WINDOW_COLOR}
    h.stop(program)
    assert all(h.ini_value("1", k) is None for k in ALARM_KEYS)


def current_minute_is_refused_and_the_dialog_stays():
    program = start_with_one_note()
    note = h.note_windows()[0]
    wid = open_alarm_dialog(note)
    check_use_alarm(wid)
    h.xdotool("key", "Return")  # the date and time the dialog opened with: now
    h.answer("Return", what="the refusal", shot="alarm-refused.png")
    h.wait_for(dialog, timeout=3, what="the dialog to stay open")
    h.xdotool("key", "Escape")
    h.wait_for(lambda: not dialog(), what="the dialog to close")
    assert h.ini_value("1", "Alarm") is None
    h.stop(program)


if __name__ == "__main__":
    h.main([missed_alarm_fires_once_at_start_up,
            current_minute_is_refused_and_the_dialog_stays,
            alarm_set_in_the_dialog_fires_on_the_hidden_note])
