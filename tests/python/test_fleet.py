"""The Dask recipe (logora/python/examples/fleet_stats.py) on a local
cluster of two worker processes gives the figures of one process reading the
same datalogs in a loop."""

import os
import sys
from pathlib import Path

import numpy as np
import pandas as pd
import pytest

import logora
from conftest import generate_vell

EXAMPLES = Path(__file__).resolve().parents[2] / "logora" / "python" / "examples"
sys.path.insert(0, str(EXAMPLES))
# The workers import the recipe and the module as this process does.
os.environ["PYTHONPATH"] = os.pathsep.join(filter(None, [str(EXAMPLES), os.environ.get("PYTHONPATH")]))

import fleet_stats  # noqa: E402


def in_one_process(paths):
    frames = pd.concat([logora.read(path, tz=0).to_pandas() for path in paths])
    values = frames.groupby(fleet_stats.TAG)[fleet_stats.VALUE]
    return pd.DataFrame({"count": values.count(), "min": values.min(), "max": values.max(), "mean": values.mean()})


# Debian's tornado and distributed disagree on how an event loop starts.
@pytest.mark.filterwarnings("ignore:make_current is deprecated:DeprecationWarning")
def test_a_cluster_gives_the_figures_of_one_process(tmp_path):
    from dask.distributed import Client, LocalCluster

    paths = [generate_vell(tmp_path / f"line{i:02}.log", 40 + 7 * i, tags=3 + i % 4) for i in range(50)]
    expected = in_one_process(paths)
    with LocalCluster(
        n_workers=2, processes=True, threads_per_worker=1, dashboard_address=None, host="127.0.0.1"
    ) as cluster, Client(cluster) as client:
        stats = fleet_stats.fleet_stats(client, paths, tz=0)
    assert list(stats.index) == list(expected.index)
    assert stats["count"].tolist() == expected["count"].tolist()
    assert stats["min"].tolist() == expected["min"].tolist()
    assert stats["max"].tolist() == expected["max"].tolist()
    np.testing.assert_allclose(stats["mean"], expected["mean"], rtol=1e-12)
    assert stats["count"].sum() == sum(40 + 7 * i for i in range(50))
