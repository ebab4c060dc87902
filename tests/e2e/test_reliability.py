"""The reliability campaign under Wine: the real runner works a batch while
many recorder starts arrive; the runner, the recorder and the tool are
killed at chosen moments; and bad input meets both programs. The stand-in
is reliability_standin.exe, which notes the request it was run for (the
list's first line) and whether vando.ini held it. Counts: VANDO_WINE_SOAK_STARTS
and VANDO_WINE_KILL_ROUNDS (scripts/reliability --long raises them)."""

import os
import random
import shutil
import subprocess
import time
from collections import Counter
from pathlib import Path

import pytest

from conftest import (BIN, LIST_NOT_READ, NOT_WRITTEN, RUN_BATCH, SETTINGS, WAIT_S, of_kind, own_output,
                      settings_bytes, start_wine, wait_until, windows_path, wine_captured)
from reliability_checks import LINE_HEAD, check_queue, queued_requests, tool_runs

SOAK_STARTS = int(os.environ.get("VANDO_WINE_SOAK_STARTS", "200"))
KILL_ROUNDS = int(os.environ.get("VANDO_WINE_KILL_ROUNDS", "4"))
AT_ONCE = 4


@pytest.fixture
def tool(make_folder):
    """A tool folder with the recorder as vando.exe, the reliability stand-in
    as vando_original.exe and the runner beside them."""
    def make(name="tool", extra=b"standin_sleep_ms=0\r\n"):
        folder = make_folder(name)
        shutil.copy(BIN / "reliability_standin.exe", folder / "vando_original.exe")
        shutil.copy(BIN / "vando_batchrunner.exe", folder / "vando_batchrunner.exe")
        (folder / "vando.ini").write_bytes(settings_bytes(extra=extra))
        return folder
    return make


def record_all(folder, arguments, at_once=AT_ONCE, between=None):
    """Starts a recorder for each argument, at_once at a time; returns those
    that exited with status 3. between() runs after every fiftieth start."""
    running, recorded = [], []
    for number, argument in enumerate(arguments):
        running.append((start_wine(folder / "vando.exe", argument, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL), argument))
        if between and number % 50 == 49:
            between()
        while len(running) >= at_once or (running and number == len(arguments) - 1):
            process, started = running.pop(0)
            if process.wait(timeout=WAIT_S) == 3:
                recorded.append(started)
    return recorded


def test_soak_runner_works_while_recorders_arrive(tool, open_runner, drive):
    # Each run lasts a second, so that the runner leaves the emulated
    # machine's two cores mostly to the recorders.
    folder = tool(extra=b"standin_sleep_ms=1000\r\n")
    started = [f"-w{i}" for i in range(SOAK_STARTS)]
    recorded = record_all(folder, started[:AT_ONCE])
    open_runner(folder)
    drive("find", "type=-ft", f"click={RUN_BATCH}")
    # Clicked again now and then: a batch that found the list empty has ended.
    recorded += record_all(folder, started[AT_ONCE:], between=lambda: drive(f"click={RUN_BATCH}"))
    drive("close")

    assert recorded == started
    queued, runs = check_queue(folder, started, recorded)
    assert sorted(queued + list(runs)) == sorted(started)
    assert runs, "the runner ran nothing while the recorders came"
    print(f"wine soak: {len(started)} recorder starts, {AT_ONCE} at a time; {len(runs)} run once, "
          f"{len(queued)} still queued once")


def wine_processes(folders, name):
    """Linux pids of the Wine processes of one of our folders running name."""
    pids = []
    for entry in Path("/proc").iterdir():
        if entry.name.isdigit():
            try:
                cmdline = (entry / "cmdline").read_bytes()
            except OSError:
                continue
            if name in cmdline and any(folder in cmdline for folder in folders):
                pids.append(int(entry.name))
    return pids


def kill(pids):
    for pid in pids:
        try:
            os.kill(pid, 9)
        except ProcessLookupError:
            pass


def kill_when_writing(folder, target, pids):
    """Kills as soon as a temporary file shows a write of target going on;
    true when the write was still going on after the kill."""
    writing = wait_until(lambda: any(folder.glob(target + ".*.tmp")), timeout=60, step=0.002)
    kill(pids)
    return bool(writing) and any(folder.glob(target + ".*.tmp"))


# Who is killed in each round, in turn: as soon as a temporary file shows
# that a write of the list or of vando.ini is going on, while the tool runs,
# or at a moment drawn from the seed. The runner killed while it writes the
# list leaves the folder's lock abandoned for the next program to take.
KILLS = ["runner writing the list", "runner writing vando.ini", "recorder writing the list", "tool while running",
         "runner at random"]


