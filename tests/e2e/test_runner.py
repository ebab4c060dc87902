"""The runner as a real Windows dialog program under Wine, worked from another
process by rundriver.exe as a user would: typing the option, clicking, reading
the list and the labels, answering message boxes. The stand-in tool sits in
the tool folder as vando_original.exe and records every run it is given."""

import shutil

import pytest

from conftest import (BIN, LIST_NOT_READ, NOT_WRITTEN, REMOVE_TOOL, RUN_BATCH, SETTINGS, WAIT_S, of_kind,
                      settings_bytes, wait_until, windows_path, wine)

LIST_NOT_UPDATED = "Batch cant be updated"
REMOVED = "Batch tool removed"
NOT_INSTALLED = "Batch tool not installed! Nothing to remove"


def request(name, zoom, long, lat, hi="3000", lo="9000"):
    return dict(zip(SETTINGS, (name, zoom, long, lat, hi, lo)))


def batch_line(settings, argument=""):
    return (";".join(settings.values()) + ";" + argument).encode("cp1252")


def row(run, settings, result):
    return [str(run), settings["plane_long"], settings["plane_lat"], settings["zoom_level"], result]


def standin_runs(folder):
    """The runs the stand-in recorded: its command line tail and the request
    settings it found in vando.ini, one dict per run. A record still being
    written (after the last empty line) does not count yet."""
    path = folder / "standin_runs.txt"
    if not path.exists():
        return []
    blocks = path.read_bytes().decode("cp1252").split("\n\n")[:-1]
    return [dict(line.split("=", 1) for line in block.split("\n")) for block in blocks]


def run_record(option, settings):
    return {"args": option, **settings}


@pytest.fixture
def tool(make_folder):
    """A tool folder as a user has it: the recorder as vando.exe, the tool
    (our stand-in) as vando_original.exe, and the runner beside them."""
    def make(name="tool"):
        folder = make_folder(name)
        shutil.copy(BIN / "standin.exe", folder / "vando_original.exe")
        shutil.copy(BIN / "vando_batchrunner.exe", folder / "vando_batchrunner.exe")
        return folder
    return make


def ended(runner):
    return runner.wait(timeout=WAIT_S) is not None


def test_batch_is_worked_off_and_a_later_batch_continues(tool, open_runner, drive):
    folder = tool()
    a = request("A", "11", "1.5", "40.5", "100", "200")
    b = request("B", "12", "-2.25", "41", "300", "400")
    c = request("C", "13", "3", "-42.75", "500", "600")
    own_keys = b"texture_dir=D:\\tex\r\n\r\nstandin_exit_status.B=7\r\nstandin_exit_status.C=-1\r\n"
    (folder / "vando.ini").write_bytes(settings_bytes(extra=own_keys))
    (folder / "vandobatch.txt").write_bytes(batch_line(a, "-ft") + b"\r\n" + batch_line(b, "-ftd") + b"\r\n" +
                                            batch_line(c))
    runner = open_runner(folder)

    lines = drive("find", "type=-cj", f"click={RUN_BATCH}", "waitrows=3", "rows", "labels")

    assert of_kind(lines, "rows") == [[[row(0, a, "0"), row(1, b, "7"), row(2, c, "-1")]]]
    assert of_kind(lines, "labels") == [["-1", windows_path(folder) + "\\vando.exe -cj"]]
    assert standin_runs(folder) == [run_record("-cj", s) for s in (a, b, c)]
    assert wait_until(lambda: (folder / "vandobatch.txt").read_bytes() == b"", timeout=WAIT_S)
    # Written for the last run: its values under the six keys, every other
    # line kept, the blank one gone, CR LF throughout.
    assert (folder / "vando.ini").read_bytes() == settings_bytes(c, extra=own_keys.replace(b"\r\n\r\n", b"\r\n"))

    d = request("D", "14", "4", "44")
    (folder / "vando.ini").write_bytes(settings_bytes(d))
    assert wine(folder / "vando.exe", "-fd").returncode == 3
    lines = drive(f"click={RUN_BATCH}", "waitrows=4", "rows", "close")

    assert of_kind(lines, "rows")[0][0][3] == row(3, d, "0")
    assert standin_runs(folder)[3] == run_record("-cj", d)
    assert ended(runner)


