#!/usr/bin/env bash
# The batch conversion to CSV list form of every format (Zarn, .OBF, Vell,
# alarm logs, recipes) on large generated inputs, each beside `cat` of its
# input: records/s, MB/s of output and peak memory, by the benchmarks built
# into build/bench/. The CPU seconds printed beside each run stay meaningful
# on a machine busy with other work, the wall times do not.
#   bench/formats.sh [work folder (default $TMPDIR or /tmp)] [divisor of the record counts (default 1)]
set -euo pipefail
cd "$(dirname "$0")/.."
work=${1:-${TMPDIR:-/tmp}}
divisor=${2:-1}
cmake --build build --target bench_zarn bench_obf bench_vell bench_alarm
# Each benchmark with its usual record count (the .OBF one also converts recipes).
for run in "zarn/bench_zarn 5000000" "obf/bench_obf 4000000" "vell/bench_vell 20000000" \
           "alarm/bench_alarm 2000000"; do
  read -r bench records <<<"$run"
  echo "== ${bench#*/}"
  "build/bench/$bench" $((records / divisor)) "$work"
done
