#!/usr/bin/env bash
# Converts the generated samples of every format with the Linux logora and
# with the Windows logora.exe under Wine, in list and table form, and
# compares exit statuses and outputs byte for byte; then the same from
# folders named outside ASCII, through absolute and relative paths, for one
# --out-dir run over several inputs, and for vettle's reports. Both runs see
# the same settings (none: the defaults) and the same time zone (UTC).
# Usage: scripts/same-bytes.sh [linux-build] [windows-build]
set -euo pipefail
cd "$(dirname "$0")/.."
linux=${1:-build}
windows=${2:-build-win64}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

source scripts/wine-loader.sh
export TZ=UTC LC_ALL=C WINEDEBUG=-all
export WINEPREFIX=${WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/logora-wine}
unset DISPLAY WAYLAND_DISPLAY

# The user's short date of the C locale, which Linux runs in, for Windows too.
wine reg add 'HKCU\Control Panel\International' /v sShortDate /d MM/dd/yyyy /f >/dev/null 2>&1

samples=$work/samples
scripts/make-samples.sh "$linux" "$samples"

# The arguments of one conversion of $1 (the output name comes last).
switches() {
  case "$1" in
    */embedded/*.alm) echo /ma /CE6 ;;
    *.DAT | *.dat) echo /sd ;;
    *.log) echo /md ;;
    *.alm) echo /ma /4xx ;;
    *.dbf | *.DBF) echo /dbf ;;
    *) echo "" ;;
  esac
}

# Runs one program with the arguments after $2 in its own copy of the
# samples, so that neither sees the other's outputs; prints the exit status.
run() {
  local who=$1 dir=$2
  shift 2
  (
    cd "$dir"
    if [ "$who" = linux ]; then
      XDG_CONFIG_HOME=$work/config HOME=$work "$OLDPWD/$linux/logora/app/logora" "$@"
    else
      wine "$OLDPWD/$windows/bin/logora.exe" "$@"
    fi
  ) >/dev/null 2>"$work/stderr-$who" && echo 0 || echo $?
}

# What the two programs of the last run said on standard error.
said() {
  sed 's/^/  Linux: /' "$work/stderr-linux" >&2
  sed 's/^/  Windows: /' "$work/stderr-windows" >&2
}

failures=0
count=0
for input in "$samples"/*/*.{DAT,log,alm,obf,rpp,dbf}; do
  [ -f "$input" ] || continue
  case "$input" in *"(Tagname)"*) continue ;; esac
  for form in list table; do
    extra=()
    [ "$form" = table ] && extra=(/table)
    for who in linux windows; do
      rm -rf "$work/$who" && cp -r "$(dirname "$input")" "$work/$who"
    done
    name=$(basename "$input")
    # shellcheck disable=SC2046
    linuxStatus=$(run linux "$work/linux" $(switches "$name") "${extra[@]}" "$name" out.csv)
    # shellcheck disable=SC2046
    windowsStatus=$(run windows "$work/windows" $(switches "$name") "${extra[@]}" "$name" out.csv)
    count=$((count + 1))
    if [ "$linuxStatus" != "$windowsStatus" ]; then
      echo "same-bytes: $name ($form): exit $linuxStatus on Linux, $windowsStatus on Windows" >&2
      said
      failures=$((failures + 1))
    elif [ -f "$work/linux/out.csv" ] || [ -f "$work/windows/out.csv" ]; then
      if ! cmp -s "$work/linux/out.csv" "$work/windows/out.csv"; then
        echo "same-bytes: $name ($form): the outputs differ" >&2
        diff "$work/linux/out.csv" "$work/windows/out.csv" | head -8 >&2 || true
        failures=$((failures + 1))
      fi
    fi
  done
done

