#!/usr/bin/env bash
# Builds the tools and runs them on generated samples.
set -euo pipefail
cd "$(dirname "$0")"
scripts/ensure-deps.sh
scripts/build.sh

# --- Vell datalogs: convert generated samples to CSV (list and table form),
# time stamps shifted to UTC+8 with /tz8 ---
vell_out=build/run/vell
mkdir -p "$vell_out"
build/tools/vell-gen/vell-gen samples "$vell_out"
XDG_CONFIG_HOME="$PWD/$vell_out/config" build/logora/app/logora /md /tz8 "$vell_out/sample.log" "$vell_out/sample-list.csv"
XDG_CONFIG_HOME="$PWD/$vell_out/config" build/logora/app/logora /md /tz8 /table "$vell_out/sample.log" "$vell_out/sample-table.csv"
XDG_CONFIG_HOME="$PWD/$vell_out/config" build/logora/app/logora /md /tz-3.5 "$vell_out/numbers.log" "$vell_out/numbers-list.csv"
echo "vell: $(ls "$vell_out"/*.csv | wc -l) CSV files in $vell_out; first lines of sample-list.csv:"
head -n 3 "$vell_out/sample-list.csv"