def test_kills_leave_whole_files_and_lose_nothing(tool, open_runner, drive):
    rng = random.Random(int(os.environ.get("VANDO_SEED", "1")))
    # Big enough that writing it takes the runner a while under emulation.
    filler = b"standin_sleep_ms=300\r\n" + b"".join(b"texture_cache_%d=%s\r\n" % (i, b"c" * 48) for i in range(4000))
    folder = tool(extra=filler)
    ours = (str(folder).encode(), windows_path(folder).encode())
    started, recorded, may_run_again, hits = [], [], Counter(), Counter()
    for number in range(KILL_ROUNDS):
        how = KILLS[number % len(KILLS)]
        runner = open_runner(folder)
        arguments = [f"-k{number}.{i}" for i in range(rng.randint(2, 3))]
        started += arguments
        recorders = [(start_wine(folder / "vando.exe", a, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL), a)
                     for a in arguments]
        if how == "recorder writing the list":
            hits["vandobatch.txt"] += kill_when_writing(folder, "vandobatch.txt", [p.pid for p, _ in recorders])
        wait_until(lambda: (folder / "vandobatch.txt").exists(), timeout=WAIT_S)
        drive("find", "type=-ft", f"click={RUN_BATCH}")
        if how.startswith("runner writing"):
            target = "vando.ini" if how.endswith("vando.ini") else "vandobatch.txt"
            hits[target] += kill_when_writing(folder, target, [runner.pid])
        elif how == "tool while running":
            runs_before = len(tool_runs(folder))
            assert wait_until(lambda: len(tool_runs(folder)) > runs_before, timeout=WAIT_S)
            kill(wine_processes(ours, b"vando_original.exe"))
        elif how == "runner at random":
            time.sleep(rng.uniform(0, 3))
            kill([runner.pid])
        for process, argument in recorders:
            if process.wait(timeout=WAIT_S) == 3:
                recorded.append(argument)
        if how.startswith("runner"):
            runner.wait(timeout=WAIT_S)
        if runner.poll() is None:
            drive("close")
        else:
            # Killed in flight: the request the runner had taken is still
            # first. A tool it started may still be running.
            may_run_again.update(queued_requests(folder)[:1])
            wait_until(lambda: not wine_processes(ours, b"vando_original.exe"), timeout=WAIT_S)
        for leftover in folder.glob("*.tmp"):
            leftover.unlink()
        assert (folder / "vando.ini").read_bytes() == settings_bytes(extra=filler), f"round {number}: {how}"
        check_queue(folder, started, recorded, may_run_again)

    open_runner(folder)
    drive("find", "type=-ft", f"click={RUN_BATCH}")
    assert wait_until(lambda: not queued_requests(folder), timeout=WAIT_S * 2)
    drive("close")
    queued, runs = check_queue(folder, started, recorded, may_run_again, drained=True)
    print(f"wine kill: {KILL_ROUNDS} rounds, {len(started)} recorder starts ({len(recorded)} recorded), "
          f"kills in mid-write: {dict(hits)}, {sum(runs.values())} runs, "
          f"{sum(runs.values()) - len(runs)} run again after a kill in flight")


def record(folder, *args):
    """Runs the recorder; returns its exit status and what it wrote to
    standard error."""
    result = wine_captured(folder / "vando.exe", *args)
    return result.returncode, own_output(result.stderr)


def near_the_path_limit(make_folder, tail):
    """A tool folder whose tail path (from the drive on) is 259 characters,
    the longest Windows takes."""
    base = make_folder("limit")
    room = 259 - len(windows_path(base)) - 2 - len(tail)
    folder = base / ("d" * room)
    folder.mkdir()
    shutil.copy(base / "vando.exe", folder / "vando.exe")
    return folder


@pytest.mark.parametrize("folder_name, settings, before, after", [
    ("Flughäfen München", settings_bytes(dict(SETTINGS, scenery_name="M\xe4rz\x00\x1a\rx")), None,
     b"M\xe4rz\x00\x1a\rx;17;8.5;50.1;3000;9000;-ft"),
    ("tool", None, b"old\x1aline\x00\r\n", b"old\x1aline\x00\r\n;;;;;;-ft"),
    ("tool", "folder", None, b";;;;;;-ft"),
    ("tool", settings_bytes(dict(SETTINGS, scenery_name="a;b")), None, b"a;b;17;8.5;50.1;3000;9000;-ft"),
], ids=["8-bit folder and NUL, 0x1A, lone CR in a value", "no vando.ini: empty values, odd bytes in the list kept",
        "vando.ini is a folder: empty values", "semicolon in a value shifts the fields"])
def test_recorder_records_odd_input_as_it_is(make_folder, folder_name, settings, before, after):
    folder = make_folder(folder_name)
    if settings == "folder":
        (folder / "vando.ini").mkdir()
    elif settings is not None:
        (folder / "vando.ini").write_bytes(settings)
    if before is not None:
        (folder / "vandobatch.txt").write_bytes(before)
    assert record(folder, "-ft") == (3, b"")
    assert (folder / "vandobatch.txt").read_bytes() == after


