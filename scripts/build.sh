#!/usr/bin/env bash
# Configures (once) and builds the project into build/ with Ninja.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build "$@"
