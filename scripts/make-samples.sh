#!/usr/bin/env bash
# Generates the samples of every input format into one folder per format.
# Usage: scripts/make-samples.sh <build> <folder>
set -euo pipefail
build=$1
samples=$2
mkdir -p "$samples"/{zarn,vell,alarm,obf,recipe}
"$build/tools/zarn-gen/zarn-gen" "$samples/zarn" >/dev/null
"$build/tools/zarn-gen/zarn-gen" "$samples/zarn" --records 12 --tags 3 --timestmp >/dev/null
"$build/tools/vell-gen/vell-gen" samples "$samples/vell" >/dev/null
"$build/tools/alarm-gen/alarm-gen" "$samples/alarm" >/dev/null
"$build/tools/obf-gen/obf-gen" "$samples/obf" >/dev/null
"$build/tools/recipe-gen/recipe-gen" "$samples/recipe" >/dev/null
"$build/tools/dbf-gen/dbf-gen" 200 "$samples/zarn/table.dbf" >/dev/null