def test_request_recorded_during_a_run_is_kept_and_run(tool, open_runner, drive):
    folder = tool()
    a, b, late = request("A", "11", "1", "2"), request("B", "12", "3", "4"), request("Late", "13", "5", "6")
    gate = b"standin_wait_for.A=go\r\n"
    (folder / "vando.ini").write_bytes(settings_bytes(extra=gate))
    (folder / "vandobatch.txt").write_bytes(batch_line(a, "-ft") + b"\r\n" + batch_line(b, "-ft"))
    open_runner(folder)

    drive("find", "type=-ft", f"click={RUN_BATCH}")
    assert wait_until(lambda: len(standin_runs(folder)) == 1, timeout=WAIT_S)
    (folder / "vando.ini").write_bytes(settings_bytes(late, extra=gate))
    assert wine(folder / "vando.exe", "-late").returncode == 3
    assert (folder / "vandobatch.txt").read_bytes().endswith(b"\r\n" + batch_line(late, "-late"))
    (folder / "go").touch()
    lines = drive("waitrows=3", "rows", "close")

    assert of_kind(lines, "rows") == [[[row(0, a, "0"), row(1, b, "0"), row(2, late, "0")]]]
    assert standin_runs(folder) == [run_record("-ft", s) for s in (a, b, late)]
    assert wait_until(lambda: (folder / "vandobatch.txt").read_bytes() == b"", timeout=WAIT_S)


@pytest.mark.parametrize("name, option, bare_name", [
    ("Program Files (x86) & co", "-ft", False),
    ("scenery ^ x & (y)", "-ftd -x", False),
    ("tool", "", False),
    ("my tool", "-ft", True),
], ids=["spaces, parentheses and &", "caret and several words of option", "empty option",
        "runner started with its bare name as its command line"])
def test_tool_is_started_from_any_folder_with_the_option_as_typed(tool, open_runner, drive, name, option, bare_name):
    folder = tool(name)
    (folder / "vando.ini").write_bytes(settings_bytes())
    (folder / "vandobatch.txt").write_bytes(batch_line(SETTINGS, "-ft"))
    if bare_name:
        # No folder in its command line: the runner has to ask the system
        # where it lives.
        drive("start=" + windows_path(folder / "vando_batchrunner.exe"))
    else:
        open_runner(folder)

    lines = drive("find", f"type={option}", f"click={RUN_BATCH}", "waitrows=1", "rows", "labels", "close")

    assert of_kind(lines, "rows") == [[[row(0, SETTINGS, "0")]]]
    assert of_kind(lines, "labels") == [["0", windows_path(folder) + "\\vando.exe " + option]]
    assert standin_runs(folder) == [run_record(option, SETTINGS)]


@pytest.mark.parametrize("share", [(), ("read",)],
                         ids=["held whole: cannot even be read", "held for reading only: cannot be written"])
def test_settings_held_by_another_program_abort_the_batch(tool, open_runner, drive, hold, share):
    folder = tool()
    a, b = request("A", "11", "1", "2"), request("B", "12", "3", "4")
    settings = settings_bytes()
    batch = batch_line(a, "-ft") + b"\r\n" + batch_line(b, "-ft")
    (folder / "vando.ini").write_bytes(settings)
    (folder / "vandobatch.txt").write_bytes(batch)

    with hold(folder / "vando.ini", *share):
        runner = open_runner(folder)
        lines = drive("find", "type=-ft", f"click={RUN_BATCH}", "box", "rows", "ok", "box", "ok", "box", "ok", "gone")
        assert ended(runner)

    # The second box shows the settings text that was to be written: the
    # request's six settings.
    boxes = [text.replace("\r\n", "\n") for [text] in of_kind(lines, "box")]
    would_write = "".join(f"{key}={value}\n" for key, value in a.items())
    assert boxes == [NOT_WRITTEN, would_write, windows_path(folder) + "\\vando.ini"]
    assert of_kind(lines, "rows") == [[[row(0, a, "")]]]
    assert (folder / "vandobatch.txt").read_bytes() == batch
    assert (folder / "vando.ini").read_bytes() == settings
    assert standin_runs(folder) == []


