#!/usr/bin/env bash
# Checks where code lives, installs what is missing, builds everything and
# runs every test, the Windows suites and installers under Wine, again under
# the sanitizers, then runs each fuzz harness briefly. Exits non-zero when
# anything fails.
set -euo pipefail
cd "$(dirname "$0")"
scripts/check-layers.sh
scripts/ensure-deps.sh
scripts/build.sh
ctest --test-dir build --output-on-failure -j2
scripts/package-debian.sh
tests/install/debian-packages.sh dist/debian build/tools/vell-gen/vell-gen build/tools/integrity-csv/integrity-csv
scripts/build-windows.sh
scripts/test-windows.sh
scripts/package-windows.sh
scripts/package-msi.sh
tests/install/msi-under-wine.sh win64
tests/install/msi-under-wine.sh win32
scripts/sanitize.sh
scripts/fuzz.sh
