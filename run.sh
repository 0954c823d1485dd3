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
zarn_run /sd /table "$zarn_data" "$zarn_out/plant-table.csv"
echo "zarn: first lines of plant-table.csv (one column per tag):"
head -n 4 "$zarn_out/plant-table.csv"
echo
zarn_run /sd "$zarn_data" "$zarn_out/plant.dbf"
echo "zarn: first records of plant.dbf:"
dbview -b -t -d ',' "$zarn_out/plant.dbf" > "$zarn_out/plant-dbview.txt"
head -n 3 "$zarn_out/plant-dbview.txt"

# --- Several inputs per run: the Vell samples and the Zarn datalog converted
# into one folder, two at a time, with the same switches; each output has the
# bytes of converting its input alone ---
many_out=build/run/many
rm -rf "$many_out"
XDG_CONFIG_HOME="$PWD/$vell_out/config" build/logora/app/logora /md /tz8 --out-dir "$many_out" --jobs 2 \
  "$vell_out/sample.log" "$vell_out/numbers.log" "$zarn_data"
echo "many: $(ls "$many_out" | tr '\n' ' ')in $many_out"
cmp "$many_out/sample.csv" "$vell_out/sample-list.csv" && echo "many: sample.csv is byte for byte the single run's sample-list.csv"
echo

# --- Vettle: a generated integrity-marked CSV data log and a tampered copy
# (one value changed in the third data row), each checked with its report
# printed. Exit status 0 means passed, 1 means tampering was found. ---
vettle_out=build/run/vettle
mkdir -p "$vettle_out"
build/tools/integrity-csv/integrity-csv --rows 20 --quoted -o "$vettle_out/sample.csv"
sed '4s/2026-12-08 1/2026-12-08 2/' "$vettle_out/sample.csv" > "$vettle_out/sample-tampered.csv"
for csv in sample.csv sample-tampered.csv; do
  vettle_status=0
  build/vettle/vettle -i "$vettle_out/$csv" || vettle_status=$?
  echo
  echo "vettle: exit status $vettle_status for $csv"
  [ "$vettle_status" -le 1 ] || exit "$vettle_status"
done

# --- Vell alarm logs and Zarn .OBF datalogs: a generated alarm history
# (Win32 6.xx layout) converted with its alarm setup file, a CE6 terminal's
# history whose texts come from its embedded.alm, and an .OBF datalog ---
alarm_out=build/run/alarm
rm -rf "$alarm_out"
mkdir -p "$alarm_out"
build/tools/alarm-gen/alarm-gen "$alarm_out"
build/tools/obf-gen/obf-gen "$alarm_out/obf"
alarm_run() { XDG_CONFIG_HOME="$PWD/$alarm_out/config" build/logora/app/logora "$@"; }
alarm_run /ma /6xx "$alarm_out/history-6xx.alm" "$alarm_out/MachineAlarms.mal" "$alarm_out/history.csv"
echo "alarm: first lines of history.csv (every seventh alarm names an unknown trigger):"
head -n 4 "$alarm_out/history.csv"
echo
alarm_run /ma /ce6 "$alarm_out/embedded/history.alm" "$alarm_out/embedded/MachineAlarms.mal" "$alarm_out/embedded.csv"
echo "alarm: first lines of embedded.csv (texts from embedded.alm):"
head -n 3 "$alarm_out/embedded.csv"
echo
alarm_run "$alarm_out/obf/plant-packed.obf" "$alarm_out/plant-obf.csv"
echo "obf: first lines of plant-obf.csv:"
head -n 3 "$alarm_out/plant-obf.csv"
echo

# --- Blendcraft recipes: a generated recipe file (a compound file with
# ingredients, data sets and tag sets) converted to CSV from the command line ---
recipe_out=build/run/recipe
rm -rf "$recipe_out"
mkdir -p "$recipe_out"
build/tools/recipe-gen/recipe-gen "$recipe_out"
recipe_run() { XDG_CONFIG_HOME="$PWD/$recipe_out/config" build/logora/app/logora "$@"; }
recipe_run /dbf "$recipe_out/recipe.rpp" "$recipe_out/recipe.csv"
echo "recipe: first lines of recipe.csv (one column per data set and tag set):"
head -n 4 "$recipe_out/recipe.csv"
echo
