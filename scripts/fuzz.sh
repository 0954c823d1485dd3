#!/usr/bin/env bash
# Builds every fuzz harness with clang and libFuzzer into build-fuzz/ and runs
# each one for a few seconds from its seed corpus. A harness fails when it
# finds a fault or when its coverage stays below its floor in
# fuzz/coverage-floors.txt. Skipped without clang.
#
#   scripts/fuzz.sh [SECONDS [HARNESS...]]
#
# SECONDS per harness (default 10, or FUZZ_SECONDS); HARNESS names such as
# fuzz_dbf run only those.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-${FUZZ_SECONDS:-10}}
[ $# -gt 0 ] && shift
only=("$@")
floors=fuzz/coverage-floors.txt
if ! command -v clang++ >/dev/null; then
  echo "fuzz: clang++ not found, skipped"
  exit 0
fi
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
[ -f build-fuzz/build.ninja ] || CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja \
  -DCMAKE_BUILD_TYPE= -DCMAKE_C_FLAGS=-O1 -DCMAKE_CXX_FLAGS=-O1 -DFUZZ=ON -DBUILD_TESTS=OFF -DBUILD_UI=OFF \
  "${launcher[@]}"
cmake --build build-fuzz --target fuzzers

# The coverage libFuzzer reports in its last stats line ("cov: N"), or 0.
final_coverage() {
  grep -o 'cov: [0-9]*' "$1" | tail -n 1 | cut -d' ' -f2 || true
}

# Third-party leaks that are not ours to mend, each explained in the file.
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$PWD/tests/support/lsan.supp"

status=0
for run in build-fuzz/fuzz-runs/*.run; do
  [ -e "$run" ] || continue
  mapfile -t spec < "$run"
  harness=${spec[0]} corpus=${spec[1]} seed=${spec[2]} crashes=${spec[3]}
  if [ ${#only[@]} -gt 0 ] && [[ " ${only[*]} " != *" $(basename "$harness") "* ]]; then continue; fi
  mkdir -p "$corpus"
  IFS='|' read -r -a seed_cmd <<< "$seed"
  "${seed_cmd[@]}" >/dev/null
  name=$(basename "$harness")
  log=build-fuzz/$name.log
  echo "fuzz: $name for ${seconds}s"
  dirs=("$corpus")
  [ -d "$crashes" ] && dirs+=("$crashes")
  if ! "$harness" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="build-fuzz/$name-" "${dirs[@]}" > "$log" 2>&1; then
    echo "fuzz: $name FAILED, see $log"
    tail -n 30 "$log"
    status=1
    continue
  fi
  floor=$(awk -v name="$name" '$1 == name { print $2 }' "$floors")
  coverage=$(final_coverage "$log")
  if [ -z "$floor" ]; then
    echo "fuzz: $name has no coverage floor in $floors (reached cov: ${coverage:-0})"
    status=1
  elif [ "${coverage:-0}" -lt "$floor" ]; then
    echo "fuzz: $name coverage ${coverage:-0} is below its floor $floor ($floors): is the code under test built with coverage instrumentation?"
    status=1
  fi
done
exit $status
