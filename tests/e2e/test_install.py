"""install.cmd under Wine's command interpreter: it puts the recorder in place
or refuses, changing nothing."""

import contextlib
import shutil
import subprocess
import zipfile

import pytest

from conftest import BIN, own_output, windows_path, wine_captured

TOOL = b"the real scenery tool"


@pytest.fixture(scope="module")
def release_zip():
    zips = sorted(BIN.parent.glob("vando-batch-*-win32.zip"))
    assert zips, "build the package first: cmake --build --preset windows --target package"
    return zips[-1]


def test_package_holds_the_programs_the_script_and_the_guide(release_zip):
    top = release_zip.name[:-len(".zip")]
    names = set(zipfile.ZipFile(release_zip).namelist())
    assert names == {f"{top}/{name}" for name in
                     ("batchrecorder.exe", "vando_batchrunner.exe", "install.cmd", "vando-batch-guide.txt")}


@pytest.fixture
def package(tmp_path, release_zip):
    """The unpacked release package. Its path has no spaces: cmd /c would
    strip the quotes of a quoted script path given with a quoted folder."""
    with zipfile.ZipFile(release_zip) as archive:
        archive.extractall(tmp_path / "unpacked")
    return tmp_path / "unpacked" / release_zip.name[:-len(".zip")]


@pytest.fixture
def tool_folder(tmp_path):
    folder = tmp_path / "Program Files (x86) & Co" / "vando"
    folder.mkdir(parents=True)
    (folder / "vando.exe").write_bytes(TOOL)
    return folder


def install(package, *args, cwd=None):
    result = wine_captured("cmd", "/c", windows_path(package / "install.cmd"), *args, cwd=cwd)
    return result.returncode, own_output(result.stdout) + own_output(result.stderr)


def folder_state(folder):
    return {path.name: path.read_bytes() for path in sorted(folder.iterdir())}


@pytest.mark.parametrize("where", ["folder given", "run in the folder", "copied into the folder"])
def test_installs_recorder_in_place_of_the_tool(package, tool_folder, where):
    if where == "copied into the folder":
        for name in ("install.cmd", "batchrecorder.exe", "vando_batchrunner.exe"):
            shutil.copy(package / name, tool_folder / name)
        # As typed at a prompt in that folder.
        result = wine_captured("cmd", "/c", "install.cmd", cwd=tool_folder)
        status, output = result.returncode, own_output(result.stdout) + own_output(result.stderr)
    else:
        given = where == "folder given"
        status, output = install(package, *([windows_path(tool_folder)] if given else []),
                                 cwd=None if given else tool_folder)
    assert status == 0, output
    assert (tool_folder / "vando_original.exe").read_bytes() == TOOL
    assert (tool_folder / "vando.exe").read_bytes() == (package / "batchrecorder.exe").read_bytes()
    assert (tool_folder / "vando_batchrunner.exe").read_bytes() == (package / "vando_batchrunner.exe").read_bytes()


def test_runner_that_cannot_be_copied_is_reported(package, tool_folder, hold):
    """A runner still open from before keeps its file; the recorder goes in
    all the same, and the script says what is missing."""
    (tool_folder / "vando_batchrunner.exe").write_bytes(b"the runner of before")
    with hold(tool_folder / "vando_batchrunner.exe"):
        status, output = install(package, windows_path(tool_folder))
    assert status != 0 and b"vando_batchrunner.exe could not be copied" in output, output
    assert (tool_folder / "vando_original.exe").read_bytes() == TOOL
    assert (tool_folder / "vando.exe").read_bytes() == (package / "batchrecorder.exe").read_bytes()


def test_second_run_refuses_and_keeps_the_real_tool(package, tool_folder):
    assert install(package, windows_path(tool_folder))[0] == 0
    before = folder_state(tool_folder)
    status, output = install(package, windows_path(tool_folder))
    assert status != 0
    assert b"vando_original.exe\" already exists" in output
    assert folder_state(tool_folder) == before


@pytest.mark.parametrize("files, message", [
    ({}, b"there is no vando.exe"),
    ({"vando.exe": TOOL, "vando_original.exe": b"older"}, b"already exists"),
], ids=["no tool", "original already there"])
def test_refuses_changing_nothing(package, tmp_path, files, message):
    folder = tmp_path / "tool"
    folder.mkdir()
    for name, data in files.items():
        (folder / name).write_bytes(data)
    status, output = install(package, windows_path(folder))
    assert status != 0 and message in output, output
    assert folder_state(folder) == files


def test_missing_folder_is_refused(package, tmp_path):
    status, output = install(package, windows_path(tmp_path / "nowhere"))
    assert status != 0 and b"does not exist" in output


@contextlib.contextmanager
def small_folder(path, size):
    """A folder on a tmpfs of its own: a full or read-only disk in small."""
    path.mkdir()
    if subprocess.run(["mount", "-t", "tmpfs", "-o", f"size={size}", "tmpfs", str(path)]).returncode != 0:
        pytest.skip("mounting a folder of its own needs root")
    try:
        yield path
    finally:
        subprocess.run(["umount", str(path)])


def test_folder_that_cannot_be_written_is_refused(package, tmp_path):
    with small_folder(tmp_path / "read-only tool", "1m") as folder:
        (folder / "vando.exe").write_bytes(TOOL)
        subprocess.run(["mount", "-o", "remount,ro", str(folder)], check=True)
        status, output = install(package, windows_path(folder))
        assert status != 0 and b"cannot be written" in output, output
        assert folder_state(folder) == {"vando.exe": TOOL}


def test_full_disk_gives_the_tool_its_name_back(package, tmp_path):
    with small_folder(tmp_path / "full tool", "64k") as folder:
        (folder / "vando.exe").write_bytes(TOOL)
        status, output = install(package, windows_path(folder))
        assert status != 0 and b"vando.exe was given back its name" in output, output
        assert folder_state(folder) == {"vando.exe": TOOL}
