#!/usr/bin/env bash
# Viewer benchmark: a 10-million-record table in the record list, and a
# trend plot of one million samples with 8 pens, offscreen. Also shows that
# memory does not grow with the record count (1 million against 10 million).
set -euo pipefail
cd "$(dirname "$0")/../.."
scripts/build.sh --target viewer-bench >/dev/null
bench=build/bench/viewer/viewer-bench
export TMPDIR=${TMPDIR:-/tmp} QT_QPA_PLATFORM=offscreen
echo "== record list, 1 million records"; "$bench" list 1000000
echo "== record list, 10 million records"; "$bench" list 10000000
echo "== trend plot, 1 million samples, 8 pens"; "$bench" plot 1000000 8
