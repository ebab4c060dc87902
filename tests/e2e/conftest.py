"""Shared set-up of the end-to-end tests: the Windows programs run under Wine,
windows appear on an Xvfb display, and every test gets a tool folder of its own."""

import contextlib
import itertools
import json
import os
import shutil
import subprocess
import tempfile
import time
from pathlib import Path

import pytest

ROOT = Path(__file__).resolve().parents[2]
BIN = Path(os.environ.get("VANDO_WINDOWS_BIN", ROOT / "build" / "windows" / "bin"))
PREFIX = Path(os.environ.get("VANDO_WINEPREFIX", ROOT / "build" / "wineprefix"))

# How long a test waits for a program under Wine, which runs emulated here.
WAIT_S = 180
DRIVER_TIMEOUT_S = 480
# A dialog shows within seconds; one that has not after this start hangs, and
# the test is better run again than waited for.
DIALOG_WAIT_S = 60

# The runner's buttons, and the messages more than one test file waits for.
RUN_BATCH, REMOVE_TOOL = 1000, 1004
NOT_WRITTEN = "The vando.ini file could not be written! Procces aborted"
LIST_NOT_READ = "The batch list could not be read! Batch stopped"

SETTINGS = {
    "scenery_name": "N",
    "zoom_level": "17",
    "plane_long": "8.5",
    "plane_lat": "50.1",
    "hi_res_textures_threshold_radius_m": "3000",
    "low_res_textures_threshold_radius_m": "9000",
}


