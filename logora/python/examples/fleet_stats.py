"""Per-tag statistics of many datalogs, read on a Dask cluster.

Each worker reads whole files with logora.read and reduces them to per-tag
partial figures (count, sum, min, max); only those small tables travel back,
where they are combined into count, min, max and mean per tag.

    python3 fleet_stats.py [--scheduler ADDRESS] [--tz HOURS] FILE...

Without --scheduler a local cluster of two worker processes is started; with
it (e.g. tcp://10.1.2.3:8786) the same code runs on that cluster, whose
workers must have the logora module and see the files under the same paths.
"""

import argparse

import pandas as pd
from dask.distributed import Client, LocalCluster

import logora

TAG = "Tag"
VALUE = "Value"


def partial_stats(path, tz=None):
    """Count, sum, min and max of the values of each tag of one file."""
    frame = logora.read(path, tz=tz).to_pandas()
    values = frame.groupby(TAG, sort=False)[VALUE]
    return pd.DataFrame(
        {"count": values.count(), "sum": values.sum(), "min": values.min(), "max": values.max()}
    )


def combine(partials):
    """The figures of all files from their partial figures."""
    together = pd.concat(partials).groupby(level=0)
    stats = pd.DataFrame(
        {
            "count": together["count"].sum(),
            "min": together["min"].min(),
            "max": together["max"].max(),
        }
    )
    stats["mean"] = together["sum"].sum() / stats["count"]
    stats.index.name = TAG
    return stats.sort_index()


def fleet_stats(client, paths, tz=None):
    """Per-tag count, min, max and mean over `paths`, read by the cluster."""
    futures = client.map(partial_stats, list(paths), tz=tz, pure=False)
    return combine(client.gather(futures))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--scheduler", help="address of a running scheduler (default: a local cluster)")
    parser.add_argument("--tz", type=float, help="destination time zone in hours, as /tz gives it")
    parser.add_argument("files", nargs="+")
    arguments = parser.parse_args()
    if arguments.scheduler:
        with Client(arguments.scheduler) as client:
            stats = fleet_stats(client, arguments.files, arguments.tz)
    else:
        with LocalCluster(n_workers=2, processes=True, threads_per_worker=1) as cluster, Client(cluster) as client:
            stats = fleet_stats(client, arguments.files, arguments.tz)
    print(stats.to_string())


if __name__ == "__main__":
    main()
