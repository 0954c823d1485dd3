#!/usr/bin/env bash
# Viewer benchmark, offscreen: the record list of a 10-million-record datalog
# (and of a 1-million-record one, to show that memory does not grow with the
# record count), the trend plot of one million samples with 8 pens, two such
# datalogs in one plot, Print Preview of a 5-million-record table and Copy of
# 10 million rows; the statistics of a column of the 10-million-record datalog;
# a 10-million-record Vell datalog whose table is read in place of it, then
# followed; a 10-million-record alarm log read in place with its setup;
# View > Follow of a Vell datalog whose ring advances at 1,000 records/s; the Plot of a 10-million-record Vell datalog opened as a user
# opens it (with its tag file), alone and after a sort and a copy of the list.
# The other datalogs are loaded as they are (no tag file), so only the viewer is timed.
set -euo pipefail
cd "$(dirname "$0")/../.."
# BUILD names another build folder that already holds the programs.
[ -n "${BUILD:-}" ] || scripts/build.sh --target viewer-bench zarn-gen dbf-gen vell-gen bench_alarm >/dev/null
work=$(mktemp -d "${TMPDIR:-/tmp}/viewer-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state"
datalog() {  # records tags base
  local path
  path=$(${BUILD:-build}/tools/zarn-gen/zarn-gen "$work" --records "$1" --tags "$2" --base "$3")
  rm -f "$work/$3(Tagname).DAT"
  echo "$path"
}
echo "== record list, 1 million records"; ${BUILD:-build}/bench/viewer/viewer-bench list "$(datalog 1000000 8 small)"
echo "== record list, 10 million records"; ${BUILD:-build}/bench/viewer/viewer-bench list "$(datalog 10000000 8 large)"
echo "== find, sort, filter and copy, 10 million records"; ${BUILD:-build}/bench/viewer/viewer-bench ops "$work/large(1).DAT"
echo "== statistics of a column, 10 million records"; ${BUILD:-build}/bench/viewer/viewer-bench stats "$work/large(1).DAT"
echo "== sort of 10 million distinct texts"; ${BUILD:-build}/bench/viewer/viewer-bench texts "$work/names.dbf" 10000000
echo "== trend plot, 1 million samples x 8 pens"; ${BUILD:-build}/bench/viewer/viewer-bench plot "$(datalog 8000000 8 plot)"
echo "== two datalogs in one plot, 1 million samples x 8 pens each"
${BUILD:-build}/bench/viewer/viewer-bench overlay "$work/plot(1).DAT" "$(datalog 8000000 8 plot2)"
rm -f "$work/plot2(1).DAT"
${BUILD:-build}/tools/dbf-gen/dbf-gen 5000000 "$work/big.dbf"
echo "== Print Preview, 5 million records"; ${BUILD:-build}/bench/viewer/viewer-bench preview "$work/big.dbf"
rm -f "$work/big.dbf"
${BUILD:-build}/tools/dbf-gen/dbf-gen 10000000 "$work/copy.dbf"
echo "== Select All and Copy, 10 million records"; ${BUILD:-build}/bench/viewer/viewer-bench copy "$work/copy.dbf"
rm -f "$work/copy.dbf"
echo "== a 10-million-record Vell datalog read in place, to its first rows"; ${BUILD:-build}/bench/viewer/viewer-bench inplace "$work/inplace/large.log"
rm -rf "$work/inplace"
mkdir -p "$work/alarm"
${BUILD:-build}/bench/alarm/bench_alarm --samples "$work/alarm/history.alm" "$work/alarm/setup.mal" 10000000
echo "== a 10-million-record alarm log read in place, every alarm looked up in its setup"
${BUILD:-build}/bench/viewer/viewer-bench inplace "$work/alarm/history.alm" "$work/alarm/setup.mal"
rm -rf "$work/alarm"
echo "== follow a datalog advanced at 1,000 records/s"; ${BUILD:-build}/bench/viewer/viewer-bench follow "$work/follow.log"
${BUILD:-build}/tools/vell-gen/vell-gen big "$work/vell.LOG" 10000000 8
echo "== Plot of a Vell datalog of 10 million records with its tag file"
${BUILD:-build}/bench/viewer/viewer-bench vellplot "$work/vell.LOG"
echo "== the same after a sort by Value and a copy of 100,000 rows"
${BUILD:-build}/bench/viewer/viewer-bench vellplot-after "$work/vell.LOG"
