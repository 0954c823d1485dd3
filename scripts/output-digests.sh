#!/usr/bin/env bash
# Converts the generated samples of every format in every output form (CSV
# list and table form, plain dBASE), on one thread and on all, and prints one
# line per conversion: the exit status, the output's SHA-256 and the run. Two
# builds whose lines are the same write the same bytes.
# Usage: scripts/output-digests.sh [build] > digests.txt
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TZ=UTC LC_ALL=C.UTF-8 HOME=$work XDG_CONFIG_HOME=$work/config

samples=$work/samples
scripts/make-samples.sh "$build" "$samples"

switches() {
  case "$1" in
    *.DAT | *.dat) echo /sd ;;
    *.log) echo /md /tz8 ;;
    */embedded/history.alm) echo /ma /ce6 ;;
    *history-6xx.alm) echo /ma /6xx ;;
    *history-ce*.alm) echo /ma /ce6 ;;
    *.alm) echo /ma /4xx ;;
    *) echo "" ;;
  esac
}

cd "$work"
find samples -type f \( -iname '*.dat' -o -iname '*.log' -o -iname '*.alm' -o -iname '*.obf' -o -iname '*.rpp' -o -iname '*.dbf' \) |
  grep -v -e '(Tagname)' -e 'embedded.alm' | LC_ALL=C sort | while read -r input; do
  for threads in all one; do
    extra=()
    [ "$threads" = one ] && extra=(--one-thread)
    for form in list table dbf; do
      output=out.csv
      form_switch=()
      [ "$form" = table ] && form_switch=(/table)
      [ "$form" = dbf ] && output=out.dbf
      rm -f out.csv out.dbf
      # An alarm log is converted with the setup file beside it.
      setup=()
      case "$input" in *.alm) setup=("$(dirname "$input")/MachineAlarms.mal") ;; esac
      # shellcheck disable=SC2046
      status=0
      "$build/logora/app/logora" "${extra[@]}" $(switches "$input") "${form_switch[@]}" "$input" "${setup[@]}" "$output" \
        >/dev/null 2>&1 || status=$?
      digest=-
      [ -f "$output" ] && digest=$(sha256sum <"$output" | cut -c1-16)
      echo "$status $digest $input $form $threads"
    done
  done
done
