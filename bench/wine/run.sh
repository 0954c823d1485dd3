#!/usr/bin/env bash
# The Vell conversion and the vettle check, on Linux and under Wine side by
# side, beside `cat` of the same bytes: seconds, MB/s and peak memory of each
# run. Wine is not Windows: the figures show that nothing is pathologically
# slow there, not how fast Windows is.
#   bench/wine/run.sh [records (default 2000000)] [rows (default 2000000)]
# Needs build/ (scripts/build.sh) and build-win64/ (scripts/build-windows.sh).
set -euo pipefail
cd "$(dirname "$0")/../.."
records=${1:-2000000}
rows=${2:-2000000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TZ=UTC LC_ALL=C WINEDEBUG=-all XDG_CONFIG_HOME=$work/config
export WINEPREFIX=${WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/logora-wine}
unset DISPLAY WAYLAND_DISPLAY
wineboot --init >/dev/null 2>&1 || true  # starts the Wine server before the timings

build/tools/vell-gen/vell-gen big "$work/big.log" "$records" >/dev/null
build/tools/integrity-csv/integrity-csv --rows "$rows" -o "$work/big.csv"

# measure <label> <input> <command...>: one line of figures.
measure() {
  local label=$1 input=$2
  shift 2
  local bytes
  bytes=$(stat -c %s "$input")
  /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null 2>&1 </dev/null || true
  read -r seconds kib <"$work/time"
  awk -v l="$label" -v s="$seconds" -v b="$bytes" -v k="$kib" \
    'BEGIN { printf "%-34s %8.2f s %9.1f MB/s %8.1f MiB peak\n", l, s, (s > 0 ? b / s / 1e6 : 0), k / 1024 }'
}

echo "Vell datalog: $records records, $(stat -c %s "$work/big.log") bytes"
measure "cat" "$work/big.log" cat "$work/big.log"
measure "logora list (Linux)" "$work/big.log" build/logora/app/logora /md "$work/big.log" "$work/linux-list.csv"
measure "logora.exe list (Wine)" "$work/big.log" wine build-win64/bin/logora.exe /md "$work/big.log" "$work/wine-list.csv"
measure "logora table (Linux)" "$work/big.log" build/logora/app/logora /md /table "$work/big.log" "$work/linux-table.csv"
measure "logora.exe table (Wine)" "$work/big.log" wine build-win64/bin/logora.exe /md /table "$work/big.log" "$work/wine-table.csv"
cmp -s "$work/linux-list.csv" "$work/wine-list.csv" || echo "the list forms differ" >&2
echo "Integrity CSV: $rows rows, $(stat -c %s "$work/big.csv") bytes"
measure "cat" "$work/big.csv" cat "$work/big.csv"
measure "vettle (Linux)" "$work/big.csv" build/vettle/vettle -i "$work/big.csv"
measure "vettle.exe (Wine)" "$work/big.csv" wine build-win64/bin/vettle.exe -i "$work/big.csv"