# One run over several inputs (a child process per input, two at a time) from
# a folder and into a folder named outside ASCII: the same statuses and the
# same files in the output folder. The Windows program gets the patterns that
# the shell expands for Linux, and expands them itself.
for who in linux windows; do
  mkdir -p "$work/many-$who/Котёл"
  cp "$samples"/{zarn,vell,obf,recipe}/* "$work/many-$who/Котёл"
done
patterns=('Котёл/Plant(1).DAT' 'Котёл/*.log' 'Котёл/plant-*.obf' 'Котёл/?*.rpp')
inputs=()
for pattern in "${patterns[@]}"; do
  for input in "$work/many-linux"/$pattern; do inputs+=("${input#"$work/many-linux/"}"); done
done
linuxStatus=$(run linux "$work/many-linux" --out-dir "Kessel Süd" --jobs 2 "${inputs[@]}")
windowsStatus=$(LC_ALL=C.UTF-8 run windows "$work/many-windows" --out-dir "Kessel Süd" --jobs 2 "${patterns[@]}")
count=$((count + ${#inputs[@]}))
if [ "$linuxStatus" != "$windowsStatus" ]; then
  echo "same-bytes: --out-dir run: exit $linuxStatus on Linux, $windowsStatus on Windows" >&2
  said
  failures=$((failures + 1))
elif ! diff -r "$work/many-linux/Kessel Süd" "$work/many-windows/Kessel Süd" >&2; then
  echo "same-bytes: --out-dir run: the outputs differ" >&2
  failures=$((failures + 1))
fi

# Folders named outside ASCII (a code page letter and Cyrillic), given
# absolutely and relatively: every sample's folder copied into each, converted
# to CSV through an absolute path and to a dBASE table through a relative one,
# the dBASE input also under an upper-case name. Wine reads the arguments and
# the file names as UTF-8.
windowsPath() {
  printf 'Z:%s' "${1//\//\\}"
}
for folder in "Kessel Süd" "Котёл"; do
  for input in "$samples"/*/*.{DAT,log,alm,obf,rpp,dbf} "$samples"/alarm/embedded/history.alm; do
    [ -f "$input" ] || continue
    case "$input" in *"(Tagname)"*) continue ;; esac
    name=$(basename "$input")
    flags=$(switches "$input")
    for who in linux windows; do
      rm -rf "${work:?}/$who" && mkdir -p "$work/$who" && cp -r "$(dirname "$input")" "$work/$who/$folder"
    done
    [ "$name" = table.dbf ] && name=TABLE.DBF &&
      for who in linux windows; do mv "$work/$who/$folder/table.dbf" "$work/$who/$folder/$name"; done
    for output in out.csv out.dbf; do
      if [ "$output" = out.csv ]; then
        linuxArgs=("$work/linux/$folder/$name" "$work/linux/$folder/$output")
        windowsArgs=("$(windowsPath "$work/windows/$folder/$name")" "$(windowsPath "$work/windows/$folder/$output")")
      else
        linuxArgs=("$folder/$name" "$folder/$output")
        windowsArgs=("$folder\\$name" "$folder\\$output")
      fi
      # shellcheck disable=SC2086
      linuxStatus=$(run linux "$work/linux" $flags "${linuxArgs[@]}")
      # shellcheck disable=SC2086
      windowsStatus=$(LC_ALL=C.UTF-8 run windows "$work/windows" $flags "${windowsArgs[@]}")
      count=$((count + 1))
      if [ "$linuxStatus" != "$windowsStatus" ]; then
        echo "same-bytes: $folder/$name ($output): exit $linuxStatus on Linux, $windowsStatus on Windows" >&2
        said
        failures=$((failures + 1))
      elif [ -f "$work/linux/$folder/$output" ] || [ -f "$work/windows/$folder/$output" ]; then
        if ! cmp -s "$work/linux/$folder/$output" "$work/windows/$folder/$output"; then
          echo "same-bytes: $folder/$name ($output): the outputs differ" >&2
          failures=$((failures + 1))
        fi
      fi
    done
  done
done

# vettle in those folders: one log given absolutely, the other through a
# folder pattern given relatively, each report written beside the logs; the
# relative run's report (it names the logs as given, so with the same
# separator) the same on both.
vettle() {
  local who=$1 dir=$2
  shift 2
  (
    cd "$dir"
    if [ "$who" = linux ]; then
      "$OLDPWD/$linux/vettle/vettle" --quiet "$@"
    else
      LC_ALL=C.UTF-8 wine "$OLDPWD/$windows/bin/vettle.exe" --quiet "$@"
    fi
  ) </dev/null >/dev/null 2>&1 && echo 0 || echo $?
}
for who in linux windows; do
  mkdir -p "$work/vettle-$who/Kessel Süd" "$work/vettle-$who/Котёл"
  "$linux/tools/integrity-csv/integrity-csv" -o "$work/vettle-$who/Kessel Süd/day1.csv"
  "$linux/tools/integrity-csv/integrity-csv" --rows 5 -o "$work/vettle-$who/Котёл/day2.csv"
done
absolute=$(vettle windows "$work/vettle-windows" -i "$(windowsPath "$work/vettle-windows/Kessel Süd/day1.csv")" \
  -o "$(windowsPath "$work/vettle-windows/Kessel Süd/report.txt")")
linuxStatus=$(vettle linux "$work/vettle-linux" -i 'Котёл/*.csv' -o 'Котёл/report.txt')
windowsStatus=$(vettle windows "$work/vettle-windows" -i 'Котёл/*.csv' -o 'Котёл/report.txt')
count=$((count + 2))
if [ "$absolute" != 0 ] || [ ! -f "$work/vettle-windows/Kessel Süd/report.txt" ]; then
  echo "same-bytes: vettle with an absolute path: exit $absolute, or no report" >&2
  failures=$((failures + 1))
fi
if [ "$linuxStatus" != 0 ] || [ "$windowsStatus" != 0 ]; then
  echo "same-bytes: vettle with a folder pattern: exit $linuxStatus on Linux, $windowsStatus on Windows" >&2
  said
  failures=$((failures + 1))
elif ! cmp -s "$work/vettle-linux/Котёл/report.txt" "$work/vettle-windows/Котёл/report.txt"; then
  echo "same-bytes: vettle with a folder pattern: the reports differ" >&2
  failures=$((failures + 1))
fi

echo "same-bytes: $count conversions compared, $failures differ"
[ "$failures" -eq 0 ]