def wine_env():
    env = dict(os.environ)
    env.update(WINEPREFIX=str(PREFIX), WINEARCH="win32", WINEDEBUG="-all",
               # No installers, menu entries or crash debugger: they only slow each start.
               WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe,winedbg.exe=d")
    return env


def settings_bytes(settings=None, extra=b""):
    """vando.ini as the tool keeps it: key=value lines ended by CR LF."""
    settings = SETTINGS if settings is None else settings
    return b"".join(f"{k}={v}\r\n".encode("cp1252") for k, v in settings.items()) + extra


def wine(exe, *args, timeout=60, **kwargs):
    """Runs a Windows program to its end; output goes to files, never to
    pipes, because a program left running would keep a pipe open."""
    return subprocess.run(["wine", str(exe), *args], env=wine_env(), timeout=timeout,
                          stdin=subprocess.DEVNULL, **kwargs)


def wine_captured(exe, *args, **kwargs):
    """Runs a Windows program to its end and keeps what it printed, through
    files for the reason above."""
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        status = wine(exe, *args, stdout=out, stderr=err, **kwargs).returncode
        out.seek(0)
        err.seek(0)
        return subprocess.CompletedProcess([str(exe), *args], status, out.read(), err.read())


# Lines that Wine's background services print when they crash under qemu's
# user mode; they are not the program's own output.
EMULATION_NOISE = (b"qemu:", b"qemu-i386", b"wine:", b"wine client error", b"*** stack smashing", b"err:", b"fixme:")


def own_output(data):
    """A program's output without the emulation's noise."""
    lines = data.splitlines(keepends=True)
    return b"".join(line for line in lines if not line.lstrip().startswith(EMULATION_NOISE))


def start_wine(exe, *args, **kwargs):
    return subprocess.Popen(["wine", str(exe), *args], env=wine_env(), stdin=subprocess.DEVNULL, **kwargs)


def wait_until(condition, timeout=30.0, step=0.05):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(step)
    return condition()


def of_kind(lines, kind):
    """The driver's printed lines of one kind ("rows", "labels", "box"...)."""
    return [line[1:] for line in lines if line[0] == kind]


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")


@pytest.fixture(scope="session", autouse=True)
def wine_prefix():
    """One prefix for the whole run, booted once. Its server is started first
    and stays up: a server that quits after each program costs seconds per
    start, and a program starting while it quits loses its connection."""
    PREFIX.mkdir(parents=True, exist_ok=True)
    subprocess.run(["wineserver", "-k"], env=wine_env(), timeout=60, stderr=subprocess.DEVNULL)
    subprocess.run(["wineserver", "--persistent"], env=wine_env(), check=True, timeout=60)
    subprocess.run(["wineboot", "--init"], env=wine_env(), check=True, timeout=600,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    yield PREFIX
    subprocess.run(["wineserver", "-k"], env=wine_env(), timeout=60)


@pytest.fixture(scope="session")
def display():
    """An X display for dialogs: the one given, or an Xvfb of our own."""
    if os.environ.get("DISPLAY"):
        yield os.environ["DISPLAY"]
        return
    read_fd, write_fd = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_fd)
    with os.fdopen(read_fd) as pipe:
        number = pipe.readline().strip()
    os.environ["DISPLAY"] = f":{number}"
    yield os.environ["DISPLAY"]
    del os.environ["DISPLAY"]
    xvfb.terminate()
    xvfb.wait(timeout=30)


@pytest.fixture
def make_folder(tmp_path):
    """A tool folder with the recorder in place as vando.exe; the name may
    hold spaces, parentheses and the like."""
    def make(name="tool"):
        folder = tmp_path / name
        folder.mkdir()
        shutil.copy(BIN / "batchrecorder.exe", folder / "vando.exe")
        return folder
    return make


@pytest.fixture
def folder(make_folder):
    return make_folder()


@pytest.fixture
def driver(display, tmp_path):
    """Runs rundriver.exe with the given steps. Returns whether every step
    went well, the lines it printed and the steps it began (from its trace)."""
    numbers = itertools.count()

    def run(*steps):
        number = next(numbers)
        out, trace = tmp_path / f"driver{number}.jsonl", tmp_path / f"driver{number}.trace"
        with out.open("wb") as stdout, trace.open("wb") as stderr:
            try:
                result = wine(BIN / "rundriver.exe", f"timeout={WAIT_S}", *steps, timeout=DRIVER_TIMEOUT_S,
                              stdout=stdout, stderr=stderr)
            except subprocess.TimeoutExpired:
                result = None
        lines = [json.loads(line) for line in out.read_text("utf-8").splitlines() if line.startswith("[")]
        begun = [line for line in trace.read_text("utf-8", "replace").splitlines() if "rundriver:" in line]
        return result is not None and result.returncode == 0, lines, begun
    return run


@pytest.fixture
def drive(driver):
    """Runs rundriver.exe with the given steps, which must all go well;
    returns the lines it printed."""
    def run(*steps):
        ok, lines, begun = driver(*steps)
        assert ok, (lines, begun)
        return lines
    return run


@pytest.fixture
def open_runner(tmp_path, driver):
    """Starts the runner in a tool folder and waits for its dialog."""
    started = []

    def open_(folder):
        with (tmp_path / f"runner{len(started)}.log").open("wb") as log:
            started.append(start_wine(folder / "vando_batchrunner.exe", stdout=log, stderr=subprocess.STDOUT))
        found, lines, begun = driver(f"timeout={DIALOG_WAIT_S}", "find")
        assert found, (lines, begun)
        return started[-1]
    yield open_
    for runner in started:
        if runner.poll() is None:
            runner.kill()
        runner.wait(timeout=60)


@pytest.fixture
def hold(tmp_path):
    """Holds a file open from another Windows program while the block runs:
    with no sharing at all, or with "read" letting others only read it."""
    numbers = itertools.count()

    @contextlib.contextmanager
    def hold_(path, *share):
        ready = tmp_path / f"held{next(numbers)}"
        holder = start_wine(BIN / "holdfile.exe", windows_path(path), windows_path(ready), "600", *share)
        try:
            assert wait_until(ready.exists, timeout=WAIT_S)
            yield
        finally:
            holder.kill()
            holder.wait()
    return hold_


def pytest_terminal_summary(terminalreporter):
    """The suite's own closing line, in the form every runner here prints."""
    stats = terminalreporter.stats
    passed, failed = len(stats.get("passed", [])), len(stats.get("failed", [])) + len(stats.get("error", []))
    terminalreporter.write_line(f"e2e: {passed} passed, {failed} failed ({len(stats.get('rerun', []))} reruns)")
