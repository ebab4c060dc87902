"""The Win32 backend's own GoogleTest suite (share modes, crash-safe replace,
folder lock, command quoting), run as a Windows program."""

import subprocess

from conftest import BIN, wine


def test_win32_backend_suite(tmp_path):
    log = tmp_path / "gtest.log"
    with open(log, "wb") as out:
        result = wine(BIN / "platform_win32_tests.exe", stdout=out, stderr=subprocess.STDOUT, timeout=600)
    text = log.read_bytes().decode("cp1252", "replace")
    assert result.returncode == 0 and "[  PASSED  ]" in text, text
