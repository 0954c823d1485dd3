"""Programs and samples of the Python module's tests.

ctest names the programs in the environment (tests/python/CMakeLists.txt)
and puts the built module on PYTHONPATH. The machine's settings stay out:
each run has a home, a time zone and a locale of its own, set before the
first read loads the settings.
"""

import os
import subprocess
import tempfile
import time
from pathlib import Path

import pytest

HOME = tempfile.mkdtemp(prefix="logora-python-home-")
os.environ.update(HOME=HOME, XDG_CONFIG_HOME=os.path.join(HOME, ".config"), TZ="UTC", LC_ALL="C.UTF-8")
os.environ.pop("XDG_STATE_HOME", None)
time.tzset()


def program(name):
    path = os.environ.get(name)
    if not path:
        pytest.skip(f"{name} is not set: run through ctest")
    return path


def run_logora(*arguments):
    """logora's batch run: (exit status, lines on standard error)."""
    done = subprocess.run([program("LOGORA"), *map(str, arguments)], capture_output=True, text=True)
    return done.returncode, done.stderr.splitlines()


@pytest.fixture(scope="session")
def samples(tmp_path_factory):
    """One folder per input format, as scripts/make-samples.sh writes them."""
    folder = tmp_path_factory.mktemp("samples")
    zarn = folder / "zarn"
    for part in ("zarn", "vell", "alarm", "obf", "recipe"):
        (folder / part).mkdir()
    generate = lambda tool, *arguments: subprocess.run(
        [program(tool), *map(str, arguments)], check=True, stdout=subprocess.DEVNULL
    )
    generate("ZARN_GEN", zarn)
    generate("ZARN_GEN", zarn, "--records", 12, "--tags", 3, "--timestmp", "--base", "Stamped")
    generate("VELL_GEN", "samples", folder / "vell")
    generate("ALARM_GEN", folder / "alarm")
    generate("OBF_GEN", folder / "obf")
    generate("RECIPE_GEN", folder / "recipe")
    generate("DBF_GEN", 200, zarn / "table.dbf")
    return folder


def generate_vell(path, records, tags=4):
    """A Vell datalog of `records` records with its tag file beside it."""
    subprocess.run(
        [program("VELL_GEN"), "big", str(path), str(records), str(tags)], check=True, stdout=subprocess.DEVNULL
    )
    return Path(path)
