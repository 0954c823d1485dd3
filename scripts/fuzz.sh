#!/usr/bin/env bash
# Builds every fuzz harness with clang and libFuzzer into build-fuzz/ and runs
# each one for a few seconds from its seed corpus. Skipped without clang.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-10}
if ! command -v clang++ >/dev/null; then
  echo "fuzz: clang++ not found, skipped"
  exit 0
fi
[ -f build-fuzz/build.ninja ] || CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja \
  -DCMAKE_BUILD_TYPE= -DCMAKE_C_FLAGS=-O1 -DCMAKE_CXX_FLAGS=-O1 -DFUZZ=ON -DBUILD_TESTS=OFF -DBUILD_UI=OFF
cmake --build build-fuzz --target fuzzers
status=0
for run in build-fuzz/fuzz-runs/*.run; do
  [ -e "$run" ] || continue
  mapfile -t spec < "$run"
  harness=${spec[0]} corpus=${spec[1]} seed=${spec[2]} crashes=${spec[3]}
  mkdir -p "$corpus"
  IFS='|' read -r -a seed_cmd <<< "$seed"
  "${seed_cmd[@]}" >/dev/null
  name=$(basename "$harness")
  echo "fuzz: $name for ${seconds}s"
  dirs=("$corpus")
  [ -d "$crashes" ] && dirs+=("$crashes")
  if ! "$harness" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="build-fuzz/$name-" "${dirs[@]}" > "build-fuzz/$name.log" 2>&1; then
    echo "fuzz: $name FAILED, see build-fuzz/$name.log"
    tail -n 30 "build-fuzz/$name.log"
    status=1
  fi
done
exit $status
