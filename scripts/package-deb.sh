#!/usr/bin/env bash
# Builds the Debian packages logora, libordil1, libordil-dev, libguidara1 and
# libguidara-dev into build/packages/ and checks them with lintian.
# Install them with: sudo apt install ./build/packages/*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/ensure-deps.sh
# Packages install to /usr; the build must know, as the programs carry the
# library and help folders.
if [ -f build/CMakeCache.txt ] && ! grep -qx 'CMAKE_INSTALL_PREFIX:PATH=/usr' build/CMakeCache.txt; then
  cmake -S . -B build -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
fi
scripts/build.sh
rm -rf build/packages
cpack --config build/CPackConfig.cmake -G DEB
lintian --fail-on error build/packages/*.deb
ls -l build/packages/*.deb
