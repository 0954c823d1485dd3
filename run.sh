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

# --- Zarn datalogs: a generated data file with its "(Tagname).DAT" tag file,
# converted to CSV in list and table form and to a plain dBASE table ---
zarn_out=build/run/zarn
rm -rf "$zarn_out"
mkdir -p "$zarn_out"
zarn_data=$(build/tools/zarn-gen/zarn-gen "$zarn_out" --records 12 --tags 3 --timestmp)
zarn_run() { XDG_CONFIG_HOME="$PWD/$zarn_out/config" build/logora/app/logora "$@"; }
zarn_run /sd "$zarn_data" "$zarn_out/plant-list.csv"
echo "zarn: first lines of plant-list.csv:"
head -n 4 "$zarn_out/plant-list.csv"
if zarn_run /sd /table "$zarn_data" "$zarn_out/plant-table.csv"; then
  echo "zarn: first lines of plant-table.csv:"
  head -n 4 "$zarn_out/plant-table.csv"
  echo
else
  echo "zarn: the table form was not written (exit status $?)"
fi
zarn_run /sd "$zarn_data" "$zarn_out/plant.dbf"
echo "zarn: first records of plant.dbf:"
dbview -b -t -d ',' "$zarn_out/plant.dbf" > "$zarn_out/plant-dbview.txt"
head -n 3 "$zarn_out/plant-dbview.txt"