@pytest.mark.parametrize("spoil", ["list is a folder", "read-only list"])
def test_recorder_says_when_the_list_cannot_take_the_request(make_folder, spoil):
    folder = make_folder()
    (folder / "vando.ini").write_bytes(settings_bytes())
    if spoil == "list is a folder":
        (folder / "vandobatch.txt").mkdir()
    else:
        (folder / "vandobatch.txt").write_bytes(b"queued\r\n")
        (folder / "vandobatch.txt").chmod(0o444)
    status, message = record(folder, "-ft")
    assert status == 3
    assert b"vandobatch.txt" in message and message.count(b"\n") == 1, message
    assert (folder / "vandobatch.txt").is_dir() or (folder / "vandobatch.txt").read_bytes() == b"queued\r\n"


def test_recorder_works_in_a_folder_at_the_path_limit(make_folder):
    folder = near_the_path_limit(make_folder, "vandobatch.txt")
    (folder / "vando.ini").write_bytes(settings_bytes())
    assert record(folder, "-ft") == (3, b"")
    assert (folder / "vandobatch.txt").read_bytes() == LINE_HEAD + b"-ft"
    assert sorted(p.name for p in folder.iterdir()) == ["vando.exe", "vando.ini", "vandobatch.txt"]


def test_runner_works_in_a_folder_at_the_path_limit(make_folder, open_runner, drive):
    # The runner's own name is the folder's longest.
    folder = near_the_path_limit(make_folder, "vando_batchrunner.exe")
    shutil.copy(BIN / "reliability_standin.exe", folder / "vando_original.exe")
    shutil.copy(BIN / "vando_batchrunner.exe", folder / "vando_batchrunner.exe")
    (folder / "vando.ini").write_bytes(settings_bytes())
    (folder / "vandobatch.txt").write_bytes(LINE_HEAD + b"-a\r\n" + LINE_HEAD + b"-b")
    open_runner(folder)

    drive("find", "type=-ft", f"click={RUN_BATCH}", "waitrows=1", "close")

    assert tool_runs(folder)[:1] == ["-a"]
    assert queued_requests(folder) in ([], ["-b"])
    assert sorted(p.name for p in folder.iterdir()) == [
        "standin_runs.txt", "vando.exe", "vando.ini", "vando_batchrunner.exe", "vando_original.exe", "vandobatch.txt"]


def test_runner_keeps_odd_bytes_and_passes_the_option_as_typed(tool, open_runner, drive):
    folder = tool("Flughäfen München")
    other = b"a=x\x00y\r\nb=\x1a\r\nc=p\rq\r\nd=M\xfcnchen\r\n"
    (folder / "vando.ini").write_bytes(other + settings_bytes())
    request = dict(SETTINGS, scenery_name="M\xe4rz")
    (folder / "vandobatch.txt").write_bytes(";".join(request.values()).encode("cp1252") + b";-ft")
    marker = folder / "interpreter.txt"
    option = f'-ft "a|b>c" & echo done>"{windows_path(marker)}"'
    open_runner(folder)

    lines = drive("find", f"type={option}", f"click={RUN_BATCH}", "waitrows=1", "labels", "close")

    assert of_kind(lines, "labels") == [["0", windows_path(folder) + "\\vando.exe " + option]]
    assert (folder / "vando.ini").read_bytes() == other + settings_bytes(request)
    # The text goes to the command interpreter as typed: the quoted part
    # reaches the tool whole, and what follows "&" is the interpreter's.
    assert tool_runs(folder) == ["-ft"], "vando.ini held the request, odd bytes and all, when the tool ran"
    record = (folder / "standin_runs.txt").read_bytes().decode("cp1252")
    assert record.split("\t")[2].rstrip() == "-ft a|b>c"
    assert marker.read_bytes().strip() == b"done"


@pytest.mark.parametrize("spoil, steps, message", [
    ("vando.ini is a folder", ["box", "ok", "box", "ok", "box", "ok", "gone"], NOT_WRITTEN),
    ("read-only vando.ini", ["box", "ok", "box", "ok", "box", "ok", "gone"], NOT_WRITTEN),
    ("list is a folder", ["box", "ok", "close"], LIST_NOT_READ),
])
def test_runner_says_what_it_cannot_do(tool, open_runner, drive, spoil, steps, message):
    folder = tool()
    batch = LINE_HEAD + b"-ft"
    if spoil == "vando.ini is a folder":
        (folder / "vando.ini").unlink()
        (folder / "vando.ini").mkdir()
    elif spoil == "read-only vando.ini":
        (folder / "vando.ini").chmod(0o444)
    if spoil == "list is a folder":
        (folder / "vandobatch.txt").mkdir()
    else:
        (folder / "vandobatch.txt").write_bytes(batch)
    settings = None if (folder / "vando.ini").is_dir() else (folder / "vando.ini").read_bytes()
    open_runner(folder)

    lines = drive("find", "type=-ft", f"click={RUN_BATCH}", *steps)

    assert of_kind(lines, "box")[0] == [message]
    assert tool_runs(folder) == []
    if settings is not None:
        assert (folder / "vando.ini").read_bytes() == settings
    if not (folder / "vandobatch.txt").is_dir():
        assert (folder / "vandobatch.txt").read_bytes() == batch
