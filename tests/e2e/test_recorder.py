"""The recorder as a real Windows console program, started as vando.exe."""

import pytest

from conftest import BIN, own_output, settings_bytes, start_wine, wait_until, windows_path, wine_captured

LINE = b"N;17;8.5;50.1;3000;9000;"


def record(folder, *args):
    return wine_captured(folder / "vando.exe", *args)


def test_first_and_second_recording(folder):
    (folder / "vando.ini").write_bytes(settings_bytes())
    first = record(folder, "-ft")
    assert first.returncode == 3
    assert (folder / "vandobatch.txt").read_bytes() == LINE + b"-ft"
    second = record(folder)
    assert (second.returncode, own_output(second.stdout), own_output(second.stderr)) == (3, b"", b"")
    assert (folder / "vandobatch.txt").read_bytes() == LINE + b"-ft\r\n" + LINE


@pytest.mark.parametrize("before, args, after", [
    (None, ("-ft", "-cj"), LINE + b"-ft"),
    (b"a\r\n\r\n\r\nb\x08c\r\n", ("-x",), b"a\r\nb c\r\n" + LINE + b"-x"),
    (b"old", (), b"old\r\n" + LINE),
], ids=["only the first argument", "blank lines and backspaces", "last line without line end"])
def test_appends_to_the_list(folder, before, args, after):
    (folder / "vando.ini").write_bytes(settings_bytes())
    if before is not None:
        (folder / "vandobatch.txt").write_bytes(before)
    assert record(folder, *args).returncode == 3
    assert (folder / "vandobatch.txt").read_bytes() == after


def test_missing_settings_give_empty_values(folder):
    assert record(folder, "-fd").returncode == 3
    assert (folder / "vandobatch.txt").read_bytes() == b";;;;;;-fd"


def test_folder_with_spaces_and_parentheses(make_folder):
    folder = make_folder("Program Files (x86) & co")
    (folder / "vando.ini").write_bytes(settings_bytes())
    assert record(folder, "-ft").returncode == 3
    assert (folder / "vandobatch.txt").read_bytes() == LINE + b"-ft"


def test_list_held_by_another_program_is_left_untouched(folder, tmp_path):
    (folder / "vando.ini").write_bytes(settings_bytes())
    (folder / "vandobatch.txt").write_bytes(b"queued\r\n")
    ready = tmp_path / "held"
    holder = start_wine(BIN / "holdfile.exe", windows_path(folder / "vandobatch.txt"), windows_path(ready), "60")
    try:
        assert wait_until(ready.exists, timeout=60)
        result = record(folder, "-ft")
    finally:
        holder.kill()
        holder.wait()
    assert result.returncode == 3
    message = own_output(result.stderr)
    assert b"vandobatch.txt" in message and message.count(b"\n") == 1, message
    assert (folder / "vandobatch.txt").read_bytes() == b"queued\r\n"


def test_twenty_recorders_at_once_lose_nothing(folder):
    (folder / "vando.ini").write_bytes(settings_bytes())
    recorders = [start_wine(folder / "vando.exe", f"-r{i}") for i in range(20)]
    assert [r.wait(timeout=300) for r in recorders] == [3] * 20
    lines = (folder / "vandobatch.txt").read_bytes().split(b"\r\n")
    assert sorted(lines) == sorted(LINE + f"-r{i}".encode() for i in range(20))
