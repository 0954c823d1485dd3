"""Records/s and peak memory of logora.read(...).to_pandas() for a generated
Vell datalog with tag file, beside pandas.read_csv of the program's CSV of it.

    /usr/bin/python3 bench/python/read_bench.py [--build build] [--records 5000000] [--work DIR]

Each measured read runs in a child process of its own, so its peak resident
memory (getrusage) is its own; the child's memory after importing numpy,
pandas and the module is measured too and taken off. The goal: the module
at least 10 times faster than read_csv, and its peak at most 1.5 times the
size of the arrays it gives.
"""

import argparse
import json
import os
import resource
import subprocess
import sys
import tempfile
import time
from pathlib import Path

CHILD = r"""
import json, resource, sys, time
import numpy, pandas
sys.path.insert(0, sys.argv[1])
import logora
mode, log, csv = sys.argv[2:5]
def cpu():
    usage = resource.getrusage(resource.RUSAGE_SELF)
    return usage.ru_utime + usage.ru_stime
baseline = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss
start, start_cpu = time.perf_counter(), cpu()
if mode == "logora":
    table = logora.read(log, tz=0)
    read = time.perf_counter() - start
    frame = table.to_pandas()
    del table
else:
    frame = pandas.read_csv(csv, index_col=False)
    read = time.perf_counter() - start
print(json.dumps({
    "seconds": time.perf_counter() - start,
    "read_seconds": read,
    "cpu_seconds": cpu() - start_cpu,
    "rows": len(frame),
    "array_bytes": int(frame.memory_usage(index=False, deep=False).sum()),
    "baseline_kib": baseline,
    "peak_kib": resource.getrusage(resource.RUSAGE_SELF).ru_maxrss,
}))
"""


def measure(build, mode, log, csv):
    done = subprocess.run(
        [sys.executable, "-c", CHILD, str(build / "python"), mode, str(log), str(csv)],
        check=True, capture_output=True, text=True,
    )
    return json.loads(done.stdout)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", type=Path, default=Path(__file__).resolve().parents[2] / "build")
    parser.add_argument("--records", type=int, default=5_000_000)
    parser.add_argument("--work", type=Path, default=Path(os.environ.get("TMPDIR", "/tmp")))
    arguments = parser.parse_args()
    build = arguments.build.resolve()
    with tempfile.TemporaryDirectory(dir=arguments.work) as folder:
        log, csv = Path(folder) / "bench.log", Path(folder) / "bench.csv"
        subprocess.run([build / "tools/vell-gen/vell-gen", "big", log, str(arguments.records)], check=True)
        start = time.perf_counter()
        subprocess.run([build / "logora/app/logora", "--quiet", "/md", "/tz0", log, csv], check=True)
        print(f"logora to CSV list form: {time.perf_counter() - start:.2f} s, {csv.stat().st_size / 1e6:.0f} MB")
        runs = {mode: measure(build, mode, log, csv) for mode in ("logora", "pandas")}
    labels = {"logora": "logora.read(...).to_pandas()", "pandas": "pandas.read_csv(our CSV)"}
    for mode, run in runs.items():
        grown = (run["peak_kib"] - run["baseline_kib"]) * 1024
        print(
            f"{labels[mode]:29} {run['seconds']:6.2f} s (read {run['read_seconds']:.2f} s, cpu {run['cpu_seconds']:.2f} s)"
            f" {run['rows'] / run['seconds']:10.0f} records/s  arrays {run['array_bytes'] / 2**20:6.1f} MiB"
            f"  peak +{grown / 2**20:6.1f} MiB ({grown / run['array_bytes']:.2f} x arrays)"
        )
    print(f"speed-up over read_csv: {runs['pandas']['seconds'] / runs['logora']['seconds']:.1f} x")


if __name__ == "__main__":
    main()