def test_list_held_by_another_program_stops_the_batch_until_it_is_free(tool, open_runner, drive, hold):
    folder = tool()
    (folder / "vando.ini").write_bytes(settings_bytes())
    (folder / "vandobatch.txt").write_bytes(batch_line(SETTINGS, "-ft"))
    runner = open_runner(folder)

    with hold(folder / "vandobatch.txt"):
        held = drive("find", "type=-ft", f"click={RUN_BATCH}", "box", "ok", "rows")
    free = drive(f"click={RUN_BATCH}", "waitrows=1", "rows", "close")

    assert of_kind(held, "box") == [[LIST_NOT_READ]]
    assert of_kind(held, "rows") == [[[]]]
    assert of_kind(free, "rows") == [[[row(0, SETTINGS, "0")]]]
    assert standin_runs(folder) == [run_record("-ft", SETTINGS)]
    assert (folder / "vandobatch.txt").read_bytes() == b""
    assert ended(runner)


def test_list_that_cannot_be_rewritten_after_a_run_ends_the_program(tool, open_runner, drive, hold):
    folder = tool()
    a, b = request("A", "11", "1", "2"), request("B", "12", "3", "4")
    batch = batch_line(a, "-ft") + b"\r\n" + batch_line(b, "-ft")
    (folder / "vando.ini").write_bytes(settings_bytes(extra=b"standin_wait_for.A=go\r\n"))
    (folder / "vandobatch.txt").write_bytes(batch)
    runner = open_runner(folder)

    drive("find", "type=-ft", f"click={RUN_BATCH}")
    assert wait_until(lambda: len(standin_runs(folder)) == 1, timeout=WAIT_S)
    with hold(folder / "vandobatch.txt"):
        (folder / "go").touch()
        lines = drive("box", "rows", "ok", "gone")
        assert ended(runner)

    assert of_kind(lines, "box") == [[LIST_NOT_UPDATED]]
    assert of_kind(lines, "rows") == [[[row(0, a, "0")]]]
    # The run is not counted as done: its request is still first.
    assert (folder / "vandobatch.txt").read_bytes() == batch
    assert standin_runs(folder) == [run_record("-ft", a)]


def test_remove_tool_twice(tool, open_runner, drive):
    folder = tool()
    open_runner(folder)

    lines = drive("find", f"click={REMOVE_TOOL}", "box", "ok", f"click={REMOVE_TOOL}", "box", "ok", "close")

    assert of_kind(lines, "box") == [[REMOVED], [NOT_INSTALLED]]
    assert (folder / "vando.exe").read_bytes() == (BIN / "standin.exe").read_bytes()
    assert not (folder / "vando_original.exe").exists()


def test_remove_tool_names_the_recorder_it_could_not_delete(tool, open_runner, drive, hold):
    folder = tool()
    open_runner(folder)

    with hold(folder / "vando.exe"):
        held = drive("find", f"click={REMOVE_TOOL}", "box", "ok")
        assert (folder / "vando.exe").read_bytes() == (BIN / "batchrecorder.exe").read_bytes()
        assert (folder / "vando_original.exe").exists()
    released = drive(f"click={REMOVE_TOOL}", "box", "ok", "close")

    [[message]] = of_kind(held, "box")
    assert message == (f"Batch tool not removed: {windows_path(folder / 'vando.exe')} could not be replaced by "
                       f"{windows_path(folder / 'vando_original.exe')}; it may be running or write-protected. "
                       "Nothing was changed.")
    assert of_kind(released, "box") == [[REMOVED]]
    assert (folder / "vando.exe").read_bytes() == (BIN / "standin.exe").read_bytes()


def test_info_box_from_the_system_menu(tool, open_runner, drive):
    open_runner(tool())

    lines = drive("find", "info", "close")

    [[caption, controls]] = of_kind(lines, "info")
    assert caption == "Info über vando_batchrunner"
    texts = {(kind.lower(), text) for kind, _, text in controls}
    assert {("static", "vando_batchrunner Version 1.0"), ("button", "OK")} <= texts
