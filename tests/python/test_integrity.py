"""logora.check_integrity beside vettle's console report of the same file."""

import subprocess

import pytest

import logora
from conftest import program


def vettle_output(path):
    done = subprocess.run([program("VETTLE"), "-i", str(path)], capture_output=True, text=True)
    return done.stdout


@pytest.fixture
def intact_log(tmp_path):
    path = tmp_path / "intact.csv"
    subprocess.run([program("INTEGRITY_CSV"), "--rows", "12", "-o", str(path)], check=True, stdout=subprocess.DEVNULL)
    return path


def test_an_intact_log_passes(intact_log):
    verdict = logora.check_integrity(intact_log)
    assert verdict["passed"] is True
    assert verdict["line"] is None
    assert verdict["report"] == f"Detection report of file {intact_log}:\nPassed. No data adulteration detected.\n"
    assert verdict["report"] in vettle_output(intact_log)


def test_an_altered_line_is_named(intact_log, tmp_path):
    lines = intact_log.read_bytes().split(b"\r\n")
    # The fifth line's first value changes by one digit.
    fields = lines[4].split(b",")
    fields[1] = fields[1][:-1] + (b"1" if fields[1][-1:] != b"1" else b"2")
    lines[4] = b",".join(fields)
    altered = tmp_path / "altered.csv"
    altered.write_bytes(b"\r\n".join(lines))
    verdict = logora.check_integrity(altered)
    assert verdict["passed"] is False
    assert verdict["line"] == 5
    assert verdict["report"] in vettle_output(altered)


def test_a_missing_log_raises_what_vettle_says(tmp_path):
    with pytest.raises(logora.Error, match="Detect file .*missing.csv does not exist"):
        logora.check_integrity(tmp_path / "missing.csv")
