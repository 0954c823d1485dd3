#!/usr/bin/env bash
# Configures (once) and builds the project into build/ with Ninja. The build
# installs to /usr, as the Debian packages do (scripts/package-debian.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
[ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr "${launcher[@]}"
cmake --build build "$@"
